// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The application profile file: binary values, bad values, keeping other lines.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/file_size_limit.h"
#include "system/profile.h"

namespace {

class ProfileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = std::filesystem::temp_directory_path() / ("varnex-profile-" + std::to_string(::getpid()));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        path = (dir / "Varnex.ini").string();
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    void Write(const std::string& text) { std::ofstream(path) << text; }
    std::string Read() const
    {
        std::ifstream in(path);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    std::filesystem::path dir;
    std::string path;
};

} // namespace

TEST_F(ProfileTest, PathIsUnderTheConfigDirectoryKeyAndApplication)
{
    ::setenv("XDG_CONFIG_HOME", "/tmp/cfg", 1);
    EXPECT_EQ(Profile::PathFor("本機 AppWizard 所產生的應用程式", "Varnex"),
              "/tmp/cfg/本機 AppWizard 所產生的應用程式/Varnex.ini");
}

TEST_F(ProfileTest, MissingFileSectionOrEntryReadsAsNothing)
{
    Profile p(path);
    EXPECT_FALSE(p.GetBinary("Settings", "Overview"));
    Write("[Other]\nOverview=hex:00\n");
    EXPECT_FALSE(p.GetBinary("Settings", "Overview"));
}

TEST_F(ProfileTest, BinaryValuesRoundTripAndOtherLinesStay)
{
    Write("# kept\n[Recent File List]\nFile1=/tmp/a\n");
    Profile p(path);
    const std::vector<std::uint8_t> blob{0x06, 0x00, 0xFF, 0x7F, 0x00};
    ASSERT_TRUE(p.WriteBinary("Settings", "Overview", blob));
    EXPECT_EQ(*p.GetBinary("Settings", "Overview"), blob);
    EXPECT_EQ(*p.GetString("Recent File List", "File1"), "/tmp/a");
    EXPECT_NE(Read().find("# kept"), std::string::npos);
    ASSERT_TRUE(p.WriteBinary("Settings", "Overview", {}));
    EXPECT_TRUE(p.GetBinary("Settings", "Overview")->empty());
}

TEST_F(ProfileTest, MalformedBinaryIsReportedAndTreatedAsMissing)
{
    Profile p(path);
    for (const char* bad : {"Overview=3e00", "Overview=hex:3", "Overview=hex:zz", "Overview=hex:0 1"}) {
        Write(std::string("[Settings]\n") + bad + "\n");
        std::string problem;
        EXPECT_FALSE(p.GetBinary("Settings", "Overview", &problem)) << bad;
        EXPECT_NE(problem.find("Settings/Overview"), std::string::npos) << bad;
    }
}

TEST_F(ProfileTest, ALineOverTheLimitIsAbsentAndTheRestStays)
{
    // "Overview =hex:" is 14 bytes: the value that makes the line exactly the
    // limit is read, two digits more and the line is ignored.
    const std::size_t room = Profile::kMaxLine - 14;
    const std::string fits = "Overview =hex:" + std::string(room, '0');
    Write("[Settings]\nBefore=1\n" + fits + "\nAfter=2\n");
    Profile p(path);
    ASSERT_TRUE(p.GetBinary("Settings", "Overview"));
    EXPECT_EQ(p.GetBinary("Settings", "Overview")->size(), room / 2);

    Write("[Settings]\nBefore=1\n" + fits + "00\nAfter=2\n[Recent File List]\nFile1=" + std::string(3 << 20, 'x') +
          "\nFile2=/tmp/b");
    Profile q(path);
    std::string problem;
    EXPECT_FALSE(q.GetBinary("Settings", "Overview", &problem));
    EXPECT_TRUE(problem.empty()) << problem; // absent, not malformed
    EXPECT_EQ(q.GetString("Settings", "Before"), "1");
    EXPECT_EQ(q.GetString("Settings", "After"), "2");
    EXPECT_FALSE(q.GetString("Recent File List", "File1"));
    EXPECT_EQ(q.GetString("Recent File List", "File2"), "/tmp/b"); // the last line has no line break
}

TEST_F(ProfileTest, TheFileIsReadOnceAndWritesAreSeen)
{
    Write("[Settings]\nOverview=hex:01\n");
    Profile p(path);
    EXPECT_EQ(*p.GetBinary("Settings", "Overview"), (std::vector<std::uint8_t>{1}));
    // Changed behind the profile's back: lookups keep what was read at first.
    Write("[Settings]\nOverview=hex:02\n");
    EXPECT_EQ(*p.GetBinary("Settings", "Overview"), (std::vector<std::uint8_t>{1}));
    // Its own writes are read back.
    ASSERT_TRUE(p.WriteString("Recent File List", "File1", "/tmp/a"));
    EXPECT_EQ(p.GetString("Recent File List", "File1"), "/tmp/a");
    EXPECT_EQ(*p.GetBinary("Settings", "Overview"), (std::vector<std::uint8_t>{2}));
}

TEST_F(ProfileTest, AFailedWriteSaysWhyAndLeavesTheFileAsItWasWithNothingBeside)
{
    const std::string before = "[Settings]\nOverview=hex:" + std::string(8000, '0') + "\n";
    struct Case {
        const char* what;
        std::string value;
        rlim_t limit;
        const char* reason;
    } const cases[] = {
        {"a line break in the value", "a\nb", RLIM_INFINITY, "line break"},
        {"the disk full midway", std::string(100, 'x'), 4096, "File too large"},
    };
    for (const Case& c : cases) {
        Write(before);
        Profile p(path);
        std::string error;
        {
            FileSizeLimit limit(c.limit);
            EXPECT_FALSE(p.WriteString("Settings", "Interface", c.value, &error)) << c.what;
        }
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.what << ": " << error;
        EXPECT_EQ(Read(), before) << c.what;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator()), 1)
            << c.what;
        EXPECT_FALSE(p.GetString("Settings", "Interface")) << c.what;
    }
}

TEST_F(ProfileTest, AWriteKeepsALineOverTheLimitAndTheOrderOfTheRest)
{
    const std::string longLine = "Comment=" + std::string(Profile::kMaxLine + 10, 'y');
    Write("top\n[Settings]\nA=1\n" + longLine + "\n\n[Other]\nB=2");
    Profile p(path);
    ASSERT_TRUE(p.WriteString("Settings", "C", "3"));
    ASSERT_TRUE(p.WriteString("Other", "B", "4"));
    ASSERT_TRUE(p.WriteString("New", "D", "5"));
    EXPECT_EQ(Read(), "top\n[Settings]\nA=1\n" + longLine + "\nC=3\n\n[Other]\nB=4\n[New]\nD=5\n");
}
