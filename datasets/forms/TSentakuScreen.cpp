#include "datasets/forms/TSentakuScreen.h"

#include "datasets/DataSentakuKeys.h"
#include "datasets/forms/DataSentakuGridModel.h"
#include "datasets/forms/TDataListKensakuBox.h"
#include "foundation/data/DbErrorReporter.h"
#include "ui/ModalResult.h"
#include "ui/forms/HintMemo.h"
#include "ui/forms/TxAnimeProgressDialog.h"
#include "ui/forms/TxPlButton.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTimer>

#include <algorithm>
#include <exception>

namespace vq {

using ui::TxPlButton;

TxPlButton* SentakuButton(QWidget* parent, const char* name, const char* caption, int x, int y, int w, int h)
{
    auto* b = new TxPlButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setCaptionAText(QString::fromUtf8(caption));
    b->setGeometry(x, y, w, h);
    return b;
}

QPixmap SentakuPicture(int kind)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    switch (kind) {
    case 1: // lock
        p.setPen(QPen(QColor(90, 90, 90), 2));
        p.drawArc(4, 1, 8, 9, 0, 180 * 16);
        p.fillRect(3, 7, 10, 8, QColor(200, 160, 40));
        break;
    case 2: // shared
        p.setBrush(QColor(40, 120, 220));
        p.setPen(Qt::NoPen);
        p.drawEllipse(1, 4, 7, 7);
        p.drawEllipse(8, 4, 7, 7);
        break;
    case 3: // cloud on
        p.setBrush(QColor(60, 150, 230));
        p.setPen(Qt::NoPen);
        p.drawEllipse(1, 6, 8, 7);
        p.drawEllipse(5, 3, 8, 9);
        p.drawEllipse(8, 6, 7, 7);
        break;
    case 4: // taken out: a person at the area
        p.setBrush(QColor(220, 90, 40));
        p.setPen(Qt::NoPen);
        p.drawEllipse(5, 1, 6, 6);
        p.drawRoundedRect(3, 8, 10, 7, 3, 3);
        break;
    default:
        break;
    }
    return pm;
}

TSentakuScreen::TSentakuScreen(QWidget* parent, TSentakuListCore& list, int clientHeight, int choiceCol)
    : TBSDI(parent, ui::bsDialog), list_(list), clientHeight_(clientHeight), choiceCol_(choiceCol)
{
    FMenuHookOnShow = FRunBesideOthers = FKeepFormSize = FActivateHookArg = false;
}

TSentakuScreen::~TSentakuScreen() = default;

std::int32_t TSentakuScreen::Execute(bool modal)
{
    if (!modal && FCreated)
        PrepareShow(false);
    return ExecuteScreen(modal, [this] { PrepareShow(true); });
}

void TSentakuScreen::buildCommonControls(const std::vector<OwnButton>& own, int rightEdge, int gridHeight)
{
    pnlClient = new QWidget(this);
    pnlClient->setObjectName(QStringLiteral("pnlClient"));
    pnlClient->setGeometry(0, 0, 992, clientHeight_);

    const int y = 18, h = 30, w = 76;
    const int count = static_cast<int>(own.size()) + 4;
    int x = rightEdge - count * w - (count - 1) * 4;
    std::vector<TxPlButton*> speed;
    for (const OwnButton& b : own) {
        *b.Button = SentakuButton(pnlClient, b.Name, b.Caption, x, y, w, h);
        speed.push_back(*b.Button);
        x += w + 4;
    }
    btnSearchCancel = SentakuButton(pnlClient, "btnSearchCancel", "検索解除", x, y, w, h);
    btnSearch = SentakuButton(pnlClient, "btnSearch", "検索", x += w + 4, y, w, h);
    btnDataInfo = SentakuButton(pnlClient, "btnDataInfo", "情報", x += w + 4, y, w, h);
    btnListUpdate = SentakuButton(pnlClient, "btnListUpdate", "更新", x += w + 4, y, w, h);
    // Speed buttons: a click leaves the focus on the grid and its row.
    for (auto* b : {btnSearchCancel, btnSearch, btnDataInfo, btnListUpdate})
        speed.push_back(b);
    for (auto* b : speed)
        b->setFocusPolicy(Qt::NoFocus);
    btnSearchCancel->setEnabled(false);

    PerfectGrid1 = new TDataSentakuGridView(pnlClient);
    PerfectGrid1->setObjectName(QStringLiteral("PerfectGrid1"));
    PerfectGrid1->setGeometry(16, 64, 961, gridHeight);
    GridModel = new TDataSentakuGridModel(list_.Grid, this);
    GridModel->CloudPictures = {SentakuPicture(0), SentakuPicture(3)};
    GridModel->FocusFont = font();
    PerfectGrid1->setModel(GridModel);
    PerfectGrid1->installEventFilter(this);
    connect(PerfectGrid1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& now, const QModelIndex& before) {
                onCurrentChanged(now.isValid() ? now.row() : NoCurrentRow, now.isValid() ? now.column() : 0,
                                 before.isValid() ? before.row() : NoCurrentRow);
            });
    connect(PerfectGrid1->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int col) { PerfectGrid1CellClick(-1, col); });
    connect(PerfectGrid1, &QTableView::doubleClicked, this, [this] { PerfectGrid1DblClick(); });

    txtIncSerch = new QLineEdit(pnlClient);
    txtIncSerch->setObjectName(QStringLiteral("txtIncSerch"));
    txtIncSerch->setReadOnly(true);
    txtIncSerch->setMaxLength(8);
    txtIncSerch->setFocusPolicy(Qt::NoFocus);
    txtIncSerch->setStyleSheet(QStringLiteral("background: palette(highlight); color: white; font-weight: bold;"));
    txtIncSerch->resize(100, 22);
    txtIncSerch->hide();
    IncSerchTimer = new QTimer(this);
    IncSerchTimer->setSingleShot(true);
    IncSerchTimer->setInterval(0);
    connect(IncSerchTimer, &QTimer::timeout, this, [this] { IncSerchTimerTimer(); });

    pnlBottom = new QWidget(this);
    pnlBottom->setObjectName(QStringLiteral("pnlBottom"));
    pnlBottom->setGeometry(0, clientHeight_, 992, 128);
    HintArea = ui::NewHintMemo(pnlBottom, QRect(16, 4, 961, 72));
    FHintMemo = HintArea;

    const char* captions[] = {"ESC:ｷｬﾝｾﾙ", "F1:ヘルプ", "F2:", "F3:", "F4:", "F5:", "F6:", "F7:", "F8:印刷", "F12:選択"};
    const int kw = 90, kh = 34, ky = 84;
    for (int k = 0; k < 10; ++k) {
        const int kx = k == KeyF12 ? 977 - kw : 16 + k * (kw + 4);
        Keys[static_cast<std::size_t>(k)] =
            SentakuButton(pnlBottom, DataSentakuKeyNames[static_cast<std::size_t>(k)], captions[k], kx, ky, kw, kh);
    }
    connect(Keys[KeyEsc], &TxPlButton::clicked, this, [this] { ESCClick(); });
    connect(Keys[KeyF1], &TxPlButton::clicked, this, [this] { F1Click(); });
    connect(Keys[KeyF2], &TxPlButton::clicked, this, [this] { F2Click(); });
    connect(Keys[KeyF3], &TxPlButton::clicked, this, [this] { F3Click(); });
    connect(Keys[KeyF4], &TxPlButton::clicked, this, [this] { F4Click(); });
    connect(Keys[KeyF5], &TxPlButton::clicked, this, [this] { F5Click(); });
    connect(Keys[KeyF6], &TxPlButton::clicked, this, [this] { F6Click(); });
    connect(Keys[KeyF7], &TxPlButton::clicked, this, [this] { F7Click(); });
    connect(Keys[KeyF8], &TxPlButton::clicked, this, [this] { F8Click(); });
    connect(Keys[KeyF12], &TxPlButton::clicked, this, [this] { F12Click(); });
    FExecButton = Keys[KeyF12];

    connect(btnSearch, &TxPlButton::clicked, this, [this] { btnSearchClick(false); });
    connect(btnSearchCancel, &TxPlButton::clicked, this, [this] { btnSearchClick(true); });
    connect(btnListUpdate, &TxPlButton::clicked, this, [this] { btnListUpdateClick(); });
    connect(btnDataInfo, &TxPlButton::clicked, this, [this] { btnDataInfoClick(); });

    xAnimeProgressDialog1 = new ui::TxAnimeProgressDialog(this);
    xAnimeProgressDialog1->setCancelBtnShow(false);
}

void TSentakuScreen::createGuarded(const std::function<void()>& create)
{
    try {
        create();
        FCreated = true;
    } catch (const std::exception& e) {
        ShowMessageDetail("", e.what());
        FCreated = false;
    }
}

void TSentakuScreen::createOwnedParts(int searchListType)
{
    searchListType_ = searchListType;
    SearchBox = new TDataListKensakuBox(this);
    SearchBox->ListType = searchListType;
    DataTusin = NewCloudShareComm();
    CloudIO = std::make_unique<TCloudShareIO>();
}

bool TSentakuScreen::takeSearch(bool cancelButton)
{
    if (cancelButton) {
        list_.Search.JYOKENUSE = 0;
        ClearConditions(list_.Search);
        btnSearchCancel->setEnabled(false);
        return true;
    }
    SearchBox->ListType = searchListType_;
    SearchBox->Cond = SavedSearch;
    SearchBox->PrepareShow(true);
    if (SearchBox->exec() != ui::mrOk) {
        SetFunctionKeyCaptions();
        return false;
    }
    SavedSearch = SearchBox->Cond;
    SearchBox->UpdateRecord(SavedSearch);
    btnSearchCancel->setEnabled(true);
    return true;
}

void TSentakuScreen::applyColumns()
{
    list_.SetupColumns();
    PerfectGrid1->ApplyColumns(list_.Grid);
    QPalette pal = PerfectGrid1->palette();
    const std::uint32_t focus = list_.Grid.FocusBorderColor;
    pal.setColor(QPalette::Highlight, QColor(int(focus & 0xFF), int((focus >> 8) & 0xFF), int((focus >> 16) & 0xFF)));
    PerfectGrid1->setPalette(pal);
}

void TSentakuScreen::showGrid()
{
    syncing_ = true;
    GridModel->Reset();
    GridModel->HeaderChanged();
    PerfectGrid1->ShowCurrent(list_.Grid);
    if (list_.Grid.HasCurrentRow())
        list_.CellGotFocus(list_.Grid.CurrentRow);
    syncing_ = false;
    SetFunctionKeyCaptions();
}

void TSentakuScreen::showRow(int row)
{
    GridModel->RowChanged(row);
}

void TSentakuScreen::SelectRow(int row, int col)
{
    if (col < 0)
        col = choiceCol_;
    if (row < 0 || row >= list_.Grid.RowCount())
        return;
    PerfectGrid1->setCurrentIndex(GridModel->index(row, PerfectGrid1->isColumnHidden(col) ? 0 : col));
    list_.Grid.CurrentCol = col;
}

void TSentakuScreen::onCurrentChanged(int row, int col, int previousRow)
{
    if (syncing_)
        return;
    if (previousRow != NoCurrentRow) {
        list_.CellLostFocus(previousRow);
        showRow(previousRow);
    }
    list_.Grid.SetCurrentCell(row, col);
    if (list_.Grid.HasCurrentRow()) {
        list_.CellGotFocus(row);
        showRow(row);
    }
    SetFunctionKeyCaptions();
}

void TSentakuScreen::PerfectGrid1KeyDown(int virtualKey)
{
    if (list_.Grid.RowCount() == 0)
        return;
    const char c = IncSearchCharOfKey(virtualKey);
    if (c == 0)
        return;
    IncText += c;
    // A longer text still searches but leaves box and timer as they are.
    if (IncText.size() <= 8) {
        const QRect grid = PerfectGrid1->geometry();
        txtIncSerch->move(grid.left() + 4 + qRound(grid.width() / 10.0), std::max(0, grid.top() - 12));
        txtIncSerch->setText(QString::fromStdString(IncText));
        txtIncSerch->show();
        txtIncSerch->raise();
        IncSerchTimer->setInterval(NextIncSearchInterval(IncSerchTimer->interval()));
        IncSerchTimer->start();
    }
}

void TSentakuScreen::IncSerchTimerTimer()
{
    if (gridActive()) {
        const int row = list_.FindCode(IncText);
        if (row >= 0)
            SelectRow(row, 0);
    }
    IncSerchTimer->stop();
    IncSerchTimer->setInterval(0);
    IncText.clear();
    txtIncSerch->hide();
}

bool TSentakuScreen::gridActive() const
{
    return gridActive_ && PerfectGrid1->isEnabled();
}

std::string TSentakuScreen::KeyCaption(int key) const
{
    return Keys[static_cast<std::size_t>(key)]->CaptionA().Caption.toStdString();
}

bool TSentakuScreen::keyUsable(int key) const
{
    return !IsBareCaption(KeyCaption(key));
}

namespace {

// The Windows virtual-key code of a key typed into the grid for the
// incremental search; 0 for the keys it does not take.
int virtualKeyOf(const QKeyEvent& key)
{
    const bool keypad = key.modifiers() & Qt::KeypadModifier;
    const int k = key.key();
    if (k >= Qt::Key_0 && k <= Qt::Key_9)
        return keypad ? 96 + (k - Qt::Key_0) : k;
    if (k >= Qt::Key_A && k <= Qt::Key_Z)
        return k;
    if (keypad) {
        switch (k) {
        case Qt::Key_Asterisk: return 106;
        case Qt::Key_Plus: return 107;
        case Qt::Key_Minus: return 109;
        case Qt::Key_Period: return 110;
        case Qt::Key_Slash: return 111;
        default: break;
        }
    }
    if (key.text().size() != 1)
        return 0;
    switch (key.text().at(0).toLatin1()) {
    case ':': return 186;
    case ';': return 187;
    case ',': return 188;
    case '-': return 189;
    case '.': return 190;
    case '/': return 191;
    case '@': return 192;
    case '[': return 219;
    case '\\': return 220;
    case ']': return 221;
    case '^': return 222;
    default: return 0;
    }
}

} // namespace

bool TSentakuScreen::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == PerfectGrid1) {
        if (event->type() == QEvent::FocusIn) {
            gridActive_ = true;
        } else if (event->type() == QEvent::FocusOut) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                gridActive_ = false;
        } else if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                PerfectGrid1DblClick();
                return true;
            }
            const int vk = virtualKeyOf(*key);
            if (vk != 0 && (key->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) == Qt::NoModifier) {
                PerfectGrid1KeyDown(vk);
                return true;
            }
        }
    }
    return TBSDI::eventFilter(watched, event);
}

bool TSentakuScreen::FormKeyUp(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (mods != Qt::NoModifier)
        return TBSDI::FormKeyUp(event);
    switch (event->key()) {
    case Qt::Key_Escape: ESCClick(); return true;
    case Qt::Key_F1: F1Click(); return true;
    case Qt::Key_F2: F2Click(); return true;
    case Qt::Key_F3: F3Click(); return true;
    case Qt::Key_F4: F4Click(); return true;
    case Qt::Key_F5: F5Click(); return true;
    case Qt::Key_F6: F6Click(); return true;
    case Qt::Key_F7: F7Click(); return true;
    case Qt::Key_F8: F8Click(); return true;
    case Qt::Key_F12: F12Click(); return true;
    default: return TBSDI::FormKeyUp(event);
    }
}

} // namespace vq
