#pragma once
// The operator's report colours in the system database (table STYLECOLOR,
// one row per operator and style name; -1 stands for the operator's default
// colour) and the few other values the print dialogs keep there.
// Database errors are reported (ReportDbError) with the given label and
// message; the functions then return false or an empty text.
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

// The SSTR text of a row ("Pallet_CustomColor": the colour dialog's custom
// colours); empty when there is none.
std::string GetStyleColor(std::int32_t opcode, const std::string& styleName);
bool PutStyleColor(std::int32_t opcode, const std::string& styleName, const std::string& text);

// Saves the operator's four print colours of SystemDef (frame and grid lines,
// heading and total shading) into the operator's settings row.
bool PutOperatorPrintColors();

} // namespace vq::ui
