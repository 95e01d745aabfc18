// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// How varnex-cli finds the web browser: $BROWSER entries, the desktop's default
// browser through its .desktop file in a fake data dir, then xdg-open. Nothing
// is started here.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "commands/browser_candidates.h"
#include "commands/desktop_entry.h"

namespace {

namespace fs = std::filesystem;
using browser::CommandLine;

class BrowserLookup : public testing::Test {
protected:
    void SetUp() override
    {
        m_root = fs::temp_directory_path() / ("varnex-cli-browser-" + std::to_string(::getpid()));
        fs::create_directories(m_root / "home" / "applications");
        fs::create_directories(m_root / "system" / "applications" / "org");
        m_env.dataDirs = {(m_root / "home").string(), (m_root / "system").string()};
        m_env.isRunnable = [this](const std::string& p) { return m_runnable.count(p) > 0; };
        m_env.defaultBrowserId = [this] {
            ++m_defaultAsked;
            return m_defaultId;
        };
    }
    void TearDown() override { fs::remove_all(m_root); }

    void WriteDesktop(const fs::path& relative, const std::string& text) { std::ofstream(m_root / relative) << text; }
    std::vector<CommandLine> Candidates() { return browser::BrowserCandidates(m_env, "192.168.1.20"); }

    fs::path m_root;
    browser::BrowserEnvironment m_env;
    std::set<std::string> m_runnable;
    std::string m_defaultId;
    int m_defaultAsked = 0;
};

TEST_F(BrowserLookup, BrowserVariableEntriesInOrderWithPercentS)
{
    m_runnable = {"lynx", "/opt/ff/firefox", "xdg-open"};
    m_env.browserVariable = "missing-browser:/opt/ff/firefox --new-window --url=%s 100%%::lynx";
    const auto got = Candidates();
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0], (CommandLine{"/opt/ff/firefox", "--new-window", "--url=192.168.1.20", "100%"}));
    EXPECT_EQ(got[1], (CommandLine{"lynx", "192.168.1.20"}));
    EXPECT_EQ(got[2], (CommandLine{"xdg-open", "192.168.1.20"}));
    EXPECT_EQ(m_defaultAsked, 0); // a usable $BROWSER entry settles it
}

TEST_F(BrowserLookup, DesktopDefaultFromTheFirstDataDirThatHasIt)
{
    m_runnable = {"webby", "/usr/bin/other"};
    m_defaultId = "webby.desktop";
    WriteDesktop("system/applications/webby.desktop", "[Desktop Entry]\nExec=/usr/bin/other %u\n");
    WriteDesktop("home/applications/webby.desktop",
                 "# user's own\n[Desktop Action new]\nExec=wrong\n\n[Desktop Entry]\nName=Webby\n"
                 "Exec=webby --profile \"My Profile\" %U --title=%c\nIcon=webby\n[Other Group]\nExec=wrong\n");
    const auto got = Candidates();
    ASSERT_EQ(got.size(), 1u); // no xdg-open here
    EXPECT_EQ(got[0], (CommandLine{"webby", "--profile", "My Profile", "192.168.1.20", "--title=Webby"}));
}

TEST_F(BrowserLookup, DashedIdFoundInASubdirectoryAndArgumentAppended)
{
    m_runnable = {"orgweb", "xdg-open"};
    m_defaultId = "org-web.desktop";
    WriteDesktop("system/applications/org/web.desktop", "[Desktop Entry]\nExec=orgweb %i --flag\nIcon=orgweb\n");
    const auto got = Candidates();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0], (CommandLine{"orgweb", "--icon", "orgweb", "--flag", "192.168.1.20"}));
    EXPECT_EQ(got[1], (CommandLine{"xdg-open", "192.168.1.20"}));
}

TEST_F(BrowserLookup, UnusableDefaultsFallBackToXdgOpen)
{
    m_runnable = {"xdg-open"};
    m_env.browserVariable = "nothere";
    m_defaultId = "gone.desktop";
    EXPECT_EQ(Candidates(), (std::vector<CommandLine>{{"xdg-open", "192.168.1.20"}}));
    m_defaultId = "webby.desktop"; // its program is not installed
    WriteDesktop("home/applications/webby.desktop", "[Desktop Entry]\nExec=webby %u\n");
    EXPECT_EQ(Candidates(), (std::vector<CommandLine>{{"xdg-open", "192.168.1.20"}}));
    m_runnable.insert("webby");
    WriteDesktop("home/applications/webby.desktop", "[Desktop Entry]\nExec=webby %u\nHidden=true\n");
    EXPECT_EQ(Candidates(), (std::vector<CommandLine>{{"xdg-open", "192.168.1.20"}}));
    m_runnable.clear();
    EXPECT_TRUE(Candidates().empty());
}

} // namespace
