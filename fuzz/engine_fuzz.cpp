// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Random sequences of column and item messages, hiding and showing, header
// drags, saved layouts and sorts, sent to a list engine over the real
// list-view control; the engine's invariants are checked after every step,
// and the rows' order after every sort.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "controls/common_controls.h"
#include "listctrl/list_view_ex.h"
#include "res/install_resources.h"

namespace {

class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool Empty() const { return m_pos >= m_size; }
    int Next() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    int Small(int range) { return range > 0 ? Next() % range : 0; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

int CompareParams(LPARAM a, LPARAM b, LPARAM direction)
{
    return a < b ? static_cast<int>(-direction) : a > b ? static_cast<int>(direction) : 0;
}

void Step(CListViewEx& list, Bytes& in)
{
    const int columns = list.GetColumnCount();
    const int items = static_cast<int>(list.SendMessage(LVM_GETITEMCOUNT));
    // Indices a little past the ends too, so that bad arguments are tried.
    const auto column = [&] { return in.Small(columns + 2) - 1; };
    const auto item = [&] { return in.Small(items + 2) - 1; };
    static char text[] = "text";
    static const bool trace = std::getenv("ENGINE_FUZZ_TRACE") != nullptr;
    const int op = in.Small(16);
    if (trace)
        std::fprintf(stderr, "step %d with %d columns, %d items\n", op, columns, items);
    switch (op) {
    case 0: {
        LVCOLUMNA c;
        c.mask = LVCF_TEXT | LVCF_WIDTH | (in.Small(2) ? LVCF_ORDER : 0) | (in.Small(2) ? LVCF_SUBITEM : 0);
        std::string heading = "C" + std::to_string(in.Next());
        c.pszText = heading.data();
        c.cx = in.Next();
        c.iOrder = in.Small(columns + 4) - 2;
        const int at = column();
        if (trace)
            std::fprintf(stderr, "  insert column at %d, order %d (%s)\n", at, c.iOrder,
                         c.mask & LVCF_ORDER ? "given" : "not given");
        list.SendMessage(LVM_INSERTCOLUMNA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&c));
        break;
    }
    case 1: {
        const int at = column();
        if (trace)
            std::fprintf(stderr, "  delete column %d\n", at);
        list.SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(at));
        break;
    }
    case 2: {
        LVCOLUMNA c;
        c.mask = LVCF_ORDER | (in.Small(2) ? LVCF_TEXT : 0);
        c.iOrder = in.Small(columns + 4) - 2;
        c.pszText = text;
        const int at = column();
        if (trace)
            std::fprintf(stderr, "  set column %d order %d\n", at, c.iOrder);
        list.SendMessage(LVM_SETCOLUMNA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&c));
        break;
    }
    case 3:
        list.SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column()), in.Next());
        break;
    case 4: {
        std::vector<int> order(static_cast<std::size_t>(columns + 1));
        for (int& o : order)
            o = in.Small(columns + 2) - 1;
        const int count = in.Small(columns + 2);
        if (trace) {
            std::fprintf(stderr, "  order array of %d:", count);
            for (int o : order)
                std::fprintf(stderr, " %d", o);
            std::fprintf(stderr, "\n");
        }
        list.SendMessage(LVM_SETCOLUMNORDERARRAY, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(order.data()));
        break;
    }
    case 5:
        list.SetColumnHideable(column());
        break;
    case 6: {
        const int at = column();
        const bool show = in.Small(2) != 0;
        if (trace)
            std::fprintf(stderr, "  %s column %d\n", show ? "show" : "hide", at);
        list.ShowColumn(at, show);
        break;
    }
    case 7: {
        LVITEMA it;
        it.mask = LVIF_TEXT | LVIF_PARAM | (in.Small(2) ? LVIF_STATE : 0);
        it.iItem = item();
        it.pszText = in.Small(4) ? text : LPSTR_TEXTCALLBACKA;
        it.lParam = in.Next();
        it.state = it.stateMask = static_cast<UINT>(in.Small(4));
        list.SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&it));
        break;
    }
    case 8: {
        LVITEMA it;
        it.iSubItem = column();
        it.pszText = in.Small(5) ? text : LPSTR_TEXTCALLBACKA;
        list.SendMessage(LVM_SETITEMTEXTA, static_cast<WPARAM>(item()), reinterpret_cast<LPARAM>(&it));
        break;
    }
    case 9: {
        LVITEMA it;
        it.mask = static_cast<UINT>(in.Next()) & (LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE | LVIF_INDENT);
        it.iItem = item();
        it.iSubItem = column();
        it.pszText = text;
        it.lParam = in.Next();
        it.iImage = in.Small(3);
        list.SendMessage(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&it));
        break;
    }
    case 10:
        list.SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(item()));
        break;
    case 11:
        if (in.Small(4) == 0)
            list.SendMessage(LVM_DELETEALLITEMS);
        break;
    case 12: {
        char buffer[8];
        LVITEMA it;
        it.mask = static_cast<UINT>(in.Next()) & (LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE | LVIF_INDENT);
        it.iItem = item();
        it.iSubItem = column();
        it.pszText = buffer;
        it.cchTextMax = in.Small(9);
        it.lParam = in.Next(); // whatever the caller left there is never the engine's to read
        list.SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it));
        list.SendMessage(LVM_GETITEMTEXTA, static_cast<WPARAM>(it.iItem), reinterpret_cast<LPARAM>(&it));
        break;
    }
    case 13: {
        auto* header = reinterpret_cast<CWnd*>(list.SendMessage(LVM_GETHEADER));
        HDITEMA order;
        order.mask = HDI_ORDER;
        order.iOrder = in.Small(columns + 2) - 1;
        NMHEADERA nm{};
        nm.hdr = NMHDR{header, 0, HDN_ENDDRAG};
        nm.iItem = in.Small(columns + 1);
        nm.pitem = &order;
        // The header reorders itself after the notification, as a drag does.
        const LRESULT refused = list.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
        (void)refused;
        if (trace)
            std::fprintf(stderr, "  drag header item %d to %d\n", nm.iItem, order.iOrder);
        if (header != nullptr && order.iOrder >= 0) {
            // A drop lands on a place the header has.
            const int places = static_cast<int>(header->SendMessage(HDM_GETITEMCOUNT));
            HDITEMA move;
            move.mask = HDI_ORDER;
            move.iOrder = std::min(order.iOrder, places - 1);
            header->SendMessage(HDM_SETITEMA, static_cast<WPARAM>(nm.iItem), reinterpret_cast<LPARAM>(&move));
        }
        break;
    }
    case 14: {
        std::vector<std::uint8_t> blob(static_cast<std::size_t>(8 + 9 * columns + in.Small(3) - 1));
        for (auto& b : blob)
            b = static_cast<std::uint8_t>(in.Next());
        if (blob.size() >= 4 && in.Small(2))
            blob[0] = static_cast<std::uint8_t>(columns), blob[1] = blob[2] = blob[3] = 0;
        list.RestoreState(blob.data(), static_cast<unsigned>(blob.size()));
        break;
    }
    default: {
        // Sorted inside the message: the rows are in order when it returns.
        const int direction = in.Small(3) - 1;
        list.SendMessage(LVM_SORTITEMS, static_cast<WPARAM>(direction), reinterpret_cast<LPARAM>(&CompareParams));
        for (int i = 1; i < items; ++i) {
            LVITEMA a;
            LVITEMA b;
            a.mask = b.mask = LVIF_PARAM;
            a.iItem = i - 1;
            b.iItem = i;
            list.SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&a));
            list.SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&b));
            if (CompareParams(a.lParam, b.lParam, direction) > 0) {
                std::fprintf(stderr, "rows %d and %d out of order after a sort\n", i - 1, i);
                std::abort();
            }
        }
        break;
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool ready = [] {
        res::InstallResources();
        InitCommonControls();
        return true;
    }();
    (void)ready;
    CWnd parent;
    parent.CreateEx(0, "", 0, RECT{0, 0, 800, 600}, nullptr, 0);
    CListViewEx list;
    list.CreateEx(0, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, RECT{0, 0, 600, 300}, &parent, 1);
    list.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_HEADERDRAGDROP);
    Bytes in(data, size);
    while (!in.Empty()) {
        Step(list, in);
        const std::string broken = list.CheckInvariants();
        if (!broken.empty()) {
            std::fprintf(stderr, "engine invariant broken: %s\n", broken.c_str());
            std::abort();
        }
    }
    list.DestroyWindow();
    return 0;
}
