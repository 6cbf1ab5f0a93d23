#include "datasets/operations/CollationCheck.h"

#include <filesystem>

#include "datasets/DataListRec.h"
#include "datasets/operations/DataSetNotices.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/RunState.h"
#include "foundation/calendar/DateText.h"
#include "foundation/dataset/DataInfomation.h"
#include "foundation/files/FileOperations.h"
#include "foundation/text/NumberUtils.h"
#include "platform/Interaction.h"

namespace vq {

namespace {

std::string dateLine(const std::string& text)
{
    return FormatDateSlash("yyyy/mm/dd", 0, SafeStrToDate(text));
}

void takeOverForRestore(const std::string& op, const TDataInfomationRec& source, TCopySource& copySource)
{
    if (op != OpRestore)
        return;
    copySource.Row.SHOUGOU = source.SHOUGOU;
    copySource.Row.KISHU = SafeStrToDate(source.KISHU);
    copySource.Row.KIMATU = SafeStrToDate(source.KIMATU);
    copySource.Row.VER_TEXT = source.VERSION2;
    copySource.Row.GASSAN = source.GASSANKBN;
}

bool lacksDescription(const TDataInfomationRec& rec)
{
    return rec.SHOUGOU.empty() && rec.KISHU.empty() && rec.KIMATU.empty();
}

} // namespace

bool IsRefusedGassanPattern(int sourceKind, int targetKind)
{
    const bool targetConsolidated = IsConsolidatedKind(targetKind);
    if ((sourceKind == GassanNormal || sourceKind == GassanDistributedChild) && targetConsolidated)
        return true;
    return (sourceKind == GassanConsolidated && targetKind == GassanConsolidatedBranches) ||
           (sourceKind == GassanConsolidatedBranches && targetKind == GassanConsolidated);
}

std::vector<std::string> RefusedPatternLines()
{
    return {" ①通常データ       を 合算データ（合算本支店データ） へ",
            " ②分散データ       を 合算データ（合算本支店データ） へ",
            " ③合算データ       を 合算本支店データ へ",
            " ④合算本支店データ を 合算データ へ"};
}

int CheckGassanPattern(const std::string& op, const TDataInfomationRec& source, const std::string& targetFolder,
                       TCopySource& copySource)
{
    if (targetFolder.empty()) {
        platform::showMessage(op + "先のデータパスが不正です。\r", platform::MessageKind::Warning);
        return 0;
    }
    const std::string dataFile = (std::filesystem::path(targetFolder) / DataDbFileName).string();
    if (!FileOpDExist(targetFolder, ConnectMode)) {
        if (!FileOpMkDir(targetFolder, ConnectMode))
            return 0;
        takeOverForRestore(op, source, copySource);
        return 1;
    }
    if (!FileOpFExist(dataFile, ConnectMode)) {
        takeOverForRestore(op, source, copySource);
        return 1;
    }

    TDataInfomation info;
    info.Location = ConnectMode;
    info.RefreshIniFile(targetFolder, "");
    TDataInfomationRec target;
    info.ReadDataInfo(targetFolder, target);

    if (IsRefusedGassanPattern(source.GASSANKBN, target.GASSANKBN)) {
        ListNotice notice;
        notice.caption = "警告";
        notice.mainText = op + "先の合算データ区分が妥当ではありません。\rデータリストの空行を選んで処理を行って下さい。";
        notice.lines = {"以下のパターンの復元（貼付）は禁止されています。"};
        for (const std::string& line : RefusedPatternLines())
            notice.lines.push_back(line);
        ShowListNotice(notice);
        return 0;
    }
    const int result = CollationCheck(op, source, target);
    if (result == 1)
        takeOverForRestore(op, source, copySource);
    return result;
}

std::vector<std::string> CollationDifferences(const std::string& op, const TDataInfomationRec& source,
                                              const TDataInfomationRec& target)
{
    std::vector<std::string> lines;
    auto pair = [&](const std::string& from, const std::string& to) {
        lines.push_back("　【" + op + "元】：" + from);
        lines.push_back("　【" + op + "先】：" + to);
    };
    if (source.SHOUGOU != target.SHOUGOU) {
        lines.push_back("会社名に違いがありました。");
        pair(source.SHOUGOU, target.SHOUGOU);
        if (ConnectMode == ConnectStandAlone && op == OpRestore && IsConsolidatedKind(target.GASSANKBN)) {
            lines.push_back("　注）" + op + "を続行した場合は配下の分散データは削除されます。");
            lines.emplace_back();
        }
        lines.emplace_back();
    }
    if (source.KISHU != target.KISHU) {
        lines.push_back("期首に違いがありました。");
        pair(dateLine(source.KISHU), dateLine(target.KISHU));
        lines.emplace_back();
    }
    if (source.KIMATU != target.KIMATU) {
        lines.push_back("期末に違いがありました。");
        pair(dateLine(source.KIMATU), dateLine(target.KIMATU));
        lines.emplace_back();
    }
    if (source.TOTALSIWAKE < target.TOTALSIWAKE) {
        lines.push_back("仕訳件数(修正・削除仕訳含む)が減っています。");
        pair(FormatComma(source.TOTALSIWAKE) + " 件", FormatComma(target.TOTALSIWAKE) + " 件");
        lines.emplace_back();
    }
    return lines;
}

int CollationCheck(const std::string& op, const TDataInfomationRec& source, const TDataInfomationRec& target)
{
    if (lacksDescription(source)) {
        platform::showMessage(op + "処理元のデータ情報が不正です。\r", platform::MessageKind::Warning);
        return 0;
    }
    if (lacksDescription(target)) {
        platform::showMessage(op + "処理先のデータ情報が不正です。\r", platform::MessageKind::Warning);
        return 0;
    }
    std::vector<std::string> lines = CollationDifferences(op, source, target);
    if (lines.empty())
        return 1;
    ListNotice notice;
    notice.caption = "データ照合チェックの結果";
    notice.mainText = "以下の項目に違いが検出されました。";
    notice.lines = std::move(lines);
    notice.agreement = "データ" + op + "処理の続行に同意します。";
    notice.okCancel = true;
    return ShowListNotice(notice) == 1 ? 1 : 0;
}

} // namespace vq
