// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "framework/cmd_target.h"

#include "system/win_messages.h"

const MessageMap* CCmdTarget::GetThisMessageMap()
{
    static const MessageMap map{nullptr, {}};
    return &map;
}

BOOL CCmdTarget::DispatchOwnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    using msgmap::Kind;
    for (const MessageMap* map = GetMessageMap(); map != nullptr; map = map->base) {
        for (const msgmap::Entry& e : map->entries) {
            if (nID < e.id || nID > e.lastId)
                continue;
            const bool isCommand = e.kind == Kind::Command || e.kind == Kind::CommandRangeId;
            const bool isUpdate = e.kind == Kind::UpdateUI || e.kind == Kind::UpdateUIRange;
            if (nCode > 0 && e.kind == Kind::ControlCommand && e.message == static_cast<UINT>(nCode)) {
                if (pHandlerInfo != nullptr)
                    pHandlerInfo->pTarget = this;
                else
                    e.call(this, nID, 0, pExtra);
                return TRUE;
            }
            if (nCode == CN_COMMAND && isCommand) {
                if (pHandlerInfo != nullptr)
                    pHandlerInfo->pTarget = this;
                else
                    e.call(this, nID, 0, pExtra);
                return TRUE;
            }
            if (nCode == CN_UPDATE_COMMAND_UI && isUpdate) {
                if (pHandlerInfo != nullptr) {
                    pHandlerInfo->pTarget = this;
                } else {
                    auto* ui = static_cast<CCmdUI*>(pExtra);
                    ui->m_bContinueRouting = false;
                    e.call(this, nID, 0, pExtra);
                    if (ui->m_bContinueRouting)
                        continue;
                }
                return TRUE;
            }
        }
    }
    return FALSE;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    return DispatchOwnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CCmdTarget::HasCommandHandler(UINT nID)
{
    AFX_CMDHANDLERINFO info;
    return OnCmdMsg(nID, CN_COMMAND, nullptr, &info);
}

void CCmdUI::Enable(BOOL bOn)
{
    enabled = bOn != FALSE;
    m_bEnableChanged = true;
}

void CCmdUI::SetCheck(int nCheck)
{
    checked = nCheck;
}

void CCmdUI::SetText(const std::string&) {}

void CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler)
{
    m_bEnableChanged = false;
    if (pTarget == nullptr)
        return;
    if (pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this))
        return;
    if (bDisableIfNoHandler && !m_bEnableChanged)
        Enable(pTarget->HasCommandHandler(m_nID));
}
