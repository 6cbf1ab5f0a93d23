#include "comm/LhaArchive.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

using vq::comm::ExtractLhaMember;
using vq::comm::LhaCrc16;
using vq::comm::TLhaError;
using vq::comm::WriteLhaArchive;
using vq::test::readBytes;
using vq::test::TempDir;
using vq::test::writeBytes;

namespace {

std::string randomBytes(std::size_t n)
{
    std::mt19937 gen(42);
    std::string s(n, '\0');
    for (auto& c : s)
        c = static_cast<char>(gen() & 0xFF);
    return s;
}

void le(std::string& s, std::uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A level-0 archive as other writers make it, with whatever name is asked,
// folders included.
std::string levelZeroArchive(const std::string& name, const std::string& data)
{
    std::string h = "-lh0-";
    le(h, static_cast<std::uint32_t>(data.size()), 4);
    le(h, static_cast<std::uint32_t>(data.size()), 4);
    le(h, 0x21000000, 4);
    h += '\x20';
    h += '\0';
    h += static_cast<char>(name.size());
    h += name;
    le(h, LhaCrc16(0, data.data(), data.size()), 2);
    unsigned sum = 0;
    for (unsigned char c : h)
        sum += c;
    std::string a;
    a += static_cast<char>(h.size());
    a += static_cast<char>(sum & 0xFF);
    return a + h + data;
}

} // namespace

TEST(LhaArchiveTest, CrcIsTheArcCrc16)
{
    EXPECT_EQ(LhaCrc16(0, "123456789", 9), 0xBB3D);
    EXPECT_EQ(LhaCrc16(LhaCrc16(0, "1234", 4), "56789", 5), 0xBB3D);
}

// What we write, liblhasa and the lhasa command-line tool both read back,
// for an empty member, a binary one and one whose header needs the padding.
TEST(LhaArchiveTest, WhatWeWriteBothReadersUnpack)
{
    struct Case {
        std::string name;
        std::string data;
    };
    const Case cases[] = {
        {"cpacc.fbk", randomBytes(300000)},
        {"empty.fbk", ""},
        {std::string(222, 'n'), "header of 256 bytes"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        writeBytes(dir / "member", c.data);
        WriteLhaArchive(dir / "a.lzh", dir / "member", c.name);
        ExtractLhaMember(dir / "a.lzh", c.name, dir / "back");
        EXPECT_EQ(readBytes(dir / "back"), c.data) << c.name.size();
        EXPECT_FALSE(std::filesystem::exists(dir / "back.part"));

        std::filesystem::create_directory(dir / "x");
        const std::string command = "cd '" + (dir / "x").string() + "' && lha -xq '" + (dir / "a.lzh").string()
            + "' >/dev/null 2>&1 && lha -t '" + (dir / "a.lzh").string() + "' >/dev/null 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0) << c.name.size();
        EXPECT_EQ(readBytes(dir / "x" / c.name), c.data) << c.name.size();
    }
}

TEST(LhaArchiveTest, RefusesFoldersDamageAndAMissingMemberWithoutWritingTheTarget)
{
    const std::string data = "backup bytes";
    std::string damaged = levelZeroArchive("cpacc.fbk", data) + '\0';
    damaged[damaged.size() - 3] ^= 0x01;
    struct Case {
        const char* what;
        std::string archive;
    };
    const Case cases[] = {
        {"parent folder", levelZeroArchive("../cpacc.fbk", data) + '\0'},
        {"sub-folder", levelZeroArchive("sub/cpacc.fbk", data) + '\0'},
        {"absolute", levelZeroArchive("/tmp/cpacc.fbk", data) + '\0'},
        {"other member only", levelZeroArchive("vqacc.fdb", data) + '\0'},
        {"damaged data", damaged},
        {"truncated", levelZeroArchive("cpacc.fbk", data).substr(0, 30)},
        {"not an archive", "PK\x03\x04 zip"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        writeBytes(dir / "a.lzh", c.archive);
        EXPECT_THROW(ExtractLhaMember(dir / "a.lzh", "cpacc.fbk", dir / "cpacc.fbk"), TLhaError) << c.what;
        EXPECT_FALSE(std::filesystem::exists(dir / "cpacc.fbk")) << c.what;
        EXPECT_FALSE(std::filesystem::exists(dir / "cpacc.fbk.part")) << c.what;
    }
}

TEST(LhaArchiveTest, ExtractsOnlyTheExpectedMemberOfSeveral)
{
    TempDir dir;
    writeBytes(dir / "a.lzh", levelZeroArchive("readme.txt", "other") + levelZeroArchive("cpacc.fbk", "wanted") + '\0');
    ExtractLhaMember(dir / "a.lzh", "cpacc.fbk", dir / "out.fbk");
    EXPECT_EQ(readBytes(dir / "out.fbk"), "wanted");
    EXPECT_FALSE(std::filesystem::exists(dir / "readme.txt"));
    EXPECT_THROW(WriteLhaArchive(dir / "b.lzh", dir / "out.fbk", "../out.fbk"), TLhaError);
}
