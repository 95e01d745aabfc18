// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Printing on Qt: the print dialog (a printer or a PDF file), the page set-up
// dialog, and the printer's device context.
#pragma once

#include <memory>

#include "framework/dc.h"
#include "system/services.h"

class QPrinter;

class QtPrintService : public PrintService {
public:
    QtPrintService();
    ~QtPrintService() override;

    // With VARNEX_PRINT_TO_PDF=<path> set, prints to that PDF file without a dialog.
    std::unique_ptr<CDC> BeginPrinting(CWnd* owner, PrintJob& job) override;
    void PrintSetup(CWnd* owner) override;

private:
    // The printer and page the user chose last; each job starts from them.
    std::unique_ptr<QPrinter> m_settings;
};
