#include "print/JobOfFile.h"

#include "print/PrintColors.h"
#include "print/PrintDataFile.h"
#include "print/PrintEngine.h"

#include <filesystem>
#include <stdexcept>

namespace vq::print {

TP360DEF JobOfFile(const std::string& file)
{
    PrintText text = PrintText::load(std::filesystem::path(file));
    if (!text.startsWith("*ZEVEV360*"))
        throw std::runtime_error("<ZEVEV360>印刷データではありません。");
    TP360DEF job;
    job.DataFile = file;
    // The header is the run of "*" lines at the top.
    while (!text.atEnd()) {
        const std::string line = lineToUtf8(text.readLine());
        if (line.empty() || line[0] != '*')
            break;
        const auto eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        const std::string key = line.substr(1, eq - 1);
        const std::string value = line.substr(eq + 1);
        const auto number = [&](std::int32_t fallback) { return parseNumber(value, fallback); };
        if (key == "TITLE")
            job.Title = value;
        else if (key == "FORMFILE")
            job.FormFile = value;
        else if (key == "PAPERSIZE")
            job.PaperSize = number(9);
        else if (key == "OUTPUTPAPER")
            job.OutPutPaper = number(0);
        else if (key == "ORIENTATION")
            job.Orientation = number(0);
        else if (key == "TOPMARGIN")
            job.TopMargin = number(0);
        else if (key == "LEFTMARGIN")
            job.LeftMargin = number(0);
        else if (key == "FORMTOPMARGIN")
            job.FormTopMargin = number(0);
        else if (key == "FORMLEFTMARGIN")
            job.FormLeftMargin = number(0);
        else if (key == "NETC1")
            job.NetColor1 = number(job.NetColor1);
        else if (key == "NETC2")
            job.NetColor2 = number(job.NetColor2);
        else if (key == "USERC1")
            job.UserColor1 = number(0);
        else if (key == "USERC2")
            job.UserColor2 = number(0);
        else if (key == "FORMPRINT")
            job.PrintFom = value == "TRUE";
        else if (key == "COPIES")
            job.Copies = number(1);
        else if (key == "PAGENOSWITCH")
            job.PageBango.Switch = value == "TRUE";
        else if (key == "PAGENOLEFT")
            job.PageBango.Left = number(0);
        else if (key == "PAGENOTOP")
            job.PageBango.Top = number(0);
        else if (key == "PAGENOALIGNMENT")
            job.PageBango.Alignment = number(2);
        else if (key == "PAGENOFORMAT") {
            job.PageBango.Format = value;
            job.PageBango.FormatCount = pageFormatCount(value);
        }
    }
    if (job.PageBango.FormatCount != 1 && job.PageBango.FormatCount != 2)
        job.PageBango.Switch = false;
    job.DocTitle = job.Title.empty() ? std::filesystem::path(file).stem().string() : job.Title;
    return job;
}

} // namespace vq::print
