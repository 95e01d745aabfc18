// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "qt_host/qt_print_service.h"

namespace {

int PdfPageCount(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QString text = QString::fromLatin1(file.readAll());
    return static_cast<int>(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![s\\w])"))));
}

} // namespace

TEST(QtPrintService, PdfHasOnePagePerEjectAndDrawsInPrinterPixels)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("list.pdf"));
    qputenv("VARNEX_PRINT_TO_PDF", path.toLocal8Bit());
    QtPrintService service;
    PrintJob job;
    job.documentName = "Untitled";
    std::unique_ptr<CDC> dc = service.BeginPrinting(nullptr, job);
    qunsetenv("VARNEX_PRINT_TO_PDF");
    ASSERT_NE(dc, nullptr);

    dc->SetMapMode(MM_TEXT);
    TEXTMETRIC tm;
    ASSERT_TRUE(dc->GetTextMetrics(&tm));
    const int dpi = dc->GetDeviceCaps(LOGPIXELSY);
    // A desktop font is some 6 to 20 points high at the printer's resolution.
    EXPECT_GT(tm.tmHeight * 72, 6 * dpi);
    EXPECT_LT(tm.tmHeight * 72, 20 * dpi);
    RECT page;
    dc->GetClipBox(&page);
    EXPECT_EQ(page.left, 0);
    EXPECT_EQ(page.right, dc->GetDeviceCaps(HORZRES));
    EXPECT_EQ(page.bottom, dc->GetDeviceCaps(VERTRES));
    // A page less its margins: between 5 and 9 inches wide.
    EXPECT_GT(page.right, 5 * dc->GetDeviceCaps(LOGPIXELSX));
    EXPECT_LT(page.right, 9 * dc->GetDeviceCaps(LOGPIXELSX));

    dc->TextOut(0, 0, "192.168.1.20");
    EXPECT_GT(dc->Escape(NEWFRAME), 0);
    dc->TextOut(0, tm.tmHeight, "192.168.1.21");
    EXPECT_GT(dc->Escape(NEWFRAME), 0);
    EXPECT_GT(dc->Escape(NEWFRAME), 0); // an empty page
    EXPECT_FALSE(dc->IsPrintJobOver());
    EXPECT_GT(dc->Escape(ENDDOC), 0);
    EXPECT_TRUE(dc->IsPrintJobOver());
    EXPECT_LT(dc->Escape(NEWFRAME), 0);
    dc.reset();
    EXPECT_EQ(PdfPageCount(path), 3);
}

TEST(QtPrintService, ScriptedUserCancelsThePrintDialog)
{
    qputenv("VARNEX_AUTO_ANSWER", "1");
    QtPrintService service;
    PrintJob job;
    EXPECT_EQ(service.BeginPrinting(nullptr, job), nullptr);
    qunsetenv("VARNEX_AUTO_ANSWER");
}
