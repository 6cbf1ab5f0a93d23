#pragma once
// The printer as the print loop sees it: a paper, an orientation, a printable
// area and resolution, copies, and print jobs made of pages. The print loop
// and the print entry work only through this, so the same loop prints on a
// system printer (print/forms) and into a PDF file (PdfPrintDevice).
//
// A print run may hold several jobs: a MESSAGE pause or a change of
// orientation ends the job and begins a new one, and the page number restarts
// at 1 with each. finish() closes the run; only then is the output kept or
// thrown away as a whole where the device can (a PDF file).
#include <cstdint>
#include <string>

#include "print/PaperTable.h"
#include "print/TP360DEF.h"

class QPainter;

namespace vq::print {

class PrintDevice {
public:
    virtual ~PrintDevice() = default;

    virtual std::int32_t paperCode() = 0;      // Windows paper code of the paper in use
    virtual void setPaperCode(std::int32_t code) = 0;
    virtual int orientation() = 0;             // 0 portrait, 1 landscape
    virtual void setOrientation(int orientation) = 0;
    virtual PrintableArea printableArea() = 0; // mm, in the current orientation
    // True when the printable area is the whole sheet (a file): the page then
    // has no unprintable edge to allow for, whatever its paper.
    virtual bool printsToEdge() { return false; }
    virtual int dpiX() = 0;
    virtual int dpiY() = 0;

    // False when the device cannot repeat pages itself (a file): the loop
    // then draws each sheet as often as the copies ask.
    virtual bool makesCopies() = 0;
    virtual int copies() = 0;
    virtual void setCopies(int copies) = 0;

    // The job's printer settings onto the device, and back into a job record.
    virtual void applyJob(const TP360DEF& job) = 0;
    virtual void readBack(TP360DEF& job) = 0;
    // The device's paper named name, else within 1 mm of length x width, else def.
    virtual std::int32_t paperNumber(const std::string& name, std::int32_t length, std::int32_t width,
                                     std::int32_t def) = 0;

    virtual void setDocTitle(const std::string& title) = 0;
    // Throw std::runtime_error when the device refuses.
    virtual void beginJob() = 0;
    virtual void newPage() = 0;
    virtual void endJob() = 0;
    virtual void abortJob() = 0;
    virtual QPainter& painter() = 0;
    virtual int pageNumber() = 0;              // 1-based within the current job

    // Ends the run: keep says whether what was printed stands. False when the
    // output could not be completed.
    virtual bool finish(bool keep) = 0;
};

} // namespace vq::print
