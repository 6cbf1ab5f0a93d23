#include "print/PageOutput.h"

#include "print/PaperTable.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <stdexcept>

namespace vq::print {

JobFiles::JobFiles(const TP360DEF& job)
{
    const auto dataPath = std::filesystem::path(job.DataFile);
    data_ = PrintText::load(dataPath);
    if (!data_.startsWith("*ZEVEV360*"))
        throw std::runtime_error("<ZEVEV360>印刷データではありません。");
    if (!job.FormFile.empty())
        form_ = PrintText::load(std::filesystem::path(job.FormFile));
    defaultOrientation_ = job.Orientation;
}

int JobFiles::orientationOf(int page)
{
    const auto& starts = data_.pageStarts();
    if (page < 1 || page > static_cast<int>(starts.size()))
        return defaultOrientation_;
    const std::size_t saved = data_.position();
    data_.seek(starts[static_cast<std::size_t>(page - 1)]);
    int orientation = defaultOrientation_;
    try {
        orientation = orientationOfPage(data_, defaultOrientation_);
    } catch (...) {
        data_.seek(saved);
        throw;
    }
    data_.seek(saved);
    return orientation;
}

void prepareJob(TPrintEngine& engine, const TP360DEF& job, JobFiles& files)
{
    engine.Job = job;
    engine.JobDataFile = job.DataFile;
    engine.JobFormFile = job.FormFile;
    engine.WorkLeftMargin = job.LeftMargin;
    engine.WorkTopMargin = job.TopMargin;
    engine.WorkEvenShift = job.EvenLeftMargin;
    engine.PrinterPaper = job.PaperSize;
    const PaperRatios r = PaperRatio(job.PaperSize, job.PaperSize, job.VRATIO, job.HRATIO);
    engine.PaperVRatio = r.vertical;
    engine.PaperHRatio = r.horizontal;
    if (!job.FormFile.empty())
        HensuuYomikomi(engine.FormFields, std::filesystem::path(job.FormFile), 0, 0, job);
    else
        engine.FormFields.clear();
    rebuildPageNumbers(engine, files.data());
    engine.PageNoIndex = 1;
}

void drawSheet(TPrintEngine& engine, JobFiles& files, int page, const DrawTarget& sheetTarget)
{
    const bool even = page % 2 == 0;
    DrawTarget target = sheetTarget;
    if (PrintText* form = files.form(); form && (engine.Job.PrintFom || !target.onPrinter)) {
        const int cycle = files.formPages();
        const std::size_t formStart = form->pageStarts()[static_cast<std::size_t>((page - 1) % cycle)];
        form->seek(formStart);
        DrawPage(engine, PageKind::Form, *form, target, even, 0);
        // A tint on the data page combines with the form page under it too.
        target.drawUnder = [&engine, form, formStart, even](const DrawTarget& under, const QTransform& toImage) {
            under.painter->setTransform(toImage);
            form->seek(formStart);
            DrawPage(engine, PageKind::Form, *form, under, even, 0);
        };
    }
    const int fieldPages = engine.FormFields.FormPageCount + 1;
    int n = page % fieldPages;
    if (n == 0)
        n = fieldPages;
    const auto& starts = files.data().pageStarts();
    if (page < 1 || page > static_cast<int>(starts.size()))
        return;
    files.data().seek(starts[static_cast<std::size_t>(page - 1)]);
    engine.PageNoIndex = page;
    DrawPage(engine, PageKind::Data, files.data(), target, even, n - 1);
}

namespace {

QSize paperPixels(const TP360DEF& job, int orientation, int dpi)
{
    const PrintableArea mm = sheetOfCode(job.PaperSize, {job.PaperWidth / 10, job.PaperLength / 10});
    int w = mm.width, h = mm.height;
    if (orientation == 1)
        std::swap(w, h);
    return {static_cast<int>(std::lround(w * dpi / 25.4)), static_cast<int>(std::lround(h * dpi / 25.4))};
}

} // namespace

QImage renderSheet(TPrintEngine& engine, JobFiles& files, int page, int dpi, bool onPrinter)
{
    QImage image(paperPixels(engine.Job, files.orientationOf(page), dpi), QImage::Format_RGB32);
    image.setDotsPerMeterX(static_cast<int>(std::lround(dpi / 0.0254)));
    image.setDotsPerMeterY(static_cast<int>(std::lround(dpi / 0.0254)));
    image.fill(Qt::white);
    QPainter painter(&image);
    DrawTarget target = DrawTarget::atDpi(&painter, dpi, onPrinter);
    target.zoom = engine.Job.Zoom >= 5 && engine.Job.Zoom <= 20 ? engine.Job.Zoom : 10;
    drawSheet(engine, files, page, target);
    return image;
}

void printToPdf(TPrintEngine& engine, const TP360DEF& job, const std::filesystem::path& pdf, int from, int to,
                int dpi)
{
    JobFiles files(job);
    prepareJob(engine, job, files);
    const int last = to > 0 ? std::min(to, files.dataPages()) : files.dataPages();
    QPdfWriter writer(QString::fromStdString(pdf.string()));
    writer.setResolution(dpi);
    writer.setTitle(QString::fromStdString(job.DocTitle.empty() ? job.Title : job.DocTitle));
    writer.setCreator(QStringLiteral("Vorlen print engine"));
    const QPageSize paper = pageSizeOfCode(job.PaperSize, {job.PaperWidth / 10, job.PaperLength / 10});
    auto layoutOf = [&](int page) {
        return QPageLayout(paper, files.orientationOf(page) == 1 ? QPageLayout::Landscape : QPageLayout::Portrait,
                           QMarginsF(0, 0, 0, 0));
    };
    writer.setPageLayout(layoutOf(from));
    QPainter painter;
    if (!painter.begin(&writer))
        throw std::runtime_error("cannot write " + pdf.string());
    // A PDF has no copies of its own: the engine repeats the pages, whole
    // sets one after the other when collated, else each page in turn.
    const int copies = job.Copies >= 1 && job.Copies <= 99 ? job.Copies : 1;
    std::vector<int> sequence;
    for (int set = 0; set < (job.Collate == 1 ? copies : 1); ++set)
        for (int page = from; page <= last; ++page)
            for (int copy = 0; copy < (job.Collate == 1 ? 1 : copies); ++copy)
                sequence.push_back(page);
    bool first = true;
    for (int page : sequence) {
        if (!first) {
            writer.setPageLayout(layoutOf(page));
            writer.newPage();
        }
        first = false;
        DrawTarget target = DrawTarget::atDpi(&painter, dpi, true);
        target.zoom = job.Zoom >= 5 && job.Zoom <= 15 ? job.Zoom : 10;
        drawSheet(engine, files, page, target);
    }
    if (!painter.end())
        throw std::runtime_error("cannot write " + pdf.string());
}

} // namespace vq::print
