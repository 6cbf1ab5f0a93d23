#include "print/PrintJob.h"

#include "platform/Interaction.h"
#include "print/ErrorLog.h"
#include "print/PdfPrintDevice.h"

#include <filesystem>
#include <fstream>

namespace vq::print {
namespace {

std::string trimmed(const std::string& s)
{
    const auto b = s.find_first_not_of(" \t");
    if (b == std::string::npos)
        return {};
    return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

bool startsWithMagic(const std::string& file)
{
    std::ifstream in(std::filesystem::path(file), std::ios::binary);
    char head[10] = {};
    in.read(head, sizeof head);
    return in.gcount() == 10 && std::string(head, 10) == "*ZEVEV360*";
}

// Points host at def's printer, keeping the paper the printer had.
PrintDevice* printerKeepingPaper(PrintHost& host, int index, PrintDevice* current)
{
    const std::int32_t paper = current ? current->paperCode() : 0;
    PrintDevice* device = host.printer(index);
    if (device && paper != 0)
        device->setPaperCode(paper);
    return device;
}

} // namespace

std::string checkJobFiles(const std::string& dataFile, const std::string& formFile, bool needMagic)
{
    std::error_code ec;
    if (dataFile.empty())
        return "印刷ファイルの指定がありません。";
    if (!std::filesystem::exists(std::filesystem::path(dataFile), ec))
        return "<" + dataFile + "> が見つかりません。";
    if (needMagic && !startsWithMagic(dataFile))
        return "<ZEVEV360>印刷データではありません。";
    if (!trimmed(formFile).empty() && !std::filesystem::exists(std::filesystem::path(formFile), ec))
        return "<" + formFile + "> が見つかりません。";
    return {};
}

bool PrintJobStart(TPrintEngine& engine, TP360DEF& def, PrintHost& host)
{
    if (!engine.EngineReady)
        return false;
    TP360DEF& shared = engine.Job;
    try {
        if (!def.Permit) {
            // The preview shows this job, not what the shared record held
            // before: every field comes from the caller.
            if (&def != &shared)
                shared = def;
            host.preview(engine);
            return false;
        }
        engine.JobFormFile = def.FormFile;
        engine.JobDataFile = def.DataFile;
        engine.PageNoIndex = 1;
        if (const std::string problem = checkJobFiles(def.DataFile, def.FormFile, true); !problem.empty()) {
            platform::showMessage(problem, platform::MessageKind::Error);
            return false;
        }
        PrintDevice* device = nullptr;
        if (&def == &shared) {
            device = printerKeepingPaper(host, def.PrinterNum, nullptr);
        } else {
            shared = def;
            device = host.printer(shared.PrinterNum);
            if (device) {
                if (shared.PaperSize == 0)
                    shared.PaperSize = device->paperNumber(shared.PaperName, shared.PaperLength, shared.PaperWidth, 9);
                device->setPaperCode(shared.OutPutPaper != 0 ? shared.OutPutPaper : shared.PaperSize);
            }
        }
        if (!device)
            return false;
        device->applyJob(def);
        if (shared.Copies < 1 || shared.Copies > 99)
            shared.Copies = 1;
        if (shared.Zoom < 5 || shared.Zoom > 15)
            shared.Zoom = 10;
        PreviewPageCount(engine);
        device->setOrientation(shared.Orientation);
        device->setCopies(shared.Copies > 1 ? shared.Copies : 1);

        PrintRange range;
        range.maxPage = CountPages(engine, engine.JobDataFile, true);
        range.from = 1;
        range.to = range.maxPage;
        range.copies = device->copies();
        bool dialogCollate = false;
        if (shared.PrnDlg) {
            if (!host.askRange(*device, range)) {
                device->setOrientation(shared.Orientation);
                return false;
            }
            engine.PageNoIndex = range.from;
            dialogCollate = range.collate;
            device->readBack(def);
            if (&def != &shared) {
                shared.Copies = def.Copies;
                shared.Collate = def.Collate;
                shared.ColorMode = def.ColorMode;
            }
        }
        const PaperRatios ratios = PaperRatio(shared.PaperSize, device->paperCode(), shared.VRATIO, shared.HRATIO);
        engine.PaperVRatio = ratios.vertical;
        engine.PaperHRatio = ratios.horizontal;

        PrintLoop loop(engine, *device, range, dialogCollate);
        host.runLoop(loop);
        const bool printed = loop.failure().empty() && !loop.cancelled() && loop.sheetsSent() > 0;
        if (!printed)
            device->setOrientation(shared.Orientation);
        return printed;
    } catch (const std::exception& e) {
        ErrorLog("PRINT.開始", e.what());
        platform::showMessage(e.what(), platform::MessageKind::Error);
    } catch (...) {
        ErrorLog("PRINT.開始", "unknown failure");
    }
    return false;
}

bool PrintOnePage(TPrintEngine& engine, TP360DEF& def, int page, int orientation, PrintHost& host)
{
    engine.PageNoIndex = page;
    if (!engine.EngineReady)
        return false;
    TP360DEF& shared = engine.Job;
    PrintDevice* device = nullptr;
    bool printed = false;
    try {
        engine.JobFormFile = def.FormFile;
        engine.JobDataFile = def.DataFile;
        if (const std::string problem = checkJobFiles(def.DataFile, def.FormFile, true); !problem.empty()) {
            platform::showMessage(problem, platform::MessageKind::Error);
            return false;
        }
        device = printerKeepingPaper(host, def.PrinterNum, nullptr);
        if (!device)
            return false;
        def.Copies = 1;
        if (&def != &shared) {
            shared.ColorMode = def.ColorMode;
            shared.Copies = 1;
        }
        device->setOrientation(orientation);
        device->setCopies(1);
        PrintRange range;
        range.maxPage = CountPages(engine, engine.JobDataFile, true);
        range.pageNumbers = true;
        range.from = range.to = page;
        const PaperRatios ratios = PaperRatio(shared.PaperSize, device->paperCode(), shared.VRATIO, shared.HRATIO);
        engine.PaperVRatio = ratios.vertical;
        engine.PaperHRatio = ratios.horizontal;
        PrintLoop loop(engine, *device, range, false);
        host.runLoop(loop);
        printed = loop.failure().empty() && !loop.cancelled() && loop.sheetsSent() > 0;
    } catch (const std::exception& e) {
        ErrorLog("PRINT.現在のページ", e.what());
        platform::showMessage(e.what(), platform::MessageKind::Error);
    } catch (...) {
        ErrorLog("PRINT.現在のページ", "unknown failure");
    }
    if (device)
        device->setOrientation(orientation);
    return printed;
}

PdfPrintHost::PdfPrintHost(std::string pdfPath, int dpi) : path_(std::move(pdfPath)), dpi_(dpi) {}

PdfPrintHost::~PdfPrintHost() = default;

PrintDevice* PdfPrintHost::printer(int)
{
    if (!device_)
        device_ = std::make_unique<PdfPrintDevice>(std::filesystem::path(path_), dpi_);
    return device_.get();
}

bool PdfPrintHost::askRange(PrintDevice& device, PrintRange& range)
{
    if (!chooseRange)
        return true;
    if (!chooseRange(range))
        return false;
    device.setCopies(range.copies);
    return true;
}

void PdfPrintHost::runLoop(PrintLoop& loop)
{
    loop.cancelRequested = cancelRequested;
    loop.showProgress = progress;
    loop.run();
}

int PdfPrintHost::preview(TPrintEngine& engine)
{
    ++previews_;
    return previewAnswer ? previewAnswer(engine) : 0;
}

} // namespace vq::print
