// snap NAME OUT.png - renders one control or screen of the toolkit offscreen
// to a PNG so a person can look at it. `snap list` names what it can draw.
#include "ui/FormFont.h"
#include "ui/Message2Info.h"
#include "foundation/calendar/DayNumber.h"
#include "foundation/calendar/Gengo.h"
#include "foundation/app/AccInf.h"
#include "foundation/app/SystemDef.h"
#include "ui/forms/QtTranslations.h"
#include "ui/forms/TBSDI.h"
#include "ui/forms/TInputDlgBox.h"
#include "ui/forms/TMessageBox2.h"
#include "ui/forms/TVorlenEdit.h"
#include "ui/forms/TfmWebMenuL.h"
#include "ui/forms/TxCheckedComboBox.h"
#include "ui/forms/TxSpreadGrid.h"
#include "ui/forms/TVorlenDateEdit.h"
#include "ui/forms/TVorlenExDateEdit.h"
#include "ui/forms/TxKikanPanel12.h"
#include "ui/forms/TxKikanPanel16.h"
#include "ui/forms/TxKikanPanel4.h"
#include "ui/forms/TxAnimeProgressDialog.h"
#include "ui/forms/TxCheckBox.h"
#include "ui/forms/TxComboBox.h"
#include "ui/forms/TxEdit.h"
#include "ui/forms/TxPlButton.h"
#include "ui/forms/TxWizard.h"
#include "ui/forms/TPrintDlgBox.h"
#include "ui/forms/TAppIniCreateBox.h"
#include "ui/forms/TLogonBox.h"
#include "ui/forms/TUpPasswordBox.h"
#include "ui/forms/TPrnColorSetBox.h"
#include "comm/forms/DataTusinSnap.h"
#include "comm/forms/MeetingToolSettingSnap.h"
#include "datasets/forms/TDataPlaceBox.h"
#include "datasets/forms/TDataSentakuBox.h"
#include "datasets/forms/FileOperationSnap.h"
#include "datasets/forms/TDataSyosaiInfoBox.h"
#include "datasets/forms/ServerSentakuSnap.h"
#include "dbupdate/forms/TDbUpdateBox.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/SystemFolders.h"
#include "linkage/forms/LinkageSnap.h"
#include "foundation/data/DataModule.h"
#include "print/TZevev360.h"
#include "print/forms/QtPrintHost.h"
#include "print/forms/TImageDispForm.h"
#include "print/forms/Tfmyohaku.h"

#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>

#include <unistd.h>

using namespace vq::ui;

namespace {

using Maker = std::function<QWidget*()>;

// A window in the form font with its controls stacked in a column.
struct Column {
    QWidget* window;
    QVBoxLayout* layout;
};

Column column()
{
    auto* w = new QWidget;
    w->setFont(formFont());
    return {w, new QVBoxLayout(w)};
}

// A fiscal year from April to March, closing at month end.
void setAprilYear(KikanPanel* panel)
{
    panel->SetKikan(99, vq::encodeDate(2024, 4, 1), vq::encodeDate(2025, 3, 31), vq::encodeDate(2024, 4, 1));
}

QWidget* messageBox()
{
    TMessage2InfoRec info;
    InitMessage2Info(0, info);
    info.Caption = "警告";
    info.Lines[0].Text = "このデータはお使いのプログラムより新しいプログラムでデータ更新が行われています。";
    info.Lines[1].Text = "続行してもよろしいですか？";
    info.Lines[2].Text = "注意）上書き入力した項目は、会計データの集計値により書き換えられます。";
    info.Lines[2].Color = clRed;
    info.Lines[3].Text = "詳しくはこちら";
    info.Lines[3].Link = "https://example.invalid/";
    info.Buttons = buttonSet({mbYes, mbNo, mbCancel});
    info.AgreeMode = 1;
    info.AgreeCaption = "同意する";
    auto* box = new TMessageBox2;
    box->ApplyInfo(info);
    box->Refresh();
    return box;
}

QWidget* predefined()
{
    TMessage2InfoRec info;
    info.Code = 0x10003010;
    auto* box = new TMessageBox2;
    box->setCode(info.Code);
    box->ApplyInfo(info);
    box->Refresh();
    return box;
}

QWidget* buttons()
{
    auto* w = new QWidget;
    w->setFont(formFont());
    w->resize(340, 50);
    const char* lines[][2] = {{"F12:選択", "実行"}, {"ESC:ｷｬﾝｾﾙ", ""}, {"均等", ""}};
    TxPlButtonStyle styles[] = {bsNormal, bsRoundRect, bsFlat};
    for (int i = 0; i < 3; ++i) {
        auto* b = new TxPlButton(w);
        b->setGeometry(10 + i * 110, 8, 100, 34);
        b->setButtonStyle(styles[i]);
        b->setCaptionAText(QString::fromUtf8(lines[i][0]));
        b->setCaptionBText(QString::fromUtf8(lines[i][1]));
        if (i == 2) {
            TxPlBtnCaption c = b->CaptionA();
            c.Alignment = TxPlBtnAlignment::taEven;
            b->setCaptionA(c);
        }
    }
    return w;
}

QWidget* controls()
{
    auto [w, l] = column();
    auto* e = new TxEdit;
    e->setText(QStringLiteral("株式会社　ヴォルレン"));
    l->addWidget(e);
    auto* c = new TxComboBox;
    c->addItems({QStringLiteral("001:本店"), QStringLiteral("002:支店")});
    l->addWidget(c);
    l->addWidget(new TxCheckBox(QStringLiteral("同意する")));
    w->resize(260, 110);
    return w;
}

QWidget* progress()
{
    auto* owner = new QWidget;
    owner->resize(500, 300);
    auto* p = new TxAnimeProgressDialog(owner);
    p->setCaption(QStringLiteral("データ作成"));
    p->setInfoLabel(QStringLiteral("勘定科目を読み込んでいます..."));
    p->setCommonAVI(aviCopyFiles);
    p->Execute(owner);
    return p->Handle();
}

QWidget* wizard()
{
    auto [w, l] = column();
    auto* header = new QLabel;
    l->addWidget(header);
    auto* wiz = new TxWizard;
    for (const char* page : {"データ選択", "出力先", "確認"})
        wiz->addWidget(new QLabel(QString::fromUtf8(page)));
    l->addWidget(wiz);
    auto* back = new QPushButton;
    auto* next = new QPushButton;
    l->addWidget(back);
    l->addWidget(next);
    wiz->setHeaderCaption({QStringLiteral("連動するデータを選んでください"), QStringLiteral("出力先を選んでください"),
                           QStringLiteral("内容を確認してください")});
    wiz->setLblHeader(header);
    wiz->setNextButton(next);
    wiz->setBackButton(back);
    wiz->nextStep();
    w->resize(320, 160);
    return w;
}

QWidget* dateEdit()
{
    auto [w, l] = column();
    auto* era = new TVorlenExDateEdit;
    era->SetWarekiTable(vq::BuiltinEraTable());
    era->SetDateTime(vq::encodeDate(2019, 4, 30));
    l->addWidget(era);
    auto* both = new TVorlenExDateEdit;
    both->setGengo(rsBoth);
    both->setEditStyle(desYearMonthDayHMS);
    both->setEditAmpm(true);
    both->SetDateTime(vq::encodeDateTime(2024, 3, 31, 15, 30, 5));
    l->addWidget(both);
    w->resize(420, 80);
    return w;
}

QWidget* plainDate()
{
    auto [w, l] = column();
    auto add = [l = l](const char* caption, TVorlenDateEdit* edit) {
        l->addWidget(new QLabel(QString::fromUtf8(caption)));
        l->addWidget(edit);
    };
    auto* western = new TVorlenDateEdit;
    western->setDate(vq::encodeDate(2024, 4, 1));
    add("年月日（西暦）", western);
    auto* era = new TVorlenDateEdit;
    era->setEra(true);
    era->setUseWarekiTable(true);
    era->SetWarekiTable(vq::BuiltinEraTable());
    era->setDate(vq::encodeDate(2024, 4, 1));
    add("年月日（和暦）", era);
    auto* monthDay = new TVorlenDateEdit;
    monthDay->setStyle(pdsMonthDay);
    monthDay->setDate(vq::encodeDate(2024, 12, 31));
    add("月日", monthDay);
    w->resize(220, 180);
    return w;
}

QWidget* periodPanels()
{
    auto [w, l] = column();
    auto* p16 = new TxKikanPanel16;
    setAprilYear(p16);
    p16->setStno(4);
    p16->setEdno(6);
    p16->setKakuteiMNo(3);
    p16->setKakuteiMode(true);
    p16->setFixedSize(330, 24);
    l->addWidget(p16);
    auto* p12 = new TxKikanPanel12;
    p12->SetKikan(20, vq::encodeDate(2024, 3, 21), vq::encodeDate(2025, 3, 20), vq::encodeDate(2024, 3, 21));
    p12->setFixedSize(250, 24);
    l->addWidget(p12);
    auto* p4 = new TxKikanPanel4;
    setAprilYear(p4);
    l->addWidget(p4);
    w->resize(360, 110);
    return w;
}

QWidget* kikan16()
{
    auto* p16 = new TxKikanPanel16;
    setAprilYear(p16);
    p16->resize(330, 24);
    return p16;
}

// Display colours as an office keeps them (header grey, white rows, navy focus).
void officeColours()
{
    vq::SystemDef.ColHeaderColor = 0xE0E0E0;
    vq::SystemDef.ClientColor = 0xFFFFFF;
    vq::SystemDef.ClientColor1 = 0xFFFFFF;
    vq::SystemDef.ClientColor2 = 0xF0F8FF;
    vq::SystemDef.ActiveColor = 0x800000;
}

QWidget* inputDialog()
{
    auto* dlg = new TInputDlgBox;
    // The data password asked again after a wrong answer.
    dlg->Mode = 1;
    dlg->DlgCaption = "パスワードの確認";
    dlg->MainText = "正しいパスワードを入力して下さい。";
    dlg->MainColor = clRed;
    dlg->InputHint = "パスワード(英数字8文字以内)を入力し、[OK]ボタンを押して下さい。"
                     "3回続けて失敗すると「データ選択」画面に戻ります。";
    dlg->MaxLen = 8;
    dlg->Value = "secret";
    dlg->Apply(0);
    return dlg;
}

QWidget* inputAmount()
{
    auto* dlg = new TInputDlgBox;
    dlg->Mode = 3;
    dlg->DlgCaption = "金額入力";
    dlg->MainText = "振替える金額を入力してください。";
    dlg->InputHint = "金額|振替える金額を円単位で入力します。";
    dlg->Value = "1,234,000";
    dlg->Apply(0);
    return dlg;
}

// A screen of the kind the data-set selection shows: period panel, grid,
// entry fields, hint memo and function-key buttons on the base form.
QWidget* baseForm()
{
    officeColours();
    // The open data set: an April-to-March year entered from August.
    vq::AccInf.SIME = 99;
    vq::AccInf.KISHU = vq::encodeDate(2024, 4, 1);
    vq::AccInf.KIMATU = vq::encodeDate(2025, 3, 31);
    vq::AccInf.KAISI = vq::encodeDate(2024, 4, 1);
    vq::AccInf.KAISINO = 5;
    auto* form = new TBSDI(nullptr, bsSizeable);
    form->setObjectName(QStringLiteral("fmSample"));
    form->setWindowTitle(QStringLiteral("残高一覧"));
    form->FKeepFormSize = false;
    form->FWriteOpHistory = false;
    form->resize(560, 360);
    auto* caption = new QLabel(QStringLiteral("期間"), form);
    caption->setGeometry(12, 14, 40, 20);
    auto* panel = new TxKikanPanel16(form);
    panel->setObjectName(QStringLiteral("KikanPanel16"));
    panel->setGeometry(56, 12, 242, 22);
    setAprilYear(panel);
    panel->setStno(4);
    panel->setEdno(10);
    auto* codeLabel = new QLabel(QStringLiteral("担当者"), form);
    codeLabel->setGeometry(320, 14, 50, 20);
    auto* who = new TxCheckedComboBox(form);
    who->setGeometry(372, 12, 176, 20);
    who->setItems({QStringLiteral("田中"), QStringLiteral("佐藤"), QStringLiteral("鈴木")});
    who->setChecked(0, true);
    who->setChecked(2, true);
    auto* grid = new TxSpreadGrid(form);
    grid->setGeometry(12, 44, 536, 200);
    grid->setColumnCount(3);
    grid->setHorizontalHeaderLabels({QStringLiteral("コード"), QStringLiteral("勘定科目"), QStringLiteral("残高")});
    grid->setColumnWidth(0, 60);
    grid->setColumnWidth(1, 260);
    grid->horizontalHeader()->setStretchLastSection(true);
    const char* rows[][3] = {{"1110", "現金", "1,250,000"}, {"1130", "普通預金", "8,400,512"},
                             {"2110", "買掛金", "-320,000"}};
    grid->setRowCount(3);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            auto* item = new QTableWidgetItem(QString::fromUtf8(rows[r][c]));
            if (c == 2)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid->setItem(r, c, item);
        }
    auto* amountLabel = new QLabel(QStringLiteral("金額"), form);
    amountLabel->setGeometry(12, 256, 40, 22);
    auto* amount = new TVorlenEdit(form);
    amount->setGeometry(56, 256, 120, 22);
    amount->setAlignment(taRightJustify);
    amount->setText(QStringLiteral("1,234,567"));
    TBSDI::setHint(amount, QStringLiteral("金額|残高を円単位で入力します。"));
    auto* memo = new QPlainTextEdit(form);
    memo->setReadOnly(true);
    memo->setGeometry(12, 288, 340, 60);
    memo->setPlainText(QStringLiteral("残高を円単位で入力します。"));
    form->FHintMemo = memo;
    auto* esc = new TxPlButton(form);
    esc->setCaptionAText(QStringLiteral("ESC:ｷｬﾝｾﾙ"));
    esc->setGeometry(362, 322, 90, 26);
    auto* f12 = new TxPlButton(form);
    f12->setCaptionAText(QStringLiteral("F12:閉じる"));
    f12->setGeometry(458, 322, 90, 26);
    form->FCreated = true;
    return form;
}

QWidget* loggedOn()
{
    officeColours();
    auto* screen = new TfmWebMenuL;
    screen->ListUsers({{2, 10000, "鈴木　一郎"}, {5, 10000, "佐藤　花子"}, {12, 10000, ""}});
    return screen;
}

// The print-option dialog with every option row shown.
QWidget* printDialog()
{
    static vq::print::TDefaultPrintRec rec;
    vq::print::InitDefaultPrintRec(rec);
    rec.ReportName = "DataSentakuList";
    auto* dlg = new TPrintDlgBox;
    dlg->PrintRec = &rec;
    dlg->DlgCaption = "データリストの印刷";
    dlg->MainText = "データリストを印刷します。";
    dlg->ShowColor = dlg->ShowStartPage = dlg->ShowDuplex = dlg->ShowPreview = true;
    dlg->Setup(1);
    dlg->HintArea->setPlainText("帳票を印刷します。");
    return dlg;
}

QWidget* colorChooser()
{
    auto* box = new TPrnColorSetBox;
    box->UseStyle = 1;
    box->setLineColor1(0x000000);
    box->setLineColor2(0x808080);
    box->setNetColor1(0xF0E0C0);
    box->setNetColor2(0xC0E0F0);
    box->Setup(1);
    return box;
}

// The logon dialog of the accounting application, stand-alone preselected.
QWidget* logon()
{
    vq::SystemDef.AppTitle = "ヴォルレン財務";
    vq::SystemDef.IniFileName = "/nonexistent/dozevid.ini";
    return new TLogonBox;
}

QWidget* serverSettings()
{
    vq::SystemDef.IniFileName = "/nonexistent/dozevid.ini";
    auto* box = new TAppIniCreateBox;
    box->FSectionKind = 1;
    return box;
}

QWidget* passwordDialog()
{
    auto* box = new TUpPasswordBox;
    box->Setup("abc");
    return box;
}

// Without a database the data-place dialog shows a fixed list.
QWidget* placeBox()
{
    vq::TDataPlaceList places;
    const std::string root = "/srv/vq/DATA";
    const char* names[] = {"/srv/vq/DATA", "", "本店経理部", "", "第２事務所"};
    for (int rec = 0; rec < 100; ++rec) {
        vq::TDataPlaceRec place;
        place.REC = rec;
        place.ORDERKBN = rec + 1;
        place.PATH = rec == 0 ? root : root + (rec < 10 ? "0" : "") + std::to_string(rec);
        place.NAME = rec < 5 ? names[rec] : "";
        places.push_back(place);
    }
    officeColours();
    static vq::TDM module; // nothing connected: the dialog only needs one to exist
    auto* box = new vq::TDataPlaceBox;
    box->ShowPlaces(places);
    box->PerfectGrid1->setCurrentCell(2, 1);
    return box;
}

// A print-data file of three pages like the data list, removed at exit.
struct SampleReport {
    std::string file;
    SampleReport()
    {
        file = (std::filesystem::temp_directory_path() / ("vq-snap-" + std::to_string(::getpid()) + ".360")).string();
        vq::print::TZevev360 p;
        p.DataFile = file;
        p.Title = "データリスト";
        p.PageBango = true;
        p.PageBangoLeft = 1950;
        p.PageBangoTop = 2850;
        p.DataOpen(false);
        for (int page = 1; page <= 3; ++page) {
            if (page > 1)
                p.NewPage();
            p.TextOut(150, 120, "データリスト", "ＭＳ ゴシック", 16, "B", "黒", "OFF", "LEFT", 0);
            p.BoxOut(140, 250, 1950, 2780, 3, 0, "黒", "白", 1);
            p.BoxOut(140, 250, 1950, 300, 1, 0, "黒", "薄網掛", 0);
            p.TextOut(160, 262, "No.   会社名                         決算期          データ形式", "ＭＳ ゴシック", 9, "",
                      "黒", "OFF", "LEFT", 0);
            for (int r = 0; r < 55; ++r) {
                const int n = (page - 1) * 55 + r + 1;
                p.TextOut(160, 312 + r * 45, std::to_string(n) + "    株式会社サンプル商事 " + std::to_string(n) +
                          "        2025/03/31      個人", "ＭＳ 明朝", 9, "", "黒", "OFF", "LEFT", 0);
                p.LineOut(140, 345 + r * 45, 1950, 345 + r * 45, 1, 2, "灰", false);
            }
        }
        p.DataClose();
    }
    ~SampleReport() { std::filesystem::remove(file); }
};

QWidget* preview()
{
    static SampleReport report;
    auto& engine = vq::print::printEngine();
    vq::print::TZevev360 settings;
    settings.DataFile = report.file;
    settings.Title = "データリスト";
    settings.PageBango = true;
    settings.PageBangoLeft = 1950;
    settings.PageBangoTop = 2850;
    settings.FillJob(engine.Job);
    engine.JobDataFile = report.file;
    engine.JobFormFile.clear();
    auto& host = vq::print::printHost();
    host.printer(-1)->setPaperCode(9);
    host.printer(-1)->setOrientation(0);
    auto* form = new vq::print::TImageDispForm(engine, host);
    form->setWindowTitle(QStringLiteral("データリスト"));
    form->PrevPaper->hide();
    form->NextPaper->hide();
    form->resize(900, 700);
    return form;
}

QWidget* margins()
{
    auto* box = new vq::print::Tfmyohaku;
    box->SetTopMargin(20);
    box->SetLeftMargin(-10);
    box->SetVRatio(1010);
    box->SetHRatio(995);
    box->resize(box->width(), 320);
    return box;
}

// The data selection screen on the office under VQ_ROOT (make-sample-office
// DIR, then VQ_ROOT=DIR), its tax accountant logged on.
QWidget* dataSelection()
{
    if (qEnvironmentVariableIsEmpty("VQ_ROOT")) {
        std::fprintf(stderr, "snap: datasentaku draws the office under VQ_ROOT (make-sample-office DIR first)\n");
        return nullptr;
    }
    vq::InitSystemFolders(vq::SystemDef);
    vq::SystemDef.DbUser = vq::DefaultDbUser;
    vq::SystemDef.DbPassword = vq::DefaultDbPassword;
    vq::SystemDef.GROUPID = 10000;
    vq::SystemDef.OperatorNo = 10;
    vq::SystemDef.OPCODE = 100000010;
    static vq::TDM module;
    if (!module.fnAccDefConnected("", 1)) {
        std::fprintf(stderr, "snap: no system database under VQ_ROOT\n");
        return nullptr;
    }
    module.GetLatestProgramVersion();
    officeColours();
    auto* box = new vq::TDataSentakuBox;
    box->SetParams({"SyoriType=0", "FormStyle=2"});
    box->PrepareShow(false);
    box->SelectRow(1, 0);
    return box;
}

// The detail dialog on the data set of the selection screen's second row.
QWidget* dataDetail()
{
    auto* screen = static_cast<vq::TDataSentakuBox*>(dataSelection());
    if (screen == nullptr)
        return nullptr;
    const int row = screen->CurrentRow();
    const vq::TDataListRec* rec = screen->List.GetRowRecord(row);
    if (rec == nullptr) {
        std::fprintf(stderr, "snap: the office lists no data set\n");
        return nullptr;
    }
    auto* dialog = new vq::TDataSyosaiInfoBox;
    dialog->Row = *rec;
    dialog->DataFolder = screen->List.GetDataPath(row);
    dialog->ListName = rec->ENTTEXT;
    dialog->UpdateLock = rec->UPDATE_LOCK;
    dialog->ReadOnly = rec->READ_ONLY;
    dialog->PrepareShow(true);
    return dialog;
}

// The update dialog for a data set at 3.0.7, the agreement given: the
// steps from 4.0.0 on, the first one's description below.
QWidget* dbUpdate()
{
    if (vq::SystemDef.AppTitle.empty())
        vq::SystemDef.AppTitle = "会計";
    auto* box = new vq::TDbUpdateBox;
    box->SetupUpdateList(1, "3.0.7");
    box->cboxAgree->setChecked(true);
    box->cboxAgreeClick();
    return box;
}

std::map<std::string, Maker> makers()
{
    return {
        {"messagebox", messageBox}, {"message-predefined", predefined}, {"buttons", buttons},
        {"controls", controls},     {"progress", progress},             {"wizard", wizard},
        {"dateedit", dateEdit},     {"periods", periodPanels},          {"kikan16", kikan16},
        {"plaindate", plainDate},   {"inputdialog", inputDialog},    {"inputamount", inputAmount},
        {"baseform", baseForm},     {"loggedon", loggedOn},       {"printdialog", printDialog},
        {"printcolors", colorChooser}, {"logon", logon}, {"server-settings", serverSettings},
        {"password", passwordDialog}, {"placebox", placeBox}, {"datasentaku", dataSelection},
        {"shareddata", vq::SnapServerSentakuBox}, {"datatusin", [] {
             officeColours();
             return vq::comm::SnapDataTusin();
         }},
        {"difference", [] {
             officeColours();
             return vq::comm::SnapDifferenceWindow(false);
         }},
        {"difference-refusal", [] {
             officeColours();
             return vq::comm::SnapDifferenceWindow(true);
         }},
        {"meetingtool", [] {
             officeColours();
             return vq::comm::SnapMeetingToolSetting();
         }},
        {"preview", preview}, {"margins", margins},
        {"saveplace", vq::SnapSavePlaceDialog}, {"restoreplace", vq::SnapRestorePlaceDialog},
        {"datadetail", dataDetail},         {"dbupdate", dbUpdate},
        {"linkage-wizard", vq::linkage::SnapLinkageWizard}, {"linkage-logon", vq::linkage::SnapLinkageLogon},
    };
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    installQtTranslations(app);
    installFontSubstitutions();
    const auto all = makers();
    if (argc < 3) {
        std::fprintf(stderr, "usage: snap NAME OUT.png\nnames:");
        for (const auto& [name, maker] : all)
            std::fprintf(stderr, " %s", name.c_str());
        std::fprintf(stderr, "\n");
        return argc == 2 && std::string(argv[1]) == "list" ? 0 : 2;
    }
    const auto it = all.find(argv[1]);
    if (it == all.end()) {
        std::fprintf(stderr, "snap: no control named %s\n", argv[1]);
        return 2;
    }
    QWidget* w = it->second();
    if (w == nullptr)
        return 1;
    w->show();
    QApplication::processEvents();
    const QPixmap shot = w->grab();
    if (!shot.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "snap: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
