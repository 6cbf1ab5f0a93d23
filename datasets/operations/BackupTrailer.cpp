#include "datasets/operations/BackupTrailer.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

#include "foundation/text/TextUtils.h"
#include "platform/Cp932.h"

namespace fs = std::filesystem;

namespace vq {

namespace {

// The block is a few hundred bytes; it is looked for only near the end.
constexpr std::uintmax_t TailBytes = 64 * 1024;

std::int32_t numberOf(const std::string& text)
{
    try {
        return static_cast<std::int32_t>(std::stol(text));
    } catch (...) {
        return 0;
    }
}

} // namespace

void WriteBackupTrailer(const fs::path& backupFile, const BackupTrailer& t)
{
    if (t.SHOUGOU.empty())
        return;
    const std::string block = TrailerMarker + "\r\nSHOUGOU=" + t.SHOUGOU + "\r\nKISHU=" + t.KISHU +
                              "\r\nKIMATU=" + t.KIMATU + "\r\nSIWAKE=" + std::to_string(t.SIWAKE) +
                              "\r\nTOTALSIWAKE=" + std::to_string(t.TOTALSIWAKE) +
                              "\r\nDATAVARSION=" + t.DATAVARSION + "\r\nGASSAN=" + std::to_string(t.GASSAN) +
                              "\r\nUSEMYNUMBER=" + std::to_string(t.USEMYNUMBER);
    const std::string bytes = platform::cp932::fromUtf8(block);
    std::ofstream out(backupFile, std::ios::binary | std::ios::app);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out)
        throw std::runtime_error("cannot append the trailer to " + backupFile.string());
}

bool ReadBackupTrailer(const fs::path& backupFile, BackupTrailer& trailer, bool cut)
{
    trailer = BackupTrailer{};
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(backupFile, ec);
    if (ec)
        return false;
    const std::uintmax_t from = size > TailBytes ? size - TailBytes : 0;
    std::ifstream in(backupFile, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(from));
    std::string tail(static_cast<std::size_t>(size - from), '\0');
    in.read(tail.data(), static_cast<std::streamsize>(tail.size()));
    const std::size_t at = tail.rfind(TrailerMarker);
    if (at == std::string::npos)
        return false;

    for (const std::string& line : SplitLines(platform::cp932::toUtf8(tail.substr(at)))) {
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        const std::string key = line.substr(0, eq);
        const std::string value = line.substr(eq + 1);
        if (key == "SHOUGOU") trailer.SHOUGOU = value;
        else if (key == "KISHU") trailer.KISHU = value;
        else if (key == "KIMATU") trailer.KIMATU = value;
        else if (key == "SIWAKE") trailer.SIWAKE = numberOf(value);
        else if (key == "TOTALSIWAKE") trailer.TOTALSIWAKE = numberOf(value);
        else if (key == "DATAVARSION") trailer.DATAVARSION = value;
        else if (key == "GASSAN") trailer.GASSAN = numberOf(value);
        else if (key == "USEMYNUMBER") trailer.USEMYNUMBER = numberOf(value);
    }
    if (cut) {
        in.close();
        fs::resize_file(backupFile, from + at);
    }
    return !trailer.SHOUGOU.empty();
}

} // namespace vq
