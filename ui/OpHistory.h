#pragma once
// The operation history of the open data set: which operator has which
// screen open on which computer (OPINF). Opening a screen closes a leftover
// entry of the same operator and screen as ended in error and writes a new
// open entry; closing it closes the entry as ended normally (both through
// OPINF_DELETE, which moves the entry to the history).
#include <cstdint>
#include <string>

namespace vq::ui {

enum class OpHistoryState : std::uint8_t { Opened = 0, Closed = 1 };

// jobName is the screen's caption. Without an open data set nothing is
// written. A database error is logged ("TBSDI.PutProcRirekiInfo"), the work
// begun here rolled back, and the error passed on.
void PutProcRirekiInfo(const std::string& jobName, OpHistoryState state);

} // namespace vq::ui
