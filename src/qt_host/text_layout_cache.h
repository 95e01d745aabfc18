// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Single lines of text laid out once and drawn many times: a list shows the
// same cells paint after paint, and laying out a text (and finding where to cut
// it for an ellipsis) costs far more than drawing its glyphs. GUI thread only.
#pragma once

#include <QByteArray>
#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QStaticText>
#include <string_view>

class QPaintDevice;

class TextLayoutCache {
public:
    struct Line {
        QStaticText text; // the text as it is drawn (cut with "…" when asked to fit)
        qreal width = 0;  // its natural width
        qreal height = 0; // ascent plus descent of the font
    };

    // The line for text in font on device; elideWidth >= 0 cuts it with an
    // ellipsis at the right to fit that many pixels. The reference stays valid
    // until the next call.
    const Line& Get(const QFont& font, const QByteArray& fontKey, const QPaintDevice* device, std::string_view text,
                    int elideWidth);

    // The advance of text in the font's metrics (as QFontMetrics gives it),
    // measured once: lists measure the same labels paint after paint.
    int Advance(const QFontMetrics& metrics, const QByteArray& fontKey, std::string_view text);

    // The one cache of the program.
    static TextLayoutCache& Instance();

private:
    static constexpr int kMaxLines = 8192;
    QHash<QByteArray, Line> m_lines;
    QHash<QByteArray, int> m_advances;
    QByteArray m_key;
};
