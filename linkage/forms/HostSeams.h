#pragma once
// The seams the library leaves to the program that hosts it, filled with
// what the Qt event loop offers: the scheduler of the deferred timers, the
// deferred close of a window, the end of the program after a fatal database
// error, the message pump of the waits and the font lookup.
namespace vq::linkage {

// Installs every seam; RemoveHostSeams puts the library's defaults back.
void InstallHostSeams();
void RemoveHostSeams();

} // namespace vq::linkage
