// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/window_report.h"

#include <fstream>
#include <sstream>

#include "framework/commctrl.h"
#include "framework/frame_wnd.h"
#include "framework/view.h"
#include "qt_host/auto_answer.h"

namespace {

// The tip of a row, asked as the list asks its parent when the pointer rests on it.
std::string RowTip(CWnd& list, int row)
{
    CWnd* parent = list.GetParent();
    if (parent == nullptr)
        return {};
    char text[INFOTIPSIZE] = {};
    NMLVGETINFOTIPA tip;
    tip.hdr.hwndFrom = &list;
    tip.hdr.idFrom = list.GetDlgCtrlID();
    tip.hdr.code = LVN_GETINFOTIPA;
    tip.dwFlags = LVGIT_UNFOLDED;
    tip.pszText = text;
    tip.cchTextMax = static_cast<int>(sizeof text);
    tip.iItem = row;
    parent->SendMessage(WM_NOTIFY, tip.hdr.idFrom, reinterpret_cast<LPARAM>(&tip));
    text[sizeof text - 1] = '\0';
    return text;
}

} // namespace

std::string DescribeFrame(CFrameWnd& frame)
{
    std::ostringstream out;
    out << "caption\t" << frame.GetWindowText() << '\n';
    if (CStatusBar* bar = frame.GetMessageBar())
        for (int i = 0; i < bar->GetCount(); ++i)
            out << "pane" << i << '\t' << (bar->Pane(i).enabled ? bar->GetPaneText(i) : std::string()) << '\n';
    CView* view = frame.GetActiveView();
    if (view == nullptr || !view->IsWindow())
        return out.str();
    auto* header = reinterpret_cast<CWnd*>(view->SendMessage(LVM_GETHEADER));
    const int columns = header ? static_cast<int>(header->SendMessage(HDM_GETITEMCOUNT)) : 1;
    const int rows = static_cast<int>(view->SendMessage(LVM_GETITEMCOUNT));
    out << "rows\t" << rows << '\n';
    for (int row = 0; row < rows; ++row) {
        out << "row";
        for (int column = 0; column < columns; ++column) {
            char text[260] = {};
            LVITEMA item;
            item.iSubItem = column;
            item.pszText = text;
            item.cchTextMax = static_cast<int>(sizeof text);
            view->SendMessage(LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
            out << '\t' << item.pszText;
        }
        out << '\n';
    }
    // What a row shows besides its texts: its overlay picture and its tip.
    for (int row = 0; row < rows; ++row) {
        const auto overlay =
            static_cast<UINT>(view->SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_OVERLAYMASK)) >> 8;
        if (overlay != 0)
            out << "overlay\t" << row << '\t' << overlay << '\n';
        const std::string tip = RowTip(*view, row);
        if (!tip.empty())
            out << "tip\t" << row << '\t' << EscapeForLog(tip) << '\n';
    }
    return out.str();
}

bool WriteReport(const std::string& path, CFrameWnd* frame)
{
    std::ofstream out(path, std::ios::trunc);
    if (frame != nullptr)
        out << DescribeFrame(*frame);
    for (const std::string& text : AnsweredMessages())
        out << "message\t" << EscapeForLog(text) << '\n';
    out.flush();
    return static_cast<bool>(out);
}
