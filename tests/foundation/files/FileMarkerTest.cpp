#include "foundation/files/BufFileStream.h"
#include "foundation/files/FileErrors.h"
#include "foundation/files/FileMarker.h"
#include "platform/Cp932.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

using namespace vq;
namespace fs = std::filesystem;

namespace {

const std::string Marker = "## CorvaneZone";

// size bytes of 'x' with the marker written at each of the offsets.
std::string body(std::size_t size, std::initializer_list<std::size_t> offsets)
{
    std::string bytes(size, 'x');
    for (std::size_t at : offsets)
        bytes.replace(at, Marker.size(), Marker);
    return bytes.substr(0, size);
}

} // namespace

TEST(FileMarker, FindsTheFirstMarkerAfterTheFirstByte)
{
    vq::test::TempDir dir;
    struct Case {
        std::size_t size;
        std::initializer_list<std::size_t> at;
        std::size_t block;
        std::int64_t expected;
    };
    const Case cases[] = {
        {700, {600}, 512, 600},
        {700, {505}, 512, 505},       // straddles the block boundary
        {700, {0}, 512, 0},           // only at the first byte
        {700, {0, 300}, 512, 300},    // a second one in the same block is still found
        {700, {}, 512, -1},
        {100, {10}, 4, 10},           // a marker longer than the block
        {64, {29}, 16, 29},           // straddles with a small block injected
        {64, {16}, 16, 16},           // starts exactly on a boundary
        {30, {16}, 16, 16},           // in a short last block
    };
    for (const auto& c : cases) {
        fs::path file = dir / "backup.fbk";
        vq::test::writeBytes(file, body(c.size, c.at));
        std::string text = "stale";
        EXPECT_EQ(FindFileMarker(file, Marker, text, c.block), c.expected) << c.size << " block " << c.block;
        if (c.expected > 0)
            EXPECT_EQ(text, body(c.size, c.at).substr(static_cast<std::size_t>(c.expected)));
        else
            EXPECT_EQ(text, "");
    }
}

TEST(FileMarker, TrailerTextEndsAtZeroAndIsCp932OnDisk)
{
    vq::test::TempDir dir;
    fs::path file = dir / "backup.fbk";
    vq::test::writeBytes(file, std::string(1000, 'x'));
    AppendTextToFile(file, Marker + "\r\nNAME=山田商店\r\n");
    std::string raw = vq::test::readBytes(file);
    EXPECT_NE(raw.find(platform::cp932::fromUtf8("山田商店")), std::string::npos);

    std::string text;
    EXPECT_EQ(ExtractFileTrailer(file, Marker, text, true), 1000);
    EXPECT_EQ(text, Marker + "\r\nNAME=山田商店\r\n");
    EXPECT_EQ(fs::file_size(file), 1000u);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);

    vq::test::writeBytes(file, "abc" + Marker + std::string("T\0rest", 6));
    EXPECT_EQ(FindFileMarker(file, Marker, text), 3);
    EXPECT_EQ(text, Marker + "T");

    EXPECT_THROW(AppendTextToFile(dir / "missing.fbk", "x"), EFileStreamError);
    EXPECT_EQ(GetFileSize64(dir / "missing.fbk"), 0);
    EXPECT_THROW(FindFileMarker(dir / "missing.fbk", Marker, text), EFileStreamError);
}

TEST(FileMarker, BackupsOfTwoGibibytesAndMore)
{
    vq::test::TempDir dir;
    fs::path file = dir / "big.fbk";
    const std::int64_t at = (std::int64_t{1} << 31) + 4096 + 100; // past 2 GiB
    {
        int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ASSERT_GE(fd, 0);
        // Sparse: nothing but the marker takes room on disk.
        ASSERT_EQ(::pwrite(fd, Marker.data(), Marker.size(), at), static_cast<ssize_t>(Marker.size()));
        ::close(fd);
    }
    EXPECT_EQ(GetFileSize64(file), at + static_cast<std::int64_t>(Marker.size()));
    std::string text;
    EXPECT_EQ(ExtractFileTrailer(file, Marker, text, true), at);
    EXPECT_EQ(text, Marker);
    EXPECT_EQ(GetFileSize64(file), at);
}

TEST(BufFileStream, ReadsInPiecesToTheEnd)
{
    vq::test::TempDir dir;
    fs::path file = dir / "data.bin";
    std::string bytes(40000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 7);
    vq::test::writeBytes(file, bytes);

    TBufFileStream stream(file, 16);
    std::string got;
    char piece[512];
    int full = 0;
    std::int64_t n = 0;
    while ((n = stream.Read(piece, sizeof piece)) == static_cast<std::int64_t>(sizeof piece)) {
        ++full;
        got.append(piece, sizeof piece);
    }
    EXPECT_EQ(full, 78);
    EXPECT_EQ(n, 64);
    got.append(piece, static_cast<std::size_t>(n));
    EXPECT_EQ(got, bytes);
    EXPECT_EQ(stream.Read(piece, sizeof piece), 0);
    EXPECT_EQ(stream.Read(piece, sizeof piece), 0);

    EXPECT_EQ(stream.Seek(100, TBufFileStream::soBeginning), 100);
    EXPECT_EQ(stream.Seek(-50, TBufFileStream::soCurrent), 50);
    ASSERT_EQ(stream.Read(piece, 10), 10);
    EXPECT_EQ(std::string(piece, 10), bytes.substr(50, 10));
    EXPECT_EQ(stream.Position(), 60);

    std::vector<char> tooBig(16 * 1024 + 1);
    EXPECT_THROW(stream.Read(tooBig.data(), static_cast<std::int64_t>(tooBig.size())), std::runtime_error);
}
