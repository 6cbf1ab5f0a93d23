#pragma once
// Hands the data-list store to the data module, which refreshes a data set's
// row of the list when it closes the data set. The program calls this once
// at start-up; without it the module leaves the list as it is.
namespace vq {

void InstallDataListController();

} // namespace vq
