#include "print/DefaultPrintRec.h"

#include "foundation/app/SystemDef.h"
#include "foundation/text/DisplayUtils.h"
#include "foundation/text/TextUtils.h"
#include "print/PrintDataFile.h"
#include "print/TZevev360.h"

namespace vq::print {

void InitDefaultPrintRec(TDefaultPrintRec& rec)
{
    rec = TDefaultPrintRec{};
    rec.LineColor1 = SystemDef.PLineColor1;
    rec.LineColor2 = SystemDef.PLineColor2;
    rec.NetColor1 = SystemDef.NetColor1;
    rec.NetColor2 = SystemDef.NetColor2;
}

std::string MakeStyleName(const std::string& reportName)
{
    std::string name = PadLeftBytes(upperAscii("020-" + reportName), 40);
    const auto first = name.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return name.substr(first, name.find_last_not_of(' ') - first + 1);
}

void ApplyMonoPrintColors(std::int32_t colour, TZevev360& print)
{
    if (colour != 0)
        return;
    print.UserColor1 = 0;
    print.UserColor2 = 0;
    print.OcrGreen = 0;
    print.OcrBlue = 0;
    print.OcrBrown = 0;
    print.OcrPink = 0;
    print.OcrOrange = 0;
    print.OcrViolet = 0;
    print.OcrPurple = 0;
    print.NetColor1 = ToGrayColor(print.NetColor1);
    print.NetColor2 = ToGrayColor(print.NetColor2);
}

} // namespace vq::print
