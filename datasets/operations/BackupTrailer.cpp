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

} // namespace vq
