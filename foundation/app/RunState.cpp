#include "foundation/app/RunState.h"

namespace vq {

std::uint8_t ProductKind = 0;
std::uint8_t ConnectMode = ConnectStandAlone;
std::uint8_t TerminalKind = 0;
std::uint8_t OemKind = 0;
std::uint8_t DbFatalFlag = 0;

std::int32_t DataReadOnly = 0;
std::string DataVersionText;

MenuHostFunc MenuHostProc;
DataSetChangedFunc DataSetChangedProc;
FormActivateFunc FormActivateProc;
StatusRefreshFunc StatusRefreshProc;
StatusTextFunc StatusTextProc;
StartProcessFunc StartProcessProc;
DataBrokenCheckFunc DataBrokenCheckProc;

} // namespace vq
