// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Menus, accelerator tables and the tool bar.
#include "res/install_resources.h"
#include "res/text/resource_ids.h"
#include "system/win_messages.h"

namespace res {

namespace {

const MenuItemDef kSeparator{};

const MenuDef kMainMenu{IDR_MAINFRAME,
                        {
                            {"&File",
                             0,
                             {{"&Export List...", ID_FILE_EXPORT_LIST, {}},
                              {"Change &Log...", ID_FILE_CHANGE_LOG, {}},
                              {"&Print...", ID_FILE_PRINT, {}},
                              kSeparator,
                              {"E&xit", ID_APP_EXIT, {}}}},
                            {"&View",
                             0,
                             {{"&Tool Bar", ID_VIEW_TOOLBAR, {}},
                              {"&Status Bar", ID_VIEW_STATUS_BAR, {}},
                              kSeparator,
                              {"&Auto Arrange", ID_VIEW_AUTOARRANGE, {}},
                              {"Sort Addresses as &Numbers", ID_VIEW_SORT_NUMERIC, {}},
                              {"&Filter", ID_FILTER_FOCUS, {}},
                              {"&Watch Devices", ID_VIEW_WATCH, {}},
                              kSeparator,
                              // Filled with the interfaces present when it opens.
                              {"Network &Interface", 0, {{"&All Interfaces", ID_VIEW_INTERFACE_ALL, {}}}},
                              {"&Refresh", ID_REFRESH, {}}}},
                            // The device commands by keyboard too; Enter on a row is Modify IP.
                            {"&Device",
                             0,
                             {{"Modify &IP...\tEnter", ID_MODIFY_IP, {}},
                              {"Modify &MAC...", ID_MODIFY_MAC, {}},
                              {"&Web Browser", ID_WEB_BROWSER, {}},
                              {"&Soft Reset...", ID_SOFT_RESET, {}},
                              {"&Update Firmware...", ID_UPDATE_FIRMWARE, {}},
                              kSeparator,
                              {"&Copy", ID_EDIT_COPY, {}}}},
                            {"&Help", 0, {{"&About Varnex...", ID_APP_ABOUT, {}}}},
                        }};

const MenuDef kContextMenu{IDR_CONTEXT_MENU,
                           {{"Context",
                             0,
                             {{"Modify IP", ID_MODIFY_IP, {}},
                              {"Modify MAC", ID_MODIFY_MAC, {}},
                              {"Web Browser", ID_WEB_BROWSER, {}},
                              {"Soft Reset", ID_SOFT_RESET, {}},
                              {"Update Firmware ", ID_UPDATE_FIRMWARE, {}},
                              kSeparator,
                              {"&Copy", ID_EDIT_COPY, {}},
                              kSeparator,
                              {"&Auto Arrange", ID_VIEW_AUTOARRANGE, {}},
                              kSeparator,
                              {"&Refresh", ID_REFRESH, {}}}}}};

const AcceleratorTableDef kAccelerators{IDR_MAINFRAME,
                                        {
                                            {FVIRTKEY | FCONTROL, 'N', ID_FILE_NEW},
                                            {FVIRTKEY | FCONTROL, 'O', ID_FILE_OPEN},
                                            {FVIRTKEY | FCONTROL, 'S', ID_FILE_SAVE},
                                            {FVIRTKEY | FCONTROL, 'P', ID_FILE_PRINT},
                                            {FVIRTKEY | FCONTROL, 'Z', ID_EDIT_UNDO},
                                            {FVIRTKEY | FALT, VK_BACK, ID_EDIT_UNDO},
                                            {FVIRTKEY | FCONTROL, 'X', ID_EDIT_CUT},
                                            {FVIRTKEY | FSHIFT, VK_DELETE, ID_EDIT_CUT},
                                            {FVIRTKEY | FCONTROL, 'C', ID_EDIT_COPY},
                                            {FVIRTKEY | FCONTROL, VK_INSERT, ID_EDIT_COPY},
                                            {FVIRTKEY | FCONTROL, 'V', ID_EDIT_PASTE},
                                            {FVIRTKEY | FSHIFT, VK_INSERT, ID_EDIT_PASTE},
                                            {FVIRTKEY, VK_F6, ID_NEXT_PANE},
                                            {FVIRTKEY | FSHIFT, VK_F6, ID_PREV_PANE},
                                            {FVIRTKEY, VK_F5, ID_REFRESH},
                                            {FVIRTKEY | FCONTROL, 'F', ID_FILTER_FOCUS},
                                            // Enabled only while the filter field has the focus.
                                            {FVIRTKEY, VK_ESCAPE, ID_FILTER_CLEAR},
                                        }};

const ToolBarDef kToolBar{IDR_MAINFRAME,
                          32,
                          32,
                          {ID_REFRESH, ID_SEPARATOR, ID_MODIFY_IP, ID_MODIFY_MAC, ID_WEB_BROWSER, ID_SOFT_RESET,
                           ID_UPDATE_FIRMWARE, ID_SEPARATOR, ID_APP_ABOUT}};

} // namespace

const MenuDef* FindMenu(UINT id)
{
    if (id == IDR_MAINFRAME)
        return &kMainMenu;
    if (id == IDR_CONTEXT_MENU)
        return &kContextMenu;
    return nullptr;
}

const AcceleratorTableDef* FindAccelerators(UINT id)
{
    return id == IDR_MAINFRAME ? &kAccelerators : nullptr;
}

const ToolBarDef* FindToolBar(UINT id)
{
    return id == IDR_MAINFRAME ? &kToolBar : nullptr;
}

void InstallResources()
{
    ResourceProvider p;
    p.findString = &FindString;
    p.findMenu = &FindMenu;
    p.findAccelerators = &FindAccelerators;
    p.findToolBar = &FindToolBar;
    p.findIcon = &FindIcon;
    p.findDialog = &FindDialog;
    SetResourceProvider(p);
}

} // namespace res
