#include "print/PdfPrintDevice.h"

#include <QPageLayout>
#include <QPdfWriter>

#include <stdexcept>
#include <system_error>

namespace vq::print {

PdfPrintDevice::PdfPrintDevice(std::filesystem::path target, int dpi) : dpi_(dpi)
{
    setTarget(std::move(target));
}

void PdfPrintDevice::setTarget(std::filesystem::path target)
{
    target_ = std::move(target);
    part_ = target_;
    part_ += ".part";
}

PdfPrintDevice::~PdfPrintDevice()
{
    if (writer_)
        discard();
}

PrintableArea PdfPrintDevice::printableArea()
{
    // The page of the file is the paper itself, whatever its code.
    const PrintableArea mm = sheetOfCode(paper_, userSize_);
    return orientation_ == 1 ? PrintableArea{mm.height, mm.width} : mm;
}

void PdfPrintDevice::applyJob(const TP360DEF& job)
{
    setCopies(job.Copies);
    collate_ = job.Collate;
    userSize_ = {job.PaperWidth / 10, job.PaperLength / 10};
}

void PdfPrintDevice::readBack(TP360DEF& job)
{
    job.DeviceName = "PDF";
    job.FormName = pageSizeOfCode(paper_, userSize_).name().toStdString();
    const PrintableArea mm = sheetOfCode(paper_, userSize_);
    job.PaperLength = mm.height * 10;
    job.PaperWidth = mm.width * 10;
    job.Orientation = orientation_;
    job.Copies = copies_;
    job.Collate = collate_;
    job.YResolution = dpi_;
    job.DevModeFields = 0x8000 | 0x02;
}

std::int32_t PdfPrintDevice::paperNumber(const std::string& name, std::int32_t length, std::int32_t width,
                                         std::int32_t def)
{
    for (int code : {8, 9, 11, 12, 13, 16, 17, 44, 45, 46, 90}) {
        if (!name.empty()) {
            if (pageSizeOfCode(code).name().toStdString() == name)
                return code;
            continue;
        }
        if (length > 0 && width > 0) {
            const PaperSizeMM mm = PaperMM(code);
            if (mm.height * 10 > length - 10 && mm.height * 10 < length + 10 && mm.width * 10 > width - 10 &&
                mm.width * 10 < width + 10)
                return code;
        }
    }
    return def;
}

void PdfPrintDevice::applyLayout()
{
    writer_->setPageLayout(QPageLayout(pageSizeOfCode(paper_, userSize_),
                                       orientation_ == 1 ? QPageLayout::Landscape : QPageLayout::Portrait,
                                       QMarginsF(0, 0, 0, 0)));
}

void PdfPrintDevice::beginJob()
{
    if (aborted_)
        throw std::runtime_error("the print run was aborted");
    if (target_.empty())
        throw std::runtime_error("no PDF file was chosen");
    pageNumber_ = 1;
    if (!writer_) {
        sheets_ = 0;
        writer_ = std::make_unique<QPdfWriter>(QString::fromStdString(part_.string()));
        writer_->setResolution(dpi_);
        writer_->setTitle(QString::fromStdString(title_));
        writer_->setCreator(QStringLiteral("Vorlen print engine"));
        applyLayout();
        if (!painter_.begin(writer_.get())) {
            writer_.reset();
            std::error_code ec;
            std::filesystem::remove(part_, ec);
            throw std::runtime_error("cannot write " + target_.string());
        }
    } else {
        // A new job of the same run continues the document on a new sheet.
        applyLayout();
        writer_->newPage();
    }
    ++sheets_;
}

void PdfPrintDevice::newPage()
{
    applyLayout();
    writer_->newPage();
    ++pageNumber_;
    ++sheets_;
}

void PdfPrintDevice::endJob() {}

void PdfPrintDevice::discard()
{
    if (painter_.isActive())
        painter_.end();
    writer_.reset();
    std::error_code ec;
    std::filesystem::remove(part_, ec);
}

void PdfPrintDevice::abortJob()
{
    aborted_ = true;
    discard();
}

bool PdfPrintDevice::finish(bool keep)
{
    // The device can start the next run afresh.
    aborted_ = false;
    if (!writer_) {
        discard();
        return !keep; // nothing was printed that could be kept
    }
    if (!keep) {
        discard();
        return true;
    }
    const bool ended = painter_.end();
    writer_.reset();
    std::error_code ec;
    if (!ended || !std::filesystem::exists(part_, ec)) {
        std::filesystem::remove(part_, ec);
        return false;
    }
    std::filesystem::rename(part_, target_, ec);
    if (ec) {
        std::filesystem::remove(part_, ec);
        return false;
    }
    return true;
}

} // namespace vq::print
