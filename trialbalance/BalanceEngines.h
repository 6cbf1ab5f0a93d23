#pragma once
// The start-up step of the trial balances: the host calls
// InstallBalanceEngines once before any data set is opened, so that every
// caller reaches the engine of the open data set's edition through the front
// and every opening of a data set sets the front's tables for its edition.
namespace vq {

// Installs the general and the medical engine and connects the front's
// tables to the data module's opening of a data set.
void InstallBalanceEngines();

} // namespace vq
