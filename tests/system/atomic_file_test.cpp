// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// A file written whole or not at all.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "system/atomic_file.h"

namespace {

struct AtomicFileTest : ::testing::Test {
    void SetUp() override
    {
        dir = std::filesystem::temp_directory_path() / ("varnex-atomic-" + std::to_string(::getpid()));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string Read(const std::filesystem::path& p)
    {
        std::ifstream in(p, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::size_t Entries() const
    {
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator()));
    }
    std::filesystem::path dir;
};

} // namespace

TEST_F(AtomicFileTest, ACommittedFileReplacesTheOldOneWhole)
{
    const auto path = dir / "list.csv";
    std::ofstream(path) << "old";
    AtomicFileWriter writer;
    std::string error;
    ASSERT_TRUE(writer.Open(path.string(), &error)) << error;
    writer.Write("new ");
    EXPECT_EQ(Read(path), "old"); // nothing at the name until the commit
    writer.Write(std::string(100000, 'x'));
    ASSERT_TRUE(writer.Commit(&error)) << error;
    EXPECT_EQ(Read(path).size(), 100004u);
    EXPECT_EQ(Entries(), 1u);
    const auto perms = std::filesystem::status(path).permissions();
    EXPECT_NE(perms & std::filesystem::perms::owner_read, std::filesystem::perms::none);
}

TEST_F(AtomicFileTest, AnUncommittedOrFailedWriteLeavesTheOldFileAndNoLeftovers)
{
    const auto path = dir / "list.csv";
    std::ofstream(path) << "old";
    {
        AtomicFileWriter writer;
        std::string error;
        ASSERT_TRUE(writer.Open(path.string(), &error));
        writer.Write("half");
    }
    EXPECT_EQ(Read(path), "old");
    EXPECT_EQ(Entries(), 1u);

    std::filesystem::create_directory(dir / "folder");
    AtomicFileWriter onFolder;
    std::string error;
    ASSERT_TRUE(onFolder.Open((dir / "folder").string(), &error));
    onFolder.Write("text");
    EXPECT_FALSE(onFolder.Commit(&error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(std::filesystem::is_directory(dir / "folder"));
    EXPECT_EQ(Entries(), 2u);

    AtomicFileWriter nowhere;
    EXPECT_FALSE(nowhere.Open((dir / "missing" / "list.csv").string(), &error));
    EXPECT_FALSE(error.empty());
}
