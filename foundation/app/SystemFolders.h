#pragma once
// The folder part of TSystemDef as the start-up step fills it, derived from
// the platform's special folders (every one of them under VQ_ROOT when that
// is set) and the typed constants BaseFolder, ViewFolder and AppName.
#include "foundation/app/SystemDef.h"

namespace vq {

// Fills ProgramDir, ParentDir, HelpDir, SqlDir, DataRootDir, IniDir, LogDir,
// TempDir, WinTempDir, ViewDir, DocumentsDir, SysDir and IniFileName, and
// creates IniDir, LogDir, TempDir and DocumentsDir. Folders carry no trailing
// separator. False when one of the folders could not be created (the fields
// are filled all the same).
bool InitSystemFolders(TSystemDef& def = SystemDef);

} // namespace vq
