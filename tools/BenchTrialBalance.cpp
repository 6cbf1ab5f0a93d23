// bench-trial-balance [DIR] [--journals N] [--runs N]
//
// Measures what the trial-balance engine adds to the stored procedure it
// reads: on the general business data set (0001) of a sample office in DIR
// (made with make-sample-office --journals N when DIR holds none; default
// N 200000), the settlement-layout load and the computation of the year as
// the income-tax linkage asks for them, against the bare call of
// SP_SISANHYO_KESSAN with all its rows fetched. Prints the best of the runs
// of each and, on the last line, their ratio (engine / procedure).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "foundation/app/AccConstants.h"
#include "foundation/app/AccInf.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/app/SystemFolders.h"
#include "foundation/data/DataModule.h"
#include "tools/BenchArgs.h"
#include "tools/BenchOffice.h"
#include "platform/Process.h"
#include "platform/ScriptedInteraction.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"
#include "trialbalance/BalanceEngines.h"
#include "trialbalance/BalanceFront.h"
#include "trialbalance/BalanceTables.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

double bestSeconds(int runs, const std::function<void()>& work)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

// The open-data values the engine reads, from the data set itself.
void readDataSetDescription(vq::TDM& dm)
{
    vq::db::Transaction tr(dm.IBDatabaseDAT.attachment(), vq::db::kReadCommittedReadOnly);
    tr.start();
    vq::db::Statement st(dm.IBDatabaseDAT.attachment(), tr,
                         "SELECT DATATYPE, CODETYPE, KAISINO, GENKA_USE FROM ACCDEF1 WHERE REC = 1");
    st.execute();
    if (st.fetch()) {
        vq::AccInf.DATATYPE = st.field("DATATYPE").asInt();
        vq::AccInf.CODETYPE = st.field("CODETYPE").asInt();
        vq::AccInf.KAISINO = st.field("KAISINO").asInt();
        vq::AccInf.GENKA_USE = st.field("GENKA_USE").asInt();
    }
    tr.commit();
    vq::AccInf.IsIryou = vq::AccInf.DATATYPE == 3 ? 1 : 0;
}

} // namespace

int main(int argc, char** argv)
{
    return vq::tools::RunDataSetBench(argc, argv, "bench-trial-balance", [](vq::tools::BenchDataSet& bench) {
        const fs::path& folder = bench.folder;
        const int runs = bench.runs;
        vq::TDM dm;
        if (!dm.fnAccDatConnected("", folder.string(), 0))
            throw std::runtime_error("cannot open the data set in " + folder.string());
        readDataSetDescription(dm);
        vq::SetBalanceTables(vq::AccInf.IsIryou == 1);
        vq::InstallBalanceEngines();

        std::vector<vq::TBALANCE> balances(static_cast<std::size_t>(vq::BalanceCapacity()));
        std::vector<vq::TQSORT> sorts(balances.size());
        bool sound = true;
        const double engine = bestSeconds(runs, [&] {
            sound = vq::LoadTrialBalanceDefault(balances, sorts, 1, 0, 0, 0) &&
                    vq::CalcBalancePeriods(balances, 0, -1, 1, 16, 0) && sound;
        });
        if (!sound) {
            for (const auto& m : bench.seam.messages)
                std::fprintf(stderr, "%s\n", m.text.c_str());
            throw std::runtime_error("the trial balance could not be loaded");
        }
        const double load = bestSeconds(runs, [&] { vq::LoadTrialBalanceDefault(balances, sorts, 1, 0, 0, 0); });
        const double compute = bestSeconds(runs, [&] { vq::CalcBalancePeriods(balances, 0, -1, 1, 16, 0); });
        long rows = 0;
        const double procedure = bestSeconds(runs, [&] {
            vq::db::Transaction tr(dm.IBDatabaseDAT.attachment(), vq::db::kSnapshot);
            tr.start();
            vq::db::Statement st(dm.IBDatabaseDAT.attachment(), tr, "SELECT * FROM SP_SISANHYO_KESSAN( :TAX , :ZENTAX ) ");
            st.param("TAX").setInt(0);
            st.param("ZENTAX").setInt(-1);
            st.execute();
            rows = 0;
            while (st.fetch())
                ++rows;
            tr.commit();
        });
        dm.CloseAccDat("", 0, 0);
        std::printf("data set: %s (%ld settlement lines)\n", folder.c_str(), rows);
        std::printf("engine (load and compute), best of %d: %.1f ms\n", runs, engine * 1000.0);
        std::printf("  of it load %.1f ms, computation %.1f ms\n", load * 1000.0, compute * 1000.0);
        std::printf("stored procedure alone, best of %d: %.1f ms\n", runs, procedure * 1000.0);
        std::printf("engine / procedure: %.3f\n", procedure > 0 ? engine / procedure : 0.0);
    });
}
