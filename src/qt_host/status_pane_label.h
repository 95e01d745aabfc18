// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// One pane of the status bar on screen. Its text changes at once; the pane
// shows it with its next paint, at most once a display frame however often it
// changes, and the bar is laid out again only when the text no longer fits.
#pragma once

#include <QFrame>
#include <QString>
#include <QTimer>

class StatusPaneLabel : public QFrame {
    Q_OBJECT
public:
    explicit StatusPaneLabel(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const { return m_text; }
    void setAlignment(Qt::Alignment alignment);
    // Times the pane painted itself (tests count them).
    int PaintCount() const { return m_paints; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    void ShowText();
    int TextWidth() const;

    QString m_text;
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignVCenter;
    QTimer m_frame;
    int m_width = 0; // of the text the layout last heard of
    int m_paints = 0;
};
