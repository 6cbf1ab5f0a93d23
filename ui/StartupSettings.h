#pragma once
// The start-up's read of the local settings file: the default database login
// first, the default file written when there is none (or its LOCAL section is
// empty), then the LOCAL section into the run state, and the stand-alone
// connection values on top, since every run starts stand-alone and the logon
// reads the section of the mode the operator picks.
#include <string>

namespace vq::ui {

// Writes the default settings file (the reset of the data-server settings).
// False when it could not be written.
bool WriteDefaultSettingsIni();

// Expects the folders of SystemDef filled (InitSystemFolders). Throws
// std::runtime_error whose message is the text to show, with appTitle in it,
// when the data root is unknown or the default file cannot be written.
void LoadLocalSettings(const std::string& appTitle);

} // namespace vq::ui
