// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/printer_dc.h"

#include <QFontDatabase>

namespace printer_dc_detail {

PrinterSurface::PrinterSurface(std::unique_ptr<QPrinter> p) : printer(std::move(p))
{
    painter.begin(printer.get());
    // A printer's own default font is fixed-pitch; text laid out in average
    // character widths lines up only in such a font.
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(10);
    painter.setFont(font);
}

} // namespace printer_dc_detail

QtPrinterDC::QtPrinterDC(std::unique_ptr<QPrinter> p) : PrinterSurface(std::move(p)), QtPainterDC(&painter) {}

QtPrinterDC::~QtPrinterDC()
{
    ReleasePainter();
    if (painter.isActive())
        painter.end();
}

void QtPrinterDC::PrepareToDraw()
{
    if (!m_pageOpen && !m_ended && painter.isActive() && printer->newPage())
        m_pageOpen = true;
}

int QtPrinterDC::Escape(int code)
{
    constexpr int kFailed = -1;
    if (m_ended || !painter.isActive())
        return kFailed;
    switch (code) {
    case NEWFRAME:
        if (!m_pageOpen && !printer->newPage()) {
            m_failed = true;
            return kFailed;
        }
        m_pageOpen = false;
        return 1;
    case ENDDOC:
        m_ended = true;
        ReleasePainter();
        if (painter.end())
            return 1;
        m_failed = true;
        return kFailed;
    default:
        return kFailed;
    }
}
