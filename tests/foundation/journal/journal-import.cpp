// One of several processes importing journal rows into one facility of one
// data set at once, as the cash-book import writes them: rows checked and
// written through TSiwakeWrite, a few to a transaction the import owns.
//
//   vq_journal_import FOLDER DEBIT CREDIT MODE WORKDIR NAME
//
// FOLDER holds the data set, DEBIT and CREDIT are the accounts' user codes.
// MODE "nowait" writes in the data module's own transaction, "wait" in one
// that waits for other transactions' locks. The process makes
// WORKDIR/NAME.ready once it is connected and starts writing when
// WORKDIR/go appears, so that the importers start together. Prints the REC
// of every row whose transaction committed, one a line, and "failed N" for
// the transactions that failed and were rolled back. Exits 0 unless it could
// not run at all.
#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "foundation/accounting/ConsumptionTax.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/AccInf.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/calendar/DayNumber.h"
#include "foundation/data/DataModule.h"
#include "foundation/journal/SiwakeWrite.h"
#include "platform/ScriptedInteraction.h"
#include "platform/db/DbError.h"
#include "platform/db/Transaction.h"

namespace fs = std::filesystem;

namespace {

constexpr int kTransactions = 10;
constexpr int kRowsPerTransaction = 6;

int run(int argc, char** argv)
{
    if (argc != 7) {
        std::fprintf(stderr, "usage: vq_journal_import FOLDER DEBIT CREDIT nowait|wait WORKDIR NAME\n");
        return 2;
    }
    const std::string folder = argv[1], debit = argv[2], credit = argv[3], mode = argv[4];
    const fs::path work = argv[5];
    const std::string name = argv[6];

    vq::platform::ScopedScriptedInteraction seam;
    vq::ConnectMode = vq::ConnectStandAlone;
    vq::SystemDef.HostName.clear();
    vq::SystemDef.DbUser = "SYSDBA";
    vq::SystemDef.DbPassword = "masterkey";
    vq::SystemDef.OPCODE = 100001;
    vq::SystemDef.LogDir = (work / (name + "-log")).string();
    fs::create_directories(vq::SystemDef.LogDir);

    vq::TDM dm;
    if (!dm.fnAccDatConnected("", folder, 0) || !dm.fnGetAccInfo()) {
        std::fprintf(stderr, "cannot open the data set in %s\n", folder.c_str());
        return 1;
    }
    vq::db::Transaction waiting(dm.IBDatabaseDAT.attachment(),
                                {vq::db::Isolation::ReadCommitted, false, true, 5});
    vq::db::Transaction& tr = mode == "wait" ? waiting : dm.IBTransactionDAT;
    vq::TSiwakeWrite writer;
    writer.SetTransaction(tr);
    writer.MsgVariant = 1;
    writer.LockWait = 5;

    std::ofstream(work / (name + ".ready")).put('\n');
    for (int i = 0; i < 2000 && !fs::exists(work / "go"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));

    int failed = 0;
    for (int t = 0; t < kTransactions; ++t) {
        std::vector<std::int32_t> told;
        try {
            tr.start();
            for (int r = 0; r < kRowsPerTransaction; ++r) {
                vq::TSWKREC rec;
                writer.InitSiwakeRec(rec, 0, vq::encodeDate(2024, 1 + (t + r) % 12, 1 + r));
                rec.SCODE = " ";
                rec.Debit.USERCODE = debit;
                rec.Credit.USERCODE = credit;
                rec.KINGAKU = vq::YenToCurrency(100 + r);
                std::int32_t code = 0;
                std::string msg;
                if (!writer.TestSiwake(rec, code, msg) || !vq::CalcSiwakeZei(rec))
                    throw std::runtime_error("row refused: " + msg);
                told.push_back(writer.PutSiwake(rec));
            }
            tr.commit();
            for (std::int32_t rec : told)
                std::printf("%d\n", rec);
        } catch (const vq::db::DbError&) {
            tr.rollback();
            ++failed;
        }
    }
    std::printf("failed %d\n", failed);
    dm.CloseAccDat(folder, 0, 0);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        return run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vq_journal_import: %s\n", e.what());
        return 1;
    }
}
