#include "linkage/datamake/LinkageDocument.h"

#include "foundation/app/AccInf.h"
#include "linkage/ComDataExport.h"
#include "linkage/XmlSaveDoc.h"

namespace vq::linkage {

namespace {

// The last period of the 16-period fiscal calendar: the year-end adjustment.
constexpr std::int32_t YearEndPeriod = 16;

} // namespace

void TakeOpenDataSet(TComDataExport& exp)
{
    exp.KomonsakiName = AccInf.SHOUGOU;
    exp.Nendo = AccInf.NENDO;
    exp.PeriodStart = AccInf.KISHU;
    exp.PeriodEnd = AccInf.KIMATU;
    exp.SimeDay = AccInf.SIME;
    exp.PeriodFrom = 1;
    exp.PeriodTo = YearEndPeriod;
    exp.LastPeriod = YearEndPeriod;
    exp.TaxMode = AccInf.TAXDEFUH;
    exp.TaxKanni = AccInf.TAXKANNI;
    exp.TaxJigyou = AccInf.TAXJIGYOU;
    exp.DataType = AccInf.DATATYPE;
    exp.CodeType = AccInf.CODETYPE;
    exp.SyotokuSyurui = 0;
    if (AccInf.DATATYPE == 2) {
        exp.SyotokuSyurui = 1;
        if (AccInf.CODETYPE == 2)
            exp.SyotokuSyurui = 3;
        else if (AccInf.CODETYPE == 4)
            exp.SyotokuSyurui = 4;
    }
}

void BuildLinkageDocument(TComDataExport& exp, TXmlSaveDoc& doc)
{
    exp.SetSystemNode(doc);
    exp.SetBasicNode(doc);
    exp.SetDataNode(doc);
}

void WriteLinkageFile(TComDataExport& exp, const std::filesystem::path& file)
{
    TXmlSaveDoc doc("1.0", "Shift_JIS");
    BuildLinkageDocument(exp, doc);
    doc.SaveToFile(file);
}

} // namespace vq::linkage
