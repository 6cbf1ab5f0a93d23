#pragma once
// The start-up step of the trial balances: the host calls
// InstallBalanceEngines once before any data set is opened, so that every
// caller reaches the engine of the open data set's edition through the front.
namespace vq {

// Installs the general and the medical engine.
void InstallBalanceEngines();

} // namespace vq
