#pragma once
// The journal writer: reads, checks, inserts, updates, deletes and
// undeletes journal entries of the open data set through its journal
// procedures (SP_SIWAKE_INS, SP_SIWAKE_UPD, SP_SIWAKE_DEL), one row
// (TSWKREC) at a time. The check holds a row against the data set's
// calendar, audit and approval locks, the facility's accounts and the
// consumption-tax rules, and completes it with the master data (groups,
// fund codes, names, rate number). The cash-book import is its caller: one
// writer on the import's transaction, rows initialised, checked and written.
//
// Every statement runs in the transaction given by SetTransaction. With
// AutoCommit set, the next operation starts that transaction when it is not
// active and ends it itself (commit, or roll back on a failure), then clears
// the flag. Database errors are logged with the label "TSiwakeWrite.<op>"
// and passed on.
//
// Every journal row updates its facility's totals, so two writers in one
// facility meet each other's locks. A write waits for such a lock up to
// LockWait seconds inside the transaction it runs in, and never rolls back
// work it did not start: when the lock stays, the write fails and nothing of
// it is kept, and the caller decides what becomes of its transaction.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "foundation/accounting/KamokuRec.h"
#include "foundation/accounting/SwkRec.h"

namespace vq {

namespace db {
class Statement;
class Transaction;
} // namespace db

// The last account FindAccount found, with the codes it was asked for.
struct TSiwakeAccount {
    std::string SCODE;
    std::string SNAME;
    std::string BCODE;
    std::string BNAME;
    TKMKREC Kamoku;
    THOJREC Hojo;
};

class TSiwakeWrite {
public:
    enum CheckIndex { CheckAccount, CheckTaxCode, CheckAmount, CheckText, CheckKobetuGenka, CheckShonin };

    TSiwakeWrite();
    ~TSiwakeWrite();
    TSiwakeWrite(const TSiwakeWrite&) = delete;
    TSiwakeWrite& operator=(const TSiwakeWrite&) = delete;

    void SetTransaction(db::Transaction& transaction);
    void InitSiwakeRec(TSWKREC& rec, std::int32_t kessan, double hizuke);
    // False with code and msg (in the wording MsgVariant picks) for the first
    // rule the row breaks; true with the row completed.
    bool TestSiwake(TSWKREC& rec, std::int32_t& code, std::string& msg);
    // Insert (REC 0): the new REC. Update: 0, or -1 / -2 as the procedure answers.
    std::int32_t PutSiwake(TSWKREC& rec);
    std::int32_t DeleteSiwake(std::int32_t swkRec);
    std::int32_t RestoreSiwake(std::int32_t swkRec);
    void GetSiwake(TSWKREC& rec, std::int32_t recNo, bool useView);
    bool SetSisetu(const std::string& code);
    bool GetKamokuArray(const std::string& sCode);
    bool FindAccount(const std::string& sCode, const std::string& bCode, const std::string& userCode,
                     const std::string& hCode);

    std::uint8_t MsgVariant = 0;     // 0 an operator's entry, 1 imported data
    std::uint8_t AutoCommit = 0;     // one-shot
    std::int32_t LockWait = 10;      // seconds a write waits for another transaction's lock
    std::string SisetuCode;
    TSiwakeAccount CurAccount;
    std::vector<TKamokuRec> KamokuArray;
    std::vector<std::string> KamokuIndex;   // "USERCODE=index of its first row"
    std::int32_t KamokuCount = 0;
    std::array<bool, 6> Checks{true, true, true, true, true, true};
    std::int32_t KakoMode = 0;       // 0 current year, 1 previous, 2 the year before
    std::vector<std::string> KobetuGenkaList;
    std::int32_t KobetuGenkaIndex = -1;

private:
    class AutoScope;
    db::Statement& sql();
    // Runs unit, a write of one statement's effect, again while another
    // transaction's lock stops it, up to LockWait; errors are logged under
    // label and passed on.
    void submit(const char* label, const std::function<void()>& unit);
    bool checkSide(TSWKREC& rec, bool debit, const std::vector<std::string>& stored, std::int32_t& code,
                   std::string& msg);
    std::string message(int pair, bool debit = true) const;
    std::string selectList() const;

    db::Transaction* transaction_ = nullptr;
    int scopeDepth_ = 0;
    std::unique_ptr<db::Statement> sql_;
};

} // namespace vq
