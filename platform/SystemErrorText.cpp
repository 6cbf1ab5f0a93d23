#include "platform/SystemErrorText.h"

#include <cerrno>

namespace vq::platform {

std::string systemErrorText(const std::error_code& error)
{
    if (error.category() != std::generic_category() && error.category() != std::system_category())
        return "ファイルの操作に失敗しました。";
    switch (error.value()) {
    case ENOENT:
    case ENOTDIR: return "指定されたパスが見つかりません。";
    case EACCES:
    case EPERM: return "アクセスが拒否されました。";
    case ENOSPC:
    case EDQUOT: return "ディスクに十分な空き領域がありません。";
    case EROFS: return "メディアは書き込み禁止になっています。";
    case EISDIR: return "同じ名前のフォルダが既にあります。";
    case ENAMETOOLONG: return "ファイル名が長すぎます。";
    case EBUSY:
    case ETXTBSY: return "ファイルは別のプログラムが使用中です。";
    case EIO: return "ディスクの読み書き中にエラーが発生しました。";
    default: return "ファイルの操作に失敗しました。(エラー番号 " + std::to_string(error.value()) + ")";
    }
}

} // namespace vq::platform
