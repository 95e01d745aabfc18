// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "demo_list_view.h"

#include <cstring>
#include <string>

#include "res/text/resource_ids.h"

namespace {

struct DemoRow {
    const char* name;
    const char* place;
    const char* address;
    const char* note;
    int image;
    bool checked;
};

constexpr DemoRow kRows[] = {
    {"Camera North", "Gate", "10.20.0.11", "night mode", 2, true},
    {"Camera South", "Yard", "10.20.0.12", "", 2, false},
    {"Door Panel", "Lobby", "10.20.0.21", "two-way audio", 3, true},
    {"Fire Relay", "Plant", "10.20.0.31", "tested March", 4, false},
    {"Lift Sensor", "Shaft 2", "10.20.0.41", "", 5, true},
    {"Meter A", "Basement", "10.20.0.51", "counts pulses", 6, false},
    {"Meter B", "Basement", "10.20.0.52", "", 6, false},
    {"Old Bridge", "Roof", "10.20.0.61", "replace soon: the label is long", 1, false},
    {"Panel West", "Hall", "10.20.0.71", "", 3, true},
    {"Pump Control", "Plant", "10.20.0.81", "two speeds", 4, false},
    {"Reader Desk", "Lobby", "10.20.0.91", "", 2, false},
    {"Siren Yard", "Yard", "10.20.0.99", "loud", 5, true},
};

constexpr UINT kIcons[7] = {IDI_DEVICE_UNKNOWN, IDI_DEVICE_UNKNOWN, IDI_DEVICE_KNOWN, IDI_DEVICE_147,
                            IDI_DEVICE_153,     IDI_DEVICE_155,     IDI_DEVICE_157};

// The text a row shows in logical column c.
const char* Field(const DemoRow& row, int c)
{
    switch (c) {
    case 1:
        return row.place;
    case 2:
        return row.address;
    case 3:
        return row.note;
    default:
        return row.name;
    }
}

// Orders rows by the column of the sort state (+(c+1) ascending, -(c+1)
// descending), rows equal there by name.
int CompareRows(LPARAM a, LPARAM b, LPARAM sortState)
{
    const auto* x = reinterpret_cast<const DemoRow*>(a);
    const auto* y = reinterpret_cast<const DemoRow*>(b);
    const int column = static_cast<int>(sortState < 0 ? -sortState : sortState) - 1;
    int c = std::strcmp(Field(*x, column), Field(*y, column));
    if (c == 0)
        c = std::strcmp(x->name, y->name);
    return sortState < 0 ? -c : c;
}

} // namespace

CListDemoView::CListDemoView()
{
    m_imglstSmall.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 1);
    for (UINT icon : kIcons)
        m_imglstSmall.AddIcon(icon);
}

CListDemoView::~CListDemoView()
{
    m_imglstSmall.DeleteImageList();
}

const MessageMap* CListDemoView::GetThisMessageMap()
{
    static const MessageMap map{CListViewEx::GetThisMessageMap(),
                                {msgmap::NotifyReflectEx(LVN_COLUMNCLICK, &CListDemoView::OnColumnClick)}};
    return &map;
}

BOOL CListDemoView::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    const BOOL parentSeesIt = CListViewEx::OnColumnClick(pNMHDR, pResult);
    SortRows();
    return parentSeesIt;
}

void CListDemoView::SortRows()
{
    SendMessage(LVM_SORTITEMS, static_cast<WPARAM>(static_cast<LPARAM>(GetSortColumn())),
                reinterpret_cast<LPARAM>(&CompareRows));
}

BOOL CListDemoView::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_SHOWSELALWAYS;
    return CListViewEx::PreCreateWindow(cs);
}

void CListDemoView::OnInitialUpdate()
{
    CListViewEx::OnInitialUpdate();
    if (GetColumnCount() > 0)
        return;
    SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES | LVS_EX_HEADERDRAGDROP | LVS_EX_ONECLICKACTIVATE |
                    LVS_EX_UNDERLINEHOT);
    SendMessage(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(&m_imglstSmall));
    const char* headings[4] = {"Name", "Place", "Address", "Note"};
    const int widths[4] = {150, 110, 110, 220};
    for (int c = 0; c < 4; ++c) {
        LVCOLUMNA column;
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
        column.fmt = c == 2 ? LVCFMT_RIGHT : LVCFMT_LEFT;
        column.cx = widths[c];
        column.pszText = const_cast<char*>(headings[c]);
        SendMessage(LVM_INSERTCOLUMNA, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
        if (c > 0)
            SetColumnHideable(c);
    }
    FillRows();
    // Column 0 dragged right; its labels and pictures stay in the leftmost column.
    KeepLabelLeft(true);
    int order[4] = {1, 0, 2, 3};
    SendMessage(LVM_SETCOLUMNORDERARRAY, 4, reinterpret_cast<LPARAM>(order));
    SetSortColumn(2);
    EnableSortIcon(true);
    ColorSortColumn(true);
    SortRows();
    LVITEMA select;
    select.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    select.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessage(LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&select));
}

void CListDemoView::FillRows()
{
    for (const DemoRow& row : kRows) {
        LVITEMA item;
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = static_cast<int>(SendMessage(LVM_GETITEMCOUNT));
        item.pszText = const_cast<char*>(row.name);
        item.iImage = row.image;
        item.lParam = reinterpret_cast<LPARAM>(&row);
        const int index = static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        const char* texts[3] = {row.place, row.address, row.note};
        for (int c = 1; c < 4; ++c) {
            LVITEMA sub;
            sub.iSubItem = c;
            sub.pszText = const_cast<char*>(texts[c - 1]);
            SendMessage(LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&sub));
        }
        LVITEMA check;
        check.stateMask = LVIS_STATEIMAGEMASK;
        check.state = INDEXTOSTATEIMAGEMASK(row.checked ? 2 : 1);
        SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&check));
    }
}
