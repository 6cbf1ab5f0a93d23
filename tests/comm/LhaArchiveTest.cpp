#include "comm/LhaArchive.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

using vq::comm::ExtractLhaMember;
using vq::comm::LhaCrc16;
using vq::comm::TLhaError;
using vq::comm::TLhaPackedMember;
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

// Words of a small vocabulary in random order: compressible, but only by
// both halves of the method (matches and the Huffman codes of literals).
std::string wordSoup(std::size_t n, unsigned seed)
{
    static const char* words[] = {"仕訳", "journal ", "0001", "売掛金", "\x00\x00\x01", "tax", "摘要 ", "2026/12/11 "};
    std::mt19937 gen(seed);
    std::string s;
    while (s.size() < n) {
        s += words[gen() % 8];
        if (gen() % 5 == 0)
            s += static_cast<char>(gen() & 0xFF);
    }
    s.resize(n);
    return s;
}

std::string methodOf(const std::filesystem::path& archive)
{
    return readBytes(archive).substr(2, 5);
}

// What we write, liblhasa and the lhasa command-line tool both read back:
// compressed where that makes the member smaller, stored where it does not.
TEST(LhaArchiveTest, WhatWeWriteBothReadersUnpack)
{
    const std::string block = randomBytes(8191);
    struct Case {
        const char* what;
        std::string name;
        std::string data;
        const char* method;
    };
    const Case cases[] = {
        {"empty", "empty.fbk", "", "-lh0-"},
        {"one byte", "cpacc.fbk", "x", "-lh0-"},
        {"random", "cpacc.fbk", randomBytes(300000), "-lh0-"},
        {"header of 256 bytes", std::string(222, 'n'), "header of 256 bytes", "-lh0-"},
        {"one repeated byte", "cpacc.fbk", std::string(1 << 20, '\0'), "-lh5-"},
        {"repeats at the window's far end", "cpacc.fbk", block + block + block + randomBytes(5), "-lh5-"},
        {"larger than the window", "cpacc.fbk", wordSoup(100000, 1), "-lh5-"},
        {"a few MiB", "cpacc.fbk", wordSoup(3 << 20, 2) + randomBytes(70000) + wordSoup(1 << 20, 3), "-lh5-"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        writeBytes(dir / "member", c.data);
        WriteLhaArchive(dir / "a.lzh", dir / "member", c.name);
        EXPECT_EQ(methodOf(dir / "a.lzh"), c.method) << c.what;
        if (std::string(c.method) == "-lh5-") {
            EXPECT_LT(std::filesystem::file_size(dir / "a.lzh"), c.data.size()) << c.what;
        }
        ExtractLhaMember(dir / "a.lzh", c.name, dir / "back");
        EXPECT_TRUE(readBytes(dir / "back") == c.data) << c.what;
        EXPECT_FALSE(std::filesystem::exists(dir / "back.part"));

        std::filesystem::create_directory(dir / "x");
        const std::string command = "cd '" + (dir / "x").string() + "' && lha -xq '" + (dir / "a.lzh").string()
            + "' >/dev/null 2>&1 && lha -t '" + (dir / "a.lzh").string() + "' >/dev/null 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0) << c.what;
        EXPECT_TRUE(readBytes(dir / "x" / c.name) == c.data) << c.what;
    }
}

// A member that stops shrinking half-way is stored whole, and nothing of
// the longer attempt is left behind the archive's end.
TEST(LhaArchiveTest, FallsBackToStoringWithoutLeavingTheAttempt)
{
    TempDir dir;
    const std::string data = wordSoup(200, 4) + randomBytes(400000);
    writeBytes(dir / "member", data);
    WriteLhaArchive(dir / "a.lzh", dir / "member", "cpacc.fbk");
    EXPECT_EQ(methodOf(dir / "a.lzh"), "-lh0-");
    const auto archive = readBytes(dir / "a.lzh");
    EXPECT_EQ(archive.size(), static_cast<std::size_t>(static_cast<unsigned char>(archive[0])) + data.size() + 1);
    ExtractLhaMember(dir / "a.lzh", "cpacc.fbk", dir / "back");
    EXPECT_TRUE(readBytes(dir / "back") == data);
}

// Past its memory limit the compressed member waits in the spool file,
// which goes with the packed member; either way the archive is the same.
TEST(LhaArchiveTest, PackedMemberSpillsPastItsLimitAndRemovesTheSpool)
{
    TempDir dir;
    const std::string data = wordSoup(1 << 20, 5);
    writeBytes(dir / "member", data);
    std::string inMemory, spooled;
    {
        const TLhaPackedMember packed(dir / "member", "cpacc.fbk", dir / "spool");
        EXPECT_FALSE(packed.Spooled());
        packed.WriteTo([&](const void* p, std::size_t n) { inMemory.append(static_cast<const char*>(p), n); });
    }
    {
        const TLhaPackedMember packed(dir / "member", "cpacc.fbk", dir / "spool", 4096);
        EXPECT_TRUE(packed.Compressed());
        EXPECT_TRUE(packed.Spooled());
        EXPECT_TRUE(std::filesystem::exists(dir / "spool"));
        packed.WriteTo([&](const void* p, std::size_t n) { spooled.append(static_cast<const char*>(p), n); });
        EXPECT_EQ(packed.ArchiveSize(), spooled.size());
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "spool"));
    EXPECT_TRUE(inMemory == spooled);
    writeBytes(dir / "a.lzh", spooled);
    ExtractLhaMember(dir / "a.lzh", "cpacc.fbk", dir / "back");
    EXPECT_TRUE(readBytes(dir / "back") == data);
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
