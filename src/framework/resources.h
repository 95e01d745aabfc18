// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Resources as data: string table, menus, accelerator tables, tool bars and
// icons. The program's own resources are installed once at start-up.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "system/win_types.h"

struct MenuItemDef {
    std::string text;               // "&File"; empty with id 0 for a separator
    UINT id = 0;                    // command id of a plain item (0 is a command too when there is text)
    std::vector<MenuItemDef> popup; // items of a pop-up
    // Items built at run time carry their state (MF_CHECKED, MF_GRAYED) and are
    // shown as they are; items from resources ask the owner's update handlers.
    bool fixedState = false;
    UINT state = 0;
    bool IsSeparator() const { return text.empty() && id == 0 && popup.empty() && !fixedState; }
    bool IsPopup() const { return !popup.empty(); }
};

struct MenuDef {
    UINT id = 0;
    std::vector<MenuItemDef> items;
};

constexpr BYTE FVIRTKEY = 0x01;
constexpr BYTE FSHIFT = 0x04;
constexpr BYTE FCONTROL = 0x08;
constexpr BYTE FALT = 0x10;

struct AccelDef {
    BYTE fVirt = FVIRTKEY;
    UINT key = 0; // virtual key
    UINT cmd = 0;
};

struct AcceleratorTableDef {
    UINT id = 0;
    std::vector<AccelDef> entries;
};

struct ToolBarDef {
    UINT id = 0;
    int buttonWidth = 0;
    int buttonHeight = 0;
    std::vector<UINT> buttons; // ID_SEPARATOR (0) for a gap
};

// An image as 32-bit ARGB pixels, row by row.
struct ImageData {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;
};

// An icon resource: one picture per size, and the same sizes drawn in light
// inks for dark backgrounds (empty when the picture has no such variant).
struct IconDef {
    UINT id = 0;
    std::vector<ImageData> sizes;
    std::vector<ImageData> onDark;
};

// Dialog templates. Positions are in dialog units of the template's font.
// A Static with an id of its own (not kFixedTextId) has a control window whose
// text the dialog may change; a ListView is a list-view control.
enum class DialogControlKind { DefPushButton, PushButton, GroupBox, Static, Icon, Edit, IPAddress, ListView };
constexpr UINT kFixedTextId = 0xFFFF;

// ES_MULTILINE with ES_READONLY: a text of several lines the user reads,
// selects and copies, and the dialog's logic writes.
constexpr DWORD ES_MULTILINE = 0x0004;
constexpr DWORD ES_UPPERCASE = 0x0008;
constexpr DWORD ES_PASSWORD = 0x0020;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD ES_READONLY = 0x0800;

struct DialogControlDef {
    DialogControlKind kind = DialogControlKind::Static;
    UINT id = 0;
    std::string text;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    DWORD style = 0; // ES_* for edit fields
    UINT iconId = 0; // for an icon
};

struct DialogTemplateDef {
    UINT id = 0;
    std::string caption;
    int cx = 0;
    int cy = 0;
    std::string fontFace;
    int fontPoints = 8;
    std::vector<DialogControlDef> controls; // in template (tab) order
};

struct ResourceProvider {
    const char* (*findString)(UINT id) = nullptr;
    const MenuDef* (*findMenu)(UINT id) = nullptr;
    const AcceleratorTableDef* (*findAccelerators)(UINT id) = nullptr;
    const ToolBarDef* (*findToolBar)(UINT id) = nullptr;
    const IconDef* (*findIcon)(UINT id) = nullptr;
    const DialogTemplateDef* (*findDialog)(UINT id) = nullptr;
};

void SetResourceProvider(const ResourceProvider& provider);

// The string of the table with this id, or an empty string.
std::string AfxLoadString(UINT id);
bool AfxHasString(UINT id);
const MenuDef* AfxFindMenu(UINT id);
const AcceleratorTableDef* AfxFindAccelerators(UINT id);
const ToolBarDef* AfxFindToolBar(UINT id);
const IconDef* AfxFindIcon(UINT id);
const DialogTemplateDef* AfxFindDialog(UINT id);
// The icon's picture of the given size (nearest when there is no exact one).
const ImageData* AfxFindIconImage(UINT id, int size);
