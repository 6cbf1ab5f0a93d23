#include "dbupdate/IsqlRunner.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <stdexcept>
#include <system_error>

#include "foundation/app/MessageWait.h"
#include "foundation/app/SystemDef.h"
#include "platform/AtomicFile.h"
#include "platform/Cp932.h"
#include "platform/Interaction.h"
#include "platform/LockedAppend.h"
#include "platform/Process.h"

namespace vq {

namespace fs = std::filesystem;

namespace {

std::chrono::milliseconds timeLimit = std::chrono::minutes(30);

constexpr const char* kScriptName = "vqzdataup.sql";
constexpr const char* kOutputName = "vqzdataup.log";
constexpr const char* kErrorLog = "ErrDataup";

// A folder only this user may enter, made for one run and removed with
// everything in it when the run ends, whichever way.
class PrivateFolder {
public:
    PrivateFolder()
    {
        std::error_code ec;
        fs::path base = SystemDef.WinTempDir;
        if (base.empty() || !fs::is_directory(base, ec))
            base = fs::temp_directory_path();
        std::string pattern = (base / "vqzdataup-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::system_error(errno, std::generic_category(), "cannot make a folder in " + base.string());
        path_ = pattern;
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::replace);
    }
    ~PrivateFolder()
    {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

std::string readBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The output's lines, each ended by CR LF, as the error logs keep them.
std::string withCrLf(const std::string& text)
{
    std::string lines;
    std::string line;
    for (char c : text) {
        if (c == '\n') {
            lines += line + "\r\n";
            line.clear();
        } else if (c != '\r') {
            line += c;
        }
    }
    if (!line.empty())
        lines += line + "\r\n";
    return lines;
}

platform::ProcessResult runIsql(const fs::path& script, const fs::path& output)
{
    platform::ProcessOptions options;
    options.environment["ISC_USER"] = SystemDef.DbUser;
    options.environment["ISC_PASSWORD"] = SystemDef.DbPassword;
    // File names reach isql as UTF-8 whatever the caller's locale.
    options.environment["LC_ALL"] = "C.UTF-8";
    options.timeLimit = timeLimit;
    const std::vector<std::string> args{"-q", "-bail", "-ch", "SJIS_0208", "-e", "-m",
                                        "-i", script.string(), "-o", output.string()};
    auto running = std::async(std::launch::async, [&] { return platform::runProcess(platform::isqlProgram(), args, options); });
    WaitForWithMessages([&] { return running.wait_for(std::chrono::milliseconds(0)) == std::future_status::ready; },
                        300);
    return running.get();
}

void keepFailedOutput(const std::string& lines)
{
    const fs::path logDir = SystemDef.LogDir;
    std::error_code ec;
    fs::create_directories(logDir, ec);
    platform::writeFileAtomically(logDir / (std::string(kErrorLog) + ".txt"), lines);
    platform::appendFileLocked(logDir / (std::string(kErrorLog) + ".log"), lines);
}

} // namespace

std::chrono::milliseconds IsqlTimeLimit()
{
    return timeLimit;
}

void SetIsqlTimeLimit(std::chrono::milliseconds limit)
{
    timeLimit = limit;
}

bool HasIsqlErrorLine(const std::string& output)
{
    for (const char* marker : {"Statement failed", "SQLSTATE", "Expected end of statement"})
        if (output.find(marker) != std::string::npos)
            return true;
    return false;
}

std::int32_t ExecIsqlScript(const TUpdateScript& script, const std::string& versionText)
{
    PrivateFolder folder;
    const fs::path scriptFile = folder.path() / kScriptName;
    const fs::path outputFile = folder.path() / kOutputName;
    platform::writeFileAtomically(scriptFile, platform::cp932::fromUtf8(script.Text()));

    const platform::ProcessResult run = runIsql(scriptFile, outputFile);
    if (!run.started) {
        platform::showMessage("ISQL.EXEが起動できません。\r処理を中止します。", platform::MessageKind::Information);
        return UpdateToolMissing;
    }
    // isql writes everything to its output file; what reaches its error
    // stream (a file it could not open) belongs to the record as well.
    std::string output = readBytes(outputFile);
    if (!run.standardError.empty())
        output += (output.empty() ? "" : "\n") + run.standardError;
    const bool failed = run.timedOut || run.crashed || run.exitCode != 0 || HasIsqlErrorLine(output);
    if (!failed)
        return UpdateDone;
    // isql's own lines are CP932 already; a note of why the run ended
    // joins them in the same code page.
    if (run.timedOut)
        output += platform::cp932::fromUtf8("\nisqlが制限時間(" + std::to_string(timeLimit.count() / 1000) +
                                            "秒)内に終了しなかったため中止しました。");
    else if (run.crashed || (run.exitCode != 0 && !HasIsqlErrorLine(output)))
        output += platform::cp932::fromUtf8("\nisqlが異常終了しました。(終了コード " + std::to_string(run.exitCode) + ")");
    const std::string lines = withCrLf(output);
    platform::showMessage("Ver " + versionText + "のデータベース更新に失敗しました。", platform::MessageKind::Error);
    keepFailedOutput(lines);
    return UpdateFailed;
}

} // namespace vq
