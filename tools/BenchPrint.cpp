// bench-print [--pages N] [--png PAGE OUT.png]: the print engine's speed on a
// data-list report of N pages (1,000 by default), written as the data-list
// print writes it (55 rows a page, title, page number, headings, rules).
//   - pages rendered to 150-dpi images per second on 2 threads (target 50)
//   - counting the pages of the file (target 0.5 s, a byte scan)
//   - rendering the last page alone (target 0.2 s, through the page index)
// The last line is the headline: the render rate as a share of its target.
#include "platform/ScriptedInteraction.h"
#include "print/PageOutput.h"
#include "print/TZevev360.h"

#include <QGuiApplication>
#include <QImage>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

using namespace vq::print;
using Clock = std::chrono::steady_clock;

namespace {

double seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// CPU time of the process: on a machine shared with other work the wall time
// of a single-threaded step also counts the waits for a core.
double cpuSeconds()
{
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

void writeDataList(TZevev360& p, int pages)
{
    const int rightEnd = 2000, bottom = 2820, perPage = 55;
    const char* font = "ＭＳ 明朝";
    int row = 0;
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            p.NewPage();
        p.TextOut(1000, 150, "データリスト", font, 16, "", "黒", "OFF", "CENTER", 0);
        char number[32];
        std::snprintf(number, sizeof number, "PAGE %4d", page);
        p.TextOut(rightEnd, 250, number, font, 9, "", "黒", "OFF", "RIGHT", 0);
        p.LineOut(150, 300, rightEnd, 300, 4, 0, "0", false);
        p.TextOut(180, 325, "No", font, 9, "", "黒", "OFF", "LEFT", 0);
        p.TextOut(250, 325, "データリスト名", font, 9, "", "黒", "OFF", "LEFT", 0);
        p.TextOut(1050, 325, "会計年度", font, 9, "", "黒", "OFF", "CENTER", 0);
        p.TextOut(1350, 325, "会計期間", font, 9, "", "黒", "OFF", "CENTER", 0);
        p.TextOut(1600, 325, "データフォルダ", font, 9, "", "黒", "OFF", "LEFT", 0);
        p.LineOut(150, 390, rightEnd, 390, 4, 0, "0", false);
        p.LineOut(150, bottom, rightEnd, bottom, 4, 0, "0", false);
        for (int line = 1; line <= perPage; ++line) {
            ++row;
            const int y = 405 + (line - 1) * 44;
            std::snprintf(number, sizeof number, "%3d", row % 1000);
            p.TextOut(170, y, number, font, 9, "", "黒", "OFF", "LEFT", 0);
            p.TextOut(250, y, "株式会社サンプル商事 第" + std::to_string(row) + "期", font, 9, "", "黒", "OFF", "LEFT", 0);
            p.TextOut(1050, y, std::to_string(row % 30 + 1) + " 期", font, 9, "", "黒", "OFF", "CENTER", 0);
            p.TextOut(1350, y, "2024/04/01～2025/03/31", font, 9, "", "黒", "OFF", "CENTER", 0);
            p.TextOut(1600, y, "~\\data\\" + std::to_string(1000 + row % 9000), font, 9, "", "黒", "OFF", "LEFT", 0);
            if (line < perPage)
                p.LineOut(150, y + 34, rightEnd, y + 34, 0, 2, "0", false);
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    int pages = 1000;
    int pngPage = 0;
    std::string pngFile;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--pages" && i + 1 < argc)
            pages = std::max(1, std::atoi(argv[++i]));
        else if (a == "--png" && i + 2 < argc) {
            pngPage = std::atoi(argv[++i]);
            pngFile = argv[++i];
        }
    }
    vq::platform::ScopedScriptedInteraction seam;
    const auto folder = std::filesystem::temp_directory_path() / ("bench-print-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);

    TZevev360 writer;
    writer.DataFile = (folder / "データリスト.TMP").string();
    writer.Title = "印刷プレビュー";
    auto t0 = Clock::now();
    writer.DataOpen(false);
    writeDataList(writer, pages);
    writer.DataClose();
    const double writeTime = seconds(t0);
    TP360DEF job;
    writer.FillJob(job);
    job.PrintFom = false;
    std::printf("data-list file: %d pages, %.1f MB, written in %.2f s\n", pages,
                std::filesystem::file_size(writer.DataFile) / 1e6, writeTime);

    TPrintEngine counter;
    t0 = Clock::now();
    double c0 = cpuSeconds();
    const int counted = CountPages(counter, job.DataFile, false);
    const double countTime = seconds(t0);
    std::printf("counting pages: %d in %.3f s, %.3f s of CPU (target 0.5 s)\n", counted, countTime, cpuSeconds() - c0);

    t0 = Clock::now();
    c0 = cpuSeconds();
    {
        TPrintEngine engine;
        JobFiles files(job);
        prepareJob(engine, job, files);
        QImage last = renderSheet(engine, files, pages, 150);
        if (last.isNull())
            return 1;
    }
    const double lastTime = seconds(t0);
    std::printf("rendering page %d alone: %.3f s, %.3f s of CPU (target 0.2 s)\n", pages, lastTime,
                cpuSeconds() - c0);

    if (pngPage > 0) {
        TPrintEngine engine;
        JobFiles files(job);
        prepareJob(engine, job, files);
        renderSheet(engine, files, pngPage, 150).save(QString::fromStdString(pngFile));
        std::printf("page %d saved as %s\n", pngPage, pngFile.c_str());
    }

    constexpr int kThreads = 2;
    std::atomic<int> next{1};
    t0 = Clock::now();
    std::vector<std::thread> workers;
    for (int w = 0; w < kThreads; ++w)
        workers.emplace_back([&] {
            TPrintEngine engine;
            JobFiles files(job);
            prepareJob(engine, job, files);
            for (int page = next++; page <= pages; page = next++)
                renderSheet(engine, files, page, 150);
        });
    for (auto& w : workers)
        w.join();
    const double renderTime = seconds(t0);
    const double rate = pages / renderTime;
    std::printf("rendering all pages at 150 dpi on %d threads: %.2f s, %.1f pages/s (target 50)\n", kThreads,
                renderTime, rate);

    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    std::printf("headline: 150-dpi render rate / target = %.2f\n", rate / 50.0);
    return 0;
}
