// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The view's entries in the log of changes: held from the send until the
// command's verdict, and written, not checked, when the window closes.
#include "framework/win_app.h"
#include "res/text/resource_ids.h"
#include "view/varnex_view.h"

device::PendingChanges& CVarnexView::HeldChanges()
{
    if (!m_pHeldChanges) {
        m_pChangeLog = std::make_unique<device::ChangeLog>(device::ChangeLog::DefaultPath());
        m_pHeldChanges = std::make_unique<device::PendingChanges>(*m_pChangeLog);
    }
    return *m_pHeldChanges;
}

void CVarnexView::WriteHeldChanges()
{
    AbandonChecks();
    if (m_pHeldChanges)
        TellLogFailure(m_pHeldChanges->SettleAll());
}

void CVarnexView::TellLogFailure(const std::optional<std::string>& failure)
{
    if (!failure)
        return;
    std::string text = AfxLoadString(IDS_CHANGE_LOG_FAILED);
    if (const auto at = text.find("%1"); at != std::string::npos)
        text.replace(at, 2, *failure);
    AfxMessageBox(text, MB_ICONEXCLAMATION);
}
