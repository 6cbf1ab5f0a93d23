#pragma once
// The data-list store: the one way the system reads and writes the data-list
// tables of the system database (DATALIST, DATALIST_EX, CHILD_DATALIST and
// the cache of shared areas SERVERDATALIST, CHILD_SERVERDATALIST). It loads
// whole lists for the selection screens, finds single rows, converts between
// local working folders and share paths, writes rows, and takes shared data
// from its network drive and keeps it back.
//
// Every call works in the data module's system transaction: it starts it
// only when it is not active and commits or rolls back only what it started,
// so a caller may wrap several calls in its own transaction. Writes take
// ReportErrors: true reports a failure to the operator and returns false;
// false raises it, so that an outer write reports once and rolls back the
// whole change.
//
// Folders are native. The local folder of slot REC is "%.4d" under the data
// root (SystemDef.SysDir); a shared area's path keeps its drive letter
// ("X:/zeverivurev/sv0001"), whose first character is the cache's DRIVELETTER.
#include <cstdint>
#include <string>
#include <vector>

#include "datasets/DataListRec.h"
#include "foundation/dataset/DataInfomationRec.h"
#include "platform/db/Statement.h"

namespace vq {

class TDataInfomation;

class TDataSentakuListCtl {
public:
    TDataSentakuListCtl();
    TDataSentakuListCtl(const TDataSentakuListCtl&) = delete;
    TDataSentakuListCtl& operator=(const TDataSentakuListCtl&) = delete;

    // Connection mode, copied from the run state by whoever creates the store:
    // 0 stand-alone, 1 client/server, 2 server-based.
    std::uint8_t ConnectMode = 0;
    // 0 the data list, 1 the shared list (the shared-data screen).
    std::uint8_t ListKind = 0;
    // Report lines of the status report of shared data.
    std::vector<std::string> WorkLines;

    std::int32_t RecCount = 0;
    TDataSentakuRecArray DataList;
    std::int32_t ChildRecCount = 0;
    TDataListArray ChildList;

    std::uint8_t EntryFilter = 0;   // 0 all rows, 1 named only, 2 blank only
    std::int32_t NendoFilter = 0;   // above 0: only that NENDO
    std::string ShougouFilter;      // not empty: only that SHOUGOU
    std::vector<std::string> SubFolders;

    std::int32_t DataPlaceRec = 0;  // 0 the standard place
    std::string TableName = "DATALIST";
    bool HasCloudColumn = false;    // system database 11.0.1 or later
    bool HasReadOnlyColumn = false; // system database 12.0.0 or later

    // Pause after each stale share folder removed by a keep (the network
    // drive settles); tests set 0.
    int DeletePauseMs = 500;

    // The fixed slots of a data place in client/server and server-based
    // modes (AppInfo.ini [Rided] DataListCnt, 120 by default).
    static std::int32_t FixedSlotCount();
    // The folder under which slot REC has its local folder "%.4d".
    static std::string DataRoot();

    // --- loading ---
    void SetListTable(std::int32_t placeRec);
    void ClearList();
    void Execute(std::int32_t hideTaken, std::uint8_t sortType, bool descending, const std::string& orderText);
    void ServerExecute(std::uint8_t mode, const std::string& drivePath, std::uint8_t sortType, bool descending,
                       const std::string& orderText);
    std::string MakeLocalPath(TDataListRec& row) const;
    void NumberChildNames(TDataSentakuRec& row) const;
    void RemoveChild(TDataSentakuRec& row, std::int32_t index) const;
    // Sub-folder names of folder that can be shared areas (backup folders left out).
    void ListDataSubFolders(const std::string& folder, std::vector<std::string>& list) const;

    // --- finding rows and converting paths ---
    void ClearRecord(TDataListRec& row, const std::string& path) const;
    void SetRecordFromDataInfo(const TDataInfomationRec& info, TDataListRec& row) const;
    void GetDataListRecord(std::uint8_t keyKind, TDataListRec& row, bool reportErrors);
    void GetDataListChildRecord(TDataSentakuRec& row, bool reportErrors);
    std::int32_t GetRecordOfPath(const std::string& localPath, TDataSentakuRec& row);
    std::int32_t GetRecNoOfPath(const std::string& path);
    std::int32_t GetRecNoByPasName(const std::string& path);
    void SplitDataFolder(const std::string& path, std::string& recText, std::string& subFolder) const;
    bool ConvLocalPathToSharePath(const std::string& localPath, std::string& pasName, std::int32_t& netDrive,
                                  std::int32_t& kyoyuLock);
    bool GetLocalPathToData(const std::string& path, TDataListRec& row);
    void GetLocalPathOfSharePath(const std::string& sharePath, std::uint8_t gassanKind, std::string& localPath);
    void ListPasNameSubFolders(const TDataListRec& row, std::vector<std::string>& list) const;
    void ListLocalSubFolders(const TDataListRec& row, std::vector<std::string>& list) const;

    // --- writes ---
    bool InsertDataListRecord(TDataListRec& row, bool reportErrors);
    bool UpdateDataListRecord(const TDataListRec& row, std::int32_t withNames, bool reportErrors);
    bool DeleteDataListRecord(const TDataListRec& row, bool reportErrors);
    bool UpdateDataListChildRecord(const TDataListRec& row, std::int32_t withNames, bool reportErrors);
    bool DeleteDataListChildRecord(const TDataListRec& row, bool reportErrors);
    // Renumbers the rows above the fixed slots without gaps; raises every error.
    void CompactRecNo();
    std::int32_t GetDataFolderName(std::int32_t offset);
    bool IsDataPathToroku(const std::string& path);
    bool UpdateServerDataListRecord(const TDataListRec& row, std::int32_t withNames, bool reportErrors);
    bool UpdateServerDataListChildRecord(const TDataListRec& row, std::int32_t withNames, bool reportErrors);
    bool DeleteServerDataListChildRecord(const TDataListRec& row, bool reportErrors);
    void NextServerAreaName(const std::string& drivePath, std::int32_t offset, std::string& name);
    // Makes the fixed slots of the current place up to maxCount (the slot
    // procedure); returns how many were made. Raises every error.
    std::int32_t MakeSlots(const std::string& pathText, std::int32_t maxCount);

    // --- shared data ---
    // 1 taken to this computer, 0 nothing copied, -1 refused (damaged, or
    // taken by another computer: the working copy is refreshed, not taken).
    std::int32_t KyoyuDataGet(TDataSentakuRec& row, std::int32_t quiet);
    // 1 kept back to the share, 0 failed (everything stays taken).
    std::int32_t KyoyuDataPut(TDataSentakuRec& row, std::int32_t quiet);

private:
    std::string ColumnFlagLines() const;
    std::string PlaceLine() const;
    void FillRow(db::Statement& q, TDataListRec& row, bool childTable, bool serverTable) const;
    void BindRow(db::Statement& q, const TDataListRec& row) const;
    // The REC of row's folder in the shared list table; a folder listed more
    // than once is deleted altogether and gives 0, as does one not listed.
    std::int32_t SoleServerRec(const char* table, const TDataListRec& row);
    void AttachChild(const TDataListRec& child);
    std::int32_t FetchRows(db::Statement& q, std::size_t from, bool childTable, bool serverTable);
    void ShowStatusReport(const std::string& mainText);
    void SetDataSetLines(const std::string& folder, const TDataInfomationRec& info);
    bool HoldsDataFile(const std::string& folder) const;

    db::Statement MainSql;
    db::Statement ScanSql;
};

// The operator's number within the group: opcode modulo (group * 10000); a
// group of 0 or less has no modulus, and the code is taken as it is.
std::int32_t OperatorNumberOf(std::int32_t opcode, std::int32_t group);

} // namespace vq
