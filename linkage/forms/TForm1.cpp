#include "linkage/forms/TForm1.h"

#include "foundation/app/AppInfo.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "linkage/CallerArguments.h"
#include "linkage/CompareVersion.h"
#include "linkage/LinkageStartup.h"
#include "linkage/forms/DataChoice.h"
#include "linkage/forms/WizardPages.h"
#include "platform/Folders.h"
#include "platform/Interaction.h"
#include "ui/FormFont.h"
#include "ui/SlotGuard.h"
#include "ui/forms/FocusMove.h"
#include "ui/forms/HintMemo.h"
#include "ui/forms/ScreenLauncher.h"
#include "ui/forms/TLogonBox.h"
#include "ui/forms/TxAnimeProgressDialog.h"
#include "ui/forms/TxEdit.h"
#include "ui/forms/TxKikanPanel16.h"
#include "ui/forms/TxWizard.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QTableWidget>
#include <QTimer>

#include <exception>
#include <stdexcept>

namespace vq::linkage {

namespace {

QString q(const std::string& text)
{
    return QString::fromStdString(text);
}

// Message texts break lines with '\r'.
void showError(const std::string& text)
{
    platform::showMessage(text, platform::MessageKind::Error, platform::Buttons::Ok);
}

std::string formatted(const char* format, const std::string& a, const std::string& b = {})
{
    std::string text = format;
    const auto first = text.find("%s");
    if (first != std::string::npos)
        text.replace(first, 2, a);
    const auto second = text.find("%s");
    if (second != std::string::npos)
        text.replace(second, 2, b);
    return text;
}

// The wizard's texts fit their memos: no scroll bars.
QPlainTextEdit* memo(QWidget* parent, const QRect& geometry)
{
    auto* m = ui::NewHintMemo(parent, geometry, nullptr);
    m->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return m;
}

QLabel* label(QWidget* parent, const char* text, const QRect& geometry)
{
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    l->setGeometry(geometry);
    l->setWordWrap(true);
    return l;
}

} // namespace

TForm1::TForm1(QWidget* parent)
    : QWidget(parent)
    , DataChooser(btnDataSentakuClick)
    , PageCheck(WizardPageCheck)
    , Finisher(FinishWizard)
{
    buildLayout();
}

TForm1::~TForm1()
{
    FormDestroy();
}

// ---- Layout ---------------------------------------------------------------------------

void TForm1::buildLayout()
{
    setFont(ui::formFont());
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(771, 543);

    Wizard1 = new ui::TxWizard(this);
    Wizard1->setObjectName(QStringLiteral("Wizard1"));
    Wizard1->setGeometry(0, 0, 771, 490);
    // The pages in their designed order; the creation deletes the unused ones.
    for (const char* name : {"page1", "page2", "page3", "page10", "page6", "page7", "page9", "page8", "page4",
                             "page5"}) {
        auto* page = new QWidget;
        page->setObjectName(QString::fromLatin1(name));
        Wizard1->addWidget(page);
    }
    buildPage1(Page(QStringLiteral("page1")));
    buildPage2(Page(QStringLiteral("page2")));
    buildPage3(Page(QStringLiteral("page3")));
    buildPage4(Page(QStringLiteral("page4")));
    buildPage5(Page(QStringLiteral("page5")));

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(8, 494, 755, 4);

    Button1 = new QPushButton(this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(436, 506, 100, 27);
    Button2 = new QPushButton(this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(540, 506, 100, 27);
    Button2->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setGeometry(660, 506, 100, 27);

    Wizard1->setNextButtonCap(QStringLiteral("次へ(&N) >"));
    Wizard1->setNextButtonFinCap(QStringLiteral("完了(&F)"));
    Wizard1->setBackButtonCap(QStringLiteral("< 戻る(&B)"));
    Wizard1->setNextButton(Button2);
    Wizard1->setBackButton(Button1);
    Wizard1->OnNextClicking = [this](QObject*, bool finalState, bool& allowChange) {
        nextClicking(finalState, allowChange);
    };
    Wizard1->OnNextClick = [this](QObject*, bool finalState) { nextClick(finalState); };
    connect(btnCancel, &QPushButton::clicked, this, ui::guarded([this] { btnCancelClick(); }));
    connect(Wizard1, &QStackedWidget::currentChanged, this, [this] {
        QWidget* current = Wizard1->currentWidget();
        if (current != nullptr && current->objectName() == QStringLiteral("page2") && listDataInfo->rowCount() <= 1)
            btnDataSentaku->setFocus();
    });

    xAnimeProgressDialog1 = new ui::TxAnimeProgressDialog(this);
}

void TForm1::buildPage1(QWidget* page)
{
    auto* panel = new QWidget(page);
    panel->setGeometry(150, 40, 600, 400);
    // Shown as text, never used as an input: no focus, no mouse.
    panel->setAttribute(Qt::WA_TransparentForMouseEvents);
    Memo1a = memo(panel, QRect(0, 0, 600, 40));
    Memo1a->setObjectName(QStringLiteral("Memo1a"));
    Memo1a->setStyleSheet(QStringLiteral("background: transparent;"));
    Memo1b = memo(panel, QRect(0, 60, 600, 200));
    Memo1b->setObjectName(QStringLiteral("Memo1b"));
    Memo1b->setStyleSheet(QStringLiteral("background: transparent;"));
}

void TForm1::buildPage2(QWidget* page)
{
    Label2a = label(page, "連動元となる対象データを「データ選択を開く」ボタンを押して指定します。", QRect(24, 24, 720, 20));
    btnDataSentaku = new QPushButton(QStringLiteral("データ選択を開く"), page);
    btnDataSentaku->setObjectName(QStringLiteral("btnDataSentaku"));
    btnDataSentaku->setGeometry(24, 60, 140, 30);
    connect(btnDataSentaku, &QPushButton::clicked, this, ui::guarded([this] {
                if (DataChooser)
                    DataChooser(*this);
            }));
    listDataInfo = new QTableWidget(1, 2, page);
    listDataInfo->setObjectName(QStringLiteral("listDataInfo"));
    listDataInfo->setGeometry(24, 100, 415, 320);
    listDataInfo->horizontalHeader()->hide();
    listDataInfo->verticalHeader()->hide();
    listDataInfo->setColumnWidth(0, 150);
    listDataInfo->setColumnWidth(1, 261);
    listDataInfo->setSelectionBehavior(QAbstractItemView::SelectRows);
    listDataInfo->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Label2c = label(page, "対象のデータが正しく指定されているか確認し、[次へ]をクリックしてください。", QRect(24, 430, 720, 20));
}

void TForm1::buildPage3(QWidget* page)
{
    Label3a = label(page, "", QRect(24, 24, 720, 20));
    Label3b = label(page, "", QRect(24, 430, 720, 20));
    GroupBox3a = new QGroupBox(QStringLiteral("計算対象期間"), page);
    GroupBox3a->setGeometry(24, 60, 560, 110);
    xKikanPanel3a = new ui::TxKikanPanel16(GroupBox3a);
    xKikanPanel3a->move(12, 24);
    GroupBox3b = new QGroupBox(QStringLiteral("消費税計算区分"), page);
    GroupBox3b->setGeometry(24, 190, 260, 60);
    RadioButton3a = new QRadioButton(QStringLiteral("税込み"), GroupBox3b);
    RadioButton3a->setGeometry(16, 26, 100, 20);
    RadioButton3b = new QRadioButton(QStringLiteral("税抜き"), GroupBox3b);
    RadioButton3b->setGeometry(130, 26, 100, 20);
    GroupBox3c = new QGroupBox(QStringLiteral("所得種類（一般）"), page);
    GroupBox3c->setGeometry(300, 190, 280, 60);
    RadioButton3c = new QRadioButton(QStringLiteral("営業所得用"), GroupBox3c);
    RadioButton3c->setGeometry(16, 26, 120, 20);
    RadioButton3d = new QRadioButton(QStringLiteral("その他所得用"), GroupBox3c);
    RadioButton3d->setGeometry(140, 26, 130, 20);
    GroupBox3c->hide();
    GroupSyotokuRendo = new QGroupBox(QStringLiteral("連動対象項目"), page);
    GroupSyotokuRendo->setGeometry(24, 270, 560, 60);
    checkSinkokuUtiwake = new QCheckBox(GroupSyotokuRendo);
    checkSinkokuUtiwake->setGeometry(16, 26, 520, 20);
    checkSinkokuUtiwake->setText(QStringLiteral("「給料賃金の内訳」を始めとした情報を含める"));
}

void TForm1::buildPage4(QWidget* page)
{
    Label4a = label(page, "", QRect(24, 24, 720, 20));
    GroupBox4a = new QGroupBox(QStringLiteral("中間ﾌｧｲﾙ"), page);
    GroupBox4a->setGeometry(24, 60, 720, 64);
    Edit4a = new ui::TxEdit(GroupBox4a);
    Edit4a->setObjectName(QStringLiteral("Edit4a"));
    Edit4a->setGeometry(12, 26, 600, 24);
    BitBtn4a = new QPushButton(QStringLiteral("参照"), GroupBox4a);
    BitBtn4a->setGeometry(620, 24, 88, 28);
    connect(BitBtn4a, &QPushButton::clicked, this, ui::guarded([this] { BitBtn4aClick(); }));
    Label4b = label(page, "中間ファイル名が正しく指定されているか確認し、[次へ]をクリックしてください。", QRect(24, 430, 720, 20));
}

void TForm1::buildPage5(QWidget* page)
{
    Memo5a = memo(page, QRect(24, 20, 720, 44));
    Memo5a->setPlainText(QStringLiteral("以上で設定が完了しました。\n内容を確認し、よろしければ[完了]をクリックしてください。"));
    Memo5a->setStyleSheet(QStringLiteral("background: transparent;"));
    Memo5b = new QPlainTextEdit(page);
    Memo5b->setObjectName(QStringLiteral("Memo5b"));
    Memo5b->setGeometry(24, 72, 720, 370);
    Memo5b->setReadOnly(true);
    Memo5b->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont fixed(ui::mapFontFamily(QStringLiteral("ＭＳ ゴシック")));
    fixed.setPixelSize(ui::scaledFromDesign(12));
    fixed.setStyleHint(QFont::TypeWriter);
    Memo5b->setFont(fixed);
}

QStringList TForm1::PageNames() const
{
    QStringList names;
    for (int i = 0; i < Wizard1->count(); ++i)
        names << Wizard1->widget(i)->objectName();
    return names;
}

QWidget* TForm1::Page(const QString& name) const
{
    for (int i = 0; i < Wizard1->count(); ++i) {
        if (Wizard1->widget(i)->objectName() == name)
            return Wizard1->widget(i);
    }
    return nullptr;
}

void TForm1::deletePage(const QString& name)
{
    if (QWidget* page = Page(name)) {
        Wizard1->removeWidget(page);
        page->deleteLater();
    }
}

// ---- Creation ---------------------------------------------------------------------------

bool TForm1::FormCreate(const std::vector<std::string>& args)
{
    InstallLinkageHooks(ui::StartRegisteredProcess, Validator);
    SystemDrive.clear();
    ResultCode = 2;
    Wizard1->setCurrentIndex(0);

    const CallerArguments arguments = ParseCallerArguments(args);
    CallerWnd = arguments.CallerWnd;
    CallerMsg = arguments.CallerMsg;
    CallerFuncId = arguments.CallerFuncId;
    CallerOutFile = arguments.CallerOutFile;
    caller_ = CallerChannel(CallerWnd);
    if (arguments.kind == CallerArguments::Kind::Invalid) {
        // A caller that could be named still hears of the refusal (result 2).
        showError(kInvalidArgumentMessage);
        return false;
    }
    if (arguments.kind == CallerArguments::Kind::Caller) {
        caller_.Disable();
        deletePage(QStringLiteral("page4"));
    }

    const std::int32_t read = ReadAppInfo(ProgramFile.empty() ? platform::folders::program() / "ovidal-rendo" : ProgramFile, AppInfo);
    if (read != AppInfoRead) {
        showError(AppInfoFailureMessage(read));
        return false;
    }
    // The edition (OemKind) and the names of files and folders.
    CopyAppInfoSettings();

    ExportObj = std::make_unique<TSyotokuzeiDataExport>(CallerFuncId, CallerOutFile);
    if (ExportObj->TargetName.empty()) {
        showError("起動情報の初期化に失敗しました。アプリケーションを強制終了します。");
        return false;
    }
    if (!CompareVersion(ExportObj->ProgramVer, ExportObj->RequiredVersion)) {
        showError("このアプリケーションはインストールされている「" + AppInfo.RidedAppTitle +
                  "」のバージョンに対応していません。\rバージョン:" + ExportObj->RequiredVersion +
                  "以降をインストールしてください。\r\rアプリケーションを強制終了します。");
        return false;
    }

    MyDocumentsFolder = platform::folders::documents().string();
    PrevDataFolder.clear();
    DataInUse = false;
    setWindowTitle(q(ExportObj->WindowTitle));
    setPageTexts();

    // Pages of the other linkage kinds.
    for (const char* name : {"page6", "page7", "page8", "page9", "page10"})
        deletePage(QString::fromLatin1(name));
    GroupSyotokuRendo->show();
    checkSinkokuUtiwake->setChecked(false);
    Edit4a->setText(q(ExportObj->ExportFile));
    Wizard1->setCurrentIndex(0);
    Button1->hide();
    Button2->setText(Wizard1->NextButtonCap());
    Created = true;
    return true;
}

void TForm1::setPageTexts()
{
    const std::string& product = ExportObj->ProgramName;
    const std::string& target = ExportObj->TargetName;
    if (CallerWnd == 0 && Page(QStringLiteral("page4")) != nullptr)
        Memo1a->setPlainText(q(formatted("『%s』から『%s』へデータを連動させるための中間ファイルを作成します。", product, target)));
    else
        Memo1a->setPlainText(q(formatted("『%s』から『%s』へデータの連動を行います。", product, target)));
    Memo1b->setPlainText(q(formatted("『%s』が起動している場合は終了してください。", product)) +
                         QStringLiteral("\n\n\n\n\n\n作成を始めるには[次へ]をクリックしてください。"));
    Label4a->setText(q(formatted("連動先となる『%s』で使用する中間ファイルを指定します。", target)));
}

// ---- Start-up ---------------------------------------------------------------------------

bool TForm1::InitializeApplication()
{
    StartupMessage = StartupFailureMessage();
    try {
        ScreenMetrics metrics;
        if (const QStyle* s = style()) {
            metrics.captionHeight = s->pixelMetric(QStyle::PM_TitleBarHeight);
            metrics.frameHeight = s->pixelMetric(QStyle::PM_DefaultFrameWidth);
            metrics.menuHeight = s->pixelMetric(QStyle::PM_MenuBarItemSpacing) + fontMetrics().height();
        }
        try {
            LoadLocalSettings(metrics, StartupFormFont());
        } catch (const std::runtime_error& e) {
            // The settings' own failures carry the text to show.
            StartupMessage = e.what();
            throw;
        }
        QApplication::setApplicationDisplayName(q(ExportObj->WindowTitle));
        setWindowTitle(q(ExportObj->WindowTitle));
        CreateDataModule();
        return true;
    } catch (const std::exception&) {
    }
    platform::showMessage(StartupMessage, platform::MessageKind::Error, platform::Buttons::Ok);
    return false;
}

void TForm1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (shownOnce_)
        return;
    shownOnce_ = true;
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    // The logon comes once the window is on screen.
    QTimer::singleShot(0, this, ui::guarded([this] { firstShowing(); }));
}

void TForm1::firstShowing()
{
    repaint();
    SystemDef.AppTitle = kComponentName;
    SystemDbInUse = LogonRunner ? LogonRunner() : ShowLogon();
    if (!SystemDbInUse) {
        if (DM != nullptr)
            DM->IBDatabaseDEF.disconnect();
        terminate();
        return;
    }
    if (DM == nullptr || !DM->fnGetSysDef()) {
        // Settings that were never read must not be written back at the close.
        if (DM != nullptr) {
            DM->DeleteLogonInfo();
            DM->IBDatabaseDEF.disconnect();
        }
        SystemDbInUse = false;
        terminate();
        return;
    }
    DM->LoadGengoTable();
    TypedAhead.Deliver(this);
}

bool TForm1::ShowLogon()
{
    ui::TLogonBox box;
    if (!box.FCreated)
        return false;
    LogonOk = box.exec() == QDialog::Accepted;
    TypedAhead = std::move(box.TypedAhead);
    return LogonOk;
}

void TForm1::terminate()
{
    Terminated = true;
    closeForm();
    QCoreApplication::quit();
}

// ---- Pages ------------------------------------------------------------------------------

void TForm1::nextClicking(bool finalState, bool& allowChange)
{
    if (finalState || !PageCheck)
        return;
    QWidget* current = Wizard1->currentWidget();
    allowChange = PageCheck(*this, current ? current->objectName() : QString());
}

void TForm1::nextClick(bool finalState)
{
    if (!finalState)
        return;
    if (Finisher)
        Finisher(*this);
}

// ---- Cancel and close -----------------------------------------------------------------------

void TForm1::btnCancelClick()
{
    const int answer = platform::showMessage(
        "[キャンセル]ボタンが押されました。\r連動データの作成ウィザードを終了してもよろしいですか？\r",
        platform::MessageKind::Information, platform::Buttons::YesNo);
    if (answer != platform::ResultYes)
        return;
    ResultCode = 1;
    closeForm();
}

void TForm1::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        btnCancelClick();
        return;
    }
    // Enter as on a Windows form: it presses the focused button, and from
    // any other control (a radio button, the list, the summary) the default
    // button, Next or Finish. Controls that use Enter themselves never pass
    // it on to here.
    if (ui::navKeyOf(event) == ui::NavKey::Enter && ui::noModifiers(event)) {
        auto* focused = qobject_cast<QPushButton*>(focusWidget());
        QPushButton* button = focused != nullptr && focused->isVisible() && focused->isEnabled() ? focused : Button2;
        if (button->isVisible() && button->isEnabled())
            button->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TForm1::closeForm()
{
    closing_ = true;
    close();
    closing_ = false;
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // The close box: the operator leaves without a question.
    if (!closing_)
        ResultCode = 1;
    CloseDatabases();
    event->accept();
}

void TForm1::BitBtn4aClick()
{
    platform::FileDialogRequest request;
    request.mode = platform::FileDialogRequest::Mode::Save;
    request.title = "中間ﾌｧｲﾙの指定";
    const std::string current = Edit4a->text().toStdString();
    std::error_code ec;
    request.initialPath = !current.empty() && std::filesystem::is_regular_file(current, ec) ? current : MyDocumentsFolder;
    request.filters = {"中間ﾌｧｲﾙ (*.xml *.XML)", "すべてのﾌｧｲﾙ(*.*) (*)"};
    if (const auto chosen = platform::interaction().chooseFile(request)) {
        std::string path = *chosen;
        if (std::filesystem::path(path).extension().empty())
            path += ".xml";
        // The platform's save dialog asks before it returns an existing file
        // (not for the name the extension was added to).
        std::error_code exists;
        if (path == *chosen && std::filesystem::exists(path, exists))
            ReplaceConfirmed = path;
        Edit4a->setText(q(path));
    }
}

void TForm1::CloseDatabases()
{
    // The data set goes back first: its close and the shared-data keep need
    // the operator's logon, which is removed last.
    CloseDataSet(*this);
    if (!SystemDbInUse || DM == nullptr)
        return;
    if (DM->fnAccDefConnected(SystemDef.HostName, 1)) {
        DM->fnPutSysDef();
        DM->DeleteLogonInfo();
    }
    DM->IBDatabaseDEF.disconnect();
    SystemDbInUse = false;
}

void TForm1::FormDestroy()
{
    if (destroyed_)
        return;
    destroyed_ = true;
    if (ExportObj) {
        // Saved here, not in the export's destructor, so a failure reaches the operator.
        try {
            ExportObj->SaveIni();
        } catch (const std::exception& e) {
            showError("連動設定ファイル(Ovidal.ini)を保存できませんでした。\r\r[詳細情報]\r" + std::string(e.what()));
        }
        ExportObj.reset();
    }
    RemoveLinkageHooks();
    if (CallerWnd != 0) {
        caller_.EnableAndRaise();
        caller_.Post(CallerMsg, CallerFuncId, ResultCode);
    }
}

} // namespace vq::linkage
