#pragma once
// A print host without windows that prints into one PDF file: the page range
// comes from chooseRange (all pages when it is not set), the loop runs at
// once, and a preview opened for a job without print permission answers
// previewAnswer. Tests and tools print through it.
#include <functional>
#include <memory>
#include <string>

#include "print/PrintJob.h"

namespace vq::print {

class PdfPrintHost : public PrintHost {
public:
    explicit PdfPrintHost(std::string pdfPath, int dpi = 300);
    ~PdfPrintHost() override;

    std::function<bool(PrintRange&)> chooseRange;
    std::function<bool()> cancelRequested;
    std::function<int(TPrintEngine&)> previewAnswer;
    std::function<void(const std::string&)> progress;

    PrintDevice* printer(int index) override;
    int printerIndex() override { return 0; }
    bool askRange(PrintDevice& device, PrintRange& range) override;
    void runLoop(PrintLoop& loop) override;
    int preview(TPrintEngine& engine) override;

    int previewsOpened() const { return previews_; }

private:
    std::string path_;
    int dpi_;
    std::unique_ptr<PrintDevice> device_;
    int previews_ = 0;
};

} // namespace vq::print
