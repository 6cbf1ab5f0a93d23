// ovidal-rendo [CALLER,MESSAGE,FUNCTION,OUTFILE]: the income-tax linkage tool.
#include "linkage/forms/OvidalRendo.h"
#include "ui/forms/QtInteraction.h"

#include <QApplication>

#include <string>
#include <vector>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    vq::ui::installQtInteraction();
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    return vq::linkage::RunOvidalRendo(args);
}
