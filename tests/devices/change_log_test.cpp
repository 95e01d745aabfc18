// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The log of changes: where it goes, its lines, its folder and mode, the turn
// to a new file at its size limit, and a log that cannot be written.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "devices/change_log.h"

namespace {

namespace fs = std::filesystem;

class ChangeLogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string folder = (fs::temp_directory_path() / "varnex-log-XXXXXX").string();
        ASSERT_NE(::mkdtemp(folder.data()), nullptr);
        root = folder;
    }
    void TearDown() override { fs::remove_all(root); }
    static std::string Read(const std::string& path)
    {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }
    static device::ChangeRecord SetIp()
    {
        device::ChangeRecord record;
        record.program = "varnex-cli";
        record.interfaceName = "eth0";
        record.mac = {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E};
        record.command = "set-ip";
        record.before = {{"ip", "192.168.1.20"}};
        record.after = {{"ip", "192.168.1.50"}};
        return record;
    }
    std::string root;
};

} // namespace

TEST_F(ChangeLogTest, ThePathFollowsXdgStateHomeElseHome)
{
    const struct {
        const char* state;
        const char* home;
        const char* path;
    } cases[] = {
        {"/s", "/h", "/s/varnex/commands.log"},
        {nullptr, "/h", "/h/.local/state/varnex/commands.log"},
        {"relative", "/h", "/h/.local/state/varnex/commands.log"}, // not absolute: ignored, as the basedir rule says
        {nullptr, nullptr, ""},
    };
    const std::string savedState = std::getenv("XDG_STATE_HOME") ? std::getenv("XDG_STATE_HOME") : "";
    const std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    for (const auto& c : cases) {
        c.state ? ::setenv("XDG_STATE_HOME", c.state, 1) : ::unsetenv("XDG_STATE_HOME");
        c.home ? ::setenv("HOME", c.home, 1) : ::unsetenv("HOME");
        EXPECT_EQ(device::ChangeLog::DefaultPath(), c.path);
    }
    savedState.empty() ? ::unsetenv("XDG_STATE_HOME") : ::setenv("XDG_STATE_HOME", savedState.c_str(), 1);
    savedHome.empty() ? ::unsetenv("HOME") : ::setenv("HOME", savedHome.c_str(), 1);
}

TEST_F(ChangeLogTest, LinesAreAppendedToAPrivateFileInAFolderMadeForIt)
{
    const std::string path = root + "/state/varnex/commands.log";
    device::ChangeLog log(path);
    EXPECT_FALSE(log.Append(SetIp()));
    device::ChangeRecord reset = SetIp();
    reset.command = "reset";
    reset.before.clear();
    reset.after.clear();
    reset.interfaceName.clear();
    reset.confirmed = false;
    EXPECT_FALSE(log.Append(reset));

    const std::string text = Read(path);
    ASSERT_EQ(std::count(text.begin(), text.end(), '\n'), 2) << text;
    const std::string first = text.substr(0, text.find('\n'));
    EXPECT_EQ(first.substr(first.find("\"program\"")),
              "\"program\": \"varnex-cli\", \"interface\": \"eth0\", \"mac\": \"00-0A-1B-2C-3D-4E\", \"command\": "
              "\"set-ip\", \"before\": {\"ip\": \"192.168.1.20\"}, \"after\": {\"ip\": \"192.168.1.50\"}, "
              "\"confirmed\": null}");
    EXPECT_NE(text.find("\"interface\": null"), std::string::npos);
    EXPECT_NE(text.find("\"confirmed\": false}"), std::string::npos);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(ChangeLogTest, AtItsSizeLimitTheLogTurnsOverKeepingOneOlderFile)
{
    const std::string path = root + "/commands.log";
    device::ChangeLog log(path);
    const std::size_t line = device::ChangeLine(SetIp(), {}).size();
    const std::size_t perFile = device::ChangeLog::kRotateAt / line;
    for (std::size_t i = 0; i < 2 * perFile + 3; ++i)
        ASSERT_FALSE(log.Append(SetIp()));
    EXPECT_LE(fs::file_size(path), device::ChangeLog::kRotateAt);
    EXPECT_LE(fs::file_size(path + ".1"), device::ChangeLog::kRotateAt);
    EXPECT_GT(fs::file_size(path + ".1"), device::ChangeLog::kRotateAt - 2 * line);
    EXPECT_FALSE(fs::exists(path + ".2"));
}

TEST_F(ChangeLogTest, ALogThatCannotBeWrittenIsToldOnceWithTheReason)
{
    // A file where the folder should be: even root cannot write there.
    std::ofstream(root + "/varnex") << "a file";
    device::ChangeLog log(root + "/varnex/commands.log");
    const std::optional<std::string> first = log.Append(SetIp());
    ASSERT_TRUE(first);
    EXPECT_NE(first->find(root + "/varnex"), std::string::npos) << *first;
    EXPECT_FALSE(log.Append(SetIp()));
}
