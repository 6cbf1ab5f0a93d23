#include "foundation/app/SystemFolders.h"

#include <filesystem>
#include <system_error>

#include "foundation/app/AccConstants.h"
#include "platform/Folders.h"

namespace vq {

namespace fs = std::filesystem;
namespace folders = platform::folders;

namespace {

std::string text(const fs::path& p)
{
    // No trailing separator: callers append "/name" themselves.
    fs::path clean = p.lexically_normal();
    if (!clean.has_filename() && clean.has_parent_path() && clean != clean.root_path())
        clean = clean.parent_path();
    return clean.string();
}

bool ensureFolder(const std::string& folder)
{
    std::error_code ec;
    fs::create_directories(folder, ec);
    return !ec && fs::is_directory(folder, ec);
}

} // namespace

bool InitSystemFolders(TSystemDef& def)
{
    const fs::path program = folders::program();
    def.ProgramDir = text(program);
    def.ParentDir = text(fs::path(def.ProgramDir).parent_path());
    def.HelpDir = text(fs::path(def.ParentDir) / "help");
    def.SqlDir = text(fs::path(def.ParentDir) / "sql");

    def.DataRootDir = text(folders::commonAppData() / BaseFolder);
    def.IniDir = text(fs::path(def.DataRootDir) / "ini");
    def.LogDir = text(fs::path(def.DataRootDir) / "log");
    def.TempDir = text(fs::path(def.DataRootDir) / "temp");
    def.SysDir = text(fs::path(def.DataRootDir) / "data");
    def.IniFileName = text(fs::path(def.DataRootDir) / (AppName + ".ini"));

    std::error_code ec;
    const fs::path temp = folders::temp();
    def.WinTempDir = fs::is_directory(temp, ec) ? text(temp) : std::string();
    def.ViewDir = def.WinTempDir.empty() ? std::string() : text(fs::path(def.WinTempDir) / ViewFolder);

    def.DocumentsDir = text(folders::documents() / BaseFolder);

    bool created = true;
    for (const std::string* folder : {&def.IniDir, &def.LogDir, &def.TempDir, &def.DocumentsDir})
        created = ensureFolder(*folder) && created;
    return created;
}

} // namespace vq
