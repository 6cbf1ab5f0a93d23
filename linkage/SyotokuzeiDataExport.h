#pragma once
// The income-tax export: the export base with the DATA group made from the
// chosen data set's settlement statement by the income-tax data maker.
#include "linkage/ComDataExport.h"

namespace vq::linkage {

class TSyotokuzeiDataExport : public TComDataExport {
public:
    using TComDataExport::TComDataExport;

    // Reads SyotokuSyurui, TaxMode, IncludeUtiwake and CodeType.
    void SetDataNode(TXmlSaveDoc& doc) override;
};

} // namespace vq::linkage
