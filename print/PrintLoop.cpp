#include "print/PrintLoop.h"

#include "platform/Interaction.h"
#include "print/ErrorLog.h"
#include "print/PagePlacement.h"
#include "print/PageRenderer.h"

#include <QPainter>

#include <cstdio>
#include <filesystem>
#include <stdexcept>

namespace vq::print {

PrintLoop::PrintLoop(TPrintEngine& engine, PrintDevice& device, const PrintRange& range, bool dialogCollate)
    : engine_(engine), device_(device), range_(range), dialogCollate_(dialogCollate)
{
}

void PrintLoop::fail(const std::string& message, bool tell)
{
    if (failure_.empty())
        failure_ = message;
    if (tell)
        platform::showMessage(message, platform::MessageKind::Error);
}

bool PrintLoop::openFiles()
{
    const TP360DEF& job = engine_.Job;
    std::error_code ec;
    if (!engine_.JobFormFile.empty()) {
        const std::filesystem::path form(engine_.JobFormFile);
        if (!std::filesystem::exists(form, ec)) {
            fail("<" + engine_.JobFormFile + "> が見つかりません。", true);
            return false;
        }
        HensuuYomikomi(engine_.FormFields, form, 0, 0, job);
        if (job.PrintFom)
            form_ = PrintText::load(form);
    } else {
        // Fields of an earlier job's form must not fill this job's "@" records.
        engine_.FormFields.clear();
    }
    if (engine_.JobDataFile.empty()) {
        fail("印刷ファイルの指定がありません。", true);
        return false;
    }
    if (!std::filesystem::exists(std::filesystem::path(engine_.JobDataFile), ec)) {
        fail("<" + engine_.JobDataFile + "> が見つかりません。", true);
        return false;
    }
    data_ = PrintText::load(std::filesystem::path(engine_.JobDataFile));
    orientations_ = PageOrientationList(data_, job.Orientation);
    data_.rewind();
    // A file that ends with a page end holds an empty last page; nothing is
    // left to print on it, so it takes no sheet.
    const auto& starts = data_.pageStarts();
    dataPages_ = static_cast<int>(starts.size());
    while (dataPages_ > 1 && starts[static_cast<std::size_t>(dataPages_ - 1)] >= data_.size())
        --dataPages_;
    return true;
}

std::vector<PrintLoop::Sheet> PrintLoop::plan()
{
    std::vector<Sheet> sheets;
    const int first = range_.pageNumbers ? std::max(1, range_.from) : 1;
    const int last = range_.pageNumbers ? std::min(range_.to, dataPages_) : std::min(range_.maxPage, dataPages_);
    for (int page = first; page <= last; ++page)
        sheets.push_back({page, true});
    // Outside a page range the form runs to the end of its cycle, so the
    // output holds whole form sets.
    if (form_ && !range_.pageNumbers && !sheets.empty()) {
        const int cycle = static_cast<int>(form_->pageStarts().size());
        for (int page = last + 1; (page - 1) % cycle != 0; ++page)
            sheets.push_back({page, false});
    }
    return sheets;
}

int PrintLoop::orientationOf(const Sheet& sheet)
{
    if (sheet.hasData && sheet.page >= 1 && sheet.page <= static_cast<int>(orientations_.size()))
        return orientations_[static_cast<std::size_t>(sheet.page - 1)];
    return device_.orientation();
}

void PrintLoop::pause(const std::string& message)
{
    if (!message.empty())
        platform::showMessage(message, platform::MessageKind::Information);
}

void PrintLoop::drawSheet(const Sheet& sheet)
{
    TP360DEF& job = engine_.Job;
    const PagePlacement place = placePage(device_.paperCode(), device_.orientation(), device_.printableArea(), device_.printsToEdge());
    engine_.WorkLeftMargin = job.LeftMargin - place.borderX;
    engine_.WorkTopMargin = job.TopMargin - place.borderY;
    engine_.WorkEvenShift = job.EvenLeftMargin;
    engine_.PrinterPaper = device_.paperCode();
    engine_.DrawFailure.clear();

    DrawTarget target;
    target.painter = &device_.painter();
    target.onPrinter = true;
    target.dpi = device_.dpiX();
    target.xScale = device_.dpiX() / 254.0;
    target.yScale = device_.dpiY() / 254.0;
    target.zoom = job.Zoom;

    const bool even = sheet.page % 2 == 0;
    if (form_) {
        const auto& starts = form_->pageStarts();
        const std::size_t formStart = starts[static_cast<std::size_t>((sheet.page - 1) % static_cast<int>(starts.size()))];
        form_->seek(formStart);
        DrawPage(engine_, PageKind::Form, *form_, target, even, 0);
        // A tint on the data page combines with the form page under it too.
        target.drawUnder = [this, formStart, even](const DrawTarget& under, const QTransform& toImage) {
            under.painter->setTransform(toImage);
            form_->seek(formStart);
            DrawPage(engine_, PageKind::Form, *form_, under, even, 0);
        };
    }
    if (sheet.hasData) {
        const int fieldPages = engine_.FormFields.FormPageCount + 1;
        int n = sheet.page % fieldPages;
        if (n == 0)
            n = fieldPages;
        engine_.PageNoIndex = sheet.page;
        data_.seek(data_.pageStarts()[static_cast<std::size_t>(sheet.page - 1)]);
        DrawPage(engine_, PageKind::Data, data_, target, even, n - 1);
    }
    if (!engine_.DrawFailure.empty())
        throw std::runtime_error(std::to_string(sheet.page) + "ページ目を印刷できませんでした。\r\r[詳細情報]\r" +
                                 engine_.DrawFailure);
}

bool PrintLoop::run()
{
    TP360DEF& job = engine_.Job;
    int sets = 1;
    if (job.Collate == 1 || (job.Copies > 1 && dialogCollate_)) {
        // The engine collates itself: whole sets one after the other.
        dialogCollate_ = true;
        sets = job.Copies;
        job.Collate = 0;
        job.Copies = 1;
        device_.setCopies(1);
    }
    const int repeats = device_.makesCopies() ? 1 : device_.copies();
    device_.setDocTitle(job.DocTitle);
    bool begun = false;
    try {
        if (!openFiles()) {
            device_.finish(false);
            return false;
        }
        const std::vector<Sheet> sheets = plan();
        if (sheets.empty()) {
            fail("印刷するページがありません。", false);
            device_.finish(false);
            return false;
        }
        std::string pending; // the MESSAGE of the sheet just printed
        for (int set = 0; set < sets && !cancelled_; ++set) {
            if (set > 0) {
                device_.endJob();
                begun = false;
            }
            for (const Sheet& sheet : sheets) {
                for (int copy = 0; copy < repeats && !cancelled_; ++copy) {
                    const int orientation = orientationOf(sheet);
                    if (!begun) {
                        device_.setOrientation(orientation);
                        device_.beginJob();
                        begun = true;
                    } else if (copy > 0) {
                        device_.newPage();
                    } else if (orientation != device_.orientation()) {
                        device_.endJob();
                        device_.setOrientation(orientation);
                        pause(pending);
                        device_.beginJob();
                    } else if (!pending.empty()) {
                        device_.endJob();
                        pause(pending);
                        device_.beginJob();
                    } else {
                        device_.newPage();
                    }
                    drawSheet(sheet);
                    if (copy == 0)
                        pending = engine_.MessageText;
                    ++sheetsSent_;
                    char text[32];
                    std::snprintf(text, sizeof text, "(Page=%d)", device_.pageNumber());
                    if (showProgress)
                        showProgress(text);
                    if (cancelRequested && cancelRequested())
                        cancelled_ = true;
                }
                if (cancelled_)
                    break;
            }
            pending.clear();
        }
    } catch (const std::exception& e) {
        ErrorLog("PRINT.メイン", e.what());
        fail(e.what(), true);
        cancelled_ = true;
    }
    const bool good = !cancelled_ && failure_.empty();
    if (begun) {
        if (good)
            device_.endJob();
        else
            device_.abortJob();
    }
    const bool kept = device_.finish(good);
    if (good && !kept) {
        fail("印刷データを出力できませんでした。", true);
        return false;
    }
    if (!failure_.empty())
        cancelled_ = false; // a failure, told as such, not a cancel
    return good && kept;
}

} // namespace vq::print
