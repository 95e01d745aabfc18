// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/status_pane_label.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <algorithm>

StatusPaneLabel::StatusPaneLabel(QWidget* parent) : QFrame(parent)
{
    m_frame.setSingleShot(true);
    int frameMs = 16;
    if (const QScreen* s = QGuiApplication::primaryScreen(); s != nullptr && s->refreshRate() > 1)
        frameMs = std::clamp(static_cast<int>(1000.0 / s->refreshRate()), 4, 50);
    m_frame.setInterval(frameMs);
    connect(&m_frame, &QTimer::timeout, this, &StatusPaneLabel::ShowText);
}

void StatusPaneLabel::setText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    if (!m_frame.isActive())
        m_frame.start();
}

void StatusPaneLabel::setAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    update();
}

int StatusPaneLabel::TextWidth() const
{
    return fontMetrics().horizontalAdvance(m_text);
}

void StatusPaneLabel::ShowText()
{
    // A text that grows past what the bar made room for asks for a new layout;
    // anything else is only painted.
    const int width = TextWidth();
    if (width > m_width || width < m_width / 2) {
        m_width = width;
        updateGeometry();
    }
    update();
}

QSize StatusPaneLabel::sizeHint() const
{
    const int margin = 2 * frameWidth() + 2 * fontMetrics().horizontalAdvance(QLatin1Char(' ')) / 2;
    const int width = std::max(m_width, TextWidth());
    return QSize(width + margin, fontMetrics().height() + 2 * frameWidth());
}

QSize StatusPaneLabel::minimumSizeHint() const
{
    return QSize(2 * frameWidth(), fontMetrics().height() + 2 * frameWidth());
}

void StatusPaneLabel::paintEvent(QPaintEvent* e)
{
    QFrame::paintEvent(e);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect area = contentsRect().adjusted(2, 0, -2, 0);
    painter.drawText(area, static_cast<int>(m_alignment), m_text);
    ++m_paints;
}
