#include "print/PdfPrintHost.h"

#include "print/PdfPrintDevice.h"

#include <filesystem>

namespace vq::print {

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
