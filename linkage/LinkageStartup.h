#pragma once
// The tool's start-up before the wizard shows: the run-settings record is
// filled with the folders, the default database login and the local settings
// file's [LOCAL] values, the application information is copied into the
// library's file and folder names, and the data module is created. Nothing
// here talks to a database; the logon is the first database work.
#include <cstdint>
#include <filesystem>
#include <string>

#include "foundation/app/FontDesc.h"

namespace vq {
class TDM;
}

namespace vq::linkage {

// The name the closing messages give the tool.
inline constexpr const char* kComponentName = "Ovidal連動コンポーネント";

// The window system's measures the start-up keeps (pixels).
struct ScreenMetrics {
    std::int32_t menuHeight = 0;
    std::int32_t captionHeight = 0;
    std::int32_t frameHeight = 0;
};

// "アプリケーションの初期化に失敗しました。\r%sを終了します。" for the tool.
std::string StartupFailureMessage();

// The application information's names into the library's constants (after
// the file was read, before anything uses a folder).
void CopyAppInfoSettings();

// The run-settings values of a start: no application name yet, the screen
// measures, operator logon, this session's user and computer, the folders
// (created where missing), no data set chosen, the form's font as the base
// and user font; then the local settings file (its default written on a first
// run or when [LOCAL] is empty) and the stand-alone connection values.
// Throws std::runtime_error whose message is the text to show.
void LoadLocalSettings(const ScreenMetrics& metrics, const FontDesc& formFont);

// The form's font of the start-up: "ＭＳ Ｐゴシック", 13 pixels, Shift-JIS.
FontDesc StartupFormFont();

// The tool's start-up without its wizard, for the developer tools that run
// the library's screens on an office as the tool would: the application
// information beside programFile, then the local settings (with them the
// office's group, which the logon needs). Empty when it went through, else
// the text to show.
std::string StartUpWithoutWizard(const std::filesystem::path& programFile);

// The data module of the process, created once; the same one afterwards.
TDM& CreateDataModule();
// Ends the data module (at the end of the run, and between tests).
void ReleaseDataModule();

} // namespace vq::linkage
