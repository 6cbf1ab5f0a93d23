#pragma once
// The run state of this process: which product runs and how it connects, and
// the hooks through which the library calls back into the program hosting it.
// A hook is empty until the host installs one; every caller tests it first
// and skips it (or does what its own rules say) when it is empty.
#include <cstdint>
#include <functional>
#include <string>

namespace vq {

// Which product of the line runs: 0 accounting, 1 electronic books,
// 2 management analysis, 3 cash book.
extern std::uint8_t ProductKind;
// 0 stand-alone, 1 client/server, 2 terminal server.
enum ConnectModes : std::uint8_t { ConnectStandAlone = 0, ConnectClientServer = 1, ConnectTerminal = 2 };
extern std::uint8_t ConnectMode;
// Index into TerminalKindNames (0 none).
extern std::uint8_t TerminalKind;
// 0 the maker's edition; 1 and 2 are distributor editions.
extern std::uint8_t OemKind;
// Set to 1 by the database-error reporter after a fatal error.
extern std::uint8_t DbFatalFlag;

// The process-wide date and time formats. They are fixed, whatever the
// user's locale says; every date text the library writes or reads with the
// default formats relies on them (the formatter is in foundation/DateText.h).
inline constexpr char DateSeparator = '/';
inline constexpr char TimeSeparator = ':';
inline constexpr const char* ShortDateFormat = "yyyy/MM/dd";
inline constexpr const char* LongDateFormat = "yyyy年MM月dd日";
inline constexpr const char* ShortTimeFormat = "hh:mm";
inline constexpr const char* LongTimeFormat = "hh:mm:ss";

// Set when a data set is opened, from the data module's read-only test.
extern std::int32_t DataReadOnly;
// The data version written into the error logs and the dictionary header;
// only the host assigns it.
extern std::string DataVersionText;

// Asks the host menu: command 10 = are screens other than the menu open
// (above 0 = yes), 11 with "CorvaneMenu", 4 when a form is shown.
using MenuHostFunc = std::function<std::int32_t(std::int32_t command, const std::string& text)>;
// A data set was replaced (kind 0).
using DataSetChangedFunc = std::function<void(std::int32_t kind)>;
// A library form was activated; the two values are the form's own.
using FormActivateFunc = std::function<void(bool arg, std::int32_t value)>;
// Refresh status-bar line `line`.
using StatusRefreshFunc = std::function<void(std::uint8_t line, std::int32_t value)>;
// Put a text into status-bar line `line`.
using StatusTextFunc = std::function<void(std::uint8_t line, const std::string& text,
                                          std::int32_t facilities, const std::string& extra)>;
// Start the screen registered under `name` (mode 1 modal) with name=value
// parameter lines; its result, -1 when nothing ran.
using StartProcessFunc = std::function<std::int32_t(const std::string& name, std::int32_t mode,
                                                    const std::string& params)>;
// Validate the data set in `folder` (on `host` when not local); 1 passed, 0 damaged.
using DataBrokenCheckFunc = std::function<std::int32_t(const std::string& host, const std::string& folder,
                                                       bool silent)>;

extern MenuHostFunc MenuHostProc;
extern DataSetChangedFunc DataSetChangedProc;
extern FormActivateFunc FormActivateProc;
extern StatusRefreshFunc StatusRefreshProc;
extern StatusTextFunc StatusTextProc;
extern StartProcessFunc StartProcessProc;
extern DataBrokenCheckFunc DataBrokenCheckProc;

} // namespace vq
