// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/text_layout_cache.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPaintDevice>

#include "qt_host/wire_text.h"

TextLayoutCache& TextLayoutCache::Instance()
{
    static TextLayoutCache cache;
    static const bool emptiedWithTheApplication = [] {
        // Laid-out text holds fonts, which must go before the application does.
        qAddPostRoutine([] {
            TextLayoutCache::Instance().m_lines.clear();
            TextLayoutCache::Instance().m_advances.clear();
        });
        return true;
    }();
    (void)emptiedWithTheApplication;
    return cache;
}

const TextLayoutCache::Line& TextLayoutCache::Get(const QFont& font, const QByteArray& fontKey,
                                                  const QPaintDevice* device, std::string_view text, int elideWidth)
{
    const int dpi = device ? device->logicalDpiY() : 0;
    m_key.clear();
    m_key.append(fontKey).append('\x01').append(QByteArray::number(dpi)).append('\x01');
    m_key.append(QByteArray::number(elideWidth)).append('\x01');
    m_key.append(text.data(), static_cast<qsizetype>(text.size()));
    if (const auto it = m_lines.constFind(m_key); it != m_lines.constEnd())
        return *it;
    if (m_lines.size() >= kMaxLines)
        m_lines.clear(); // a new screenful; what it shows fills the cache again

    const QFontMetricsF fm = device ? QFontMetricsF(font, device) : QFontMetricsF(font);
    QString s = TextFromBytes(text);
    if (elideWidth >= 0) {
        const QFontMetrics cut = device ? QFontMetrics(font, device) : QFontMetrics(font);
        s = cut.elidedText(s, Qt::ElideRight, elideWidth);
    }
    Line line;
    line.width = fm.horizontalAdvance(s);
    line.height = fm.ascent() + fm.descent();
    line.text.setTextFormat(Qt::PlainText);
    line.text.setPerformanceHint(QStaticText::AggressiveCaching);
    line.text.setText(s);
    line.text.prepare(QTransform(), font);
    return *m_lines.insert(m_key, std::move(line));
}

int TextLayoutCache::Advance(const QFontMetrics& metrics, const QByteArray& fontKey, std::string_view text)
{
    m_key.clear();
    m_key.append(fontKey).append('\x02');
    m_key.append(text.data(), static_cast<qsizetype>(text.size()));
    if (const auto it = m_advances.constFind(m_key); it != m_advances.constEnd())
        return *it;
    if (m_advances.size() >= kMaxLines)
        m_advances.clear();
    const int advance = metrics.horizontalAdvance(TextFromBytes(text));
    m_advances.insert(m_key, advance);
    return advance;
}
