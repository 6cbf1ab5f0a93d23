#include "datasets/operations/BackupTrailer.h"

#include <gtest/gtest.h>

#include "TempDir.h"

namespace fs = std::filesystem;
using namespace vq;
using vq::test::readBytes;
using vq::test::writeBytes;

TEST(BackupTrailerTest, WrittenBlockIsReadBackAndCutOffTheCopy)
{
    vq::test::TempDir dir;
    const fs::path file = dir / "vqacc.fbk";
    const std::string backup(70000, '\x01'); // longer than the tail that is searched
    writeBytes(file, backup);
    BackupTrailer t{"株式会社テスト", "2024/01/01", "2024/12/31", 12, 15, "14.0.0", 1, 0};
    WriteBackupTrailer(file, t);

    const std::string bytes = readBytes(file);
    EXPECT_EQ(bytes.substr(backup.size(), 16), "## CorvaneZone\r\n");
    EXPECT_NE(bytes.find("\r\nSHOUGOU=\x8a\x94"), std::string::npos); // CP932 in the file

    BackupTrailer read;
    ASSERT_TRUE(ReadBackupTrailer(file, read, false));
    EXPECT_EQ(read, t);
    EXPECT_EQ(readBytes(file), bytes);
    ASSERT_TRUE(ReadBackupTrailer(file, read, true));
    EXPECT_EQ(readBytes(file), backup);
    EXPECT_FALSE(ReadBackupTrailer(file, read, false));
}

TEST(BackupTrailerTest, NoCompanyNameWritesNothingAndMissingNumbersReadAsZero)
{
    vq::test::TempDir dir;
    const fs::path file = dir / "vqacc.fbk";
    writeBytes(file, "data");
    WriteBackupTrailer(file, BackupTrailer{});
    EXPECT_EQ(readBytes(file), "data");

    writeBytes(file, "data## CorvaneZone\r\nSHOUGOU=A\r\nSIWAKE=x\r\n");
    BackupTrailer read;
    ASSERT_TRUE(ReadBackupTrailer(file, read, true));
    EXPECT_EQ(read.SHOUGOU, "A");
    EXPECT_EQ(read.SIWAKE, 0);
    EXPECT_EQ(read.GASSAN, 0);
    EXPECT_EQ(readBytes(file), "data");
    EXPECT_FALSE(ReadBackupTrailer(dir / "missing.fbk", read, false));
}
