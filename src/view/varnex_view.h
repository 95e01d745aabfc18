// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The device list: one row per answer to the discovery probe. The devices
// themselves are the document's table; the view owns the discovery socket,
// drives the discovery session with its timers, shows the table's devices as
// the list's rows, and is the target of every device command.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/command_packet.h"
#include "controls/image_list.h"
#include "devices/change_log.h"
#include "devices/command_confirmation.h"
#include "devices/device_filter.h"
#include "devices/device_roster.h"
#include "devices/device_table.h"
#include "devices/pending_changes.h"
#include "devices/reachability.h"
#include "discovery/discovery_ports.h"
#include "discovery/discovery_session.h"
#include "discovery/interface_route.h"
#include "discovery/list_socket.h"
#include "framework/menu.h"
#include "listctrl/list_view_ex.h"
#include "view/device_rows.h"

class CStatusBar;
struct BatchRun;

// Where an exported list goes and in which format.
struct ExportTarget {
    std::string path;
    bool json = false;
};
// The format by the path's extension (.csv or .json, any case), else by the
// file type chosen in the dialog, whose extension the path then gets.
ExportTarget ChooseExportTarget(const std::string& path, const std::string& chosenType);

class CVarnexView : public CListViewEx, public ReplyReceiver {
public:
    CVarnexView();
    ~CVarnexView() override;

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;

    // Refresh: empties the list, opens the socket again and sends the probe.
    // The last command's checks not yet judged are given up: not checked.
    void OnRefresh();
    // Opens the socket again and sends the probe on the chosen route, in a
    // cycle that keeps the table when watching.
    enum class ProbeSent { kSent, kNoSocket, kNoInterface };
    ProbeSent SendProbeCycle();
    // Closes and re-creates the socket for sending; false after showing the failure.
    BOOL ReopenDeviceSocket();

    // The devices listed, in answer order: the document's table.
    const device::DeviceTable& Devices() const;
    // The device a row shows; null when the row is not one of the table's.
    const device::Device* DeviceAtRow(int row);
    // The table's id of the device a row shows; nothing when the row is not one of the table's.
    std::optional<device::DeviceId> DeviceIdAtRow(int row);
    // This cycle's discovery: listening, the answers counted.
    const DiscoverySession& Discovery() const { return *m_pSession; }
    // The discovery socket (null before the window is made).
    const CListSocket* DiscoverySocket() const { return m_pSocket.get(); }
    // The one place a command packet is put together with its password.
    const packet::Bytes& SendBuffer() const { return m_arrSendBuffer; }

    // The device commands.
    void OnModifyIP();
    void OnModifyMAC();
    void OnWebBrowser();
    void OnSoftReset();
    void OnUpdateFirmware();
    void OnUpdateDeviceCommand(CCmdUI* pCmdUI);
    // The selected rows one after another: -1 starts, -1 ends.
    int NextSelectedRow(int after);
    void OnEditCopy();
    void OnUpdateEditCopy(CCmdUI* pCmdUI);
    // File > Export List, and the writing of the whole list to a file.
    void OnExportList();
    void OnUpdateExportList(CCmdUI* pCmdUI);
    bool ExportList(const ExportTarget& target, std::string* error);
    // The tool bar's filter field changed: the list keeps the devices that match its text.
    void OnFilterChange(CWnd* pField);
    // Whether a filter text is set, and the rows it shows.
    bool IsFiltered() const { return !m_ruleFilter.Empty(); }
    // View > Watch Devices: whether the list is kept up to date probe after
    // probe, every WatchIntervalMs(); the roster knows which devices answer.
    bool IsWatching() const { return m_bWatch; }
    UINT WatchIntervalMs() const { return m_nWatchIntervalMs; }
    // Made with the window, over the same table as the discovery session.
    const device::DeviceRoster& Roster() const { return *m_pRoster; }
    // Whether the IP address, mask and gateway columns sort by their numbers.
    bool SortsAddressesAsNumbers() const { return m_bSortAddressesAsNumbers; }

    // Answers from the discovery socket.
    void OnAnswer(const packet::Bytes& frame, unsigned interfaceIndex) override;
    void OnAnswersRead(long long dropped) override;

    // View -> Network Interface: the list is read each time the menu opens.
    void OnInterfaceAll();
    void OnInterfaceChosen(UINT nID);
    void OnUpdateInterfaceMenu(CCmdUI* pCmdUI);
    // Takes the choice (empty: every interface), keeps it in the profile, refreshes.
    void ChooseInterface(const std::string& name);

    static constexpr UINT_PTR kListenTimer = 1;
    static constexpr UINT_PTR kDelayedRefreshTimer = 2;
    static constexpr UINT kListenWindowMs = static_cast<UINT>(
        std::chrono::duration_cast<std::chrono::milliseconds>(DiscoverySession::kListenWindow).count());
    static constexpr UINT_PTR kDuplicateMarkTimer = 3;
    // While watching: the next probe.
    static constexpr UINT_PTR kWatchTimer = 4;
    static constexpr int kDefaultWatchSeconds = 15;
    static constexpr UINT kDuplicateMarkDelayMs = 100;
    // The overlay number of the shared-address picture in both image lists.
    static constexpr UINT kDuplicateOverlay = 1;
    // The overlay number of the picture of a device outside this computer's
    // subnets. A row has one overlay: a shared address wins, as commands to it
    // reach the wrong device; the tip names both.
    static constexpr UINT kUnreachableOverlay = 2;

protected:
    LRESULT OnCreate(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);
    LRESULT OnTimer(WPARAM wParam, LPARAM lParam);
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnRightClick(NMHDR* pNMHDR, LRESULT* pResult);
    // Enter or a double click on a row: Modify IP.
    void OnActivateRow(NMHDR* pNMHDR, LRESULT* pResult);
    // The menu key and Shift+F10: the context menu at the focused row.
    LRESULT OnContextMenuKey(WPARAM wParam, LPARAM lParam);
    void OpenContextMenu(POINT at);
    void OnAutoArrange();
    void OnUpdateAutoArrange(CCmdUI* pCmdUI);
    void OnLargeIcons();
    void OnSmallIcons();
    void OnDetails();
    void OnUpdateLargeIcons(CCmdUI* pCmdUI);
    void OnUpdateSmallIcons(CCmdUI* pCmdUI);
    void OnUpdateDetails(CCmdUI* pCmdUI);
    void OnFilePrintCommand();
    void OnWatchDevices();
    void OnUpdateWatchDevices(CCmdUI* pCmdUI);
    // Watching: the settings, the probe the timer sends, and what an answer
    // and the end of a probe change in the rows.
    void ReadWatchOptions();
    void StartWatchProbe();
    void ShowWatchAnswer(const device::DeviceEvent& event);
    void ShowProbeEnd(const device::ProbeEnd& end);
    // The row of device id, or -1 when it is not listed.
    int RowOfDevice(device::DeviceId id);
    // The row's texts and record follow the device's new fields.
    void RewriteRow(int row, device::DeviceId id);
    // "Not answering: last seen at ..." for a device that is gone, or nothing.
    std::string LastSeenTip(const device::Device* d, std::optional<device::DeviceId> id) const;
    void OnSortAddressesAsNumbers();
    void OnUpdateSortAddressesAsNumbers(CCmdUI* pCmdUI);
    void OnGetInfoTip(NMHDR* pNMHDR, LRESULT* pResult);
    // The engine's drawing, and the text of rows whose address is shared tinted.
    void OnCustomDrawRows(NMHDR* pNMHDR, LRESULT* pResult);

    // Deletes every row and frees their records.
    void DeleteAllRows();
    // Empties the list, opens the socket again and sends the probe.
    void StartSearch();
    // Lists again the table's devices that the filter keeps, in sorted place.
    void ApplyFilter();
    // The row of device id at the end of the list, with its shared-address mark.
    int AppendDevice(device::DeviceId id);
    // The arrow, tint and order that follow a change of rows or mode.
    void ApplyAutoArrange();
    void SetViewMode(int mode);
    void SortRows();
    void WriteStatusText(const std::string& text);
    CStatusBar* FrameStatusBar() const;

private:
    // A device as the user chose it for a command, kept as it was then: its
    // MAC and interface find it again however the rows move while the
    // command's dialogs are open.
    using ChosenDevice = device::Device;
    // The devices of the selected rows, in ascending row order, as they are now.
    std::vector<ChosenDevice> ChooseSelectedDevices();
    // The chosen device as the table has it now; null when it is no longer listed.
    const device::Device* FindChosenDevice(const ChosenDevice& chosen) const;
    // Tells the user that a chosen device left the list before its packet went.
    void ReportDeviceGone(const ChosenDevice& chosen);
    // What became of one packet of a command.
    enum class Outcome { kSent, kNotSent, kDeviceGone };
    // Asks for the password and sends the packet that build makes from the
    // chosen device as the table has it then.
    template <typename BuildPacket>
    Outcome SendWithPassword(const ChosenDevice& chosen, const BuildPacket& build, bool reopenFirst);
    void SendDeviceOrder(std::uint8_t code);
    // Modify IP with several rows: "Address N devices" first. False when the
    // user chose the devices' own dialogs one at a time instead.
    bool AddressDevices(const std::vector<ChosenDevice>& chosen);
    // Sends a confirmed batch, device by device, and waits for its search.
    void RunBatch(std::unique_ptr<BatchRun> run);
    // The packets of the batch's device index; what the progress shows after.
    std::string SendBatchStep(std::size_t index);
    // A search has ended: when it is the one after a batch, what became of each device.
    void ShowBatchResults();
    // The list of the batch's devices, each judged as its own command's check was.
    void PresentBatchResults();
    // Sends the packet with the password in bytes 42-49 from m_arrSendBuffer,
    // whose password bytes are wiped as soon as the datagram is gone. It leaves
    // by the interface with index nInterface (0: where the routes send it).
    void BroadcastCommandPacket(const COMMAND_PACKET& packet, std::string_view password = {}, unsigned nInterface = 0);
    // Holds the log entry of a packet sent to target until its command's
    // verdict (BeginChecks, JudgeChecks); a new command gives up the last
    // one's checks not yet judged. A log that cannot be written is told once.
    void LogSent(const COMMAND_PACKET& packet, const device::Device& target);
    // After a command that sent something: the delayed refresh, a pause, an empty list.
    void ScheduleDelayedRefresh(UINT delayMs, UINT pauseMs);
    // Whether a command took: what the device should answer with, judged when
    // the search after the command ends, and shown in the message pane and in
    // the tip of the device's row until the next command.
    struct CommandCheck {
        device::Mac macBefore{}; // the row's MAC when the command left
        device::ExpectedAnswer expected;
        std::optional<device::Confirmation> verdict;
    };
    // A command that sent something: its checks replace the last command's,
    // and its log entries without a check are written, not checked.
    void BeginChecks(std::vector<CommandCheck> checks);
    // The delayed refresh: the search whose answers judge the checks.
    void StartJudgingSearch();
    // The search has ended: when it is the judging one, the checks not yet
    // judged are judged by its answers and their log entries written.
    void JudgeChecks();
    // The checks not yet judged are given up (Refresh, a new command, the
    // window closing): their log entries are written, not checked.
    void AbandonChecks();
    // Every log entry still held is written, not checked.
    void WriteHeldChanges();
    // The log that cannot be written, told once.
    void TellLogFailure(const std::optional<std::string>& failure);
    device::PendingChanges& HeldChanges();
    // The verdict of the row's device, or nothing.
    std::string CheckTip(const device::Device* d) const;
    // The heading of a logical column, hidden or shown.
    std::string GetColumnHeading(int column);
    // The selected rows as the clipboard gets them: a header line, then one
    // line per row, cells separated by tabs, every column in logical order.
    std::string SelectedRowsAsText();
    // The tip of a device whose address other devices share, or nothing.
    std::string DuplicateTip(const device::Device* d) const;
    // Why d cannot be reached directly, or nothing when it can.
    std::optional<std::string> UnreachableReason(const device::Device& d) const;
    // The overlay a device's row carries (0: none).
    UINT OverlayFor(const device::Device& d) const;
    // Web Browser on a device outside this computer's subnets: whether to open it anyway.
    bool ConfirmOpenUnreachable(const device::Device& d);
    // The loop's clock, on which the discovery's windows and the devices' times run.
    static device::Clock::time_point Now();
    // The table to fill: the document's.
    device::DeviceTable& Table();

    void InsertColumns();
    // The column layout from and to the profile.
    void RestoreSavedLayout();
    void SaveLayout();
    void ReadSortOption();
    // Shared addresses: the new row's mark, and the pass that marks the rest.
    void NoteAddress(int row, device::DeviceTable::Seen seen, const device::Device& d);
    void MarkSharedRows();
    // The lost answers the message pane tells of, and the count pane.
    void ShowLostAnswers(long long lost);
    void ShowReplyCount();
    void SetRowOverlay(int row, UINT overlay);
    void InstallImageLists();

    // Reads the interface chosen in an earlier run; a value that is no
    // interface name counts as every interface and stays in the profile.
    void LoadInterfaceChoice();
    // "The network interface ... is not available ..." for the chosen one.
    std::string InterfaceMissingText() const;
    // The message pane's standing text, the first that applies: the chosen
    // interface is missing, answers were lost, the search's progress or its
    // result, "Ready".
    void ShowStandingMessage();
    std::string SearchText() const;
    // The devices the count pane counts: the answers of this search, or when
    // watching the devices that answered the last probe (this one's until
    // one has ended).
    long long AnsweringCount() const;
    // The listening window closed on a quiet window: the search is over.
    void FinishSearch();
    // "Online : 12", and how many addresses are shared when any is.
    std::string CountPaneText(int count) const;

    // Ports and address of this view's discovery (the defaults unless a test changes them).
    DiscoveryPorts m_portsDiscovery;
    // The interface the probe goes out on (View -> Network Interface, kept in
    // the profile): its name, or empty for every interface.
    std::string m_strInterface;
    packet::Bytes m_arrSendBuffer{};
    CImageList m_imglstSmall;
    CImageList m_imglstLarge;
    CMenu m_menuContext;
    // A table of the view's own until it is in a document.
    device::DeviceTable m_tableUnowned;
    std::unique_ptr<DiscoverySession> m_pSession;
    std::unique_ptr<CListSocket> m_pSocket;
    BOOL m_bAutoArrange = TRUE;
    int m_nViewMode = 0;
    DeviceRecordPool m_poolRecords;
    // Watching: the switch (kept in the profile), the interval and the
    // devices' presence over the table. A probe of watching has ended since
    // the last Refresh: the count pane then counts the last probe's answers.
    bool m_bWatch = false;
    UINT m_nWatchIntervalMs = kDefaultWatchSeconds * 1000;
    std::unique_ptr<device::DeviceRoster> m_pRoster;
    bool m_bWatchProbeEnded = false;
    // The interfaces the menu listed when it last opened, in its order: what
    // its items' ids stand for.
    std::vector<NetworkInterface> m_arrMenuInterfaces;
    // This computer's subnets when the probe went out: which devices it can reach.
    std::vector<device::Subnet> m_arrSubnets;
    // The log of changes, opened at the first command sent, and the entries
    // of commands sent that wait for their verdict.
    std::unique_ptr<device::ChangeLog> m_pChangeLog;
    std::unique_ptr<device::PendingChanges> m_pHeldChanges;
    // Answers lost on the current socket that the message pane has reported,
    // and whether the pane still shows a loss (until the next Refresh).
    long long m_nLostShown = 0;
    BOOL m_bLostInPane = FALSE;
    std::string m_strLostMessage;
    // Where the current search is, and when the last one ended.
    // kWatching: the probes of View > Watch Devices after the first search.
    enum class SearchState { kNone, kSearching, kFound, kWatching };
    SearchState m_nSearchState = SearchState::kNone;
    std::string m_strFoundAt;
    bool m_bSortAddressesAsNumbers = false;
    // The stored layout was refused, and the layout the list had right after.
    bool m_bLayoutRefused = false;
    std::vector<std::uint8_t> m_arrLayoutAtStart;
    // Whether the message pane says that the chosen interface is missing.
    BOOL m_bInterfaceInPane = FALSE;
    // The filter field's text as a rule; the field owns the text.
    device::DeviceFilter m_ruleFilter;
    // The last command's checks, and whether the pane shows their verdicts
    // (until the next Refresh).
    std::vector<CommandCheck> m_arrChecks;
    BOOL m_bCheckInPane = FALSE;
    // Whether the search under way is the delayed refresh's, which judges the checks.
    BOOL m_bSearchJudges = FALSE;
    std::string m_strCheckMessage;
    // The batch of new addresses being sent, or waiting for its search.
    std::unique_ptr<BatchRun> m_pBatch;
};
