// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/qt_print_service.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

#include "qt_host/auto_answer.h"
#include "qt_host/dialog_parent.h"
#include "qt_host/printer_dc.h"
#include "qt_host/wire_text.h"

namespace {

void CopyPrinterSettings(const QPrinter& from, QPrinter* to)
{
    if (from.outputFormat() == QPrinter::PdfFormat) {
        to->setOutputFormat(QPrinter::PdfFormat);
        to->setOutputFileName(from.outputFileName());
    } else if (!from.printerName().isEmpty()) {
        to->setPrinterName(from.printerName());
    }
    to->setPageLayout(from.pageLayout());
    to->setCopyCount(from.copyCount());
    to->setCollateCopies(from.collateCopies());
    to->setDuplex(from.duplex());
    to->setColorMode(from.colorMode());
}

} // namespace

QtPrintService::QtPrintService() : m_settings(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}

QtPrintService::~QtPrintService() = default;

std::unique_ptr<CDC> QtPrintService::BeginPrinting(CWnd* owner, PrintJob& job)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    CopyPrinterSettings(*m_settings, printer.get());
    printer->setDocName(TextFromBytes(job.documentName));
    const QString pdfPath = qEnvironmentVariable("VARNEX_PRINT_TO_PDF");
    if (!pdfPath.isEmpty()) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdfPath);
    } else if (AutoAnswerEnabled()) {
        // A scripted user cancels the print dialog.
        AppendUiLog("PrintDialog|" + EscapeForLog(job.documentName));
        return nullptr;
    } else {
        QPrintDialog dialog(printer.get(), DialogParentFor(owner));
        dialog.setMinMax(job.fromPage, job.toPage);
        if (dialog.exec() != QDialog::Accepted)
            return nullptr;
        if (printer->printRange() == QPrinter::PageRange && printer->fromPage() > 0) {
            job.fromPage = printer->fromPage();
            job.toPage = printer->toPage();
        }
        CopyPrinterSettings(*printer, m_settings.get());
    }
    auto dc = std::make_unique<QtPrinterDC>(std::move(printer));
    if (!dc->IsPrinting())
        return nullptr;
    return dc;
}

void QtPrintService::PrintSetup(CWnd* owner)
{
    if (AutoAnswerEnabled()) {
        AppendUiLog("PrintSetup");
        return;
    }
    QPageSetupDialog dialog(m_settings.get(), DialogParentFor(owner));
    dialog.exec();
}
