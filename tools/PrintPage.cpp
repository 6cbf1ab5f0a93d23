// print-page FILE PAGE OUT.png [DPI] [FORMFILE]: draws one sheet of a
// print-data file (with its form) into a PNG, for a person to look at.
// With OUT.pdf it prints pages 1..PAGE (0 = all) through the PDF printer.
#include "print/JobOfFile.h"
#include "print/PageOutput.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: print-page FILE PAGE OUT.png [DPI] [FORMFILE]\n");
        return 2;
    }
    try {
        // The file's own header gives paper, orientation and margins.
        vq::print::TP360DEF job = vq::print::JobOfFile(argv[1]);
        job.DataFile = argv[1];
        if (argc > 5)
            job.FormFile = argv[5];
        vq::print::TPrintEngine engine;
        if (std::string(argv[3]).ends_with(".pdf")) {
            vq::print::printToPdf(engine, job, argv[3], 1, std::atoi(argv[2]));
            return 0;
        }
        vq::print::JobFiles files(job);
        vq::print::prepareJob(engine, job, files);
        const int dpi = argc > 4 ? std::atoi(argv[4]) : 150;
        if (!vq::print::renderSheet(engine, files, std::atoi(argv[2]), dpi).save(argv[3]))
            throw std::runtime_error(std::string("cannot write ") + argv[3]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "print-page: %s\n", e.what());
        return 1;
    }
    return 0;
}
