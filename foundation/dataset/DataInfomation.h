#pragma once
// One data set's description and its info file "vqacc.ini": read from the
// data-set database, from the info file (stand-alone) or from the system
// database's data list (through the server), written back, and the shared
// data moved between a shared folder and a local working folder.
//
// The info file lies next to the database; only data reached directly has
// one. Its status keys are the coordination between programs and computers:
// advisory, read by every data-selection screen. Section [DATASTS] holds
// STATUS, OPCODE and OPERATOR (only when OPCODE is not 0), SHARE_STATUS,
// SHARE_OPCODE and SHARE_OPERATOR (only when SHARE_OPCODE is not 0),
// UPDATE_LOCK and READ_ONLY; [DATAINFO] the description, in the record's
// order, with the three version numbers as VERSION1 "m.n.r".
//
// Paths are folders without a trailing delimiter. Every change of the info
// file replaces it in one step.
#include <cstdint>
#include <string>

#include "foundation/dataset/DataInfomationRec.h"
#include "foundation/dataset/SeihinVersionList.h"

namespace vq {

class TDataInfomation {
public:
    // Loads the version list (unsorted) and makes sure the data module can
    // describe the data sets it opens and closes.
    TDataInfomation();

    // How the data set is reached (ConnectMode): 0 stand-alone, 1 client/
    // server, 2 server-based. The server modes keep no info file: writes do
    // nothing there. Other values write like 0 and read a cleared record.
    std::uint8_t Location = 0;
    // The record the status and share operations work on.
    TDataInfomationRec Rec;
    TSeihinVersionList VersionList;

    // The info file of a data-set folder.
    static std::string InfoFileName(const std::string& folder);

    // Fills rec from the data set open in the data module (connecting it when
    // needed; it stays connected). A dynamic-SQL error reaches the caller;
    // other errors are reported and give False.
    bool GetDataInfoRec(TDataInfomationRec& rec);
    // Opens the data set in folder, describes it and closes it; False when
    // its database is missing or cannot be read.
    bool GetDataInfoFromFolder(const std::string& folder, TDataInfomationRec& rec);
    // Writes the list name (cut to 40 bytes), the update lock and, from data
    // version 12.0.0, the read-only flag into the data set's ACCDEF1 row.
    void UpdateDataInfomation(const std::string& host, const std::string& folder, TDataInfomationRec& rec);

    // Reads the description as Location requires. False only when a
    // stand-alone folder holds neither database nor info file, or when the
    // server's data list holds a lock (rec then describes the lock).
    // A local folder with a database and no info file gets one.
    bool ReadIniFile(const std::string& host, const std::string& folder, TDataInfomationRec& rec);
    // The same on the configured host.
    bool ReadDataInfo(const std::string& folder, TDataInfomationRec& rec);

    // section "DATASTS", "DATAINFO" or '' for both (compared exactly); each
    // section written is replaced whole. rec becomes this object's Rec.
    void WriteIniFile(const std::string& folder, const std::string& section, const TDataInfomationRec& rec);
    void WriteIniValue(const std::string& folder, const std::string& section, const std::string& key,
                       const std::string& value, bool deleteIt);
    // Status 1 removes the operator keys; any other status records the
    // logged-on operator. Errors of the write reach the caller.
    void WriteDataStatus(const std::string& folder, std::uint8_t status);
    void WriteShareStatus(const std::string& folder, std::uint8_t status);
    // 1 when it wrote the share status, 0 when the file held it already.
    std::int32_t SetShareStatusIfChanged(const std::string& folder, std::uint8_t status);
    // With a section: that section anew (DATAINFO from the database, DATASTS
    // cleared). Without: both, by opening and closing a local data set.
    void RefreshIniFile(const std::string& folder, const std::string& section);

    // Returns the local working copy to the shared folder: 1 done, 0 failed
    // (both sides then stay taken). quiet 1 suppresses messages.
    std::int32_t PutShareData(const std::string& shareFolder, const std::string& localFolder, std::int32_t quiet);
    // Takes the shared data set into the local folder: 1 taken, 0 failed
    // (nothing changed on either side), -1 damaged or already taken (a taken
    // share is still copied). Unless quiet is 1, a damaged or unreachable
    // share raises an error for the caller to show.
    std::int32_t GetShareData(const std::string& shareFolder, const std::string& localFolder, std::int32_t quiet);

    // Display name of a data version: "評価版" for 0.n (n > 0), else the name
    // of the version list's row, else "major.minor".
    void GetVersionName(std::int32_t major, std::int32_t minor, std::string& name) const;

private:
    bool ReadInfoFromServer(const std::string& host, const std::string& folder, TDataInfomationRec& rec);
    void WriteStatusKeys(const std::string& folder, const char* statusKey, const char* codeKey,
                         const char* nameKey, std::uint8_t status);
};

} // namespace vq
