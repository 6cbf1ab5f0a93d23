#pragma once
// Lets the data module switch the front's tables when it opens a data set
// (the foundation cannot call up into this library). The host calls it once
// at start-up, before the first data set is opened.
namespace vq {

void ConnectBalanceTables();

} // namespace vq
