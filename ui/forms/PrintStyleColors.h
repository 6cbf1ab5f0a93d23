#pragma once
// The operator's report colours in the system database (table STYLECOLOR,
// one row per operator and style name; -1 stands for the operator's default
// colour).
// Errors are reported (ReportDbError for database errors) under the print
// dialog's operation names; the functions then return false.
#include <cstdint>
#include <string>

#include "print/DefaultPrintRec.h"

namespace vq::ui {

// Overlays the stored colours (those not -1) and the settings of the row of
// the logged-on operator and styleName on rec.
bool GetStyleColorRec(print::TDefaultPrintRec& rec, const std::string& styleName);
// Stores rec's colours (-1 for those equal to the operator's defaults) and
// settings as the row of the logged-on operator and styleName.
bool PutStyleColorRec(const print::TDefaultPrintRec& rec, const std::string& styleName);

} // namespace vq::ui
