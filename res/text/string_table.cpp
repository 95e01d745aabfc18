// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The string table: every user-visible text of the program under its id, in UTF-8.
#include <algorithm>
#include <iterator>

#include "res/text/resource_ids.h"
#include "res/text/strings.h"
#include "system/win_messages.h"

namespace res {

namespace {

struct StringEntry {
    UINT id;
    const char* text;
};

// Sorted by id.
constexpr StringEntry kStrings[] = {
    {IDP_OLE_INIT_FAILED, "OLE 初始化失敗。請確認 OLE 程式庫的版本是否正確。"},
    {IDP_SOCKETS_INIT_FAILED, "Windows 通訊端安裝失敗。"},
    {IDR_MAINFRAME, "Varnex V1.20"},
    {ID_REFRESH, "Search all device again。\nRefresh"},
    {ID_MODIFY_IP, "Modify IP which selects device。\nModify IP"},
    {ID_MODIFY_MAC, "Modify MAC which selects device。\nModify MAC"},
    {ID_WEB_BROWSER, "Open web which selects device。\nWeb Browser"},
    {ID_SOFT_RESET, "Soft Reset which selects device。\nSoft Reset"},
    {ID_UPDATE_FIRMWARE, "Update Firmware which selects device。\nUpdate Firmware"},
    {ID_FILE_EXPORT_LIST, "Save the whole device list as a CSV or JSON file\nExport List"},
    {ID_VIEW_SORT_NUMERIC,
     "Sort IP addresses, masks and gateways by their numbers instead of their text\nSort Addresses "
     "as Numbers"},
    {ID_VIEW_INTERFACE_ALL, "Search for devices on every network interface\nAll Interfaces"},
    {IDS_COLUMN_DEVICE_NAME, "Device Name"},
    {IDS_COLUMN_IP_ADDRESS, "IP Address"},
    {IDS_COLUMN_SUBNET_MASK, "Subnet Mask"},
    {IDS_COLUMN_GATEWAY_IP, "Gateway IP"},
    {IDS_COLUMN_MAC, "MAC"},
    {IDS_ID_NUMBER, "ID Number"},
    {IDS_COLUMN_VERSION, "Version"},
    {IDS_ONLINE, "Online"},
    {40008, "MR-A1"},
    {40009, "MR-A2"},
    {40010, "TILLBOX"},
    {40011, "GP-I8"},
    {IDS_MODEL_UNKNOWN, "Unknown"},
    {40013, "GP-I9"},
    {40014, "WL-K5"},
    {40015, "TK-D4"},
    {40016, "Sonara"},
    {40017, "Playnode"},
    {40018, "MR-B1"},
    {40019, "MR-B2"},
    {40020, "Talkbox"},
    {IDS_MODEL_J_K700_V, "J-K700-V"},
    {IDS_MODEL_J_K700_W, "J-K700-W"},
    {IDS_SOCKET_PORT_OPEN_FAIL, "Socket port '\n' Open fail ！"},
    {IDS_BAD_MAC_FORMAT, "A MAC address is six groups of one or two hexadecimal digits joined by '-', "
                         "for example 00-0A-1B-2C-3D-4E. Nothing was sent."},
    {IDS_ANSWERS_LOST, "%1 answers were lost: they came faster than they could be read. Refresh may find those "
                       "devices."},
    {IDS_ALSO_AT_ADDRESS, "Another device answers from this address too. Also at this address: %1"},
    {IDS_EXPORT_FILTER, "CSV files (*.csv);;JSON files (*.json)"},
    {IDS_EXPORT_FAILED, "The list could not be saved to '%1': %2"},
    {IDS_INTERFACE_ABSENT, "%1 (not available)"},
    {IDS_INTERFACE_MISSING, "The network interface %1 is not available, so no devices were searched for. Choose "
                            "another under View, Network Interface."},
    {IDS_SEARCHING, "Searching on %1... %2 found"},
    {IDS_ALL_INTERFACES_TEXT, "all interfaces"},
    {IDS_FOUND, "Found %1 at %2"},
    {IDS_FOUND_ON, "Found %1 on %3 at %2"},
    {IDS_WATCHING, "Watching: %1 answered the probe at %2"},
    {IDS_WATCH_NOT_ANSWERING, ", %1 not answering"},
    {IDS_LAST_SEEN, "Not answering: last seen at %1"},
    {IDS_DEVICE_COUNT, "%1 devices"},
    {IDS_ONE_DEVICE, "1 device"},
    {IDS_ADDRESSES_SHARED, " (%1 addresses shared)"},
    {IDS_ONE_ADDRESS_SHARED, " (1 address shared)"},
    {IDS_DEVICE_GONE, "The device %1 is no longer in the list, so nothing was sent to it. Refresh, then choose it "
                      "again."},
    {IDS_FILTER_CUE, "Filter: name, address or MAC"},
    {IDS_FILTER_SHOWING, "Showing %1 of %2 devices"},
    {ID_FILTER_FOCUS, "Show only the devices whose name, address or MAC holds a text\nFilter"},
    {ID_FILTER_CLEAR, "Show every device again\nClear Filter"},
    {IDS_CONFIRMED, "Confirmed: %1 answers at %2%3"},
    {IDS_NO_ANSWER, "No answer from %1 at %2%3"},
    {IDS_ON_INTERFACE, " on %1"},
    {IDS_OUTSIDE_SUBNET, "%1 is outside %2's %3: this computer cannot reach it directly"},
    {IDS_ON_NO_SUBNET, "%1 is on none of this computer's networks: this computer cannot reach it directly"},
    {IDS_CHANGE_LOG_FAILED, "The change was sent, but not recorded: %1. Further changes are sent all the same."},
    {IDS_OPEN_UNREACHABLE, "%1\n\nThe browser will probably not reach it. Open it anyway?"},
    {ID_FILE_CHANGE_LOG, "Show every change sent to a device, by this program and by varnex-cli\nChange Log"},
    {IDS_CHANGE_COLUMN_TIME, "Time"},
    {IDS_CHANGE_COLUMN_PROGRAM, "Program"},
    {IDS_CHANGE_COLUMN_INTERFACE, "Interface"},
    {IDS_CHANGE_COLUMN_MAC, "MAC"},
    {IDS_CHANGE_COLUMN_COMMAND, "Command"},
    {IDS_CHANGE_COLUMN_FIELDS, "Before \xE2\x86\x92 After"},
    {IDS_CHANGE_COLUMN_CONFIRMED, "Confirmed"},
    {IDS_CHANGE_CONFIRMED, "Confirmed"},
    {IDS_CHANGE_NOT_CONFIRMED, "Not confirmed"},
    {IDS_CHANGE_NOT_CHECKED, "Not checked"},
    {IDS_CHANGE_LOG_NO_FOLDER, "There is no log of changes: neither XDG_STATE_HOME nor HOME names a folder for it."},
    {IDS_CHANGE_LOG_NONE, "No change has been recorded yet. The log of changes will be %1."},
    {IDS_CHANGE_LOG_COUNT, "%1 changes recorded, newest first. The log of changes is %2."},
    {IDS_CHANGE_LOG_ONE, "1 change recorded. The log of changes is %2."},
    {IDS_CHANGE_LOG_BAD_LINES, "%1 lines of %2 could not be read and are not listed (the first is line %3); the "
                               "file is left as it is."},
    {IDS_CHANGE_LOG_BAD_LINE, "Line %3 of %2 could not be read and is not listed; the file is left as it is."},
    {IDS_CHANGE_LOG_UNREAD, "%1 could not be read: %2."},
    {IDS_CHANGE_LOG_EXPORT_FILTER, "CSV files (*.csv)"},
    {IDS_CHANGE_LOG_EXPORT_TITLE, "Export Change Log"},
    {IDS_BATCH_CAPTION, "Address %1 devices"},
    {IDS_BATCH_REFUSED, "Nothing was sent: the plan cannot be sent as it is.\n\n%1"},
    {IDS_BATCH_MORE_PROBLEMS, "... and %1 more, listed in the plan."},
    {IDS_BATCH_NO_START, "Enter the start address, all four numbers."},
    {IDS_BATCH_NO_MASK, "Enter the subnet mask, all four numbers, such as 255.255.255.0."},
    {IDS_BATCH_PART_GATEWAY, "Enter all four numbers of the gateway, or none for no gateway."},
    {IDS_BATCH_PROGRESS, "%1 of %2 devices done.\n%3"},
    {IDS_BATCH_RESULTS_CAPTION, "Address %1 devices: results"},
    {AFX_IDS_APP_TITLE, "Varnex"},
    {AFX_IDS_IDLEMESSAGE, "Ready"},
    {ID_FILE_NEW, "Create a new document\nNew"},
    {ID_FILE_OPEN, "Open an existing document\nOpen"},
    {ID_FILE_SAVE, "Save the active document\nSave"},
    {ID_FILE_PRINT, "Print the active document\nPrint"},
    {ID_EDIT_COPY, "Copy the selected rows as tab-separated text\nCopy"},
    {ID_APP_ABOUT, "Show the information of the procedure and version number\nAbout"},
    {ID_APP_EXIT, "Exit the application program\nExit"},
    {ID_INDICATOR_EXT, "EXT"},
    {ID_INDICATOR_CAPS, "CAP"},
    {ID_INDICATOR_NUM, "NUM"},
    {ID_INDICATOR_SCRL, "SCRL"},
    {ID_VIEW_TOOLBAR, "Show or hide the toolbar\nSwitch toolbar"},
    {ID_VIEW_STATUS_BAR, "Show or hide the status bar\nSwitch status bar"},
    {ID_VIEW_AUTOARRANGE, "Auto arrange。"},
    {AFX_IDS_OPENFILE, "Open"},
    {AFX_IDS_SAVEFILE, "Save As"},
    {AFX_IDS_ALLFILTER, "All Files (*.*)"},
    {AFX_IDS_UNTITLED, "Untitled"},
    {AFX_IDP_FAILED_TO_OPEN_DOC, "Failed to open document."},
    {AFX_IDP_FAILED_TO_SAVE_DOC, "Failed to save document."},
    {AFX_IDP_PARSE_STRING_SIZE, "Please enter no more than %1 characters."},
    {AFX_IDP_DOC_NOT_OPENED, "Failed to open document %1: %2."},
    {AFX_IDS_DOC_IS_FOLDER, "it is a folder"},
    {AFX_IDS_DOC_NOT_REGULAR, "it is not a regular file"},
    {AFX_IDS_DOC_TOO_LARGE, "it is larger than %1 MiB"},
    {AFX_IDP_SETTINGS_NOT_SAVED, "The settings could not be saved to '%1': %2"},
};

} // namespace

const char* FindString(UINT id)
{
    for (const StringEntry& e : kStrings)
        if (e.id == id)
            return e.text;
    return nullptr;
}

std::string LoadText(UINT id)
{
    const char* text = FindString(id);
    return text ? text : std::string();
}

} // namespace res
