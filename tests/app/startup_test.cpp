// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Start-up of the application: the order of its steps and its two failures.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

#include "framework/frame_wnd.h"
#include "res/text/resource_ids.h"
#include "support/app_fixture.h"
#include "support/file_size_limit.h"
#include "system/profile.h"

namespace {

using StartupTest = AppFixture;

} // namespace

TEST_F(StartupTest, SocketLayerFailureShowsString104AndEnds)
{
    network.net.startupSucceeds = false;
    EXPECT_FALSE(Start());
    ASSERT_EQ(user.user.boxes.size(), 1u);
    EXPECT_EQ(user.user.boxes[0].text, "Windows 通訊端安裝失敗。");
    EXPECT_EQ(user.user.boxes[0].caption, "Varnex");
    EXPECT_EQ(app->m_pMainWnd, nullptr);
    EXPECT_TRUE(Sent().empty());
}

TEST_F(StartupTest, EventLoopFailureShowsString100AndEnds)
{
    loop.loop.startupSucceeds = false;
    EXPECT_FALSE(Start());
    ASSERT_EQ(user.user.boxes.size(), 1u);
    EXPECT_EQ(user.user.boxes[0].text, "OLE 初始化失敗。請確認 OLE 程式庫的版本是否正確。");
    EXPECT_EQ(app->m_pMainWnd, nullptr);
}

TEST_F(StartupTest, FrameHasItsBarsAndTheViewItsColumns)
{
    ASSERT_TRUE(Start());
    EXPECT_EQ(Frame().GetWindowText(), "Varnex V1.20");
    CStatusBar* bar = Frame().GetMessageBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->GetCount(), 5);
    EXPECT_EQ(bar->Pane(1).id, ID_INDICATOR_CAPS);
    EXPECT_EQ(bar->Pane(4).id, ID_INDICATOR_EXT);
    EXPECT_EQ(bar->Pane(4).width, 100);
    ASSERT_NE(Frame().GetToolBar(), nullptr);
    EXPECT_EQ(Frame().GetToolBar()->Buttons().size(), 9u);
    auto* header = reinterpret_cast<CWnd*>(View().SendMessage(LVM_GETHEADER));
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->SendMessage(HDM_GETITEMCOUNT), 6);
    EXPECT_EQ(View().GetStyle() & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_EQ(View().SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE) & 0x31, 0x31);
    EXPECT_EQ(View().GetSortColumn(), 2);
    EXPECT_FALSE(View().IsSortIconEnabled());
}

TEST_F(StartupTest, CommandsRouteFromFrameToViewAndDisabledOnesAreNotRun)
{
    ASSERT_TRUE(Start());
    // Refresh through the frame's command route reaches the view.
    Frame().SendMessage(WM_COMMAND, ID_REFRESH, 0);
    EXPECT_EQ(Sent().size(), 2u);
    // Status bar toggled off and on keeps the answer count.
    Answer(DeviceReply("A", {10, 0, 0, 1}));
    Frame().SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR, 0);
    EXPECT_FALSE(Frame().GetMessageBar()->IsVisible());
    Frame().SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR, 0);
    EXPECT_TRUE(Frame().GetMessageBar()->IsVisible());
    EXPECT_EQ(StatusExt(), "Online : 1");
    CCmdUI state;
    state.m_nID = ID_VIEW_STATUS_BAR;
    state.DoUpdate(&Frame(), TRUE);
    EXPECT_EQ(state.checked, 1);
    state.m_nID = ID_VIEW_AUTOARRANGE;
    state.DoUpdate(&Frame(), TRUE);
    EXPECT_EQ(state.checked, 1);
    // Nothing answers Copy: it is disabled and does nothing.
    state.m_nID = ID_EDIT_COPY;
    state.DoUpdate(&Frame(), TRUE);
    EXPECT_FALSE(state.enabled);
}

TEST_F(StartupTest, NewRunsTheInitialUpdateAgainWithoutDoublingTheSetUp)
{
    ASSERT_TRUE(Start());
    Answer(DeviceReply("A", {10, 0, 0, 1}));
    EXPECT_EQ(StatusExt(), "Online : 1");
    Frame().SendMessage(WM_COMMAND, ID_FILE_NEW, 0);
    auto* header = reinterpret_cast<CWnd*>(View().SendMessage(LVM_GETHEADER));
    EXPECT_EQ(header->SendMessage(HDM_GETITEMCOUNT), 6);
    EXPECT_EQ(StatusExt(), "Online : 0");
    EXPECT_EQ(View().GetSortColumn(), 2);
    EXPECT_FALSE(View().IsSortIconEnabled());
    EXPECT_EQ(Frame().GetWindowText(), "Untitled - Varnex");
    EXPECT_EQ(RowCount(), 1);
}

TEST_F(StartupTest, OpenAsksForAFileAndLoadsNothingSaveWritesAnEmptyFile)
{
    ASSERT_TRUE(Start());
    const std::string path = configDir + "/some.dat";
    {
        std::ofstream(path) << "not for us";
    }
    user.user.openFileAnswer = path;
    Frame().SendMessage(WM_COMMAND, ID_FILE_OPEN, 0);
    ASSERT_FALSE(user.user.fileDialogTitles.empty());
    EXPECT_EQ(user.user.fileDialogTitles[0], "Open|All Files (*.*)");
    EXPECT_EQ(Frame().GetWindowText(), "some.dat - Varnex");
    EXPECT_EQ(StatusExt(), "Online : 0");

    Frame().SendMessage(WM_COMMAND, ID_FILE_NEW, 0);
    const std::string saved = configDir + "/saved.dat";
    user.user.saveFileAnswer = saved;
    Frame().SendMessage(WM_COMMAND, ID_FILE_SAVE, 0);
    EXPECT_EQ(user.user.fileDialogTitles.back(), "Save As|All Files (*.*)");
    ASSERT_TRUE(std::filesystem::exists(saved));
    EXPECT_EQ(std::filesystem::file_size(saved), 0u);
}

// A folder, a FIFO, a device or a huge file as the document: the start ends
// with a message naming the file and the reason, without reading it.
TEST_F(StartupTest, ADocumentThatIsNoReadableFileEndsTheStartWithItsNameAndReason)
{
    const std::string folder = configDir + "/folder";
    const std::string fifo = configDir + "/fifo";
    const std::string huge = configDir + "/huge.dat";
    std::filesystem::create_directory(folder);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::ofstream(huge).close();
    std::filesystem::resize_file(huge, 17u << 20);
    const std::pair<std::string, std::string> cases[] = {
        {folder, "it is a folder"},
        {fifo, "it is not a regular file"},
        {"/dev/zero", "it is not a regular file"},
        {huge, "it is larger than 16 MiB"},
        {configDir + "/missing", "No such file or directory"},
    };
    for (const auto& [path, reason] : cases) {
        app.reset();
        app = std::make_unique<CVarnexApp>();
        app->m_arrArgs = {path};
        user.user.boxes.clear();
        EXPECT_FALSE(Start()) << path;
        ASSERT_EQ(user.user.boxes.size(), 1u) << path;
        EXPECT_EQ(user.user.boxes[0].text, "Failed to open document '" + path + "': " + reason + ".");
    }
}

// A full disk: the user hears once, with the profile's path and the reason,
// and no half-written file is left beside the profile.
TEST_F(StartupTest, SettingsThatCannotBeSavedAreToldOnceAndLeaveNothingBehind)
{
    const std::string path = Profile::PathFor(kProfileRegistryKey, "Varnex");
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path) << "[Other]\nPadding=" << std::string(8000, 'x') << "\n";
    ASSERT_TRUE(Start());
    {
        FileSizeLimit full(4096);
        Command(ID_VIEW_SORT_NUMERIC);
        Command(ID_VIEW_SORT_NUMERIC);
        Frame().OnClose(); // the column layout is written on the way
    }
    ASSERT_EQ(user.user.boxes.size(), 1u);
    EXPECT_EQ(user.user.boxes[0].text, "The settings could not be saved to '" + path + "': File too large");
    const auto folder = std::filesystem::path(path).parent_path();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 1);
}
