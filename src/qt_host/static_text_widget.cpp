// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/static_text_widget.h"

#include "framework/dialog_controls.h"
#include "qt_host/wire_text.h"

StaticTextWidget::StaticTextWidget(CWnd* wnd, QWidget* parent) : QLabel(parent), DialogControlHost(wnd, this)
{
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The text may name a file: the user can select and copy it.
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setTextFormat(Qt::PlainText);
    ShowControl();
}

void StaticTextWidget::ShowControl()
{
    if (Alive())
        setText(TextFromBytes(GetControlText(*Window())));
}
