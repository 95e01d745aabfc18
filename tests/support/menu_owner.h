// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// A window that owns a pop-up menu in tests: handles Refresh and Auto Arrange
// (checked); Ping has no handler, so it shows disabled.
#pragma once

#include <vector>

#include "framework/cmd_target.h"
#include "framework/wnd.h"

namespace menu_test {

constexpr UINT kRefresh = 32772;
constexpr UINT kPing = 32780;
constexpr UINT kAutoArrange = 32790;

class MenuOwner : public CWnd {
public:
    static const MessageMap* GetThisMessageMap()
    {
        static const MessageMap map{CWnd::GetThisMessageMap(),
                                    {
                                        msgmap::Command(kRefresh, &MenuOwner::OnRefresh),
                                        msgmap::Command(kAutoArrange, &MenuOwner::OnAutoArrange),
                                        msgmap::UpdateUI(kAutoArrange, &MenuOwner::OnUpdateAutoArrange),
                                    }};
        return &map;
    }
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
    void OnRefresh() { commands.push_back(kRefresh); }
    void OnAutoArrange() { commands.push_back(kAutoArrange); }
    void OnUpdateAutoArrange(CCmdUI* ui) { ui->SetCheck(1); }
    std::vector<UINT> commands;
};

} // namespace menu_test
