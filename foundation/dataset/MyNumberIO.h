#pragma once
// The My Number store of a data set: the management password check, the
// audit log MYNUMBER_LOG (who moved My Number data, when, how), and the
// data set's My Number settings ("＃USE", "＃KEY", "＃VALUE" of the typed
// settings, the last two encoded through the stored-value encoder).
//
// The backup-and-restore thread is the caller: it checks the password before
// a backup with My Number values, logs backups and restores, takes the
// settings out of a data set for a backup made without them and puts them
// back afterwards, and carries a data set's audit log over a restore.
//
// The operations that name a data set (host, full path of its "vqacc.fdb")
// connect it for their work when it is not the open one, and close it again
// only when they opened it. Failures are shown to the operator and
// swallowed: the operations return with whatever state they reached.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vq {

namespace db {
class Statement;
}

struct TMyNumberLogRec {
    double FHIZUKE = 0;          // day number with time; 0 = "now" at insertion
    std::string FSERIAL;         // installation identifier
    std::string FOPCODE;         // operator number as decimal text
    std::string FOPNAME;
    std::string FHOST;           // computer name, at most 60 bytes
    std::uint8_t FSTATE = 0;     // event kind 0-10
    std::string FPROCNAME;       // operation or screen, at most 40 bytes
    std::string FCOMMENT;        // event text, at most 100 bytes
};
using TMyNumberLogList = std::vector<TMyNumberLogRec>;

class TMyNumberIO {
public:
    TMyNumberIO();
    ~TMyNumberIO();
    TMyNumberIO(const TMyNumberIO&) = delete;
    TMyNumberIO& operator=(const TMyNumberIO&) = delete;

    // Asks for the management password (three tries). An operator who is no
    // My Number administrator passes at once; an empty password never does.
    bool CheckPassword(const std::string& password);
    static void MakeLogRec(TMyNumberLogRec& rec, std::uint8_t state, const std::string& procName);
    // Into the open data set, or into the data set of dbFile.
    void AddLog(TMyNumberLogRec& rec);
    void AddLogTo(TMyNumberLogRec rec, const std::string& host, const std::string& dbFile);
    // order 1: newest first; otherwise oldest first.
    void LoadLog(std::int32_t order);
    void LoadLogFrom(const std::string& host, const std::string& dbFile);
    // Adds the loaded rows that dbFile's log lacks, when it is the same
    // company's data set.
    void MergeLogInto(const std::string& host, const std::string& dbFile);
    void DeleteLog(const TMyNumberLogRec& rec);
    // Reads the settings; mode "MYNUMBER_CLEAR" also clears them in the data
    // set and logs the clearing (kept in LogRec).
    void ReadSettings(const std::string& host, const std::string& dbFile, const std::string& mode,
                      const std::string& procName);
    // Puts settings read by ReadSettings back and removes the clearing's log
    // row. The stored encoded texts go back byte for byte.
    void WriteSettings(const std::string& host, const std::string& dbFile);

    std::string Shougou;
    std::int32_t LogCount = 0;
    TMyNumberLogList Log;
    TMyNumberLogRec LogRec;
    std::int32_t UseFlag = 0;
    std::string MyNumberKey;     // decoded "＃KEY": the management password
    std::string MyNumberValue;   // decoded "＃VALUE"

private:
    db::Statement& sql1();
    db::Statement& sql2();
    void insertLog(TMyNumberLogRec& rec);

    std::unique_ptr<db::Statement> Sql1;
    std::unique_ptr<db::Statement> Sql2;
    // The settings as stored, so that they are written back unchanged even
    // when they could not be decoded.
    std::string StoredKey;
    std::string StoredValue;
};

} // namespace vq
