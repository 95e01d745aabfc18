// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "controls/common_controls.h"

#include "controls/edit_control.h"
#include "controls/header/header_control.h"
#include "controls/ip_address_control.h"
#include "controls/listview/listview_control.h"
#include "controls/static_control.h"

void InitCommonControls()
{
    // Once per process, as on the platform: a second call must not replace a
    // class that someone has since wrapped (a message spy in tests).
    static const bool registered = [] {
        RegisterEditControl();
        RegisterIPAddressControl();
        RegisterHeaderClass();
        RegisterListViewClass();
        RegisterStaticControl();
        return true;
    }();
    (void)registered;
}
