// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Message boxes, pop-up menus, the cursor position and the clipboard on Qt.
#pragma once

#include "system/services.h"

class QtUserInterface : public UserInterface {
public:
    int MessageBox(const std::string& text, const std::string& caption, UINT type) override;
    void TrackPopupMenu(const MenuItemDef& popup, int x, int y, CWnd* owner) override;
    POINT GetCursorPos() const override;
    bool SetClipboardText(const std::string& text) override;
};
