// bench-dump [DIR] [--journals N] [--runs N]
//
// Measures the accounting-data dump for the analysis server on the general
// business data set (0001) of a sample office in DIR (made with
// make-sample-office --journals N when DIR holds none; default N 200000):
// the whole dump against its queries run bare (every row fetched, nothing
// formatted or written), and the growth of the peak memory while it dumps.
// The two alternate run by run; prints the best of each, the growth of the
// peak memory during the first dump (target under 64 MB) and, on the last
// line, their ratio (target at most 1.2).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include <sys/resource.h>

#include "comm/WebDbSqlDump.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "platform/ScriptedInteraction.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"
#include "tools/BenchArgs.h"
#include "tools/BenchOffice.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

double seconds(const std::function<void()>& work)
{
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double peakMegabytes()
{
    rusage u{};
    ::getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_maxrss) / 1024.0;
}

} // namespace

int main(int argc, char** argv)
{
    return vq::tools::RunDataSetBench(argc, argv, "bench-dump", [](vq::tools::BenchDataSet& bench) {
        vq::TDM dm;
        if (!dm.fnAccDatConnected("", bench.folder.string(), 0) || !dm.fnGetAccInfo())
            throw std::runtime_error("cannot open the data set in " + bench.folder.string());
        vq::SystemDef.TempDir = (bench.root / "bench-dump").string();

        std::vector<std::string> queries;
        std::uintmax_t bytes = 0;
        long rows = 0;
        vq::db::Attachment& att = dm.IBDatabaseDAT.attachment();
        auto dumpOnce = [&] {
            vq::comm::TWebDbSqlDump d;
            d.DatabaseName = "halbrin_d_bench_1";
            queries.clear();
            d.QueryLog = &queries;
            if (!d.WriteDump()) {
                for (const auto& m : bench.seam.messages)
                    std::fprintf(stderr, "%s\n", m.text.c_str());
                throw std::runtime_error("the dump failed");
            }
            bytes = fs::file_size(d.DumpFilePath);
        };
        auto bareOnce = [&] {
            vq::db::Transaction tr(att, vq::db::kSnapshotReadOnly);
            tr.start();
            vq::db::Statement q(att, tr);
            rows = 0;
            for (const auto& sql : queries) {
                q.setSql(sql);
                q.execute();
                while (q.fetch())
                    ++rows;
            }
            tr.commit();
        };
        // The two alternate, so that a busy machine slows both alike.
        const double before = peakMegabytes();
        double dump = seconds(dumpOnce);
        const double growth = peakMegabytes() - before;
        double bare = seconds(bareOnce);
        for (int i = 1; i < bench.runs; ++i) {
            dump = std::min(dump, seconds(dumpOnce));
            bare = std::min(bare, seconds(bareOnce));
        }
        dm.CloseAccDat("", 0, 0);
        fs::remove_all(vq::SystemDef.TempDir);

        std::printf("data set: %s (%zu queries, %ld rows, dump %.1f MB)\n", bench.folder.c_str(), queries.size(),
                    rows, static_cast<double>(bytes) / (1024.0 * 1024.0));
        std::printf("dump, best of %d: %.1f ms\n", bench.runs, dump * 1000.0);
        std::printf("bare SELECTs, best of %d: %.1f ms\n", bench.runs, bare * 1000.0);
        std::printf("peak memory growth while dumping: %.1f MB\n", growth);
        std::printf("dump / bare SELECTs: %.3f\n", bare > 0 ? dump / bare : 0.0);
    });
}
