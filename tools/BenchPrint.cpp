// bench-print [--pages N] [--rounds R] [--png PAGE OUT.png]: the print
// engine against plain QPainter drawing the same records, on a data-list
// report of N pages (10,000 by default) written as the data-list print
// writes it (55 rows a page, title, page number, headings, rules).
//   - counting the pages of the file (a byte scan)
//   - the preview window on the file: opening it, showing the last page,
//     and stepping back one page (target 0.1 s each step)
//   - the engine drawing pages from the file and a plain QPainter drawing the
//     same texts, rules and fonts from memory, page for page, on one thread,
//     into 150-dpi images and into a PDF, in interleaved rounds
// The last line is the headline: engine time / baseline time (target 1.3).
#include "platform/ScriptedInteraction.h"
#include "print/PageOutput.h"
#include "print/PdfPrintHost.h"
#include "print/TZevev360.h"
#include "print/forms/TImageDispForm.h"

#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

using namespace vq::print;
using Clock = std::chrono::steady_clock;

namespace {

double seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// One page of the report as records: what the engine reads back from the
// file and what the baseline draws directly.
struct Text {
    int x, y, size;
    std::string text;
    int align; // 0 left, 1 centre, 2 right
};
struct Rule {
    int x1, y1, x2, y2, width, style;
};
struct Page {
    std::vector<Text> texts;
    std::vector<Rule> rules;
};

Page dataListPage(int page)
{
    const int rightEnd = 2000, bottom = 2820, perPage = 55;
    Page p;
    char number[32];
    p.texts.push_back({1000, 150, 16, "データリスト", 1});
    std::snprintf(number, sizeof number, "PAGE %4d", page);
    p.texts.push_back({rightEnd, 250, 9, number, 2});
    p.rules.push_back({150, 300, rightEnd, 300, 4, 0});
    p.texts.push_back({180, 325, 9, "No", 0});
    p.texts.push_back({250, 325, 9, "データリスト名", 0});
    p.texts.push_back({1050, 325, 9, "会計年度", 1});
    p.texts.push_back({1350, 325, 9, "会計期間", 1});
    p.texts.push_back({1600, 325, 9, "データフォルダ", 0});
    p.rules.push_back({150, 390, rightEnd, 390, 4, 0});
    p.rules.push_back({150, bottom, rightEnd, bottom, 4, 0});
    int row = (page - 1) * perPage;
    for (int line = 1; line <= perPage; ++line) {
        ++row;
        const int y = 405 + (line - 1) * 44;
        std::snprintf(number, sizeof number, "%3d", row % 1000);
        p.texts.push_back({170, y, 9, number, 0});
        p.texts.push_back({250, y, 9, "株式会社サンプル商事 第" + std::to_string(row) + "期", 0});
        p.texts.push_back({1050, y, 9, std::to_string(row % 30 + 1) + " 期", 1});
        p.texts.push_back({1350, y, 9, "2024/04/01～2025/03/31", 1});
        p.texts.push_back({1600, y, 9, "~\\data\\" + std::to_string(1000 + row % 9000), 0});
        if (line < perPage)
            p.rules.push_back({150, y + 34, rightEnd, y + 34, 0, 2});
    }
    return p;
}

void writeDataList(TZevev360& w, int pages)
{
    const char* aligns[] = {"LEFT", "CENTER", "RIGHT"};
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            w.NewPage();
        const Page p = dataListPage(page);
        // The writer's order: title, number, heading rule, headings, rules and rows.
        std::size_t t = 0, r = 0;
        auto text = [&] {
            const Text& x = p.texts[t++];
            w.TextOut(x.x, x.y, x.text, "ＭＳ 明朝", x.size, "", "黒", "OFF", aligns[x.align], 0);
        };
        auto rule = [&] {
            const Rule& x = p.rules[r++];
            w.LineOut(x.x1, x.y1, x.x2, x.y2, x.width, x.style, "0", false);
        };
        text(), text(), rule();
        for (int i = 0; i < 5; ++i)
            text();
        rule(), rule();
        while (t < p.texts.size()) {
            for (int i = 0; i < 5; ++i)
                text();
            if (r < p.rules.size())
                rule();
        }
    }
}

// The baseline: the same page drawn straight with QPainter - same face,
// sizes, alignment, pens - with nothing read or decoded.
class Baseline {
public:
    void draw(QPainter& painter, int page, int dpi)
    {
        const double scale = dpi / 254.0;
        const Page p = dataListPage(page);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        for (const Rule& r : p.rules) {
            const int w = static_cast<int>(std::nearbyint(r.width * scale));
            QPen pen(Qt::black, w <= 1 ? 0 : w, r.style == 2 ? Qt::DotLine : Qt::SolidLine);
            pen.setCapStyle(Qt::FlatCap);
            painter.setPen(pen);
            painter.drawLine(QPoint(std::lround(r.x1 * scale), std::lround(r.y1 * scale)),
                             QPoint(std::lround(r.x2 * scale), std::lround(r.y2 * scale)));
        }
        painter.setPen(Qt::black);
        for (const Text& t : p.texts) {
            const Font& font = fontOf(t.size, dpi, painter.device());
            const QString s = QString::fromStdString(t.text);
            int x = static_cast<int>(std::lround(t.x * scale));
            if (t.align != 0) {
                const int w = font.metrics.horizontalAdvance(s);
                x -= t.align == 1 ? w / 2 : w;
            }
            painter.setFont(font.font);
            painter.drawText(QPoint(x, static_cast<int>(std::lround(t.y * scale)) + font.metrics.ascent()), s);
        }
    }

private:
    // Fonts and their metrics made once, as a program drawing many pages would.
    struct Font {
        int key;
        QFont font;
        QFontMetrics metrics;
    };
    const Font& fontOf(int size, int dpi, QPaintDevice* device)
    {
        for (const Font& f : fonts_)
            if (f.key == size * 10000 + dpi)
                return f;
        QFont font(QStringLiteral("IPAMincho"));
        font.setPixelSize(static_cast<int>(std::lround(size * dpi / 72.0)));
        return fonts_.emplace_back(Font{size * 10000 + dpi, font, QFontMetrics(font, device)});
    }
    std::vector<Font> fonts_;
};

QImage blankSheet(int dpi)
{
    QImage image(static_cast<int>(std::lround(210 * dpi / 25.4)), static_cast<int>(std::lround(297 * dpi / 25.4)),
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(static_cast<int>(std::lround(dpi / 0.0254)));
    image.setDotsPerMeterY(static_cast<int>(std::lround(dpi / 0.0254)));
    image.fill(Qt::white);
    return image;
}

struct Sides {
    double engine = 0, baseline = 0;
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int pages = 10000;
    int rounds = 5;
    int pngPage = 0;
    std::string pngFile;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--pages" && i + 1 < argc)
            pages = std::max(2, std::atoi(argv[++i]));
        else if (a == "--rounds" && i + 1 < argc)
            rounds = std::max(1, std::atoi(argv[++i]));
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
    TP360DEF job;
    writer.FillJob(job);
    job.PrintFom = false;
    std::printf("data-list file: %d pages, %.1f MB, written in %.2f s\n", pages,
                std::filesystem::file_size(writer.DataFile) / 1e6, seconds(t0));

    TPrintEngine counter;
    t0 = Clock::now();
    const int counted = CountPages(counter, job.DataFile, false);
    std::printf("counting pages: %d in %.3f s\n", counted, seconds(t0));

    // The preview window as the clerk uses it.
    {
        TPrintEngine engine;
        engine.Job = job;
        engine.JobDataFile = job.DataFile;
        PdfPrintHost host((folder / "out.pdf").string());
        host.printer(-1)->setPaperCode(job.PaperSize);
        t0 = Clock::now();
        TImageDispForm form(engine, host);
        form.resize(1280, 1000);
        form.show();
        QApplication::processEvents();
        const double open = seconds(t0);
        t0 = Clock::now();
        form.Bottom_PageClick();
        const double last = seconds(t0);
        t0 = Clock::now();
        form.DispPrev();
        const double back = seconds(t0);
        std::printf("preview: opens in %.3f s; page %d shows in %.3f s, page %d in %.3f s (target 0.1 s)\n", open,
                    form.currentPage() + 1, last, form.currentPage(), back);
    }

    TPrintEngine engine;
    JobFiles files(job);
    prepareJob(engine, job, files);
    if (pngPage > 0) {
        renderSheet(engine, files, pngPage, 150).save(QString::fromStdString(pngFile));
        QImage base = blankSheet(150);
        {
            QPainter painter(&base);
            Baseline().draw(painter, pngPage, 150);
        }
        const QString baseFile = QString::fromStdString(pngFile).replace(".png", "-baseline.png");
        base.save(baseFile);
        std::printf("page %d saved as %s and %s\n", pngPage, pngFile.c_str(), baseFile.toStdString().c_str());
    }

    // Pages spread over the file, the same for both sides.
    const int perRound = std::min(pages, 200);
    std::vector<int> sample;
    for (int i = 0; i < perRound; ++i)
        sample.push_back(1 + static_cast<int>(static_cast<long long>(i) * pages / perRound));
    Baseline baseline;
    Sides images, pdf;
    auto imageRound = [&](bool useEngine) {
        const auto start = Clock::now();
        for (int page : sample) {
            if (useEngine) {
                renderSheet(engine, files, page, 150);
            } else {
                QImage image = blankSheet(150);
                QPainter painter(&image);
                baseline.draw(painter, page, 150);
            }
        }
        return seconds(start);
    };
    auto pdfRound = [&](bool useEngine) {
        const auto start = Clock::now();
        QPdfWriter writer(QString::fromStdString((folder / "round.pdf").string()));
        writer.setResolution(600);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        QPainter painter(&writer);
        bool first = true;
        for (int page : sample) {
            if (!first)
                writer.newPage();
            first = false;
            if (useEngine)
                drawSheet(engine, files, page, DrawTarget::atDpi(&painter, 600, true));
            else
                baseline.draw(painter, page, 600);
        }
        painter.end();
        return seconds(start);
    };
    // Warm the font caches of both sides before timing.
    imageRound(true);
    imageRound(false);
    for (int r = 0; r < rounds; ++r) {
        // Alternate who goes first, so neither profits from the other's caches.
        const bool engineFirst = r % 2 == 0;
        for (const bool side : {engineFirst, !engineFirst}) {
            (side ? images.engine : images.baseline) += imageRound(side);
            (side ? pdf.engine : pdf.baseline) += pdfRound(side);
        }
    }
    const double n = static_cast<double>(rounds) * perRound;
    std::printf("150-dpi images, one thread: engine %.1f pages/s, baseline %.1f pages/s, ratio %.2f\n",
                n / images.engine, n / images.baseline, images.engine / images.baseline);
    std::printf("PDF at 600 dpi, one thread: engine %.1f pages/s, baseline %.1f pages/s, ratio %.2f\n",
                n / pdf.engine, n / pdf.baseline, pdf.engine / pdf.baseline);

    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    const double ratio = (images.engine + pdf.engine) / (images.baseline + pdf.baseline);
    std::printf("headline: engine time / plain QPainter time = %.2f (target 1.3)\n", ratio);
    return 0;
}
