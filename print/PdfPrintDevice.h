#pragma once
// A PDF file as a printer: the whole paper is printable, the pages of every
// job of a run go into one document, and the document is written beside its
// target under a temporary name and renamed only when the run finishes well.
// A cancelled or failed run leaves no file behind (an older file of the same
// name stays as it was).
#include <filesystem>
#include <memory>

#include <QPainter>

#include "print/PrintDevice.h"

class QPdfWriter;

namespace vq::print {

class PdfPrintDevice : public PrintDevice {
public:
    explicit PdfPrintDevice(std::filesystem::path target, int dpi = 600);
    ~PdfPrintDevice() override;

    const std::filesystem::path& target() const { return target_; }
    // The file of the next run (empty: none chosen yet).
    void setTarget(std::filesystem::path target);
    // Sheets written so far, over every job of the run.
    int sheetsWritten() const { return sheets_; }

    std::int32_t paperCode() override { return paper_; }
    void setPaperCode(std::int32_t code) override { paper_ = code; }
    int orientation() override { return orientation_; }
    void setOrientation(int orientation) override { orientation_ = orientation == 1 ? 1 : 0; }
    PrintableArea printableArea() override;
    bool printsToEdge() override { return true; }
    int dpiX() override { return dpi_; }
    int dpiY() override { return dpi_; }
    bool makesCopies() override { return false; }
    int copies() override { return copies_; }
    void setCopies(int copies) override { copies_ = copies >= 1 ? copies : 1; }
    void applyJob(const TP360DEF& job) override;
    void readBack(TP360DEF& job) override;
    std::int32_t paperNumber(const std::string& name, std::int32_t length, std::int32_t width,
                             std::int32_t def) override;
    void setDocTitle(const std::string& title) override { title_ = title; }
    void beginJob() override;
    void newPage() override;
    void endJob() override;
    void abortJob() override;
    QPainter& painter() override { return painter_; }
    int pageNumber() override { return pageNumber_; }
    bool finish(bool keep) override;

private:
    void applyLayout();
    void discard();

    std::filesystem::path target_;
    std::filesystem::path part_;
    int dpi_;
    std::int32_t paper_ = 9;
    int orientation_ = 0;
    int copies_ = 1;
    int collate_ = 0;
    PrintableArea userSize_; // mm, portrait: the job's own paper size (code 256)
    std::string title_;
    std::unique_ptr<QPdfWriter> writer_;
    QPainter painter_;
    int pageNumber_ = 0;
    int sheets_ = 0;
    bool aborted_ = false;
};

} // namespace vq::print
