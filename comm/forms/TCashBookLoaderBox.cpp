#include "comm/forms/TCashBookLoaderBox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>

#include <filesystem>

#include "foundation/app/SystemDef.h"
#include "foundation/files/SaveFolderUac.h"
#include "platform/Interaction.h"

namespace vq::comm {

namespace {

QString q(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

TCashBookLoaderBox::TCashBookLoaderBox(QWidget* parent)
    : QDialog(parent), TextMode(Loader.TextMode), ImportMode(Loader.ImportMode)
{
    setObjectName(QStringLiteral("CashBookLoaderBox"));
    setWindowTitle(QStringLiteral("現金出納帳の取り込み"));
    QFont form(QStringLiteral("ＭＳ Ｐゴシック"));
    form.setPixelSize(12);
    setFont(form);
    TextMode = 0;
    ImportMode = 1;

    auto* pnlClient = new QWidget(this);
    pnlClient->setObjectName(QStringLiteral("pnlClient"));
    pnlClient->setGeometry(0, 0, scaled(631), scaled(420));
    lblTitle1 = new QLabel(pnlClient);
    lblTitle1->setObjectName(QStringLiteral("lblTitle1"));
    lblTitle1->setGeometry(scaled(60), scaled(12), scaled(560), scaled(16));
    lblTitle2 = new QLabel(pnlClient);
    lblTitle2->setObjectName(QStringLiteral("lblTitle2"));
    lblTitle2->setGeometry(scaled(60), scaled(32), scaled(560), scaled(16));
    lblTitle3 = new QLabel(pnlClient);
    lblTitle3->setObjectName(QStringLiteral("lblTitle3"));
    lblTitle3->setGeometry(scaled(60), scaled(52), scaled(560), scaled(16));
    ListView1 = new QTreeWidget(pnlClient);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setGeometry(scaled(8), scaled(76), scaled(615), scaled(250));
    ListView1->setRootIsDecorated(false);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    RichEdit1 = new QTextEdit(pnlClient);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setReadOnly(true);
    RichEdit1->setGeometry(scaled(8), scaled(332), scaled(615), scaled(80));
    connect(ListView1, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        RichEdit1->clear();
        const int index = item ? ListView1->indexOfTopLevelItem(item) : -1;
        if (index >= 0 && static_cast<std::size_t>(index) < Loader.ImportLog.size())
            RichEdit1->setPlainText(q(Loader.ImportLog[static_cast<std::size_t>(index)].Message));
    });

    pnlProgress = new QWidget(this);
    pnlProgress->setObjectName(QStringLiteral("pnlProgress"));
    pnlProgress->setGeometry(scaled(8), scaled(424), scaled(400), scaled(36));
    Label1 = new QLabel(pnlProgress);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(0, 0, scaled(400), scaled(16));
    ProgressBar1 = new QProgressBar(pnlProgress);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(0, scaled(18), scaled(400), scaled(16));
    ProgressBar1->setTextVisible(false);

    btnOk = new QPushButton(QStringLiteral("OK"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnOutput = new QPushButton(QStringLiteral("ファイル出力"), this);
    btnOutput->setObjectName(QStringLiteral("btnOutput"));
    btnOutput->setGeometry(scaled(8), scaled(432), scaled(100), scaled(25));
    btnOk->setGeometry(scaled(450), scaled(432), scaled(81), scaled(25));
    btnCancel->setGeometry(scaled(540), scaled(432), scaled(81), scaled(25));
    connect(btnOk, &QPushButton::clicked, this, [this] { btnOkClick(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });
    connect(btnOutput, &QPushButton::clicked, this, [this] { btnOutputClick(); });

    Timer1 = new QTimer(this);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, [this] {
        Timer1->stop();
        if (AutoStart == 1)
            btnOkClick();
    });

    Loader.OnLabel = [this](const std::string& text) {
        Label1->setText(q(text));
        QApplication::processEvents();
    };
    Loader.OnStep = [this] { ProgressBar1->setValue(ProgressBar1->value() + 1); };
    Loader.OnEntry = [this](const TCorvaneSyoriInfo& entry) { addLine(entry); };

    SetAutoMode(1);
    pnlProgress->hide();
    btnOutput->setEnabled(false);
    btnOk->setEnabled(false);
    btnCancel->setEnabled(false);
    setFixedSize(scaled(631), scaled(466));
}

TCashBookLoaderBox::~TCashBookLoaderBox() = default;

int TCashBookLoaderBox::scaled(int pixels) const
{
    return qRound(pixels * logicalDpiX() / 96.0);
}

void TCashBookLoaderBox::OpenReceivedData(const std::string& fileName)
{
    Loader.OpenReceivedData(fileName);
}

void TCashBookLoaderBox::SetAutoMode(std::uint8_t on)
{
    Timer1->stop();
    if (on == 1) {
        btnOk->setEnabled(false);
        btnCancel->setEnabled(false);
        btnOk->hide();
        btnCancel->setText(QStringLiteral("閉じる"));
        Timer1->setInterval(1500);
    } else {
        btnOk->setEnabled(true);
        btnCancel->setEnabled(true);
        btnOk->show();
        btnCancel->setText(QStringLiteral("キャンセル"));
        Timer1->setInterval(0);
    }
    AutoStart = on;
}

void TCashBookLoaderBox::RunHidden()
{
    if (TextMode != 1)
        return;
    Timer1->stop();
    SetupTitles();
    if (AutoStart == 1)
        btnOkClick();
}

std::int32_t TCashBookLoaderBox::RecomputeResult()
{
    return Loader.RecomputeResult();
}

void TCashBookLoaderBox::SetupTitles()
{
    ListView1->setColumnCount(2);
    ListView1->setHeaderLabels({QStringLiteral("ステータス"), QStringLiteral("情報")});
    ListView1->header()->resizeSection(0, scaled(80));
    ListView1->header()->resizeSection(1, scaled(500));
    if (TextMode == 0) {
        lblTitle1->setText(QStringLiteral("現金出納帳データの取り込みを行います。"));
        lblTitle2->setText(QStringLiteral("この処理を実行することにより、顧問先と現金残高の同期が行われます。"));
    } else if (TextMode == 1) {
        lblTitle1->setText(QStringLiteral("データの取り込みを行います。"));
        lblTitle2->setText(QStringLiteral("この処理を実行することにより、送信元とデータの同期が行われます。"));
    } else {
        return;
    }
    lblTitle3->clear();
    QPalette p = lblTitle3->palette();
    p.setColor(QPalette::WindowText, Qt::red);
    lblTitle3->setPalette(p);
    btnOk->move(scaled(450), btnOk->y());
    btnCancel->move(scaled(540), btnCancel->y());
}

void TCashBookLoaderBox::ShowOutcome()
{
    if (Loader.ImportResult <= 0) {
        lblTitle1->setText(TextMode == 0 ? QStringLiteral("現金出納帳データの取り込みが中止されました。")
                                         : QStringLiteral("データの取り込みが中止されました。"));
        lblTitle2->setText(QStringLiteral("下記の情報より、中止された理由を確認して下さい。"));
    } else {
        lblTitle1->setText(TextMode == 0 ? QStringLiteral("現金出納帳データの取り込みを行いました。")
                                         : QStringLiteral("データの取り込みを行いました。"));
        lblTitle2->setText(QStringLiteral("下記の情報を確認して下さい。"));
    }
    lblTitle3->clear();
}

void TCashBookLoaderBox::addLine(const TCorvaneSyoriInfo& entry)
{
    auto* item = new QTreeWidgetItem(ListView1);
    if (entry.Kind <= SyoriError)
        item->setText(0, q(SyoriKindText(entry.Kind)));
    item->setText(1, q(entry.Message));
}

void TCashBookLoaderBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    SetupTitles();
    if (AutoStart == 1) {
        Timer1->start();
        pnlProgress->show();
        Label1->setText(QStringLiteral("準備中です…"));
        QApplication::processEvents();
    } else if (ShownAfterFailure == 1 && Loader.ImportResult < 0) {
        pnlProgress->hide();
        ShowOutcome();
    }
}

void TCashBookLoaderBox::closeEvent(QCloseEvent* event)
{
    // The window stays while the import runs: closing it then would leave
    // the two databases to a transaction nobody ends.
    if (running_)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void TCashBookLoaderBox::btnOkClick()
{
    if (running_)
        return;
    running_ = true;
    setResult(0);
    btnCancel->setText(QStringLiteral("閉じる"));
    btnCancel->setEnabled(false);
    btnOk->setEnabled(false);
    ListView1->clear();
    RichEdit1->clear();
    ProgressBar1->setRange(0, 7);
    ProgressBar1->setValue(0);
    pnlProgress->show();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Loader.Run();
    QApplication::restoreOverrideCursor();
    if (ListView1->topLevelItemCount() > 0)
        ListView1->setCurrentItem(ListView1->topLevelItem(0));
    AutoStart = 0;
    ShowOutcome();
    pnlProgress->hide();
    btnOutput->setEnabled(ListView1->topLevelItemCount() > 0);
    btnCancel->setEnabled(true);
    running_ = false;
    if (isVisible()) {
        btnCancel->setFocus();
    } else if (Loader.ImportResult < 0) {
        ShownAfterFailure = 1;
        exec();
    }
}

void TCashBookLoaderBox::btnCancelClick()
{
    if (running_)
        return;
    done(btnCancel->text() == QStringLiteral("閉じる") ? 1 : 2);
}

void TCashBookLoaderBox::btnOutputClick()
{
    platform::FileDialogRequest request;
    request.mode = platform::FileDialogRequest::Mode::Save;
    request.title = "ファイル出力";
    request.initialPath = (std::filesystem::path(SystemDef.DocumentsDir) / "現金出納帳の受信ログ.csv").string();
    request.filters = {"ＣＳＶシート(*.csv)", "テキストファイル(*.txt)"};
    auto chosen = platform::interaction().chooseFile(request);
    if (!chosen || chosen->empty())
        return;
    std::string fileName = *chosen;
    std::filesystem::path path(fileName);
    if (path.extension().empty())
        fileName += ".csv";
    std::string ext = std::filesystem::path(fileName).extension().string();
    for (auto& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (!CheckSaveFileUac(fileName))
        return;
    try {
        Loader.SaveLog(fileName, ext == ".txt" ? LogText : LogCsv);
    } catch (const std::exception& e) {
        platform::interaction().message({std::string("　\r") + e.what() + "\r ", "", platform::MessageKind::Error,
                                         platform::Buttons::Ok, 0});
    }
}

} // namespace vq::comm
