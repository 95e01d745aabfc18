// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "support/message_recorder.h"
#include "framework/commctrl.h"
#include "support/control_spy.h"

#include <sstream>

namespace {

bool IsHeaderCode(UINT code)
{
    return code <= HDN_FIRST && code > HDN_FIRST - 100;
}

bool IsListViewItemCode(UINT code)
{
    switch (code) {
    case LVN_ITEMCHANGING:
    case LVN_ITEMCHANGED:
    case LVN_INSERTITEM:
    case LVN_DELETEITEM:
    case LVN_DELETEALLITEMS:
    case LVN_COLUMNCLICK:
    case LVN_BEGINDRAG:
    case LVN_BEGINRDRAG:
    case LVN_HOTTRACK:
        return true;
    default:
        return false;
    }
}

// Only a list view, a direct child, sends the longer custom-draw record; a
// header's (its own or forwarded by its list view) is the plain one.
bool PlainCustomDraw(const CWnd* from, const MessageRecorder* recorder)
{
    return from == nullptr || from->GetParent() != recorder || IsSpiedHeader(from) || recorder->headers.count(from);
}

bool IsActivateCode(UINT code)
{
    return code == NM_CLICK || code == NM_DBLCLK || code == NM_RCLICK || code == NM_RDBLCLK || code == LVN_ITEMACTIVATE;
}

RecordedMessage Decode(NMHDR* hdr, const MessageRecorder* recorder)
{
    RecordedMessage m;
    m.message = WM_NOTIFY;
    m.code = hdr->code;
    m.from = hdr->hwndFrom;
    if (IsHeaderCode(hdr->code)) {
        auto* nm = reinterpret_cast<NMHEADERA*>(hdr);
        m.item = nm->iItem;
        m.subItem = nm->iButton;
        if (nm->pitem) {
            m.headerMask = nm->pitem->mask;
            if (nm->pitem->mask & HDI_ORDER)
                m.order = nm->pitem->iOrder;
            if (nm->pitem->mask & HDI_WIDTH)
                m.width = nm->pitem->cxy;
        }
    } else if (IsListViewItemCode(hdr->code)) {
        auto* nm = reinterpret_cast<NMLISTVIEW*>(hdr);
        m.item = nm->iItem;
        m.subItem = nm->iSubItem;
        m.newState = nm->uNewState;
        m.oldState = nm->uOldState;
        m.changed = nm->uChanged;
        m.lParam = nm->lParam;
    } else if (IsActivateCode(hdr->code) && hdr->hwndFrom && hdr->hwndFrom->GetParent() == recorder) {
        // Only the list view itself (a direct child) sends the longer record.
        auto* nm = reinterpret_cast<NMITEMACTIVATE*>(hdr);
        m.item = nm->iItem;
        m.subItem = nm->iSubItem;
        m.lParam = nm->lParam;
    } else if (hdr->code == LVN_GETDISPINFOA) {
        auto* di = reinterpret_cast<NMLVDISPINFOA*>(hdr);
        m.item = di->item.iItem;
        m.subItem = di->item.iSubItem;
        m.changed = di->item.mask;
        m.lParam = di->item.lParam;
        m.textSize = di->item.cchTextMax;
        m.textCleared = di->item.pszText == nullptr || di->item.pszText[0] == '\0';
    } else if (hdr->code == NM_CUSTOMDRAW && PlainCustomDraw(hdr->hwndFrom, recorder)) {
        auto* cd = reinterpret_cast<NMCUSTOMDRAW*>(hdr);
        m.stage = cd->dwDrawStage;
        m.item = static_cast<int>(cd->dwItemSpec);
        m.itemState = cd->uItemState;
        m.lParam = cd->lItemlParam;
        m.rc = cd->rc;
    } else if (hdr->code == NM_CUSTOMDRAW) {
        auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(hdr);
        m.stage = cd->nmcd.dwDrawStage;
        m.item = static_cast<int>(cd->nmcd.dwItemSpec);
        m.subItem = cd->iSubItem;
        m.clrText = cd->clrText;
        m.clrTextBk = cd->clrTextBk;
        m.itemState = cd->nmcd.uItemState;
        m.lParam = cd->nmcd.lItemlParam;
        m.rc = cd->nmcd.rc;
    } else if (hdr->code == LVN_KEYDOWN) {
        m.item = reinterpret_cast<NMLVKEYDOWN*>(hdr)->wVKey;
    }
    return m;
}

} // namespace

LRESULT MessageRecorder::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY && lParam != 0) {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        // As the framework's windows do: the child that sent it may handle it first.
        if (reflect && hdr->hwndFrom != nullptr && hdr->hwndFrom->GetParent() == this) {
            LRESULT reflected = 0;
            if (hdr->hwndFrom->OnChildNotify(WM_NOTIFY, wParam, lParam, &reflected))
                return reflected;
        }
        // Record before the handler runs, so the record shows what the control sent.
        RecordedMessage m = Decode(hdr, this);
        LRESULT result = 0;
        auto answer = m_answers.find(hdr->code);
        if (answer != m_answers.end())
            result = answer->second;
        if (hdr->code == NM_CUSTOMDRAW) {
            auto stage = m_stageAnswers.find(reinterpret_cast<NMCUSTOMDRAW*>(hdr)->dwDrawStage);
            if (stage != m_stageAnswers.end())
                result = stage->second;
        }
        if (!ignored.count(hdr->code))
            Record(m);
        if (onNotify) {
            LRESULT custom = 0;
            if (onNotify(hdr, &custom))
                result = custom;
        }
        return result;
    }
    if (message == WM_DRAWITEM && lParam != 0) {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (reflect && dis->hwndItem != nullptr) {
            LRESULT reflected = 0;
            if (dis->hwndItem->OnChildNotify(WM_DRAWITEM, wParam, lParam, &reflected))
                return reflected;
        }
        RecordedMessage m;
        m.message = WM_DRAWITEM;
        m.from = dis->hwndItem;
        m.item = static_cast<int>(dis->itemID);
        m.itemState = dis->itemState;
        m.rc = dis->rcItem;
        m.lParam = static_cast<LPARAM>(dis->itemData);
        m.changed = dis->CtlType;
        m.wParam = dis->CtlID;
        Record(m);
        return TRUE;
    }
    if (message == WM_MEASUREITEM && lParam != 0) {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        RecordedMessage m;
        m.message = WM_MEASUREITEM;
        m.item = static_cast<int>(mis->itemID);
        m.changed = mis->CtlType;
        m.width = static_cast<int>(mis->itemHeight);
        Record(m);
        if (measureHeight)
            mis->itemHeight = measureHeight;
        return TRUE;
    }
    if (message == WM_CONTEXTMENU) {
        RecordedMessage m;
        m.message = WM_CONTEXTMENU;
        m.from = reinterpret_cast<CWnd*>(wParam);
        m.lParam = lParam;
        Record(m);
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void MessageRecorder::Record(const RecordedMessage& m)
{
    m_messages.push_back(m);
    if (onRecorded)
        onRecorded(m);
}

std::vector<RecordedMessage> MessageRecorder::OfCode(UINT code) const
{
    std::vector<RecordedMessage> out;
    for (const RecordedMessage& m : m_messages)
        if (m.message == WM_NOTIFY && m.code == code)
            out.push_back(m);
    return out;
}

std::string DescribeCode(UINT message, UINT code)
{
    if (message != WM_NOTIFY) {
        static const std::map<UINT, const char*> messages = {
            {LVM_GETHEADER, "LVM_GETHEADER"},
            {LVM_INSERTCOLUMNA, "LVM_INSERTCOLUMN"},
            {LVM_DELETECOLUMN, "LVM_DELETECOLUMN"},
            {LVM_GETCOLUMNA, "LVM_GETCOLUMN"},
            {LVM_SETCOLUMNA, "LVM_SETCOLUMN"},
            {LVM_GETCOLUMNWIDTH, "LVM_GETCOLUMNWIDTH"},
            {LVM_SETCOLUMNWIDTH, "LVM_SETCOLUMNWIDTH"},
            {LVM_GETCOLUMNORDERARRAY, "LVM_GETCOLUMNORDERARRAY"},
            {LVM_SETCOLUMNORDERARRAY, "LVM_SETCOLUMNORDERARRAY"},
            {LVM_INSERTITEMA, "LVM_INSERTITEM"},
            {LVM_DELETEITEM, "LVM_DELETEITEM"},
            {LVM_DELETEALLITEMS, "LVM_DELETEALLITEMS"},
            {LVM_GETITEMA, "LVM_GETITEM"},
            {LVM_SETITEMA, "LVM_SETITEM"},
            {LVM_GETITEMTEXTA, "LVM_GETITEMTEXT"},
            {LVM_SETITEMTEXTA, "LVM_SETITEMTEXT"},
            {LVM_GETITEMCOUNT, "LVM_GETITEMCOUNT"},
            {LVM_SORTITEMS, "LVM_SORTITEMS"},
            {LVM_HITTEST, "LVM_HITTEST"},
            {LVM_SUBITEMHITTEST, "LVM_SUBITEMHITTEST"},
            {LVM_SETEXTENDEDLISTVIEWSTYLE, "LVM_SETEXTENDEDLISTVIEWSTYLE"},
            {LVM_GETITEMPOSITION, "LVM_GETITEMPOSITION"},
            {LVM_GETSUBITEMRECT, "LVM_GETSUBITEMRECT"},
            {HDM_GETITEMCOUNT, "HDM_GETITEMCOUNT"},
            {HDM_INSERTITEMA, "HDM_INSERTITEM"},
            {HDM_DELETEITEM, "HDM_DELETEITEM"},
            {HDM_GETITEMA, "HDM_GETITEM"},
            {HDM_SETITEMA, "HDM_SETITEM"},
            {HDM_LAYOUT, "HDM_LAYOUT"},
            {HDM_HITTEST, "HDM_HITTEST"},
            {HDM_GETITEMRECT, "HDM_GETITEMRECT"},
            {HDM_ORDERTOINDEX, "HDM_ORDERTOINDEX"},
            {HDM_GETORDERARRAY, "HDM_GETORDERARRAY"},
            {HDM_SETORDERARRAY, "HDM_SETORDERARRAY"},
            {WM_CREATE, "WM_CREATE"},
            {WM_DESTROY, "WM_DESTROY"},
            {WM_SIZE, "WM_SIZE"},
            {WM_SETFONT, "WM_SETFONT"},
            {WM_MOUSEMOVE, "WM_MOUSEMOVE"},
            {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
            {WM_LBUTTONUP, "WM_LBUTTONUP"},
            {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"},
            {WM_DRAWITEM, "WM_DRAWITEM"},
            {WM_MEASUREITEM, "WM_MEASUREITEM"},
            {WM_CONTEXTMENU, "WM_CONTEXTMENU"},
        };
        auto it = messages.find(message);
        if (it != messages.end())
            return it->second;
        std::ostringstream s;
        s << "message 0x" << std::hex << message;
        return s.str();
    }
    static const std::map<UINT, const char*> names = {
        {LVN_ITEMCHANGING, "LVN_ITEMCHANGING"},
        {LVN_ITEMCHANGED, "LVN_ITEMCHANGED"},
        {LVN_INSERTITEM, "LVN_INSERTITEM"},
        {LVN_DELETEITEM, "LVN_DELETEITEM"},
        {LVN_DELETEALLITEMS, "LVN_DELETEALLITEMS"},
        {LVN_COLUMNCLICK, "LVN_COLUMNCLICK"},
        {LVN_GETDISPINFOA, "LVN_GETDISPINFO"},
        {LVN_KEYDOWN, "LVN_KEYDOWN"},
        {LVN_ITEMACTIVATE, "LVN_ITEMACTIVATE"},
        {LVN_HOTTRACK, "LVN_HOTTRACK"},
        {LVN_BEGINDRAG, "LVN_BEGINDRAG"},
        {NM_CLICK, "NM_CLICK"},
        {NM_DBLCLK, "NM_DBLCLK"},
        {NM_RCLICK, "NM_RCLICK"},
        {NM_RETURN, "NM_RETURN"},
        {NM_SETFOCUS, "NM_SETFOCUS"},
        {NM_KILLFOCUS, "NM_KILLFOCUS"},
        {NM_CUSTOMDRAW, "NM_CUSTOMDRAW"},
        {HDN_ITEMCHANGINGA, "HDN_ITEMCHANGING"},
        {HDN_ITEMCHANGEDA, "HDN_ITEMCHANGED"},
        {HDN_ITEMCLICKA, "HDN_ITEMCLICK"},
        {HDN_DIVIDERDBLCLICKA, "HDN_DIVIDERDBLCLICK"},
        {HDN_BEGINTRACKA, "HDN_BEGINTRACK"},
        {HDN_TRACKA, "HDN_TRACK"},
        {HDN_ENDTRACKA, "HDN_ENDTRACK"},
        {HDN_BEGINDRAG, "HDN_BEGINDRAG"},
        {HDN_ENDDRAG, "HDN_ENDDRAG"},
        {HDN_ITEMDBLCLICKA, "HDN_ITEMDBLCLICK"},
    };
    auto it = names.find(code);
    if (it != names.end())
        return it->second;
    return "code " + std::to_string(static_cast<int>(code));
}

namespace {

const char* WindowName(SpyWindow w);

} // namespace

std::string DescribeMessage(const RecordedMessage& m)
{
    return DescribeCode(m.message, m.code) + " at the " + WindowName(m.window);
}

namespace {

const char* WindowName(SpyWindow w)
{
    switch (w) {
    case SpyWindow::ListView:
        return "list view";
    case SpyWindow::Header:
        return "header";
    default:
        return "parent";
    }
}

std::string Mismatch(const RecordedMessage& a, const ExpectedMessage& e)
{
    std::ostringstream s;
    if (a.window != e.window)
        return std::string("got it at the ") + WindowName(a.window) + ", expected at the " + WindowName(e.window);
    auto field = [&](unsigned flag, const char* name, long long got, long long want) {
        if ((e.flags & flag) && got != want)
            s << " " << name << " " << got << " (expected " << want << ")";
    };
    if (a.message != e.message || (a.message == WM_NOTIFY && a.code != e.code))
        return "got " + DescribeCode(a.message, a.code) + ", expected " + DescribeCode(e.message, e.code);
    field(kCheckItem, "item", a.item, e.item);
    field(kCheckSubItem, "subItem", a.subItem, e.subItem);
    field(kCheckNewState, "newState", a.newState, e.newState);
    field(kCheckOldState, "oldState", a.oldState, e.oldState);
    field(kCheckChanged, "changed", a.changed, e.changed);
    field(kCheckStage, "stage", static_cast<long long>(a.stage), static_cast<long long>(e.stage));
    field(kCheckParam, "lParam", a.lParam, e.lParam);
    field(kCheckOrder, "order", a.order, e.order);
    field(kCheckWidth, "width", a.width, e.width);
    if ((e.flags & kCheckFrom) && a.from != e.from)
        s << " from another window";
    field(kCheckWParam, "wParam", static_cast<long long>(a.wParam), static_cast<long long>(e.wParam));
    if ((e.flags & kCheckDirect) && a.direct != e.direct)
        s << (a.direct ? " passed straight to the control (expected through its window)"
                       : " came through its window (expected straight to the control)");
    if ((e.flags & kCheckOrderArray) && a.orderArray != e.orderArray)
        s << " another order array";
    return s.str();
}

} // namespace

namespace {

std::string Listing(const std::vector<RecordedMessage>& actual)
{
    std::string out = "\n  recorded:";
    for (const RecordedMessage& m : actual)
        out += "\n    " + DescribeMessage(m) + (m.direct ? " (direct)" : "");
    return out;
}

::testing::AssertionResult CompareSequence(const std::vector<RecordedMessage>& actual,
                                           const std::vector<ExpectedMessage>& expected);

} // namespace

::testing::AssertionResult MatchesSequence(const std::vector<RecordedMessage>& actual,
                                           const std::vector<ExpectedMessage>& expected)
{
    ::testing::AssertionResult result = CompareSequence(actual, expected);
    if (!result)
        result << Listing(actual);
    return result;
}

namespace {

::testing::AssertionResult CompareSequence(const std::vector<RecordedMessage>& actual,
                                           const std::vector<ExpectedMessage>& expected)
{
    std::size_t a = 0;
    std::size_t e = 0;
    while (a < actual.size() && e < expected.size()) {
        const std::string problem = Mismatch(actual[a], expected[e]);
        if (problem.empty()) {
            ++a;
            ++e;
            continue;
        }
        if (expected[e].flags & kOptional) {
            ++e;
            continue;
        }
        return ::testing::AssertionFailure() << "entry " << a << ": " << DescribeMessage(actual[a]) << ": " << problem;
    }
    while (e < expected.size() && (expected[e].flags & kOptional))
        ++e;
    if (e < expected.size())
        return ::testing::AssertionFailure() << "missing " << DescribeCode(expected[e].message, expected[e].code)
                                             << " (entry " << e << " of the table)";
    if (a < actual.size())
        return ::testing::AssertionFailure()
               << "unexpected " << DescribeMessage(actual[a]) << " after the table's end (entry " << a << ")";
    return ::testing::AssertionSuccess();
}

} // namespace
