#pragma once
// The settlement-statement side of the sample office's individuals: the
// return header's details and the breakdown tables (monthly sales, wages,
// interest, rents, fees, rented properties, crops, growing costs, notes) of
// the general, real-estate and agriculture clients, and a second general
// client whose statement was entered by hand (TEGAKI 1), a bakery with
// manufacturing cost.
#include <vector>

#include "tools/SampleDataSet.h"

namespace vq::tools {

// The data-list slot of the hand-entered bakery.
inline constexpr int HandEnteredSampleSlot = 5;

void addGeneralStatement(SampleDataSet& set);
void addRealEstateStatement(SampleDataSet& set);
void addAgricultureStatement(SampleDataSet& set);
SampleDataSet handEnteredGeneralSample(int slot);

// Adds each client's statement by its kind (the first general client gets
// the general one) and appends the hand-entered bakery.
void addStatementSamples(std::vector<SampleDataSet>& sets);

} // namespace vq::tools
