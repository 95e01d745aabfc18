// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The device list view: creation, columns and images, the discovery socket
// and answers, view modes and the context menu. Device commands and printing
// have files of their own.
#include "view/varnex_view.h"

#include "devices/device_texts.h"
#include "framework/control_bars.h"
#include "framework/document.h"
#include "framework/frame_wnd.h"
#include "framework/win_app.h"
#include "res/text/resource_ids.h"
#include "system/services.h"
#include "view/batch_run.h"
#include "view/compare_devices.h"
#include "view/varnex_doc.h"

namespace {

constexpr UINT kColumnHeaders[device::kColumnCount] = {IDS_COLUMN_DEVICE_NAME, IDS_COLUMN_IP_ADDRESS,
                                                       IDS_COLUMN_SUBNET_MASK, IDS_COLUMN_GATEWAY_IP,
                                                       IDS_COLUMN_MAC,         IDS_COLUMN_VERSION};
constexpr int kColumnFormats[device::kColumnCount] = {LVCFMT_LEFT, LVCFMT_LEFT, LVCFMT_LEFT,
                                                      LVCFMT_LEFT, LVCFMT_LEFT, LVCFMT_RIGHT};
constexpr int kColumnWidths[device::kColumnCount] = {120, 120, 120, 120, 130, 95};

// The seven pictures of both image lists, in image-index order.
constexpr UINT kImageIcons[7] = {IDI_DEVICE_UNKNOWN, IDI_DEVICE_UNKNOWN, IDI_DEVICE_KNOWN, IDI_DEVICE_147,
                                 IDI_DEVICE_153,     IDI_DEVICE_155,     IDI_DEVICE_157};

// Tips tell about devices that share an address.
constexpr DWORD kExtendedStyles = LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP;

// The items of View -> Network Interface after All Interfaces, one id per
// interface listed when the menu opened.
msgmap::Entry InterfaceItemsEntry()
{
    return msgmap::CommandRange(ID_VIEW_INTERFACE_FIRST, ID_VIEW_INTERFACE_LAST, &CVarnexView::OnInterfaceChosen);
}

} // namespace

const MessageMap* CVarnexView::GetThisMessageMap()
{
    static const MessageMap map{
        CListViewEx::GetThisMessageMap(),
        {
            msgmap::Command(ID_FILE_PRINT, &CVarnexView::OnFilePrintCommand),
            msgmap::Command(ID_FILE_PRINT_DIRECT, &CVarnexView::OnFilePrintCommand),
            msgmap::NotifyReflect(LVN_COLUMNCLICK, &CVarnexView::OnColumnClick),
            msgmap::NotifyReflect(NM_RCLICK, &CVarnexView::OnRightClick),
            msgmap::NotifyReflect(NM_RETURN, &CVarnexView::OnActivateRow),
            msgmap::NotifyReflect(NM_DBLCLK, &CVarnexView::OnActivateRow),
            msgmap::Message(WM_CONTEXTMENU, &CVarnexView::OnContextMenuKey),
            msgmap::NotifyReflect(LVN_GETINFOTIPA, &CVarnexView::OnGetInfoTip),
            msgmap::NotifyReflect(NM_CUSTOMDRAW, &CVarnexView::OnCustomDrawRows),
            msgmap::Command(ID_EDIT_COPY, &CVarnexView::OnEditCopy),
            msgmap::Command(ID_FILE_EXPORT_LIST, &CVarnexView::OnExportList),
            msgmap::UpdateUI(ID_FILE_EXPORT_LIST, &CVarnexView::OnUpdateExportList),
            msgmap::UpdateUI(ID_EDIT_COPY, &CVarnexView::OnUpdateEditCopy),
            msgmap::ControlCommand(EN_CHANGE, ID_FILTER_FIELD, &CVarnexView::OnFilterChange),
            msgmap::Command(ID_VIEW_WATCH, &CVarnexView::OnWatchDevices),
            msgmap::UpdateUI(ID_VIEW_WATCH, &CVarnexView::OnUpdateWatchDevices),
            msgmap::Command(ID_VIEW_SORT_NUMERIC, &CVarnexView::OnSortAddressesAsNumbers),
            msgmap::UpdateUI(ID_VIEW_SORT_NUMERIC, &CVarnexView::OnUpdateSortAddressesAsNumbers),
            msgmap::Message(WM_CREATE, &CVarnexView::OnCreate),
            msgmap::Message(WM_DESTROY, &CVarnexView::OnDestroy),
            msgmap::Message(WM_TIMER, &CVarnexView::OnTimer),
            msgmap::Command(ID_REFRESH, &CVarnexView::OnRefresh),
            msgmap::Command(ID_VIEW_INTERFACE_ALL, &CVarnexView::OnInterfaceAll),
            msgmap::UpdateUI(ID_VIEW_INTERFACE_ALL, &CVarnexView::OnUpdateInterfaceMenu),
            InterfaceItemsEntry(),
            msgmap::Command(ID_VIEW_AUTOARRANGE, &CVarnexView::OnAutoArrange),
            msgmap::UpdateUI(ID_VIEW_AUTOARRANGE, &CVarnexView::OnUpdateAutoArrange),
            msgmap::Command(ID_VIEW_LARGEICON, &CVarnexView::OnLargeIcons),
            msgmap::UpdateUI(ID_VIEW_LARGEICON, &CVarnexView::OnUpdateLargeIcons),
            msgmap::Command(ID_VIEW_SMALLICON, &CVarnexView::OnSmallIcons),
            msgmap::UpdateUI(ID_VIEW_SMALLICON, &CVarnexView::OnUpdateSmallIcons),
            msgmap::Command(ID_VIEW_DETAILS, &CVarnexView::OnDetails),
            msgmap::UpdateUI(ID_VIEW_DETAILS, &CVarnexView::OnUpdateDetails),
            msgmap::Command(ID_MODIFY_IP, &CVarnexView::OnModifyIP),
            msgmap::UpdateUI(ID_MODIFY_IP, &CVarnexView::OnUpdateDeviceCommand),
            msgmap::Command(ID_MODIFY_MAC, &CVarnexView::OnModifyMAC),
            msgmap::UpdateUI(ID_MODIFY_MAC, &CVarnexView::OnUpdateDeviceCommand),
            msgmap::Command(ID_WEB_BROWSER, &CVarnexView::OnWebBrowser),
            msgmap::UpdateUI(ID_WEB_BROWSER, &CVarnexView::OnUpdateDeviceCommand),
            msgmap::Command(ID_SOFT_RESET, &CVarnexView::OnSoftReset),
            msgmap::UpdateUI(ID_SOFT_RESET, &CVarnexView::OnUpdateDeviceCommand),
            msgmap::Command(ID_UPDATE_FIRMWARE, &CVarnexView::OnUpdateFirmware),
            msgmap::UpdateUI(ID_UPDATE_FIRMWARE, &CVarnexView::OnUpdateDeviceCommand),
        }};
    return &map;
}

CVarnexView::CVarnexView()
{
    m_imglstSmall.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 1);
    m_imglstLarge.Create(32, 32, ILC_COLOR32 | ILC_MASK, 0, 1);
    for (UINT icon : kImageIcons) {
        m_imglstSmall.AddIcon(icon);
        m_imglstLarge.AddIcon(icon);
    }
    m_imglstSmall.SetOverlayImage(m_imglstSmall.AddIcon(IDI_DUPLICATE_ADDRESS), kDuplicateOverlay);
    m_imglstLarge.SetOverlayImage(m_imglstLarge.AddIcon(IDI_DUPLICATE_ADDRESS), kDuplicateOverlay);
    m_imglstSmall.SetOverlayImage(m_imglstSmall.AddIcon(IDI_UNREACHABLE), kUnreachableOverlay);
    m_imglstLarge.SetOverlayImage(m_imglstLarge.AddIcon(IDI_UNREACHABLE), kUnreachableOverlay);
    m_bAutoArrange = TRUE;
}

CVarnexView::~CVarnexView()
{
    m_menuContext.DestroyMenu();
    m_imglstSmall.DeleteImageList();
    m_imglstLarge.DeleteImageList();
}

device::DeviceTable& CVarnexView::Table()
{
    auto* doc = dynamic_cast<CVarnexDoc*>(GetDocument());
    return doc != nullptr ? doc->GetDevices() : m_tableUnowned;
}

const device::DeviceTable& CVarnexView::Devices() const
{
    const auto* doc = dynamic_cast<const CVarnexDoc*>(GetDocument());
    return doc != nullptr ? doc->GetDevices() : m_tableUnowned;
}

device::Clock::time_point CVarnexView::Now()
{
    return device::Clock::time_point(std::chrono::milliseconds(Platform().loop ? Platform().loop->NowMs() : 0));
}

std::optional<device::DeviceId> CVarnexView::DeviceIdAtRow(int row)
{
    LVITEMA item;
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = 0;
    if (!SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return std::nullopt;
    return m_poolRecords.DeviceOf(reinterpret_cast<const char*>(item.lParam));
}

const device::Device* CVarnexView::DeviceAtRow(int row)
{
    const auto id = DeviceIdAtRow(row);
    return id ? Devices().Find(*id) : nullptr;
}

BOOL CVarnexView::PreCreateWindow(CREATESTRUCT& cs)
{
    m_nViewMode = LVS_REPORT;
    cs.style |= WS_VISIBLE | LVS_REPORT;
    return CListViewEx::PreCreateWindow(cs);
}

LRESULT CVarnexView::OnCreate(WPARAM wParam, LPARAM lParam)
{
    if (Default() == -1)
        return -1;
    (void)wParam;
    (void)lParam;
    m_pSession = std::make_unique<DiscoverySession>(Table());
    m_pRoster = std::make_unique<device::DeviceRoster>(Table());
    m_pSocket = std::make_unique<CListSocket>(*this);
    LoadInterfaceChoice();
    ReadWatchOptions();
    OnRefresh();
    return 0;
}

LRESULT CVarnexView::OnDestroy(WPARAM, LPARAM)
{
    // The last command's verdict will not come now.
    WriteHeldChanges();
    SaveLayout();
    DeleteAllRows();
    const LRESULT result = Default();
    m_pSocket.reset();
    return result;
}

void CVarnexView::DeleteAllRows()
{
    SendMessage(LVM_DELETEALLITEMS);
    KillTimer(kDuplicateMarkTimer);
    // The records are referenced only by rows; once no row is left they can
    // go, and the devices with them: the table holds what the list shows.
    if (SendMessage(LVM_GETITEMCOUNT) == 0) {
        m_poolRecords.Clear();
        Table().Clear();
    }
}

void CVarnexView::OnInitialUpdate()
{
    CListViewEx::OnInitialUpdate();
    WriteStatusText(AfxLoadString(IDS_ONLINE) + " : 0");
    // The first Refresh ran before the frame's bars were there to show it.
    ShowStandingMessage();
    // The set-up steps run once per view; a repeated initial update (New, Open)
    // only resets the count, the sort state, the arrows and the tint, applies
    // the saved layout again, and sorts.
    const bool firstTime = !m_menuContext.IsLoaded();
    if (firstTime) {
        m_menuContext.LoadMenu(IDR_CONTEXT_MENU);
        ReadSortOption();
    }
    SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, kExtendedStyles);
    if (GetColumnCount() == 0)
        InsertColumns();
    if (SendMessage(LVM_GETIMAGELIST, LVSIL_NORMAL) == 0)
        InstallImageLists();
    EnableSortIcon(false);
    ColorSortColumn(false);
    SetSortColumn(2);
    KeepLabelLeft(true);
    // The saved layout, at start-up and again after New and Open.
    RestoreSavedLayout();
    SortRows();
}

void CVarnexView::InsertColumns()
{
    for (int i = 0; i < device::kColumnCount; ++i) {
        std::string heading = AfxLoadString(kColumnHeaders[i]);
        LVCOLUMNA column;
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = kColumnFormats[i];
        column.cx = kColumnWidths[i];
        column.pszText = heading.data();
        column.iSubItem = i;
        SendMessage(LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
        if (i != 0 && !IsColumnHideable(i))
            SetColumnHideable(i);
    }
}

void CVarnexView::InstallImageLists()
{
    SendMessage(LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(&m_imglstLarge));
    SendMessage(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(&m_imglstSmall));
}

void CVarnexView::OnDraw(CDC*) {}

CStatusBar* CVarnexView::FrameStatusBar() const
{
    CFrameWnd* frame = GetParentFrame();
    return frame ? frame->GetMessageBar() : nullptr;
}

void CVarnexView::WriteStatusText(const std::string& text)
{
    CStatusBar* bar = FrameStatusBar();
    if (bar == nullptr)
        return;
    const int pane = bar->CommandToIndex(ID_INDICATOR_EXT);
    if (pane >= 0)
        bar->SetPaneText(pane, text, TRUE);
}

void CVarnexView::SortRows()
{
    const PFNLVCOMPARE compare = m_bSortAddressesAsNumbers ? &CompareDevicesByNumbers : &CompareDevices;
    // The engine's sort column is the one sort state: the arrow, the tint and
    // this order all follow from it.
    SendMessage(LVM_SORTITEMS, static_cast<WPARAM>(static_cast<LPARAM>(GetSortColumn())),
                reinterpret_cast<LPARAM>(compare));
}

void CVarnexView::ApplyAutoArrange()
{
    if (m_bAutoArrange && m_nViewMode == static_cast<int>(LVS_REPORT)) {
        EnableSortIcon(true);
        ColorSortColumn(true);
        SortRows();
    } else {
        EnableSortIcon(false);
        ColorSortColumn(false);
    }
}

// ---- Refresh cycle ----------------------------------------------------------

BOOL CVarnexView::ReopenDeviceSocket()
{
    if (!m_pSocket)
        return FALSE;
    m_pSocket->Close();
    const char* address = nullptr;
    if (!m_pSocket->Create(m_portsDiscovery.localPort, SOCK_DGRAM_TYPE, FD_ALL_EVENTS, address)) {
        AfxMessageBox(SocketOpenFailMessage(m_portsDiscovery.localPort), MB_ICONEXCLAMATION);
        return FALSE;
    }
    const int on = 1;
    m_pSocket->SetSockOpt(SO_BROADCAST_OPTION, &on, sizeof on, SOL_SOCKET_LEVEL);
    // Room for thousands of answers that arrive at once; the kernel may grant less.
    const int buffer = CListSocket::kReceiveBufferBytes;
    m_pSocket->SetSockOpt(SO_RCVBUF_OPTION, &buffer, sizeof buffer, SOL_SOCKET_LEVEL);
    m_nLostShown = 0;
    return TRUE;
}

void CVarnexView::OnRefresh()
{
    WriteHeldChanges();
    StartSearch();
}

void CVarnexView::StartSearch()
{
    DeleteAllRows();
    KillTimer(kListenTimer);
    if (!m_pSocket)
        return;
    m_pSocket->Close();
    m_pSession->Stop();
    // The loss, the missing interface and the progress belonged to the cycle that ends here.
    m_bLostInPane = FALSE;
    m_bInterfaceInPane = FALSE;
    m_bCheckInPane = FALSE;
    m_nSearchState = SearchState::kNone;
    if (m_bWatch) {
        m_bWatchProbeEnded = false;
        // The next probe of watching comes a whole interval after this one.
        SetTimer(kWatchTimer, m_nWatchIntervalMs);
    }
    if (SendProbeCycle() == ProbeSent::kSent)
        m_nSearchState = SearchState::kSearching;
    ShowStandingMessage();
}

CVarnexView::ProbeSent CVarnexView::SendProbeCycle()
{
    if (!ReopenDeviceSocket())
        return ProbeSent::kNoSocket;
    const std::string& broadcast = m_portsDiscovery.broadcastAddress;
    const char* host = broadcast.empty() ? nullptr : broadcast.c_str();
    // The probe goes out once on each interface (a limited broadcast leaves by
    // one interface only), or on the one chosen.
    const std::vector<NetworkInterface> present = PresentInterfaces();
    m_arrSubnets = device::SubnetsOf(present);
    const InterfaceRoute route = RouteFor(m_strInterface, present, broadcast.empty() || broadcast == "255.255.255.255");
    if (m_bWatch)
        m_pSession->BeginWatching(route, Now(), *m_pRoster);
    else
        m_pSession->Begin(route, Now());
    if (route.missing) {
        m_pSocket->Close();
        m_bInterfaceInPane = TRUE;
        return ProbeSent::kNoInterface;
    }
    m_pSession->SendProbe(*m_pSocket, m_portsDiscovery.devicePort, host);
    SetTimer(kListenTimer, kListenWindowMs);
    return ProbeSent::kSent;
}

void CVarnexView::OnAnswer(const packet::Bytes& frame, unsigned interfaceIndex)
{
    const auto added = m_pSession->Receive(frame, interfaceIndex, Now());
    if (!added || added->kind == device::DeviceChange::kNone)
        return;
    if (added->kind != device::DeviceChange::kAppeared) {
        ShowWatchAnswer(*added);
        return;
    }
    // A device the filter hides is in the table only, until the filter changes.
    const device::Device& d = Devices()[added->id];
    if (!m_ruleFilter.Matches(d)) {
        // Rows already listed from its address may now be shared.
        if (added->seen == device::DeviceTable::Seen::kNewlyShared)
            SetTimer(kDuplicateMarkTimer, kDuplicateMarkDelayMs);
        return;
    }
    const int row = AppendDeviceRow(*this, device::RowOf(d), added->id, m_poolRecords);
    if (row >= 0)
        NoteAddress(row, added->seen, Devices()[added->id]);
}

void CVarnexView::OnAnswersRead(long long dropped)
{
    // Once for all the answers of one notification: the sort sorts every row,
    // and the panes are written once.
    ApplyAutoArrange();
    ShowReplyCount();
    ShowLostAnswers(dropped);
}

void CVarnexView::ShowReplyCount()
{
    WriteStatusText(CountPaneText(static_cast<int>(AnsweringCount())));
    if (m_nSearchState == SearchState::kSearching || IsFiltered())
        ShowStandingMessage();
}

void CVarnexView::ShowLostAnswers(long long lost)
{
    if (lost <= m_nLostShown)
        return;
    m_nLostShown = lost;
    m_strLostMessage = AfxLoadString(IDS_ANSWERS_LOST);
    if (const auto at = m_strLostMessage.find("%1"); at != std::string::npos)
        m_strLostMessage.replace(at, 2, std::to_string(lost));
    if (GetParentFrame() != nullptr) {
        m_bLostInPane = TRUE;
        ShowStandingMessage();
    }
}

LRESULT CVarnexView::OnTimer(WPARAM wParam, LPARAM)
{
    switch (wParam) {
    case kListenTimer:
        if (m_pSession->EndOfWindow(Now())) {
            SetTimer(kListenTimer, kListenWindowMs);
        } else {
            if (m_pSocket) {
                ShowLostAnswers(m_pSocket->GetDroppedCount());
                m_pSocket->Close();
            }
            KillTimer(kListenTimer);
            FinishSearch();
        }
        break;
    case kDelayedRefreshTimer:
        KillTimer(kDelayedRefreshTimer);
        StartJudgingSearch();
        break;
    case kDuplicateMarkTimer:
        MarkSharedRows();
        break;
    case kWatchTimer:
        StartWatchProbe();
        break;
    default:
        break;
    }
    return 0;
}

// ---- Columns, modes and the context menu ---------------------------------------

void CVarnexView::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    // The engine turns the column into its logical number and moves the arrow.
    CListViewEx::OnColumnClick(pNMHDR, pResult);
    EnableSortIcon(true);
    ColorSortColumn(true);
    SortRows();
}

void CVarnexView::OnRightClick(NMHDR*, LRESULT* pResult)
{
    if (Platform().ui != nullptr)
        OpenContextMenu(Platform().ui->GetCursorPos());
    *pResult = 0;
}

void CVarnexView::OpenContextMenu(POINT at)
{
    const MenuItemDef* popup = m_menuContext.GetSubMenu(0);
    if (popup == nullptr)
        return;
    CWinApp* app = AfxGetApp();
    CWnd* owner = app && app->m_pMainWnd ? static_cast<CWnd*>(app->m_pMainWnd) : GetParentFrame();
    CMenu::TrackPopupMenu(*popup, TPM_LEFTALIGN, at.x, at.y, owner ? owner : this);
}

LRESULT CVarnexView::OnContextMenuKey(WPARAM wParam, LPARAM lParam)
{
    // The menu key and Shift+F10 come without a place (-1): the menu opens
    // below the focused row, or at the list's corner. A right click has
    // opened the menu already, and the header has a menu of its own.
    if (reinterpret_cast<CWnd*>(wParam) != this || lParam != -1)
        return OnContextMenuMessage(wParam, lParam);
    int row = static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    if (row < 0)
        row = NextSelectedRow(-1);
    RECT label{LVIR_LABEL, 0, 0, 0};
    POINT at{0, 0};
    if (row >= 0 && SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&label)))
        at = POINT{label.left, label.bottom};
    OpenContextMenu(ClientToScreen(at));
    return 0;
}

void CVarnexView::OnActivateRow(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    // A double click on no row does nothing; Enter acts on the selection.
    if (pNMHDR->code == NM_DBLCLK && reinterpret_cast<NMITEMACTIVATE*>(pNMHDR)->iItem < 0)
        return;
    // Through the frame, so the command's enabling rule decides.
    if (CFrameWnd* frame = GetParentFrame())
        frame->SendMessage(WM_COMMAND, ID_MODIFY_IP, 0);
}

void CVarnexView::OnAutoArrange()
{
    m_bAutoArrange = !m_bAutoArrange;
    if (m_bAutoArrange)
        ModifyStyle(0, LVS_AUTOARRANGE);
    else
        ModifyStyle(LVS_AUTOARRANGE, 0);
}

void CVarnexView::OnUpdateAutoArrange(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_bAutoArrange ? 1 : 0);
}

void CVarnexView::SetViewMode(int mode)
{
    ModifyStyle(static_cast<DWORD>(m_nViewMode) & LVS_TYPEMASK, static_cast<DWORD>(mode));
    m_nViewMode = mode;
}

void CVarnexView::OnLargeIcons()
{
    SetViewMode(LVS_ICON);
    EnableSortIcon(false);
    ColorSortColumn(false);
}

void CVarnexView::OnSmallIcons()
{
    SetViewMode(LVS_SMALLICON);
    EnableSortIcon(false);
    ColorSortColumn(false);
}

void CVarnexView::OnDetails()
{
    SetViewMode(LVS_REPORT);
    ApplyAutoArrange();
}

void CVarnexView::OnUpdateLargeIcons(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_nViewMode == LVS_ICON ? 1 : 0);
}
void CVarnexView::OnUpdateSmallIcons(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_nViewMode == LVS_SMALLICON ? 1 : 0);
}
void CVarnexView::OnUpdateDetails(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_nViewMode == LVS_REPORT ? 1 : 0);
}

// ---- Printing -----------------------------------------------------------------

void CVarnexView::OnFilePrintCommand()
{
    OnFilePrint();
}

BOOL CVarnexView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}
void CVarnexView::OnBeginPrinting(CDC*, CPrintInfo*) {}
void CVarnexView::OnEndPrinting(CDC*, CPrintInfo*) {}
