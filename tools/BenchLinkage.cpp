// bench-linkage [DIR] [--journals N] [--runs N]
//
// Measures how much of a linkage export is the program's own work: on the
// general business data set (0001) of a sample office in DIR (made with
// make-sample-office --journals N when DIR holds none; default N 200000),
// the whole export as the wizard's Finish runs it (statement reader with its
// trial balance, depreciation lists, data maker, XML writer, the file saved),
// breakdowns included. Prints the best of the runs: its whole time, the time
// spent inside database calls and the peak memory of the process; on the
// last line the share of the whole that is not database time.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>

#include "foundation/app/AccConstants.h"
#include "foundation/app/AccInf.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/app/SystemFolders.h"
#include "foundation/calendar/Gengo.h"
#include "foundation/data/DataModule.h"
#include "linkage/SyotokuzeiDataExport.h"
#include "linkage/datamake/LinkageDocument.h"
#include "tools/BenchArgs.h"
#include "tools/BenchOffice.h"
#include "platform/Process.h"
#include "platform/ScriptedInteraction.h"
#include "platform/db/CallClock.h"
#include "trialbalance/BalanceEngines.h"
#include "trialbalance/BalanceTables.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

// Peak resident memory of the process so far, in MiB.
double peakMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

double ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

} // namespace

int main(int argc, char** argv)
{
    return vq::tools::RunDataSetBench(argc, argv, "bench-linkage", [](vq::tools::BenchDataSet& bench) {
        const fs::path& root = bench.root;
        const fs::path& folder = bench.folder;
        const int runs = bench.runs;
        vq::LoadBuiltinEraTable();
        vq::TDM dm;
        if (!dm.fnAccDatConnected("", folder.string(), 0) || !dm.fnGetAccInfo())
            throw std::runtime_error("cannot open the data set in " + folder.string());
        vq::SetBalanceTables(vq::AccInf.IsIryou == 1);
        vq::InstallBalanceEngines();
        const double openedPeak = peakMiB();

        vq::linkage::TSyotokuzeiDataExport exp(0, "");
        vq::linkage::TakeOpenDataSet(exp);
        exp.IncludeUtiwake = true;
        const fs::path file = root / "bench-linkage.xml";

        Clock::duration bestWhole = Clock::duration::max();
        std::chrono::nanoseconds bestDb{0};
        vq::db::CallClock::enable(true);
        for (int run = 0; run < runs; ++run) {
            vq::db::CallClock::reset();
            const auto start = Clock::now();
            vq::linkage::WriteLinkageFile(exp, file);
            const auto whole = Clock::now() - start;
            if (whole < bestWhole) {
                bestWhole = whole;
                bestDb = vq::db::CallClock::total();
            }
        }
        vq::db::CallClock::enable(false);
        const auto size = fs::file_size(file);
        dm.CloseAccDat("", 0, 0);

        const double whole = ms(bestWhole);
        const double db = ms(bestDb);
        std::printf("data set: %s (statement kind %d), file %s (%ju bytes)\n", folder.c_str(), exp.CodeType,
                    file.c_str(), static_cast<std::uintmax_t>(size));
        std::printf("whole export, best of %d: %.1f ms\n", runs, whole);
        std::printf("  inside database calls: %.1f ms\n", db);
        std::printf("  our own work: %.1f ms\n", whole - db);
        std::printf("peak memory: %.1f MiB (%.1f MiB with the data set open, before the first export)\n", peakMiB(),
                    openedPeak);
        std::printf("own work share: %.1f %%\n", whole > 0 ? 100.0 * (whole - db) / whole : 0.0);
    });
}
