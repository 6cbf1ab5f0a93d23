// bench-journal [DIR] [--journals N] [--entries N]
//
// Measures the journal writer on a small and a large data set: 2,000 entries
// (--entries) checked, computed and written through TSiwakeWrite, in one
// transaction as the cash-book import writes them, into the general
// business data set (0001) of a sample office (DIR/small) and of one made
// with --journals N further entries (DIR/large, default N 200000). Each
// office is made with make-sample-office when DIR holds none, and copied
// before every run so that the runs start alike. Prints the entries per
// second of both and, on the last line, their ratio (large / small).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "foundation/accounting/ConsumptionTax.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/AccInf.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/app/SystemFolders.h"
#include "foundation/calendar/DayNumber.h"
#include "foundation/data/DataModule.h"
#include "foundation/journal/SiwakeWrite.h"
#include "tools/BenchArgs.h"
#include "tools/BenchOffice.h"
#include "platform/Process.h"
#include "platform/ScriptedInteraction.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

int usage()
{
    std::fprintf(stderr, "usage: bench-journal [DIR] [--journals N] [--entries N]\n");
    return 2;
}

// Entries per second of writing entries entries into a copy of the data
// set in folder.
double entriesPerSecond(const fs::path& folder, const fs::path& work, long entries)
{
    fs::remove_all(work);
    fs::create_directories(work);
    fs::copy_file(folder / vq::DataDbFileName, work / vq::DataDbFileName);
    vq::TDM dm;
    if (!dm.fnAccDatConnected("", work.string(), 0))
        throw std::runtime_error("cannot open the data set in " + work.string());
    vq::AccInf = vq::TACCINF{};
    if (!dm.fnGetAccInfo())
        throw std::runtime_error("cannot read the data set in " + work.string());

    vq::TSiwakeWrite writer;
    writer.SetTransaction(dm.IBTransactionDAT);
    writer.MsgVariant = 1;
    std::string cash, income;
    {
        vq::db::TransactionScope scope(dm.IBTransactionDAT);
        vq::db::Statement q(dm.IBDatabaseDAT.attachment(), dm.IBTransactionDAT,
                            "SELECT USERCODE, KNAME FROM KAMOKUMST ORDER BY KCODE");
        q.execute();
        std::vector<std::string> codes;
        while (q.fetch()) {
            if (q.field("KNAME").asString() == "現金")
                cash = q.field("USERCODE").asString();
            else
                codes.push_back(q.field("USERCODE").asString());
        }
        q.close();
        for (const auto& code : codes) {
            vq::TSWKREC rec;
            writer.InitSiwakeRec(rec, 0, vq::encodeDate(2024, 6, 10));
            rec.SCODE = " ";
            rec.Debit.USERCODE = cash;
            rec.Credit.USERCODE = code;
            rec.KINGAKU = vq::YenToCurrency(1000);
            std::int32_t c = 0;
            std::string m;
            if (code >= "4000" && writer.TestSiwake(rec, c, m)) {
                income = code;
                break;
            }
        }
        scope.commit();
    }
    if (cash.empty() || income.empty())
        throw std::runtime_error("no accounts to write to in " + work.string());

    const auto start = Clock::now();
    dm.IBTransactionDAT.start();
    for (long i = 0; i < entries; ++i) {
        vq::TSWKREC rec;
        writer.InitSiwakeRec(rec, 0, vq::encodeDate(2024, 1 + static_cast<int>(i % 12), 1 + static_cast<int>(i % 28)));
        rec.SCODE = " ";
        rec.Debit.USERCODE = cash;
        rec.Credit.USERCODE = income;
        rec.KINGAKU = vq::YenToCurrency(1000 + i);
        rec.TEKTEXT = "ベンチマーク " + std::to_string(i);
        std::int32_t code = 0;
        std::string msg;
        if (!writer.TestSiwake(rec, code, msg) || !vq::CalcSiwakeZei(rec))
            throw std::runtime_error("entry refused: " + msg);
        if (writer.PutSiwake(rec) <= 0)
            throw std::runtime_error("entry not written");
    }
    dm.IBTransactionDAT.commit();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    dm.CloseAccDat(work.string(), 0, 0);
    return seconds > 0 ? static_cast<double>(entries) / seconds : 0.0;
}

} // namespace

int main(int argc, char** argv)
{
    vq::tools::BenchArgs o;
    o.root = fs::temp_directory_path() / "vq-bench-journal";
    o.count = 2000;
    if (!vq::tools::ParseBenchArgs(argc, argv, "--entries", o))
        return usage();
    const long entries = o.count;
    try {
        const fs::path root = fs::absolute(o.root).lexically_normal();
        vq::TSystemDef folders;
        const fs::path small = vq::tools::SampleBenchDataSet(root / "small", 0, folders);
        const fs::path large = vq::tools::SampleBenchDataSet(root / "large", o.journals, folders);

        vq::platform::ScopedScriptedInteraction seam;
        vq::ConnectMode = vq::ConnectStandAlone;
        vq::SystemDef.HostName.clear();
        vq::SystemDef.DbUser = vq::DefaultDbUser;
        vq::SystemDef.DbPassword = vq::DefaultDbPassword;
        vq::SystemDef.OPCODE = 10;
        vq::SystemDef.LogDir = (root / "log").string();
        fs::create_directories(vq::SystemDef.LogDir);

        const double smallRate = entriesPerSecond(small, root / "work-small", entries);
        const double largeRate = entriesPerSecond(large, root / "work-large", entries);
        std::printf("sample data set: %.0f entries/s (%ld entries)\n", smallRate, entries);
        std::printf("data set with %ld further entries: %.0f entries/s\n", o.journals, largeRate);
        std::printf("large / small: %.3f\n", smallRate > 0 ? largeRate / smallRate : 0.0);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench-journal: %s\n", e.what());
        return 1;
    }
}
