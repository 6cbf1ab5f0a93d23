#include "dbupdate/steps/z5UserDbUpdate700.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/PartFileStep.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/AccRegSettings.h"
#include "foundation/text/EasyEncoder.h"
#include "foundation/text/TextUtils.h"
#include "platform/Interaction.h"

namespace vq::z5UserDbUpdate700 {

namespace {

constexpr const char* kGroup = "基本設定";
constexpr const char* kOldSetting = "データパスワード";
constexpr const char* kNewSetting = "データパスワードV2";

// The stored form as the opening of a data set reads it back.
std::string decoded(const std::string& encoded)
{
    TEasyEncodeInfo info;
    info.Key = EasyEncodeKey;
    info.TotalLength = 8;
    info.TextLength = 8;
    info.EncodedText = encoded;
    EasyDecode(info);
    return info.PlainText;
}

} // namespace

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 7;
    rec.Minor1 = 0;
    rec.Minor2 = 0;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = SystemDef.AppTitle + "１５のデータ形式に変換 他";
    rec.Description = "１）" + SystemDef.AppTitle + "１５のデータ形式に変換します。\r２）「個人／農業」体系を新たに追加し、青色申告決算書（農業所得用）を作成します。";
    if ((OemKind == 1 || OemKind == 2)) {
        rec.Description = rec.Description + "\r３）個別原価管理機能を新たに追加します。";
    }
}

void ConvertDataPassword()
{
    SettingValue stored;
    GetAccReg(kGroup, kOldSetting, "文字", "", stored);
    const std::string password = TrimZenSpace(stored.asString());
    if (password.empty()) {
        DeleteAccReg(kGroup, kOldSetting);
        return;
    }
    TEasyEncodeInfo info;
    info.Key = EasyEncodeKey;
    ClearEasyEncodeInfo(info);
    info.TotalLength = 8;
    info.TextLength = 8;
    info.PlainText = password;
    if (EasyEncode(info) && !info.EncodedText.empty() && decoded(info.EncodedText) == password) {
        PutAccReg(kGroup, kNewSetting, "文字", SettingValue(info.EncodedText));
        DeleteAccReg(kGroup, kOldSetting);
        return;
    }
    // The old setting counts while no encoded one is there.
    DeleteAccReg(kGroup, kNewSetting);
    platform::showMessage("データパスワードを新しい形式に変換できませんでした。\r"
                          "データパスワードは従来の形式のまま保存されています。\r"
                          "英数字８文字以内のパスワードに設定し直してください。",
                          platform::MessageKind::Warning, platform::Buttons::Ok, "確認");
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::DataScheme(7, 0, 0, 11);
    s.UsePart = part_file_step::ByDataKind({1, 2, 3, 8, 11}, {4, 5, 6, 7, 9});
    return s;
}

std::int32_t DoUpdate()
{
    const TUpdateScheme scheme = Scheme();
    if (part_file_step::MissingPart(scheme))
        return UpdateFileMissing;
    RunInStepDatabase(1, ConvertDataPassword);
    return part_file_step::RunPartFileStep(scheme);
}

} // namespace vq::z5UserDbUpdate700
