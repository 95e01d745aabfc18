#include "controls/common_controls.h"

#include "controls/edit_control.h"
#include "controls/header/header_control.h"
#include "controls/ip_address_control.h"
#include "controls/listview/listview_control.h"

void InitCommonControls()
{
    RegisterEditControl();
    RegisterIPAddressControl();
    RegisterHeaderClass();
    RegisterListViewClass();
}
