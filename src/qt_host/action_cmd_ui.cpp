// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/action_cmd_ui.h"

#include <QAction>

#include "qt_host/wire_text.h"

void ActionCmdUI::Enable(BOOL bOn)
{
    CCmdUI::Enable(bOn);
    m_action->setEnabled(bOn != FALSE);
}

void ActionCmdUI::SetCheck(int nCheck)
{
    CCmdUI::SetCheck(nCheck);
    m_action->setCheckable(nCheck != 0);
    m_action->setChecked(nCheck != 0);
}

void ActionCmdUI::SetText(const std::string& text)
{
    CCmdUI::SetText(text);
    m_action->setText(TextFromBytes(text));
}
