#include "datasets/forms/TFileOperationBox.h"

#include "datasets/PlaceHistory.h"
#include "foundation/app/SystemDef.h"
#include "foundation/files/FileUtils.h"
#include "foundation/files/SaveFolderUac.h"
#include "foundation/text/TextUtils.h"
#include "platform/Interaction.h"
#include "ui/ModalResult.h"
#include "ui/forms/HintMemo.h"
#include "ui/forms/TxComboBox.h"
#include "ui/forms/TxEdit.h"
#include "ui/forms/TxPlButton.h"

#include <QLabel>
#include <QPlainTextEdit>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace vq {

namespace fs = std::filesystem;
using ui::TxPlButton;

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

TxPlButton* button(QWidget* parent, const char* name, const char* caption, QRect geometry)
{
    auto* b = new TxPlButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setCaptionAText(QString::fromUtf8(caption));
    b->setGeometry(geometry);
    return b;
}

QLabel* label(QWidget* parent, const char* name, QRect geometry)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(geometry);
    return l;
}

std::string lowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string upperCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

bool isFile(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(path, ec);
}

} // namespace

TFileOperationBox::TFileOperationBox(QWidget* parent)
    : TBSDI(parent, ui::bsDialog)
{
    setObjectName(QStringLiteral("FileOperationBox"));
    FMenuHookOnShow = FRunBesideOthers = FKeepFormSize = FActivateHookArg = false;
    FKeepOnClose = true;
    setFixedSize(475, 267);
    HistoryFolder = SystemDef.IniDir;

    lblMain = label(this, "lblMain", {12, 10, 451, 40});
    lblMain->setWordWrap(true);
    lblMain->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblFileSelect = label(this, "lblFileSelect", {12, 56, 300, 18});
    cmbFileSelect = new ui::TxComboBox(this);
    cmbFileSelect->setObjectName(QStringLiteral("cmbFileSelect"));
    cmbFileSelect->setStyle(ui::csDropDownList);
    cmbFileSelect->setMaxVisibleItems(10);
    cmbFileSelect->setGeometry(12, 76, 365, 24);
    btnSansyo = button(this, "btnSansyo", "参照", {383, 75, 80, 26});
    btnHistDelete = button(this, "btnHistDelete", "履歴削除", {383, 107, 80, 26});
    lblFileName = label(this, "lblFileName", {12, 110, 300, 18});
    lblFileName->setText(QStringLiteral("ファイル名:"));
    txtFileName = new ui::TxEdit(this);
    txtFileName->setObjectName(QStringLiteral("txtFileName"));
    txtFileName->setGeometry(12, 130, 365, 24);

    HintArea = ui::NewHintMemo(this, QRect(12, 166, 451, 52));

    btnOK = button(this, "btnOK", "OK", {257, 227, 100, 30});
    btnCancel = button(this, "btnCancel", "キャンセル", {363, 227, 100, 30});
    btnCancel->setModalResult(ui::mrCancel);

    connect(btnSansyo, &TxPlButton::clicked, this, [this] { btnSansyoClick(); });
    connect(btnHistDelete, &TxPlButton::clicked, this, [this] { btnHistDeleteClick(); });
    connect(btnOK, &TxPlButton::clicked, this, [this] { btnOKClick(); });

    FHintMemo = HintArea;
    FExecButton = btnOK;
    FCreated = true;
}

TFileOperationBox::~TFileOperationBox() = default;

void TFileOperationBox::PrepareShow(bool modal)
{
    Modal = modal;
    ApplySettings();
    FFirstPlacement = false;
}

void TFileOperationBox::ApplySettings()
{
    LoadHints();
    const bool fileModes = Mode == ModeOpenFile || Mode == ModeSaveFile;
    lblFileName->setVisible(fileModes);
    txtFileName->setVisible(fileModes);
    txtFileName->setText(fileModes ? q(FileName) : QString());
    btnHistDelete->setVisible(UseHistory);
    setWindowTitle(q(TitleText));
    lblMain->setText(q(MainText));
    QPalette colours = lblMain->palette();
    colours.setColor(QPalette::WindowText, MainTextColor.isValid() ? MainTextColor : palette().color(QPalette::WindowText));
    lblMain->setPalette(colours);
    lblFileSelect->setText(q(PlaceLabel));
    const QWidget* lastRow = fileModes ? static_cast<QWidget*>(txtFileName) : static_cast<QWidget*>(btnHistDelete);
    placeHintArea(lastRow->geometry().bottom() + 8);
    ResultPath.clear();
    cmbFileSelect->clear();
    LoadHistory();
}

void TFileOperationBox::placeHintArea(int top)
{
    // The memo takes what the rows leave above the buttons, so that the
    // three lines of a place hint show whole also without the file-name row.
    HintArea->setGeometry(HintArea->x(), top, HintArea->width(), std::max(20, btnOK->y() - 6 - top));
}

void TFileOperationBox::LoadHints()
{
    setHint(cmbFileSelect, q(PlaceHint));
    setHint(btnSansyo, q(PlaceHint));
    setHint(txtFileName, q(FileNameHint));
    setHint(btnHistDelete, QStringLiteral("履歴を削除します。"));
    setHint(btnOK, QStringLiteral("処理を確定します。"));
    setHint(btnCancel, QStringLiteral("処理をキャンセルします。"));
}

std::string TFileOperationBox::historyFile() const
{
    return (fs::path(HistoryFolder) / HistoryFileName).string();
}

std::vector<std::string> TFileOperationBox::PlaceItems() const
{
    std::vector<std::string> items;
    for (int i = 0; i < cmbFileSelect->count(); ++i)
        items.push_back(cmbFileSelect->itemText(i).toStdString());
    return items;
}

std::string TFileOperationBox::ShownPlace() const
{
    return cmbFileSelect->currentText().toStdString();
}

void TFileOperationBox::LoadHistory()
{
    if (!HistoryFolder.empty() && !HistoryFileName.empty() && !HistorySection.empty()) {
        history_ = TPlaceHistory(historyFile(), HistorySection).Load();
        for (const std::string& place : history_)
            cmbFileSelect->addItem(q(place));
    }
    if (!DefaultPlace.empty() && cmbFileSelect->findText(q(DefaultPlace), Qt::MatchFixedString | Qt::MatchCaseSensitive) < 0)
        cmbFileSelect->addItem(q(DefaultPlace));
    cmbFileSelect->setCurrentIndex(cmbFileSelect->count() > 0 ? 0 : -1);
}

void TFileOperationBox::SaveHistory()
{
    if (HistoryFolder.empty() || HistoryFileName.empty() || HistorySection.empty())
        return;
    const TPlaceHistory store(historyFile(), HistorySection);
    store.Save(ShownPlace());
    history_ = store.Load();
}

void TFileOperationBox::SetPlaceItem(const std::string& folder)
{
    int index = cmbFileSelect->findText(q(folder), Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (index < 0) {
        cmbFileSelect->insertItem(0, q(folder));
        index = 0;
    }
    cmbFileSelect->setCurrentIndex(index);
}

std::vector<std::string> TFileOperationBox::fileFilters() const
{
    std::vector<std::string> filters;
    if (!FilterName.empty() && !DefaultExt.empty())
        filters.push_back(FilterName + " (*." + lowerCase(DefaultExt) + " *." + upperCase(DefaultExt) + ")");
    filters.push_back("すべてのﾌｧｲﾙ(*.*)");
    return filters;
}

void TFileOperationBox::browseFile(bool save)
{
    platform::FileDialogRequest request;
    request.mode = save ? platform::FileDialogRequest::Mode::Save : platform::FileDialogRequest::Mode::Open;
    request.title = "ファイルの選択";
    request.filters = fileFilters();
    const std::string shown = ShownPlace();
    const std::string current = shown.empty() ? std::string() : (fs::path(shown) / TrimZenSpace(txtFileName->text().toStdString())).string();
    request.initialPath = isFile(current) ? current : (shown.empty() ? DefaultPlace : shown);
    std::string chosen;
    if (save) {
        if (!ExecuteSaveDialogUac(request, chosen))
            return;
    } else {
        auto answer = platform::interaction().chooseFile(request);
        if (!answer)
            return;
        chosen = *answer;
    }
    fs::path file(chosen);
    if (file.extension().empty() && !DefaultExt.empty())
        file += "." + DefaultExt;
    SetPlaceItem(file.parent_path().string());
    txtFileName->setText(q(file.filename().string()));
}

void TFileOperationBox::browseFolder()
{
    std::string folder = ShownPlace();
    if (!SelectSaveFolder("フォルダの選択", folder))
        return;
    SetPlaceItem(ExcludeBackslash(folder));
}

void TFileOperationBox::btnSansyoClick()
{
    if (Mode == ModeOpenFile)
        browseFile(false);
    else if (Mode == ModeSaveFile)
        browseFile(true);
    else
        browseFolder();
}

void TFileOperationBox::btnHistDeleteClick()
{
    if (platform::showMessage("履歴を削除します。よろしいですか？", platform::MessageKind::Confirmation,
                              platform::Buttons::OkCancel) != platform::ResultOk)
        return;
    const std::string shown = ShownPlace();
    cmbFileSelect->clear();
    if (!shown.empty())
        cmbFileSelect->addItem(q(shown));
    cmbFileSelect->setCurrentIndex(cmbFileSelect->count() > 0 ? 0 : -1);
    if (!HistoryFolder.empty() && !HistoryFileName.empty() && !HistorySection.empty())
        TPlaceHistory(historyFile(), HistorySection).Clear(shown);
    // The emptied history, saved with the place shown at its head.
    history_ = shown.empty() ? std::vector<std::string>{} : std::vector<std::string>{shown};
}

bool TFileOperationBox::acceptPlace()
{
    const bool fileModes = Mode == ModeOpenFile || Mode == ModeSaveFile;
    const std::string fileName = TrimZenSpace(txtFileName->text().toStdString());
    if (fileModes && fileName.empty()) {
        platform::showMessage("ファイル名を入力または[参照]ボタンより選択して下さい。\r", platform::MessageKind::Information);
        return false;
    }
    std::string place = ShownPlace();
    // A place that is gone (a medium not mounted) is reported, never made
    // again on the system disk; the program's own default place is made by
    // the save when it is missing.
    if (place.empty() || (place != DefaultPlace && !PlaceReachable(place))) {
        platform::showMessage(PlaceUnreachableText, platform::MessageKind::Warning);
        return false;
    }
    if (!CheckSaveFolderUac(place))
        return false;
    place = IncludeBackslash(place);
    ResultPath = fileModes ? (fs::path(ExcludeBackslash(place)) / fileName).string() : place;
    if (UseHistory)
        SaveHistory();
    return true;
}

void TFileOperationBox::btnOKClick()
{
    if (acceptPlace())
        done(ui::mrOk);
}

void TFileOperationBox::showEvent(QShowEvent* event)
{
    TBSDI::showEvent(event);
    if (FCreated)
        cmbFileSelect->setFocus(Qt::OtherFocusReason);
}

} // namespace vq
