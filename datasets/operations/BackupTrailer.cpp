#include "datasets/operations/BackupTrailer.h"

#include "foundation/dataset/BackupRestoreThread.h"

namespace fs = std::filesystem;

namespace vq {

void WriteBackupTrailer(const fs::path& backupFile, const BackupTrailer& t)
{
    TBackupRestoreThread writer(true);
    writer.SHOUGOU = t.SHOUGOU;
    writer.KISHU = t.KISHU;
    writer.KIMATU = t.KIMATU;
    writer.SIWAKE = t.SIWAKE;
    writer.TOTALSIWAKE = t.TOTALSIWAKE;
    writer.DATAVARSION = t.DATAVARSION;
    writer.GASSAN = t.GASSAN;
    writer.USEMYNUMBER = t.USEMYNUMBER;
    writer.WriteTrailer(backupFile.string());
}

bool ReadBackupTrailer(const fs::path& backupFile, BackupTrailer& trailer, bool cut)
{
    trailer = BackupTrailer{};
    std::error_code ec;
    if (!fs::is_regular_file(backupFile, ec))
        return false;
    TBackupRestoreThread reader(true);
    const bool found = reader.ReadTrailer(backupFile.string(), cut);
    trailer.SHOUGOU = reader.SHOUGOU;
    trailer.KISHU = reader.KISHU;
    trailer.KIMATU = reader.KIMATU;
    trailer.SIWAKE = reader.SIWAKE;
    trailer.TOTALSIWAKE = reader.TOTALSIWAKE;
    trailer.DATAVARSION = reader.DATAVARSION;
    trailer.GASSAN = reader.GASSAN;
    trailer.USEMYNUMBER = reader.USEMYNUMBER;
    return found;
}

BackupTrailer TrailerOf(const TDataInfomationRec& info)
{
    BackupTrailer t;
    t.SHOUGOU = info.SHOUGOU;
    t.KISHU = info.KISHU;
    t.KIMATU = info.KIMATU;
    t.SIWAKE = info.SIWAKE;
    t.TOTALSIWAKE = info.TOTALSIWAKE;
    t.DATAVARSION = std::to_string(info.MAJOR) + "." + std::to_string(info.MINOR1) + "." + std::to_string(info.MINOR2);
    t.GASSAN = info.GASSANKBN;
    t.USEMYNUMBER = info.USEMYNUMBER;
    return t;
}

TDataInfomationRec DescriptionOf(const BackupTrailer& t)
{
    TDataInfomationRec s;
    ClearRec(s);
    s.SHOUGOU = t.SHOUGOU;
    s.KISHU = t.KISHU;
    s.KIMATU = t.KIMATU;
    s.SIWAKE = t.SIWAKE;
    s.TOTALSIWAKE = t.TOTALSIWAKE;
    s.VERSION2 = t.DATAVARSION;
    s.GASSANKBN = static_cast<std::uint8_t>(t.GASSAN);
    s.USEMYNUMBER = t.USEMYNUMBER;
    return s;
}

} // namespace vq
