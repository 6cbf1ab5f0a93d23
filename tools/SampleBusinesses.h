#pragma once
// The three clients of the sample office: a stationery shop (general
// business), an apartment owner (real estate) and a farm (agriculture), each
// an individual with the fiscal year 2024. extraJournals adds that many
// further ordinary entries spread over the year (for benchmarks).
#include "tools/SampleDataSet.h"

namespace vq::tools {

SampleDataSet generalBusinessSample(int slot, int extraJournals);
SampleDataSet realEstateSample(int slot, int extraJournals);
SampleDataSet agricultureSample(int slot, int extraJournals);

} // namespace vq::tools
