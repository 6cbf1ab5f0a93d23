#include "linkage/forms/WizardPages.h"

#include "foundation/app/AccInf.h"
#include "foundation/app/SystemDef.h"
#include "foundation/calendar/DateText.h"
#include "foundation/calendar/FiscalCalendar.h"
#include "foundation/data/DataModule.h"
#include "linkage/DataExportError.h"
#include "linkage/SyotokuzeiDataExport.h"
#include "linkage/XmlSaveDoc.h"
#include "linkage/datamake/LinkageDocument.h"
#include "linkage/forms/TForm1.h"
#include "platform/Folders.h"
#include "platform/Interaction.h"
#include "platform/SystemErrorText.h"
#include "ui/forms/TxAnimeProgressDialog.h"
#include "ui/forms/TxEdit.h"
#include "ui/forms/TxKikanPanel16.h"
#include "ui/forms/TxWizard.h"

#include <QApplication>
#include <QDebug>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QTableWidget>

#include <filesystem>
#include <memory>
#include <system_error>

namespace vq::linkage {

namespace fs = std::filesystem;

namespace {

void warn(const std::string& text)
{
    platform::showMessage(text, platform::MessageKind::Warning, platform::Buttons::Ok);
}

QString q(const char* text)
{
    return QString::fromUtf8(text);
}

bool hasFolderPart(const std::string& path)
{
    return !fs::path(path).parent_path().empty();
}

// The output page keeps the operator: Next reads "次へ" again and the file
// name is ready to be typed over.
void stayOnOutputPage(TForm1& form)
{
    form.Button2->setText(q("次へ(&N) >"));
    form.Edit4a->setFocus();
    form.Edit4a->selectAll();
}

bool replaceAnswered(const fs::path& file)
{
    platform::MessageRequest request;
    request.text = "中間ﾌｧｲﾙ「" + file.string() + "」は既に存在します。\r上書きしてもよろしいですか？\r";
    request.kind = platform::MessageKind::Confirmation;
    request.buttons = platform::Buttons::YesNo;
    // Another client's file is lost by a hasty Enter: No is the default.
    request.defaultButton = 1;
    return platform::interaction().message(request) == platform::ResultYes;
}

// The month a period of the whole fiscal year closes in.
double closingMonthOf(std::int32_t fiscalMonth)
{
    return GetSimeDate(fiscalMonth - 1, AccInf.SIME, AccInf.KISHU);
}

const char* incomeKindName(std::int32_t kind)
{
    switch (kind) {
    case 1: return "営業所得用";
    case 2: return "その他所得用";
    case 3: return "不動産所得用";
    case 4: return "農業所得用";
    default: return "";
    }
}

} // namespace

bool WizardPageCheck(TForm1& form, const QString& page)
{
    if (page == QStringLiteral("page2")) {
        if (!CheckDataSelected(form))
            return false;
        LayoutOptionsPage(form);
        return true;
    }
    if (page == QStringLiteral("page3")) {
        // With a caller the summary follows at once.
        if (form.Page(QStringLiteral("page4")) == nullptr)
            BuildSummary(form);
        return true;
    }
    if (page == QStringLiteral("page4")) {
        if (!CheckOutputFile(form))
            return false;
        BuildSummary(form);
        return true;
    }
    return true;
}

bool CheckDataSelected(TForm1& form)
{
    if (SystemDef.DataDir.empty() || form.listDataInfo->rowCount() <= 1) {
        warn("会計データの選択が行われていません。\r「データ選択を開く」ボタンを押して選択して下さい。");
        form.btnDataSentaku->setFocus();
        return false;
    }
    if (form.Page(QStringLiteral("page3")) != nullptr) {
        form.xKikanPanel3a->SetKikan(AccInf.SIME, AccInf.KISHU, AccInf.KIMATU, AccInf.KAISI);
        form.xKikanPanel3a->setStno(0);
        form.xKikanPanel3a->setEdno(form.xKikanPanel3a->LastNo());
        if (AccInf.TAXDEFUH == 0)
            form.RadioButton3a->setChecked(true);
        else if (AccInf.TAXDEFUH == 1)
            form.RadioButton3b->setChecked(true);
    }
    // The calculation period is always the whole fiscal year.
    TakeOpenDataSet(*form.ExportObj);
    if (AccInf.DATATYPE != 2) {
        warn("指定された会計データは個人データではありません。\rもう一度、選びなおしてください。\r");
        return false;
    }
    return true;
}

void LayoutOptionsPage(TForm1& form)
{
    form.Label3a->setText(q("連動情報を指定してください。"));
    form.Label3b->setText(q("正しく指定されているか確認し、[次へ]をｸﾘｯｸしてください。"));
    form.GroupBox3a->hide();
    form.GroupBox3b->setEnabled(false);
    form.RadioButton3a->setEnabled(false);
    form.RadioButton3b->setEnabled(false);
    form.RadioButton3c->setChecked(true);
    const std::int32_t kind = form.ExportObj->SyotokuSyurui;
    // The places of the design, so that a second layout starts from them.
    static const QRect periodPlace(24, 60, 560, 110), taxPlace(24, 190, 260, 60), itemsPlace(24, 270, 560, 60);
    form.GroupBox3b->setGeometry(taxPlace);
    form.GroupSyotokuRendo->setGeometry(itemsPlace);
    if (kind == 1 || kind == 2) {
        form.GroupBox3c->move(periodPlace.topLeft());
        form.GroupBox3c->show();
        form.checkSinkokuUtiwake->setText(q("「給料賃金の内訳」を始めとした情報を含める"));
    } else {
        form.GroupBox3c->hide();
        form.GroupBox3b->move(periodPlace.topLeft());
        form.GroupSyotokuRendo->move(taxPlace.topLeft());
        form.checkSinkokuUtiwake->setText(kind == 4 ? q("「収入金額の内訳」を始めとした情報を含める")
                                                    : q("「給料賃金の内訳」を始めとした情報を含める"));
    }
}

fs::path OutputFileOf(const TForm1& form, const std::string& text)
{
    if (form.CallerWnd == 0 && !hasFolderPart(text))
        return fs::path(form.MyDocumentsFolder) / text;
    return text;
}

bool CheckOutputFile(TForm1& form)
{
    const std::string text = form.Edit4a->text().toStdString();
    // No system drive here: the root check of the drive letters never applies.
    if (text.empty() || fs::path(text).filename().empty()) {
        warn("中間ﾌｧｲﾙが指定されていません。\r指定してから[次へ]をｸﾘｯｸしてください。\r");
        stayOnOutputPage(form);
        return false;
    }
    // The file is written at Finish; what would make it fail is said here,
    // while the operator can still choose another place.
    const fs::path file = OutputFileOf(form, text);
    const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        warn("中間ﾌｧｲﾙの保存先のﾌｫﾙﾀﾞが見つかりません。\r" + folder.string() +
             "\r別のﾌｫﾙﾀﾞを指定してから[次へ]をｸﾘｯｸしてください。\r");
        stayOnOutputPage(form);
        return false;
    }
    if (fs::is_directory(file, ec)) {
        warn("中間ﾌｧｲﾙと同じ名前のﾌｫﾙﾀﾞがあります。\r" + file.string() +
             "\r別のﾌｧｲﾙ名を指定してから[次へ]をｸﾘｯｸしてください。\r");
        stayOnOutputPage(form);
        return false;
    }
    // The save dialog asked already for the file it returned.
    if (fs::exists(file, ec) && file.string() != form.ReplaceConfirmed && !replaceAnswered(file)) {
        stayOnOutputPage(form);
        return false;
    }
    return true;
}

void BuildSummary(TForm1& form)
{
    TComDataExport& exp = *form.ExportObj;
    QStringList lines;
    auto add = [&lines](const std::string& line) { lines << QString::fromStdString(line); };
    add("【連動元情報】");
    add(" 会社名        : " + exp.KomonsakiName);
    add(" 会計年度      : " + (exp.Nendo > 0 ? std::to_string(exp.Nendo) : std::string("-")) + " 期");
    add(" 会計期間      : " + FormatDateKanji("yyyy年m月d日", 1, exp.PeriodStart) + " ～ " +
        FormatDateKanji("yyyy年m月d日", 1, exp.PeriodEnd));
    if ((exp.SyotokuSyurui == 1 || exp.SyotokuSyurui == 2) && !form.GroupBox3c->isHidden()) {
        if (form.RadioButton3c->isChecked())
            exp.SyotokuSyurui = 1;
        else if (form.RadioButton3d->isChecked())
            exp.SyotokuSyurui = 2;
    }
    exp.IncludeUtiwake = form.checkSinkokuUtiwake->isChecked();
    add("");
    add("【データ区分】");
    add(std::string(" 所得種類      : ") + incomeKindName(exp.SyotokuSyurui));
    exp.TaxMode = form.RadioButton3a->isChecked() ? 0 : 1;
    add("");
    add("【計算条件】");
    // The whole fiscal year: its first month to its twelfth.
    std::string period = " 計算対象期間  : " + FormatDateKanji("yyyy年m月", 1, closingMonthOf(1));
    if (exp.PeriodFrom != exp.PeriodTo)
        period += " ～ " + FormatDateKanji("yy年m月", 1, closingMonthOf(12));
    add(period);
    add(exp.TaxMode == 0 ? " 消費税計算区分: 税込み" : " 消費税計算区分: 税抜き");
    exp.TaxMode = TDM::AdjustForIkkatuZeinuki(exp.TaxMode, 0);
    if (form.Page(QStringLiteral("page4")) != nullptr) {
        exp.ExportFile = form.Edit4a->text().toStdString();
        add("");
        add("【中間ファイル】");
        add(" " + OutputFileOf(form, exp.ExportFile).string());
    }
    form.Memo5b->setPlainText(lines.join(QLatin1Char('\n')));
}

std::int32_t ExportLinkageFile(TForm1& form)
{
    TComDataExport& exp = *form.ExportObj;
    const fs::path file = OutputFileOf(form, exp.ExportFile);
    try {
        WriteLinkageFile(exp, file);
        return ExportDone;
    } catch (const EDataExportError& e) {
        form.xAnimeProgressDialog1->PlayAnime(false);
        const std::string text = std::string(e.what()) + "\r" + e.Detail + "\r";
        if (e.Code == 16 || e.Code == 6) {
            platform::showMessage(text, platform::MessageKind::Information, platform::Buttons::Ok);
            return ExportStopped;
        }
        platform::showMessage(text, platform::MessageKind::Error, platform::Buttons::Ok);
        return ExportFailed;
    } catch (const EXmlEncodingError& e) {
        // The file cannot hold a text of the data set: named, never replaced by "?".
        form.xAnimeProgressDialog1->PlayAnime(false);
        platform::showMessage(std::string(e.what()) + "\r" + e.Element + "\r", platform::MessageKind::Error,
                              platform::Buttons::Ok);
        return ExportFailed;
    } catch (const std::system_error& e) {
        // A folder that went away since the output page, a disk that is full:
        // the operator is told why in the system's words. The document is
        // written whole or not at all, so an older file of that name is kept.
        form.xAnimeProgressDialog1->PlayAnime(false);
        platform::showMessage("中間ﾌｧｲﾙを保存できませんでした。\r" + file.string() + "\r\r[詳細情報]\r" +
                                  platform::systemErrorText(e.code()),
                              platform::MessageKind::Error, platform::Buttons::Ok);
        return ExportNotWritten;
    } catch (const std::exception& e) {
        // No text for the operator: the failure message follows, the
        // developer's text goes to the program's error output.
        form.xAnimeProgressDialog1->PlayAnime(false);
        qWarning("ovidal-rendo: the export failed: %s", e.what());
        return ExportFailed;
    }
}

void FinishWizard(TForm1& form)
{
    ui::TxAnimeProgressDialog* dialog = form.xAnimeProgressDialog1;
    dialog->setCaption(q("連動データの作成中"));
    dialog->setInfoLabel(q("連動データの作成中です…"));
    dialog->setAviFile(QString::fromStdString((platform::folders::program() / "progress.avi").string()));
    dialog->setCancelBtnShow(false);
    std::int32_t outcome = ExportFailed;
    dialog->OnShow = [&](QWidget*) { outcome = ExportLinkageFile(form); };
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        dialog->Execute(&form);
    } catch (const std::exception&) {
        outcome = ExportFailed;
    }
    dialog->OnShow = nullptr;
    QApplication::restoreOverrideCursor();
    if (outcome == ExportDone) {
        if (form.CallerWnd == 0)
            platform::showMessage("中間ファイルが作成されました。\r", platform::MessageKind::Information,
                                  platform::Buttons::Ok);
        form.ResultCode = 0;
        form.FinishClose();
    } else if (outcome == ExportStopped) {
        form.ResultCode = 1;
    } else if (outcome == ExportNotWritten && form.Page(QStringLiteral("page4")) != nullptr) {
        // Every choice stays; only the place of the file needs another look.
        form.Wizard1->backStep();
        stayOnOutputPage(form);
    } else {
        platform::showMessage("中間ファイルの作成に失敗しました。\r", platform::MessageKind::Error, platform::Buttons::Ok);
        form.ResultCode = 2;
        form.FinishClose();
    }
}

} // namespace vq::linkage
