// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Identifiers of the program's own resources: strings, menus, tool bar, icons,
// dialog templates and commands.
#pragma once

#include "system/win_types.h"

// Shared by the frame: template, menu, accelerators, frame icon, tool bar, caption.
constexpr UINT IDR_MAINFRAME = 128;
constexpr UINT IDD_ABOUTBOX = 100;
constexpr UINT IDR_CONTEXT_MENU = 142;

// Start-up failures.
constexpr UINT IDP_OLE_INIT_FAILED = 100;
constexpr UINT IDP_SOCKETS_INIT_FAILED = 104;

// Commands.
constexpr UINT ID_REFRESH = 32772;
constexpr UINT ID_MODIFY_IP = 32780;
constexpr UINT ID_MODIFY_MAC = 32781;
constexpr UINT ID_WEB_BROWSER = 32782;
constexpr UINT ID_SOFT_RESET = 32783;
constexpr UINT ID_UPDATE_FIRMWARE = 32814;
constexpr UINT ID_FILE_EXPORT_LIST = 32840;
constexpr UINT ID_VIEW_SORT_NUMERIC = 32841;
// The tool bar's filter field (its control id), Ctrl+F into it, Esc in it.
constexpr UINT ID_FILTER_FIELD = 32842;
constexpr UINT ID_FILTER_FOCUS = 32843;
constexpr UINT ID_FILTER_CLEAR = 32844;
// View > Watch Devices: probe again and again, keeping the rows.
constexpr UINT ID_VIEW_WATCH = 32860;
// View -> Network Interface: every interface, then one id per interface listed
// when the menu opens.
// File -> Change Log: the log of every command sent to a device.
constexpr UINT ID_FILE_CHANGE_LOG = 32850;
constexpr UINT ID_VIEW_INTERFACE_ALL = 32900;
constexpr UINT ID_VIEW_INTERFACE_FIRST = 32901;
constexpr UINT ID_VIEW_INTERFACE_LAST = 32964;

// Column headers and texts of the device list.
constexpr UINT IDS_COLUMN_DEVICE_NAME = 40000;
constexpr UINT IDS_COLUMN_IP_ADDRESS = 40001;
constexpr UINT IDS_COLUMN_SUBNET_MASK = 40002;
constexpr UINT IDS_COLUMN_GATEWAY_IP = 40003;
constexpr UINT IDS_COLUMN_MAC = 40004;
constexpr UINT IDS_ID_NUMBER = 40005;
constexpr UINT IDS_COLUMN_VERSION = 40006;
constexpr UINT IDS_ONLINE = 40007;
constexpr UINT IDS_MODEL_UNKNOWN = 40012;
constexpr UINT IDS_MODEL_J_K700_V = 40021;
constexpr UINT IDS_MODEL_J_K700_W = 40022;
constexpr UINT IDS_SOCKET_PORT_OPEN_FAIL = 40100;
constexpr UINT IDS_BAD_MAC_FORMAT = 40101;
constexpr UINT IDS_ANSWERS_LOST = 40102;
constexpr UINT IDS_ALSO_AT_ADDRESS = 40110;
constexpr UINT IDS_EXPORT_FILTER = 40111;
constexpr UINT IDS_EXPORT_FAILED = 40112;
constexpr UINT IDS_INTERFACE_ABSENT = 40120;
constexpr UINT IDS_INTERFACE_MISSING = 40121;
// The search's progress in the message pane, and shared addresses in the count pane.
constexpr UINT IDS_SEARCHING = 40130;
constexpr UINT IDS_ALL_INTERFACES_TEXT = 40131;
constexpr UINT IDS_FOUND = 40132;
constexpr UINT IDS_FOUND_ON = 40133;
constexpr UINT IDS_DEVICE_COUNT = 40134;
constexpr UINT IDS_ONE_DEVICE = 40135;
constexpr UINT IDS_ADDRESSES_SHARED = 40136;
constexpr UINT IDS_ONE_ADDRESS_SHARED = 40137;
constexpr UINT IDS_DEVICE_GONE = 40140;
// The filter field's hint, and the message pane while a filter is set.
constexpr UINT IDS_FILTER_CUE = 40150;
constexpr UINT IDS_FILTER_SHOWING = 40151;
// Whether a device answers as its command said it would.
constexpr UINT IDS_CONFIRMED = 40160;
constexpr UINT IDS_NO_ANSWER = 40161;
constexpr UINT IDS_ON_INTERFACE = 40162;
// A device this computer cannot reach directly: outside its interface's subnet.
constexpr UINT IDS_OUTSIDE_SUBNET = 40170;
constexpr UINT IDS_ON_NO_SUBNET = 40171;
constexpr UINT IDS_OPEN_UNREACHABLE = 40172;
constexpr UINT IDS_CHANGE_LOG_FAILED = 40173;
// Watching.
constexpr UINT IDS_WATCHING = 40240;
constexpr UINT IDS_WATCH_NOT_ANSWERING = 40241;
constexpr UINT IDS_LAST_SEEN = 40242;
// The Change Log dialog: its columns in order, the verdicts, the note on the files read.
constexpr UINT IDS_CHANGE_COLUMN_TIME = 40200;
constexpr UINT IDS_CHANGE_COLUMN_PROGRAM = 40201;
constexpr UINT IDS_CHANGE_COLUMN_INTERFACE = 40202;
constexpr UINT IDS_CHANGE_COLUMN_MAC = 40203;
constexpr UINT IDS_CHANGE_COLUMN_COMMAND = 40204;
constexpr UINT IDS_CHANGE_COLUMN_FIELDS = 40205;
constexpr UINT IDS_CHANGE_COLUMN_CONFIRMED = 40206;
constexpr UINT IDS_CHANGE_CONFIRMED = 40210;
constexpr UINT IDS_CHANGE_NOT_CONFIRMED = 40211;
constexpr UINT IDS_CHANGE_NOT_CHECKED = 40212;
constexpr UINT IDS_CHANGE_LOG_NO_FOLDER = 40220;
constexpr UINT IDS_CHANGE_LOG_NONE = 40221;
constexpr UINT IDS_CHANGE_LOG_COUNT = 40222;
constexpr UINT IDS_CHANGE_LOG_ONE = 40223;
constexpr UINT IDS_CHANGE_LOG_BAD_LINES = 40224;
constexpr UINT IDS_CHANGE_LOG_BAD_LINE = 40225;
constexpr UINT IDS_CHANGE_LOG_UNREAD = 40226;
constexpr UINT IDS_CHANGE_LOG_EXPORT_FILTER = 40227;
constexpr UINT IDS_CHANGE_LOG_EXPORT_TITLE = 40228;
// New addresses for several devices at once.
constexpr UINT IDS_BATCH_CAPTION = 40180;
constexpr UINT IDS_BATCH_REFUSED = 40181;
constexpr UINT IDS_BATCH_MORE_PROBLEMS = 40182;
constexpr UINT IDS_BATCH_NO_START = 40183;
constexpr UINT IDS_BATCH_NO_MASK = 40184;
constexpr UINT IDS_BATCH_PART_GATEWAY = 40185;
constexpr UINT IDS_BATCH_PROGRESS = 40186;
constexpr UINT IDS_BATCH_RESULTS_CAPTION = 40187;

// Icons.
constexpr UINT IDI_DEVICE_147 = 147;
constexpr UINT IDI_DEVICE_KNOWN = 151;
constexpr UINT IDI_DEVICE_153 = 153;
constexpr UINT IDI_DEVICE_155 = 155;
constexpr UINT IDI_DEVICE_157 = 157;
constexpr UINT IDI_DEVICE_UNKNOWN = 158;
// The overlay on the picture of a row whose address another device also answers from.
constexpr UINT IDI_DUPLICATE_ADDRESS = 160;
// The overlay on the picture of a row whose address is outside this computer's subnets.
constexpr UINT IDI_UNREACHABLE = 161;

// Sort arrow bitmaps of the list engine.
constexpr UINT IDB_SORT_UP = 131;
constexpr UINT IDB_SORT_DOWN = 132;

// Dialog templates and their controls.
constexpr UINT IDD_INPUT_IP = 9;
constexpr UINT IDD_INPUT_PASSWORD = 146;
constexpr UINT IDD_INPUT_MAC = 152;
constexpr UINT IDC_IPADDRESS_IP = 1000;
constexpr UINT IDC_IPADDRESS_MASK = 1001;
constexpr UINT IDC_IPADDRESS_GATEWAY = 1002;
constexpr UINT IDC_EDIT_PASSWORD = 1001;
constexpr UINT IDC_EDIT_MAC = 1004;
constexpr UINT IDD_CHANGE_LOG = 175;
constexpr UINT IDC_CHANGE_LIST = 1020;
constexpr UINT IDC_CHANGE_NOTE = 1021;
constexpr UINT IDC_CHANGE_EXPORT = 1022;
// Address N devices: its fields and plan, the progress, the results.
constexpr UINT IDD_ADDRESS_DEVICES = 170;
constexpr UINT IDD_BATCH_PROGRESS = 171;
constexpr UINT IDD_BATCH_RESULTS = 172;
constexpr UINT IDC_BATCH_START = 1010;
constexpr UINT IDC_BATCH_MASK = 1011;
constexpr UINT IDC_BATCH_GATEWAY = 1012;
constexpr UINT IDC_BATCH_PASSWORD = 1013;
constexpr UINT IDC_BATCH_PLAN = 1014;
constexpr UINT IDC_BATCH_ONE_AT_A_TIME = 1015;
constexpr UINT IDC_BATCH_PROGRESS_TEXT = 1016;
constexpr UINT IDC_BATCH_RESULTS = 1017;
constexpr UINT IDC_BATCH_COPY = 1018;

// The application profile.
inline constexpr const char* kProfileRegistryKey = "本機 AppWizard 所產生的應用程式";
// The interface chosen under View -> Network Interface (section "Settings"):
// its name, or empty for every interface.
inline constexpr const char* kProfileInterfaceEntry = "Interface";
