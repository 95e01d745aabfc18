// The common controls: registers the window classes of the list view
// ("SysListView32") and its header ("SysHeader32").
#pragma once

void InitCommonControls();
