// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "support/app_fixture.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "framework/control_bars.h"
#include "framework/frame_wnd.h"

AppFixture::AppFixture()
{
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    configDir = (std::filesystem::temp_directory_path() /
                 ("varnex-test-" + std::to_string(::getpid()) + "-" + info->test_suite_name() + "-" + info->name()))
                    .string();
    std::filesystem::remove_all(configDir);
    std::filesystem::create_directories(configDir);
    ::setenv("XDG_CONFIG_HOME", configDir.c_str(), 1);
    // The log of changes goes beside the profile, never to the user's own.
    ::setenv("XDG_STATE_HOME", (configDir + "/state").c_str(), 1);
    app = std::make_unique<CVarnexApp>();
}

AppFixture::~AppFixture()
{
    app.reset();
    std::filesystem::remove_all(configDir);
}

bool AppFixture::Start()
{
    return app->InitInstance() != FALSE;
}

CVarnexView& AppFixture::View() const
{
    CVarnexView* view = app->GetDeviceView();
    EXPECT_NE(view, nullptr);
    return *view;
}

CFrameWnd& AppFixture::Frame() const
{
    return *app->m_pMainWnd;
}

std::string AppFixture::StatusExt() const
{
    CStatusBar* bar = Frame().GetMessageBar();
    return bar ? bar->GetPaneText(bar->CommandToIndex(ID_INDICATOR_EXT)) : std::string("<no status bar>");
}

int AppFixture::RowCount() const
{
    return static_cast<int>(View().SendMessage(LVM_GETITEMCOUNT));
}

std::vector<std::string> AppFixture::Row(int row) const
{
    std::vector<std::string> texts;
    for (int column = 0; column < 6; ++column) {
        char buffer[260] = {};
        LVITEMA item;
        item.iSubItem = column;
        item.pszText = buffer;
        item.cchTextMax = sizeof buffer;
        View().SendMessage(LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        texts.emplace_back(item.pszText);
    }
    return texts;
}

std::vector<std::string> AppFixture::Column(int column) const
{
    std::vector<std::string> texts;
    for (int row = 0; row < RowCount(); ++row)
        texts.push_back(Row(row)[static_cast<std::size_t>(column)]);
    return texts;
}

int AppFixture::RowOf(const std::string& name) const
{
    const auto names = Column(0);
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == name)
            return static_cast<int>(i);
    return -1;
}

std::string AppFixture::TipOver(int row) const
{
    RECT rc{};
    rc.left = LVIR_LABEL;
    View().SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rc));
    TIPTEXTQUERY query;
    query.pt = POINT{rc.left + 5, (rc.top + rc.bottom) / 2};
    View().SendMessage(WM_QUERYTIPTEXT, 0, reinterpret_cast<LPARAM>(&query));
    return query.text;
}

void AppFixture::SelectRows(std::initializer_list<int> rows) const
{
    LVITEMA item;
    item.stateMask = LVIS_SELECTED;
    item.state = 0;
    View().SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    item.state = LVIS_SELECTED;
    for (int row : rows)
        View().SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void AppFixture::Command(UINT id) const
{
    Frame().SendMessage(WM_COMMAND, id, 0);
}

std::vector<std::uint8_t> DeviceReply(const std::string& name, const std::vector<int>& ip, const std::vector<int>& mac,
                                      int model)
{
    std::vector<std::uint8_t> f(52, 0);
    std::memcpy(f.data(), "QZR9", 4);
    for (int i = 0; i < 4; ++i) {
        f[4 + i] = static_cast<std::uint8_t>(ip[static_cast<std::size_t>(i)]);
        f[8 + i] = i < 3 ? 255 : 0;
        f[35 + i] = static_cast<std::uint8_t>(i < 3 ? ip[static_cast<std::size_t>(i)] : 1);
    }
    for (int i = 0; i < 6; ++i)
        f[12 + i] = static_cast<std::uint8_t>(mac[static_cast<std::size_t>(i)]);
    std::memcpy(&f[18], name.data(), std::min<std::size_t>(name.size(), 17));
    f[39] = 1;
    f[40] = 0x20;
    f[41] = static_cast<std::uint8_t>(model);
    return f;
}
