// ovidal-rendo [CALLER,MESSAGE,FUNCTION,OUTFILE]: the income-tax linkage tool.
#include "comm/forms/DataTusinScreens.h"
#include "linkage/forms/OvidalRendo.h"
#include "print/forms/QtPrintHost.h"
#include "ui/forms/QtInteraction.h"
#include "ui/forms/QtTranslations.h"

#include <QApplication>

#include <string>
#include <vector>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    vq::ui::installQtTranslations(app);
    vq::ui::installQtInteraction();
    vq::print::installPrintEngine();
    // The cloud share of the chosen data set talks to the relay server.
    vq::comm::InstallDataTusinScreens();
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    return vq::linkage::RunOvidalRendo(args);
}
