#include "comm/FileCipher.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <random>

using vq::comm::CipherKeyText;
using vq::comm::DecryptFile;
using vq::comm::EncryptFile;
using vq::comm::TCipherError;
using vq::comm::TCipherWriter;
using vq::test::readBytes;
using vq::test::TempDir;
using vq::test::writeBytes;

namespace {

constexpr std::size_t Chunk = 64;

std::string bytes(std::size_t n)
{
    std::mt19937 gen(static_cast<unsigned>(n));
    std::string s(n, '\0');
    for (auto& c : s)
        c = static_cast<char>(gen() & 0xFF);
    return s;
}

} // namespace

TEST(FileCipherTest, RoundTripsEverySizeAroundTheChunksAndNeverRepeatsAFile)
{
    const std::string key = CipherKeyText("ABC123");
    for (std::size_t n : {std::size_t{0}, std::size_t{1}, Chunk - 1, Chunk, Chunk + 1, 3 * Chunk, 3 * Chunk + 7}) {
        TempDir dir;
        const std::string plain = bytes(n);
        writeBytes(dir / "plain", plain);
        EncryptFile(dir / "plain", dir / "a.wen", key, Chunk);
        EncryptFile(dir / "plain", dir / "b.wen", key, Chunk);
        EXPECT_NE(readBytes(dir / "a.wen"), readBytes(dir / "b.wen")) << n;
        if (n >= 16) {
            EXPECT_EQ(readBytes(dir / "a.wen").find(plain.substr(0, 16)), std::string::npos) << n;
        }
        DecryptFile(dir / "a.wen", dir / "back", key);
        EXPECT_EQ(readBytes(dir / "back"), plain) << n;
    }
    TempDir dir;
    writeBytes(dir / "plain", bytes(3 * (1 << 20) + 5));
    EncryptFile(dir / "plain", dir / "big.wen", key);
    DecryptFile(dir / "big.wen", dir / "back", key);
    EXPECT_EQ(readBytes(dir / "back"), readBytes(dir / "plain"));
}

// Written piece by piece, across and onto chunk boundaries, the file reads
// back as one; abandoned before Commit, it leaves nothing.
TEST(FileCipherTest, WriterTakesPiecesOfAnySizeAndLeavesNothingUncommitted)
{
    const std::string key = CipherKeyText("ABC123");
    const std::string plain = bytes(4 * Chunk);
    TempDir dir;
    {
        TCipherWriter out(dir / "a.wen", key, Chunk);
        std::size_t at = 0;
        for (std::size_t piece : {1, 62, 1, 0, 65, 127, 0}) {
            out.Write(plain.data() + at, piece);
            at += piece;
        }
        ASSERT_EQ(at, plain.size());
        out.Commit();
    }
    DecryptFile(dir / "a.wen", dir / "back", key);
    EXPECT_EQ(readBytes(dir / "back"), plain);
    {
        TCipherWriter out(dir / "b.wen", key, Chunk);
        out.Write(plain.data(), plain.size());
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "b.wen"));
    EXPECT_FALSE(std::filesystem::exists(dir / "b.wen.part"));
}

TEST(FileCipherTest, RefusesWrongKeysAndEveryCutOrChangedFileWithoutATarget)
{
    TempDir dir;
    writeBytes(dir / "plain", bytes(3 * Chunk + 10));
    EncryptFile(dir / "plain", dir / "good.wen", CipherKeyText("ABC123"), Chunk);
    const std::string good = readBytes(dir / "good.wen");
    const std::size_t header = 36, sealedChunk = Chunk + 16;
    auto flipped = [&](std::size_t at) {
        std::string s = good;
        s[at] ^= 0x40;
        return s;
    };
    struct Case {
        const char* what;
        std::string file;
        std::string password = "ABC123";
    };
    const Case cases[] = {
        {"wrong password", good, "ABC124"},
        {"empty password", good, ""},
        {"magic", flipped(0)},
        {"version", flipped(4)},
        {"cost", flipped(5)},
        {"salt", flipped(10)},
        {"nonce", flipped(26)},
        {"chunk size", flipped(header - 1)},
        {"first chunk", flipped(header + 3)},
        {"first tag", flipped(header + sealedChunk - 1)},
        {"last chunk", flipped(good.size() - 20)},
        {"cut by one byte", good.substr(0, good.size() - 1)},
        {"cut at a chunk's end", good.substr(0, header + 2 * sealedChunk)},
        {"header only", good.substr(0, header)},
        {"cut in the header", good.substr(0, 20)},
        {"chunks swapped", good.substr(0, header) + good.substr(header + sealedChunk, sealedChunk)
                               + good.substr(header, sealedChunk) + good.substr(header + 2 * sealedChunk)},
        {"one more byte", good + "x"},
        {"empty", ""},
    };
    for (const auto& c : cases) {
        writeBytes(dir / "bad.wen", c.file);
        EXPECT_THROW(DecryptFile(dir / "bad.wen", dir / "out", CipherKeyText(c.password)), TCipherError) << c.what;
        EXPECT_FALSE(std::filesystem::exists(dir / "out")) << c.what;
        EXPECT_FALSE(std::filesystem::exists(dir / "out.part")) << c.what;
    }
}
