#include "support/message_recorder.h"
#include "controls/commctrl.h"

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

bool IsActivateCode(UINT code)
{
    return code == NM_CLICK || code == NM_DBLCLK || code == NM_RCLICK || code == NM_RDBLCLK || code == LVN_ITEMACTIVATE;
}

RecordedMessage Decode(NMHDR* hdr, const CWnd* recorder)
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
            m_messages.push_back(m);
        if (onNotify) {
            LRESULT custom = 0;
            if (onNotify(hdr, &custom))
                result = custom;
        }
        return result;
    }
    if (message == WM_DRAWITEM && lParam != 0) {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        RecordedMessage m;
        m.message = WM_DRAWITEM;
        m.from = dis->hwndItem;
        m.item = static_cast<int>(dis->itemID);
        m.itemState = dis->itemState;
        m.rc = dis->rcItem;
        m.lParam = static_cast<LPARAM>(dis->itemData);
        m.changed = dis->CtlType;
        m_messages.push_back(m);
        return TRUE;
    }
    if (message == WM_MEASUREITEM && lParam != 0) {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        RecordedMessage m;
        m.message = WM_MEASUREITEM;
        m.item = static_cast<int>(mis->itemID);
        m.changed = mis->CtlType;
        m.width = static_cast<int>(mis->itemHeight);
        m_messages.push_back(m);
        if (measureHeight)
            mis->itemHeight = measureHeight;
        return TRUE;
    }
    if (message == WM_CONTEXTMENU) {
        RecordedMessage m;
        m.message = WM_CONTEXTMENU;
        m.from = reinterpret_cast<CWnd*>(wParam);
        m.lParam = lParam;
        m_messages.push_back(m);
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
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

std::string Mismatch(const RecordedMessage& a, const ExpectedMessage& e)
{
    std::ostringstream s;
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
    return s.str();
}

} // namespace

::testing::AssertionResult MatchesSequence(const std::vector<RecordedMessage>& actual,
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
        return ::testing::AssertionFailure()
               << "entry " << a << ": " << DescribeCode(actual[a].message, actual[a].code) << ":" << problem;
    }
    while (e < expected.size() && (expected[e].flags & kOptional))
        ++e;
    if (e < expected.size())
        return ::testing::AssertionFailure() << "missing " << DescribeCode(expected[e].message, expected[e].code)
                                             << " (entry " << e << " of the table)";
    if (a < actual.size())
        return ::testing::AssertionFailure() << "unexpected " << DescribeCode(actual[a].message, actual[a].code)
                                             << " after the table's end (entry " << a << ")";
    return ::testing::AssertionSuccess();
}
