#pragma once
// The command line of the tool. Stand-alone it has no argument; started by
// another program it has exactly one, four fields cut at every comma: the
// caller's number (the channel it listens on), the message number it wants
// back, the function id, and the output file (cut at a comma inside it).
// Whatever the export could not serve - a function id outside 1-4, no output
// file - is refused at once, before the operator walks the pages.
#include <cstdint>
#include <string>
#include <vector>

namespace vq::linkage {

struct CallerArguments {
    enum class Kind {
        StandAlone, // no argument
        Caller,     // one argument, fields 1-3 decimal numbers, function 1-4, an output file
        Invalid,    // more than one argument, a field 1-3 that is not a number, a
                    // function id outside 1-4 or no output file
    };
    Kind kind = Kind::StandAlone;
    std::int64_t CallerWnd = 0;   // 0 when stand-alone
    std::int32_t CallerMsg = 0;
    std::int32_t CallerFuncId = 0;
    std::string CallerOutFile;

    // For an invalid argument: whether field 1 still named a caller, which
    // then learns of the refusal.
    bool callerNamed() const { return CallerWnd != 0; }
};

// The function ids the export serves (the income-tax linkage's four).
inline constexpr std::int32_t kFirstFunctionId = 1;
inline constexpr std::int32_t kLastFunctionId = 4;

// args are the arguments after the program name.
CallerArguments ParseCallerArguments(const std::vector<std::string>& args);

// The message shown for an invalid command line before the program ends.
inline constexpr const char* kInvalidArgumentMessage = "不正な引数が渡されました。\r\rアプリケーションを強制終了します。";

} // namespace vq::linkage
