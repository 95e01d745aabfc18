// Message boxes, pop-up menus and the cursor position on Qt.
#pragma once

#include "system/services.h"

class QtUserInterface : public UserInterface {
public:
    int MessageBox(const std::string& text, const std::string& caption, UINT type) override;
    void TrackPopupMenu(const MenuItemDef& popup, int x, int y, CWnd* owner) override;
    POINT GetCursorPos() const override;
};
