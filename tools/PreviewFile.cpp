// preview FILE [--print]: opens a print-data file in the preview window, with
// the job its header describes; with --print it goes to the print entry
// (page-range dialog, printers and the "PDF file" printer) instead.
#include "print/JobOfFile.h"
#include "print/forms/QtPrintHost.h"
#include "ui/forms/QtInteraction.h"
#include "ui/forms/QtTranslations.h"

#include <QApplication>

#include <cstdio>
#include <exception>
#include <string>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    vq::ui::installQtTranslations(app);
    if (argc < 2) {
        std::fprintf(stderr, "usage: preview FILE [--print]\n");
        return 2;
    }
    vq::ui::installQtInteraction();
    vq::print::installPrintEngine();
    try {
        vq::print::TP360DEF job = vq::print::JobOfFile(argv[1]);
        if (argc > 2 && std::string(argv[2]) == "--print")
            return vq::print::PrintJob(job) ? 0 : 1;
        std::printf("%d\n", vq::print::PreviewJob(job));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "preview: %s\n", e.what());
        return 1;
    }
    return 0;
}
