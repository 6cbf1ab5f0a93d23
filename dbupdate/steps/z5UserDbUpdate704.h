#pragma once
// Data step 7.0.4: the new forms of the consumption-tax return (purchases
// of specified taxable services). The tax-code files are not read when the
// data set has tax code 116 already.
#include <cstdint>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/UpdateScript.h"

namespace vq::z5UserDbUpdate704 {

void SetUpdateRec(TDbUpdateListRec& rec);
std::int32_t DoUpdate();

// The scheme DoUpdate runs, read from the open data set's information.
TUpdateScheme Scheme(bool hasTaxCode116);

// Whether the open data set's TAXMST holds tax code 116.
bool CountTaxCode116();

} // namespace vq::z5UserDbUpdate704
