// bench-comm [DIR] [--journals N] [--runs N]
//
// Measures the cloud-share send and receive of the general business data set
// (0001) of a sample office in DIR (made with make-sample-office --journals N
// when DIR holds none; default N 200000) through the test fakes of the relay
// server and its FTP storage on 127.0.0.1, without the pauses of the step
// window. Beside them, on the same files and the same fake: raw gbak of the
// data set and raw curl of the enciphered file (TLS on the control channel,
// as the program uses it). Prints the best of the runs
// for each figure, the archive and cipher times apart, the time before the
// save (data set opened, listing, slot taken) and after the FTP step (data
// set closed and its info file written), and the two ratios
// the targets name: the FTP step against raw curl, the whole send against
// gbak + curl.
#include "comm/CommSettings.h"
#include "comm/DataTusinComm.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "platform/Process.h"
#include "platform/ScriptedInteraction.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"
#include "tests/comm/FakeServerProcess.h"
#include "tools/BenchOffice.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>


namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr const char* FtpUser = "bench0000001";
constexpr const char* FtpPassword = "bench-ftp";

double seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

void setCloudSlot(vq::TDM& dm, const fs::path& folder)
{
    if (!dm.fnAccDatConnected("", folder.string(), 0))
        throw std::runtime_error("cannot open the data set in " + folder.string());
    vq::db::TransactionScope scope(dm.IBTransactionDAT);
    vq::db::Statement q(dm.IBDatabaseDAT.attachment(), dm.IBTransactionDAT,
                        "UPDATE ACCDEF1 SET CLOUD_LINE=1, WEB_HOLDER=:ID, PASWORD='BENCH1', CLOUD_TIME=NULL "
                        "WHERE REC=1");
    q.param("ID").setString(FtpUser);
    q.execute();
    scope.commit();
    dm.CloseAccDat(folder.string(), 0, 0);
}

double timed(const std::string& program, const std::vector<std::string>& args)
{
    const auto start = Clock::now();
    const auto result = vq::platform::runProcess(program, args);
    if (!result.succeeded())
        throw std::runtime_error(program + " failed (" + std::to_string(result.exitCode) + "): " +
                                 result.standardError + result.standardOutput);
    return seconds(Clock::now() - start);
}

} // namespace

int main(int argc, char** argv)
{
    return vq::tools::RunDataSetBench(argc, argv, "bench-comm", [](vq::tools::BenchDataSet& bench) {
        const fs::path state = bench.root / "bench-comm";
        fs::remove_all(state);
        fs::create_directories(state / "relay");
        vq::test::FakeServerProcess relay("python3", {VQ_FAKE_RELAY, (state / "relay").string()});
        vq::test::FakeServerProcess ftp("/usr/bin/python3", {VQ_FAKE_FTP, (state / "ftp").string(), FtpUser, FtpPassword});
        fs::create_directories(state / "ftp" / "root" / "01");
        std::ofstream(state / "relay" / "state.json")
            << R"({"ids": {")" << FtpUser << R"(": {"slots": {"1": {"name": "", "state": "1"}}}}, )"
            << R"("ftp_host": "127.0.0.1", "ftp_password": ")" << FtpPassword << "\"}";
        {
            std::ofstream both(state / "ca.pem");
            both << std::ifstream(state / "relay" / "ca.pem").rdbuf() << std::ifstream(state / "ftp" / "ca.pem").rdbuf();
        }
        vq::comm::TCommSettings settings;
        settings.Host = "127.0.0.1";
        settings.Port = relay.port();
        settings.FtpPort = ftp.port();
        settings.CaFile = (state / "ca.pem").string();
        settings.InstallationId = "BENCH";
        settings.LogFile = state / "comm.log";

        // The sample office's operator 10 of group 10000, as after a logon.
        vq::SystemDef.GROUPID = 10000;
        vq::SystemDef.OPCODE = 100010;
        vq::SystemDef.OPNAME = "bench";
        const std::string folder = bench.folder.string();
        const fs::path database = bench.folder / vq::DataDbFileName;
        vq::TDM module;
        double bestSend = 1e9, bestBefore = 1e9, bestAfter = 1e9, bestSave = 1e9, bestArchive = 1e9, bestCipher = 1e9, bestFtp = 1e9;
        double bestReceive = 1e9, bestGbak = 1e9, bestCurl = 1e9;
        for (int run = 0; run < bench.runs; ++run) {
            setCloudSlot(module, bench.folder);
            vq::comm::TDataTusinComm comm(settings);
            comm.Pauses = false;
            comm.WorkBase = state / "work";
            std::map<int, Clock::time_point> marks;
            comm.Step = [&](int box, const std::string& caption) {
                marks[caption.find("終了") != std::string::npos ? 10 + box : box] = Clock::now();
            };
            const auto start = Clock::now();
            if (comm.CloudShareSend(folder, "", 1) != 0)
                throw std::runtime_error("the send failed: " +
                                         (bench.seam.messages.empty() ? "" : bench.seam.messages.back().text));
            const auto end = Clock::now();
            bestSend = std::min(bestSend, seconds(end - start));
            bestBefore = std::min(bestBefore, seconds(marks[1] - start));
            bestAfter = std::min(bestAfter, seconds(end - marks[14]));
            bestSave = std::min(bestSave, seconds(marks[2] - marks[1]));
            bestArchive = std::min(bestArchive, seconds(marks[3] - marks[2]));
            bestCipher = std::min(bestCipher, seconds(marks[4] - marks[3]));
            bestFtp = std::min(bestFtp, seconds(marks[14] - marks[4]));

            // The receive of that copy over the data set (its cloud time
            // cleared, so that the copy is not taken for the latest).
            vq::comm::TDataTusinComm receiver(settings);
            receiver.Pauses = false;
            receiver.WorkBase = state / "work";
            setCloudSlot(module, bench.folder);
            const auto received = Clock::now();
            const std::int32_t got = receiver.CloudShareReceive(folder, 1, 1);
            if (got != 0 && got != 5)
                throw std::runtime_error("the receive failed: " +
                                         (bench.seam.messages.empty() ? "" : bench.seam.messages.back().text));
            bestReceive = std::min(bestReceive, seconds(Clock::now() - received));

            const fs::path raw = state / "raw.fbk";
            fs::remove(raw);
            bestGbak = std::min(bestGbak, timed(vq::platform::gbakProgram(),
                                                {"-b", "-g", "-user", vq::SystemDef.DbUser, "-pas",
                                                 vq::SystemDef.DbPassword, database.string(), raw.string()}));
            const fs::path sent = state / "ftp" / "root" / "01" / "cpacc.wen";
            bestCurl = std::min(
                bestCurl, timed("curl", {"-sS", "--ftp-ssl-control", "--cacert", (state / "ftp" / "ca.pem").string(), "-u",
                                         std::string(FtpUser) + ":" + FtpPassword, "-T", sent.string(),
                                         "ftp://127.0.0.1:" + std::to_string(ftp.port()) + "/01/raw.wen"}));
        }
        const auto size = fs::file_size(state / "ftp" / "root" / "01" / "cpacc.wen");
        std::printf("enciphered archive      %10.1f MiB\n", static_cast<double>(size) / 1048576.0);
        std::printf("send, whole             %10.3f s\n", bestSend);
        std::printf("  before the save       %10.3f s\n", bestBefore);
        std::printf("  save (backup)         %10.3f s\n", bestSave);
        std::printf("  archive               %10.3f s\n", bestArchive);
        std::printf("  cipher                %10.3f s\n", bestCipher);
        std::printf("  FTP step              %10.3f s\n", bestFtp);
        std::printf("  after the FTP step    %10.3f s\n", bestAfter);
        std::printf("receive, whole          %10.3f s\n", bestReceive);
        std::printf("raw gbak                %10.3f s\n", bestGbak);
        std::printf("raw curl                %10.3f s\n", bestCurl);
        std::printf("FTP step / raw curl     %10.2f (target <= 1.25)\n", bestFtp / bestCurl);
        std::printf("send / (gbak + curl)    %10.2f (target <= 1.20)\n", bestSend / (bestGbak + bestCurl));
        fs::remove_all(state / "work");
    });
}
