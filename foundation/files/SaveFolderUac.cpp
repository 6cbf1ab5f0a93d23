#include "foundation/files/SaveFolderUac.h"

#include "foundation/files/FileUtils.h"
#include "platform/Cp932.h"
#include "platform/RegistryStore.h"

#include <filesystem>

namespace vq {
namespace {

constexpr const char* UacKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
constexpr const char* UacQuestion =
    "この場所に保存するアクセス許可がありません。\r管理者に連絡してアクセス許可を取得してください。\r\r"
    "代わりに［ドキュメント］フォルダに保存しますか？\r";
constexpr std::size_t MaxPathBytes = 255;

bool isSystemDriveRoot(const std::string& folder)
{
    std::string resolved = IncludeBackslash(ResolveDrivePath(folder));
    return resolved == SystemDriveRoot();
}

bool askForDocuments()
{
    return platform::showMessage(UacQuestion, platform::MessageKind::Warning, platform::Buttons::YesNo) ==
           platform::ResultYes;
}

std::string folderOf(const std::string& fileName)
{
    auto slash = fileName.rfind('/');
    return slash == std::string::npos ? std::string() : fileName.substr(0, slash + 1);
}

std::string nameOf(const std::string& fileName)
{
    auto slash = fileName.rfind('/');
    return slash == std::string::npos ? fileName : fileName.substr(slash + 1);
}

} // namespace

std::string SystemDriveRoot()
{
    return "/";
}

bool IsUacSaveRuleOn()
{
    try {
        return platform::RegistryStore::machine().readInteger(UacKey, "EnableLUA") == 1;
    } catch (const std::exception&) {
        return false;
    }
}

bool CheckSaveFolderUac(std::string& folder)
{
    folder = IncludeBackslash(folder);
    if (!IsUacSaveRuleOn() || !isSystemDriveRoot(folder))
        return true;
    if (!askForDocuments())
        return false;
    folder = GetMyDocumentsFolder();
    return true;
}

bool CheckSaveFileUac(std::string& fileName)
{
    std::string folder = folderOf(fileName);
    std::string name = nameOf(fileName);
    // A bare name has no folder to check; giving it the delimiter would move
    // it into the root.
    if (folder.empty())
        return true;
    if (!CheckSaveFolderUac(folder))
        return false;
    fileName = IncludeBackslash(folder) + name;
    return true;
}

bool ExecuteSaveDialogUac(const platform::FileDialogRequest& dialog, std::string& fileName)
{
    for (;;) {
        auto chosen = platform::interaction().chooseFile(dialog);
        if (!chosen)
            return false;
        fileName = *chosen;
        if (!IsUacSaveRuleOn() || !isSystemDriveRoot(folderOf(fileName)))
            return true;
        if (askForDocuments()) {
            fileName = GetMyDocumentsFolder() + "/" + nameOf(fileName);
            return true;
        }
    }
}

bool SelectSaveFolder(const std::string& caption, std::string& folder, bool skipUacCheck)
{
    platform::FileDialogRequest request;
    request.mode = platform::FileDialogRequest::Mode::Folder;
    request.title = caption.empty() ? "フォルダを選択して下さい" : caption;
    request.initialPath = folder;
    for (;;) {
        auto chosen = platform::interaction().chooseFile(request);
        if (!chosen)
            return false;
        if (platform::cp932::byteLength(*chosen) > MaxPathBytes) {
            folder = *chosen;
            platform::showMessage("選択した場所(パス)の文字長が処理できる範囲を超えました。\r別の場所を選択して下さい。\r",
                                  platform::MessageKind::Error);
            return false;
        }
        if (skipUacCheck || !IsUacSaveRuleOn() || !isSystemDriveRoot(*chosen)) {
            folder = *chosen;
            return true;
        }
        if (askForDocuments()) {
            folder = GetMyDocumentsFolder();
            return true;
        }
        request.initialPath = *chosen;
    }
}

bool SelectComputer(const std::string& caption, std::string& name)
{
    std::string title = caption.empty() ? "コンピュータを選択して下さい" : caption;
    auto chosen = platform::interaction().input(title, title, name, false);
    if (!chosen)
        return false;
    name = *chosen;
    return true;
}

} // namespace vq
