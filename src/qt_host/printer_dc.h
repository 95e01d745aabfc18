// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The device context of a print job: draws in printer pixels (text mode),
// measures with the printer's fonts, and answers the page escapes.
#pragma once

#include <QPainter>
#include <QPrinter>
#include <memory>

#include "qt_host/qt_dc.h"

namespace printer_dc_detail {
// The printer and its painter exist before the context that draws on them.
struct PrinterSurface {
    explicit PrinterSurface(std::unique_ptr<QPrinter> p);
    std::unique_ptr<QPrinter> printer;
    QPainter painter;
};
} // namespace printer_dc_detail

class QtPrinterDC : private printer_dc_detail::PrinterSurface, public QtPainterDC {
public:
    explicit QtPrinterDC(std::unique_ptr<QPrinter> printer);
    // Ends the document when ENDDOC was not given.
    ~QtPrinterDC() override;

    // Whether the printer accepted the job.
    bool IsPrinting() const { return painter.isActive(); }

    // NEWFRAME ejects the page, ENDDOC ends the document; both answer > 0 on
    // success and -1 on failure.
    int Escape(int code) override;
    bool IsPrintJobOver() const override { return m_ended || m_failed; }

protected:
    void PrepareToDraw() override;

private:
    // An ejected page is followed by a new one only when something is drawn
    // or ejected again, so the page count equals the ejects.
    bool m_pageOpen = true;
    bool m_ended = false;
    bool m_failed = false;
};
