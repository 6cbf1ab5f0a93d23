// The two header groups of the linkage file, REPORT/SYSTEM and REPORT/BASIC,
// as the export base writes them before its subclass writes REPORT/DATA.
#include "linkage/ComDataExport.h"

#include <cstdio>

#include "foundation/calendar/DayNumber.h"
#include "linkage/DataExportError.h"
#include "linkage/XmlSaveDoc.h"

namespace vq::linkage {

namespace {

// "yyyymmdd": the importer reads the fiscal dates without separators.
std::string dateText(double dayNumber)
{
    const CivilDate d = decodeDate(dayNumber);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d", d.year, d.month, d.day);
    return buf;
}

// The importer's rounding code for the depreciation fractions.
const char* hasuuSyoukyakuText(std::int32_t hasuuMode)
{
    switch (hasuuMode) {
    case 1: return "3";
    case 2: return "2";
    default: return "1";
    }
}

} // namespace

void TComDataExport::SetSystemNode(TXmlSaveDoc& doc)
{
    doc.CreateRoot("REPORT");
    const auto system = doc.AddNode({}, "SYSTEM");
    doc.AddLeaf(system, "GYOUMUPREFIX", GyoumuPrefix);
    doc.AddLeaf(system, "VERSION", std::to_string(FormatVersion));
    doc.AddLeaf(system, "FUNCTIONID", std::to_string(FunctionId));
    doc.AddLeaf(system, "CONNECTEDPROGRAMVER", ConnectedProgramVer);
    doc.AddLeaf(system, "PROGRAMNAME", ProgramName);
    doc.AddLeaf(system, "PROGRAMVER", ProgramVer);
}

void TComDataExport::SetBasicNode(TXmlSaveDoc& doc)
{
    const auto basic = doc.AddNode({}, "BASIC");
    doc.AddLeaf(basic, "KOMONSAKINAME", KomonsakiName);
    const bool incomeTax = GyoumuPrefix == "QX14";
    if (incomeTax && (FunctionId == 1 || FunctionId == 3)) {
        doc.AddLeaf(basic, "AOSIROKUBUN", "1");
        doc.AddLeaf(basic, "JIGYOUNENDOFROM", dateText(PeriodStart));
        doc.AddLeaf(basic, "JIGYOUNENDOTO", dateText(PeriodEnd));
        doc.AddLeaf(basic, "SYOTOKUSYURUI", std::to_string(SyotokuSyurui));
    } else if (incomeTax && (FunctionId == 2 || FunctionId == 4)) {
        doc.AddLeaf(basic, "JIGYOUNENDOFROM", dateText(PeriodStart));
        doc.AddLeaf(basic, "JIGYOUNENDOTO", dateText(PeriodEnd));
        doc.AddLeaf(basic, "HASUU_SYOUKYAKU", hasuuSyoukyakuText(HasuuMode));
    } else {
        throw EDataExportError("業務Prefixが条件に加えられていません。", ExportErrorUnknownPrefix,
                               "SetBasicNode(BASICﾉｰﾄﾞを作成)");
    }
}

} // namespace vq::linkage
