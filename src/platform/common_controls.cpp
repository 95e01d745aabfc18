#include "platform/common_controls.h"

#include "platform/header_control.h"
#include "platform/listview_control.h"

void InitCommonControls()
{
    RegisterHeaderClass();
    RegisterListViewClass();
}
