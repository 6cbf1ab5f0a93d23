#include "ui/Message2Catalogue.h"

#include <initializer_list>

namespace vq::ui {

namespace {

struct Line {
    const char* text;
    bool red = false;
};

struct Entry {
    std::int32_t code;
    std::uint8_t kind;
    bool withCancel;
    const char* caption;
    std::initializer_list<Line> lines;
};

const char* const breakdownDeleteLine1 = "選択行の内訳を削除します、よろしいですか？";
const char* const breakdownDeleteLine3 =
    "一時的に内訳書より削除したい場合は、残高を0円に訂正して印刷方法の[0円の明細を省略する]にチェックを";
const char* const breakdownDeleteLine4 = "入れてください。";

const Entry catalogue[] = {
    {0x1010, 3, true, "確認",
     {{"このデータはお使いのプログラムより新しいプログラムでデータ更新が行われています。"},
      {"データを使用するにはプログラムのバージョンアップが必要となります。"},
      {"続行してもよろしいですか？"},
      {"（ウィルス対策ソフトをご利用中の場合は、該当ソフトを終了してください。）"}}},
    {0x1011, 2, false, "情報",
     {{"このデータは「データの更新」処理を行うことが禁止されています。"},
      {"データを選択したい場合は、「データ選択」画面の[情報]ボタンを押し「データの詳細情報」画面を開き"},
      {"[データの更新: 禁止する]項目のチェックを外してください。"},
      {"または、過去バージョンのプログラムを起動し選択してください。"}}},
    {0x1012, 2, false, "情報",
     {{"このデータは「仕訳の入力」が禁止されています。"},
      {"仕訳を入力するには、「データ選択」画面の[情報]ボタンを押し「データの詳細情報」画面を開き"},
      {"[仕訳の入力: 禁止する]項目のチェックを外してください。"}}},
    {0x1020, 2, false, "情報",
     {{"このデータは現金出納帳システムと通信しています。マスター情報の変更は、事前に現金出納帳システムから"},
      {"送られた最新のデータを受信し、現金出納帳システム側の処理をストップさせてから行ってください。"},
      {"マスター情報の変更後には必ず「現金出納帳マスター送信」を実行してください。"}}},
    {0x1030, 3, false, "エラー",
     {{"データ使用後検証の結果、このデータは破損している恐れがあります。"},
      {"データのバックアップを行っている場合は、適正な方法で破損前の状態へ戻して下さい。"},
      {"ご不明な点がございましたら、お問い合わせ先をご確認の上ご連絡下さい。"}}},
    {0x2014, 2, false, "情報",
     {{"過年度明細の取り込みが行われていません。"},
      {"このデータに対して過年度明細を取り込むには以下の方法があります。"},
      {"１）「過年度残高登録」の[仕訳取込]より過年度明細を取り込みます。"},
      {"２）「繰越残高調整」で過年度明細を繰り越します。（前期のみ）"}}},
    {0x10001010, 2, false, "情報", {{"振替形式で作成された仕訳のため、訂正・削除を行うことはできません。"}}},
    {0x10001011, 2, false, "情報",
     {{"この仕訳は他処理で作成された自動仕訳のため、自科目訂正を行うことはできません。"}}},
    {0x10001012, 2, false, "情報",
     {{"振替形式で作成された仕訳が含まれているため、訂正・削除を行うことはできません。"}}},
    {0x10002010, 3, true, "確認",
     {{"会計データと連動する項目を「上書き入力」に切り替えます。"}, {"よろしいですか？"}}},
    {0x10002011, 3, true, "確認",
     {{"会計データと連動する項目を「自動取得」に切り替えます。"},
      {"よろしいですか？"},
      {"注意）上書き入力した項目は、会計データの集計値により書き換えられます。", true}}},
    {0x10003010, 3, true, "内訳書の削除",
     {{breakdownDeleteLine1},
      {"注意）削除を行うと、内訳に記述してある名称などの情報は科目情報を取り込んでも記述されません。", true},
      {breakdownDeleteLine3, true},
      {breakdownDeleteLine4, true}}},
    {0x10003011, 3, true, "内訳書の削除",
     {{breakdownDeleteLine1},
      {"注意）削除を行うと、内訳に記述してある金融機関名などの情報は科目情報を取り込んでも記述されません。", true},
      {breakdownDeleteLine3, true},
      {breakdownDeleteLine4, true}}},
    {0x10003012, 3, true, "内訳書の削除",
     {{breakdownDeleteLine1},
      {"注意）削除を行うと、内訳に記述してある借入先などの情報は科目情報を取り込んでも記述されません。", true},
      {breakdownDeleteLine3, true},
      {breakdownDeleteLine4, true}}},
    {0x10004010, 2, false, "情報",
     {{"「基本設定」の「消費税＞一括税抜処理区分」に[処理する]が選択されているため、消費税処理区分を[税込]へは変更出来ません。"}}},
};

} // namespace

bool applyPredefinedMessage2(std::int32_t code, TMessage2InfoRec& rec)
{
    if (code == 0)
        return false;
    InitMessage2Info(2, rec);
    for (const auto& e : catalogue) {
        if (e.code != code)
            continue;
        rec.Code = code;
        rec.Kind = e.kind;
        rec.Buttons = e.withCancel ? buttonSet({mbOK, mbCancel}) : buttonSet({mbOK});
        rec.Caption = e.caption;
        int i = 0;
        for (const auto& line : e.lines) {
            rec.Lines[i].Text = line.text;
            rec.Lines[i].Color = line.red ? clRed : clWindowText;
            ++i;
        }
        return true;
    }
    return false;
}

} // namespace vq::ui
