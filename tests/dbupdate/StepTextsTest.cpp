// The titles and descriptions that the update dialog lists for the oldest
// system and data steps, with their backup flags; none of them changes with
// the edition.
#include <gtest/gtest.h>

#include "dbupdate/DbUpdateListRec.h"
#include "foundation/app/RunState.h"

using namespace vq;

namespace {

struct Text {
    std::int32_t major, minor1, minor2, backup;
    const char* title;
    const char* description;
};

const Text kSystem[] = {
    {0, 3, 1, 1, "共有サーバー機能の追加", "共有サーバー機能を追加します。"},
    {0, 3, 2, 0, "電子帳簿用ユーザーの追加", "電子帳簿用ユーザーを追加します。"},
    {0, 3, 3, 0, "経営ハルブリンユーザーの追加", "経営ハルブリンユーザーを追加します。"},
    {1, 0, 1, 0, "データリスト上のデータフォルダ名を大文字に統一",
     "データリスト上のデータフォルダ名が大文字と小文字の混在表記のため全て大文字に統一します。"},
    {3, 0, 0, 0, "旧バージョンデータの更新を禁止する機能を追加",
     "旧バージョンデータの更新を設定により禁止することが可能になります。"},
    {3, 0, 5, 0, "データ合算機能の追加", "データの合算処理が可能になります。"},
    {3, 0, 7, 0, "処理コントロールデータの改修", "処理レベルによる処理コントロールのデータ関連性を改修します。"},
    {4, 0, 0, 1, "データ選択に会社コード列を追加 他",
     "１）データ選択で会社コードをキーとした検索機能が利用可能となります。\r"
     "２）コード体系保存件数が20件へ拡張となります。"},
    {4, 0, 2, 1, "データ選択でデータの破損検証", "１）データ選択でデータの破損を検証する機能が追加されます。"},
    {5, 0, 0, 1, "Ｃ／Ｓ版でフォルダ毎にデータを管理する機能を追加",
     "１）Ｃ／Ｓ版でフォルダ毎にデータを管理する機能を追加する。"},
};

const Text kData[] = {
    {0, 1, 1, 1, "減価償却処理を追加\u3000他",
     "1)減価償却処理用のテーブルを作成します。\r2)３期比較経営分析用のプロシジャーを作成します。"},
    {0, 1, 2, 1, "当座残高調整表を追加", "当座残高調整表用のプロシジャーを作成します。"},
    {0, 1, 3, 1, "監査処理機能を追加", "監査処理用のテーブルを作成します。"},
    {0, 1, 4, 1, "キャッシュ・フロー計算書を追加", "キャッシュ・フロー計算書用のテーブルを作成します。"},
    {0, 1, 5, 1, "ページ辞書機能の仕様変更 他",
     "1)補助または部門を削除したときに、削除対象の補助または部門がページ辞書仕訳に使用されていた場合に"
     "削除されないように仕様を変更しました。\r"
     "2)決算書の注記表「タイトルと会計期間を印刷する」のフィールドを追加しました。\r"
     "3)青色申告書用テーブルを作成します。"},
    {0, 2, 0, 0, "ヴォルレン財務０９評価版 Ver0.2.0", "ヴォルレン財務０９評価版 Ver0.2.0データへ更新します。"},
    {0, 2, 1, 1, "過年度残高の修復 ", "過年度残高を修復します。"},
    {0, 2, 2, 1, "科目マスタの構造変更 他",
     "1)科目マスタの構造を変更します。\r2)キャッシュフロー項目を再作成します。\r"
     "3)青色申告決算書で上書入力に対応します。\r4)内訳書用テーブルを作成します。"},
    {0, 3, 0, 0, "ヴォルレン財務０９評価版 Ver0.3.0", "ヴォルレン財務０９評価版 Ver0.3.0データへ更新します。"},
    {0, 3, 1, 1, "３期比較集計プログラムの更新 他",
     "３期比較集計プログラムを更新します。\r基本情報に通信フォルダー列を追加します。"},
    {0, 3, 2, 0, "電子帳簿用ユーザーの追加", "電子帳簿用ユーザーを追加します。"},
    {0, 3, 3, 1, "経営ハルブリン機能の追加 他", "比較経営分析表の初期値を設定します。\r元入金の繰り入れ計算を更新します。"},
    {0, 3, 4, 1, "特定科目コード取得プログラムの変更 他",
     "特定科目コード取得プログラムを変更します。\r試算表用の当座資産分類コードを変更します。"},
    {0, 4, 0, 0, "ヴォルレン財務０９評価版 Ver0.4.0", "ヴォルレン財務０９評価版 Ver0.4.0データへ更新します。"},
    {0, 4, 1, 1, "監査処理項目の変更", "監査処理の規定項目を変更します。"},
    {1, 0, 0, 1, "ヴォルレン財務０９ Ver1.0.0", "ヴォルレン財務０９ Ver1.0.0データへ更新します。"},
    {1, 0, 1, 1, "財務分析で期中開始データが適正に集計されない不具合を修正 他",
     "１）財務分析で期中開始データが適正に集計されるように修正します。\r"
     "２）比較経営分析の科目内訳表示範囲を修正します。（経営ハルブリン）"},
    {1, 0, 2, 1, "コンバートデータの減価償却資産の修復 他",
     "１）コンバートデータの減価償却資産を修復します。\r２）前期末残高が正しいか評価し、異常があった場合は修復します。"},
    {1, 0, 3, 1, "本・支店管理データの予算または過年度残高を調整 他",
     "１）本・支店管理データの予算または過年度残高を調整します。\r"
     "２）定形試算表の共通部門集計を適正に処理出来るように修正します。"},
    {1, 0, 5, 1, "合計残高試算表の集計項目名称の変更機能を追加", "１）合計残高試算表の集計項目名称の変更機能を追加します。"},
    {2, 0, 0, 1, "ヴォルレン財務１０のデータ形式に変換", "１）ヴォルレン財務１０のデータ形式に変換します。"},
    {2, 0, 4, 1, "出納帳スペシャル機能の追加", "１）出納帳スペシャル機能を追加します。"},
};

void expectTexts(const TArrayDbUpdateListRec& list, const Text* first, const Text* last)
{
    for (const Text* t = first; t != last; ++t) {
        SCOPED_TRACE(std::to_string(t->major) + "." + std::to_string(t->minor1) + "." + std::to_string(t->minor2));
        const TDbUpdateListRec* slot = nullptr;
        for (const auto& rec : list)
            if (rec.Major == t->major && rec.Minor1 == t->minor1 && rec.Minor2 == t->minor2)
                slot = &rec;
        ASSERT_NE(slot, nullptr);
        EXPECT_EQ(slot->Title, t->title);
        EXPECT_EQ(slot->Description, t->description);
        EXPECT_EQ(slot->BackupFlag, t->backup);
        EXPECT_TRUE(slot->UpdateProc);
    }
}

} // namespace

TEST(StepTextsTest, TheOldestStepsListTheirOwnTextsInEveryEdition)
{
    const std::uint8_t saved = OemKind;
    for (const std::uint8_t edition : {0, 1, 2}) {
        SCOPED_TRACE("edition " + std::to_string(edition));
        OemKind = edition;
        expectTexts(SystemUpdateSteps(), std::begin(kSystem), std::end(kSystem));
        expectTexts(DataUpdateSteps(), std::begin(kData), std::end(kData));
    }
    OemKind = saved;
}
