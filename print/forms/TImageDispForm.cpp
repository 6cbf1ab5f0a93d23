#include "print/forms/TImageDispForm.h"

#include "platform/Interaction.h"
#include "print/ErrorLog.h"
#include "print/PagePlacement.h"
#include "print/PageRenderer.h"
#include "print/forms/Tfmyohaku.h"
#include "ui/FormFont.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>

#include <cmath>
#include <filesystem>

namespace vq::print {
namespace {

template <typename F>
void guarded(const char* label, F body)
{
    try {
        body();
    } catch (const std::exception& e) {
        ErrorLog(label, e.what());
    } catch (...) {
        ErrorLog(label, "unknown failure");
    }
}

QString zoomText(int zoom)
{
    return QString::number(zoom * 10) + QStringLiteral("%");
}

} // namespace

TImageDispForm::TImageDispForm(TPrintEngine& engine, PrintHost& host, QWidget* parent)
    : QDialog(parent), engine_(engine), host_(host)
{
    setObjectName(QStringLiteral("ImageDispForm"));
    setWindowTitle(QStringLiteral("印刷ﾌﾟﾚﾋﾞｭｰ"));
    setFont(ui::formFont());
    setFont(QFont(ui::mapFontFamily(QStringLiteral("ＭＳ 明朝")), font().pointSize()));
    resize(800, 600);

    SpeedBar = new QWidget(this);
    SpeedBar->setObjectName(QStringLiteral("SpeedBar"));
    auto button = [this](int left, const char* hint, QStyle::StandardPixmap icon) {
        auto* b = new QToolButton(SpeedBar);
        b->setGeometry(left, 2, 26, 26);
        b->setAutoRaise(true);
        b->setToolTip(QString::fromUtf8(hint));
        if (icon != QStyle::SP_CustomBase)
            b->setIcon(style()->standardIcon(icon));
        return b;
    };
    CloseButton = button(6, "プレビューを中止する。", QStyle::SP_DialogCloseButton);
    PrintButton = button(34, "印刷", QStyle::SP_DialogSaveButton);
    PrintSetupButton = button(60, "ﾌﾟﾘﾝﾀ設定", QStyle::SP_FileDialogDetailedView);
    SB_MARGIN = button(96, "上余白・左余白を設定します", QStyle::SP_CustomBase);
    SB_MARGIN->setText(QStringLiteral("余"));
    ZoomJustButton = button(123, "全体を表示する", QStyle::SP_CustomBase);
    ZoomJustButton->setText(QStringLiteral("全"));
    SpeedButton3 = button(150, "１００％表示", QStyle::SP_CustomBase);
    SpeedButton3->setText(QStringLiteral("1:1"));
    ZoomInButton = button(176, "拡大", QStyle::SP_CustomBase);
    ZoomInButton->setText(QStringLiteral("+"));
    ZoomOutButton = button(203, "縮小", QStyle::SP_CustomBase);
    ZoomOutButton->setText(QStringLiteral("-"));
    DispZoom = new QLabel(QStringLiteral("100%"), SpeedBar);
    DispZoom->setGeometry(230, 3, 47, 24);
    DispZoom->setAlignment(Qt::AlignCenter);
    DispZoom->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    DispZoom->setAutoFillBackground(true);
    DispZoom->setStyleSheet(QStringLiteral("background: white;"));
    PgJump = button(293, "ﾍﾟｰｼﾞ指定", QStyle::SP_CustomBase);
    PgJump->setText(QStringLiteral("Jmp"));
    PgJump->setStyleSheet(QStringLiteral("color: red;"));
    TopPage = button(320, "先頭ﾍﾟｰｼﾞ", QStyle::SP_MediaSkipBackward);
    PrevPage = button(347, "前ﾍﾟｰｼﾞ", QStyle::SP_MediaSeekBackward);
    NextPage = button(374, "次ﾍﾟｰｼﾞ", QStyle::SP_MediaSeekForward);
    LastPage = button(401, "最終ﾍﾟｰｼﾞ", QStyle::SP_MediaSkipForward);
    CurrentPage = button(429, "現在のページを印刷", QStyle::SP_FileIcon);
    WherePage = new QLabel(SpeedBar);
    WherePage->setGeometry(457, 3, 90, 24);
    WherePage->setAlignment(Qt::AlignCenter);
    WherePage->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    WherePage->setStyleSheet(QStringLiteral("background: white;"));
    PrevPaper = new QPushButton(QStringLiteral("前の帳票"), SpeedBar);
    PrevPaper->setGeometry(0, 2, 80, 26);
    NextPaper = new QPushButton(QStringLiteral("次の帳票"), SpeedBar);
    NextPaper->setGeometry(0, 2, 80, 26);
    ImageOut = button(764, "ファイルに保存", QStyle::SP_CustomBase);
    ImageOpen = button(790, "ファイルの読込", QStyle::SP_CustomBase);
    ImageOpenCancel = button(816, "ファイルの読込を取り消す", QStyle::SP_CustomBase);
    // Saved copies are not offered in this system.
    for (auto* b : {ImageOut, ImageOpen, ImageOpenCancel}) {
        b->hide();
        b->setEnabled(false);
    }

    ImagePaintScrollBox = new QScrollArea(this);
    ImagePaintScrollBox->setWidgetResizable(false);
    auto* canvas = new QWidget;
    PaperPanel = new QFrame(canvas);
    PaperPanel->setFrameStyle(QFrame::Box | QFrame::Plain);
    PaperPanel->setLineWidth(2);
    PaperPanel->setAutoFillBackground(true);
    PaperPanel->setStyleSheet(QStringLiteral("QFrame { background: white; }"));
    ImagePaintBox = new PreviewPaintBox(PaperPanel);
    ImagePaintScrollBox->setWidget(canvas);

    connect(CloseButton, &QToolButton::clicked, this, &TImageDispForm::CloseButtonClick);
    connect(PrintButton, &QToolButton::clicked, this, &TImageDispForm::PrintButtonClick);
    connect(PrintSetupButton, &QToolButton::clicked, this, &TImageDispForm::PrintSetupButtonClick);
    connect(SB_MARGIN, &QToolButton::clicked, this, &TImageDispForm::SB_MARGINClick);
    connect(ZoomJustButton, &QToolButton::clicked, this, &TImageDispForm::ZoomJustButtonClick);
    connect(SpeedButton3, &QToolButton::clicked, this, &TImageDispForm::SpeedButton3Click);
    connect(ZoomInButton, &QToolButton::clicked, this, &TImageDispForm::ZoomInButtonClick);
    connect(ZoomOutButton, &QToolButton::clicked, this, &TImageDispForm::ZoomOutButtonClick);
    connect(PgJump, &QToolButton::clicked, this, &TImageDispForm::PgJumpClick);
    connect(TopPage, &QToolButton::clicked, this, &TImageDispForm::Top_PageClick);
    connect(PrevPage, &QToolButton::clicked, this, &TImageDispForm::DispPrev);
    connect(NextPage, &QToolButton::clicked, this, &TImageDispForm::DispNext);
    connect(LastPage, &QToolButton::clicked, this, &TImageDispForm::Bottom_PageClick);
    connect(CurrentPage, &QToolButton::clicked, this, &TImageDispForm::CurrentPageClick);
    connect(PrevPaper, &QPushButton::clicked, this, &TImageDispForm::PrevPaperClick);
    connect(NextPaper, &QPushButton::clicked, this, &TImageDispForm::NextPaperClick);
    connect(ImagePaintBox, &PreviewPaintBox::pressed, this, [this](QMouseEvent* e) {
        DragStartX = static_cast<int>(e->position().x());
        DragStartY = static_cast<int>(e->position().y());
        if (e->buttons() == Qt::LeftButton && e->modifiers() == Qt::NoModifier)
            ImagePaintBox->setCursor(Qt::SizeAllCursor);
    });
    connect(ImagePaintBox, &PreviewPaintBox::moved, this, [this](QMouseEvent* e) {
        if (e->buttons() != Qt::LeftButton || e->modifiers() != Qt::NoModifier)
            return;
        QScrollBar* h = ImagePaintScrollBox->horizontalScrollBar();
        QScrollBar* v = ImagePaintScrollBox->verticalScrollBar();
        h->setValue(std::max(0, h->value() + DragStartX - static_cast<int>(e->position().x())));
        v->setValue(std::max(0, v->value() + DragStartY - static_cast<int>(e->position().y())));
    });
    connect(ImagePaintBox, &PreviewPaintBox::released, this, [this](QMouseEvent*) {
        DragStartX = DragStartY = 0;
        ImagePaintBox->unsetCursor();
    });
    MarginBox = new Tfmyohaku(this);

    const std::pair<QKeySequence, void (TImageDispForm::*)()> keys[] = {
        {QKeySequence(Qt::Key_PageDown), &TImageDispForm::DispNext},
        {QKeySequence(Qt::Key_PageUp), &TImageDispForm::DispPrev},
        {QKeySequence(Qt::Key_Home), &TImageDispForm::Top_PageClick},
        {QKeySequence(Qt::Key_End), &TImageDispForm::Bottom_PageClick},
        {QKeySequence(Qt::Key_Escape), &TImageDispForm::CloseButtonClick},
    };
    for (const auto& [key, slot] : keys)
        connect(new QShortcut(key, this), &QShortcut::activated, this, slot);
}

TImageDispForm::~TImageDispForm() = default;

int TImageDispForm::currentPage() const
{
    return engine_.PreviewCurrentPage;
}

int TImageDispForm::pageTotal() const
{
    return engine_.PreviewPageTotal;
}

int TImageDispForm::pixelsPerInch() const
{
    return logicalDpiX();
}

void TImageDispForm::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    SpeedBar->setGeometry(0, 0, width(), 30);
    ImagePaintScrollBox->setGeometry(0, 30, width(), height() - 30);
    if (!setUp_)
        return;
    if (fitFollowsWindow_) {
        if (const int fit = fittingZoom(); fit != 0 && fit != previewZoom_) {
            previewZoom_ = fit;
            ZoomDisp();
            return;
        }
    }
    FormResize();
}

void TImageDispForm::keyPressEvent(QKeyEvent* event)
{
    // Esc closes through its shortcut, with the close button's code; the
    // dialog's own rejection would give none.
    event->ignore();
}

void TImageDispForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!shown_) {
        shown_ = true;
        setUp();
    }
}

void TImageDispForm::setUp()
{
    if (setUp_)
        return;
    FormShow();
    FormCreate();
}

void TImageDispForm::FormShow()
{
    XScale = YScale = pixelsPerInch() / 254.0;
    guarded("PREVIEW.FormShow", [this] {
        if (!engine_.JobFormFile.empty())
            HensuuYomikomi(engine_.FormFields, std::filesystem::path(engine_.JobFormFile), 0, 0, engine_.Job);
        else
            engine_.FormFields.clear();
    });
}

void TImageDispForm::FormCreate()
{
    setUp_ = true;
    // Closing by the window's own means gives this code.
    CloseCode = PrevPaper->isVisibleTo(this) ? 0 : 1;
    guarded("PREVIEW.FormCreate", [this] {
        previewZoom_ = engine_.Job.Zoom >= 5 && engine_.Job.Zoom <= 20 ? engine_.Job.Zoom : 10;
        DispZoom->setText(zoomText(previewZoom_));
        PreviewPageCount(engine_);
        engine_.PageNoIndex = 1;
        FormResize();
        showWherePage();
        if (const int fit = fittingZoom(); fit != 0) {
            previewZoom_ = fit;
            fitFollowsWindow_ = true;
            DispZoom->setText(zoomText(previewZoom_));
            FormResize();
        }
        std::error_code ec;
        OrientationList.clear();
        if (!engine_.JobDataFile.empty() && std::filesystem::exists(engine_.JobDataFile, ec)) {
            data_ = PrintText::load(std::filesystem::path(engine_.JobDataFile));
            OrientationList = PageOrientationList(*data_, engine_.Job.Orientation);
        }
        ApplyPageOrientation();
    });
    RenderPage();
}

int TImageDispForm::fittingZoom()
{
    PrintDevice* device = host_.printer(host_.printerIndex());
    const PagePlacement place = placePage(device->paperCode(), device->orientation(), device->printableArea(), device->printsToEdge());
    const double p = pixelsPerInch();
    const QSize area = ImagePaintScrollBox->viewport()->size();
    for (int n = 20; n >= 5; --n) {
        const int w = nearest(p * place.paperWidth / 25.4 * n / 10) + 15;
        const int h = nearest(p * place.paperHeight / 25.4 * n / 10) + 5;
        if (w <= area.width() && h <= area.height())
            return n;
    }
    return 0;
}

void TImageDispForm::FormResize()
{
    guarded("PREVIEW.FormResize", [this] {
        ImagePaintScrollBox->horizontalScrollBar()->setValue(0);
        ImagePaintScrollBox->verticalScrollBar()->setValue(0);
        PrintDevice* device = host_.printer(host_.printerIndex());
        const PrintableArea printable = device->printableArea();
        const PagePlacement place = placePage(device->paperCode(), device->orientation(), printable, device->printsToEdge());
        const double p = pixelsPerInch();
        const double z = previewZoom_ / 10.0;
        const int sheetW = nearest(p * place.paperWidth / 25.4 * z);
        const int sheetH = nearest(p * place.paperHeight / 25.4 * z);
        int left = nearest((width() - sheetW - 15) / 2.0);
        if (left < 16)
            left = 15;
        PaperPanel->setGeometry(left, 5, sheetW, sheetH);
        const int imageW = nearest(printable.width / 25.4 * p * z) + 2;
        const int imageH = nearest(printable.height / 25.4 * p * z) + 2;
        ImagePaintBox->setGeometry(nearest((sheetW - imageW) / 2.0), nearest((sheetH - imageH) / 2.0), imageW,
                                   imageH);
        // The sheet with the empty panels along its bottom (22) and right (14).
        ImagePaintScrollBox->widget()->resize(left + sheetW + 14, 5 + sheetH + 22);
        engine_.WorkLeftMargin = engine_.Job.LeftMargin - place.borderX;
        engine_.WorkTopMargin = engine_.Job.TopMargin - place.borderY;
        engine_.WorkEvenShift = engine_.Job.EvenLeftMargin;
        engine_.PrinterPaper = device->paperCode();
    });
}

void TImageDispForm::tell(const std::string& message)
{
    drawProblem_ = message;
    const std::string key = std::to_string(engine_.PreviewCurrentPage) + "|" + message;
    if (key == told_)
        return;
    told_ = key;
    platform::showMessage(message, platform::MessageKind::Error);
}

void TImageDispForm::RenderPage()
{
    drawProblem_.clear();
    const QSize size = ImagePaintBox->size();
    QImage image(size.isEmpty() ? QSize(1, 1) : size, QImage::Format_RGB32);
    image.fill(Qt::white);
    guarded("PREVIEW.ImageBoxPaint", [&] {
        QPainter painter(&image);
        painter.setPen(QPen(QColor(0, 0, 255), 0, Qt::DotLine));
        painter.drawRect(0, 0, image.width() - 1, image.height() - 1);
        painter.setPen(QPen(Qt::black, 0, Qt::SolidLine));
        const int page = engine_.PreviewCurrentPage;
        const bool even = page % 2 == 0;
        DrawTarget target;
        target.painter = &painter;
        target.onPrinter = false;
        target.dpi = pixelsPerInch();
        target.xScale = XScale;
        target.yScale = YScale;
        target.zoom = previewZoom_;
        std::error_code ec;
        engine_.DrawFailure.clear();
        try {
            if (!engine_.JobFormFile.empty()) {
                if (!std::filesystem::exists(std::filesystem::path(engine_.JobFormFile), ec)) {
                    tell("<" + engine_.JobFormFile + "> が見つかりません。");
                } else {
                    if (!form_)
                        form_ = PrintText::load(std::filesystem::path(engine_.JobFormFile));
                    // The form cycles under the data pages.
                    const auto& starts = form_->pageStarts();
                    form_->seek(starts[static_cast<std::size_t>(page - 1) % starts.size()]);
                    DrawPage(engine_, PageKind::Form, *form_, target, even, 0);
                }
            }
            if (engine_.JobDataFile.empty()) {
                tell("印刷ファイルの指定がありません。");
                return;
            }
            if (!std::filesystem::exists(std::filesystem::path(engine_.JobDataFile), ec)) {
                tell("\"" + engine_.JobDataFile + "\"が見つかりません。");
                return;
            }
            if (!data_)
                data_ = PrintText::load(std::filesystem::path(engine_.JobDataFile));
            const auto& starts = data_->pageStarts();
            if (page >= 1 && page <= static_cast<int>(starts.size())) {
                data_->seek(starts[static_cast<std::size_t>(page - 1)]);
                DrawPage(engine_, PageKind::Data, *data_, target, even,
                         (page - 1) % (engine_.FormFields.FormPageCount + 1));
            }
        } catch (const std::runtime_error& e) {
            // A file that cannot be read (it shrank, a disk failed) is told, as a missing one is.
            ErrorLog("PREVIEW.ImageBoxPaint", e.what());
            tell(e.what());
            return;
        }
        if (!engine_.DrawFailure.empty()) {
            drawProblem_ = engine_.DrawFailure;
            static constexpr std::string_view kRead = "ImageOut.Read:";
            if (drawProblem_.starts_with(kRead))
                tell(drawProblem_.substr(kRead.size()));
            drawProblem_ = engine_.DrawFailure;
        }
    });
    ImagePaintBox->image = image;
    ImagePaintBox->update();
}

void TImageDispForm::ZoomDisp()
{
    DispZoom->setText(zoomText(previewZoom_));
    FormResize();
    RenderPage();
}

void TImageDispForm::ZoomInButtonClick()
{
    fitFollowsWindow_ = false;
    if (previewZoom_ < 20) {
        ++previewZoom_;
        ZoomDisp();
    }
}

void TImageDispForm::ZoomOutButtonClick()
{
    fitFollowsWindow_ = false;
    if (previewZoom_ > 5) {
        --previewZoom_;
        ZoomDisp();
    }
}

void TImageDispForm::SpeedButton3Click()
{
    fitFollowsWindow_ = false;
    if (previewZoom_ == 10)
        return;
    previewZoom_ = 10;
    ZoomDisp();
}

void TImageDispForm::ZoomJustButtonClick()
{
    if (const int fit = fittingZoom(); fit != 0) {
        previewZoom_ = fit;
        fitFollowsWindow_ = true;
        ZoomDisp();
    }
}

void TImageDispForm::showWherePage()
{
    WherePage->setText(QString::number(engine_.PreviewCurrentPage) + "/" + QString::number(engine_.PreviewPageTotal));
}

void TImageDispForm::ApplyPageOrientation()
{
    const int page = engine_.PreviewCurrentPage;
    if (page < 1 || page > static_cast<int>(OrientationList.size()))
        return;
    const int orientation = OrientationList[static_cast<std::size_t>(page - 1)];
    PrintDevice* device = host_.printer(host_.printerIndex());
    if (orientation != device->orientation()) {
        device->setOrientation(orientation);
        FormResize();
    }
}

void TImageDispForm::goTo(int page, bool always)
{
    if (page != engine_.PreviewCurrentPage || always) {
        engine_.PreviewCurrentPage = page;
        engine_.PageNoIndex = page;
        ApplyPageOrientation();
        RenderPage();
    }
    showWherePage();
}

void TImageDispForm::Top_PageClick()
{
    goTo(1, true);
}

void TImageDispForm::Bottom_PageClick()
{
    goTo(engine_.PreviewPageTotal, true);
}

void TImageDispForm::DispPrev()
{
    const int cur = engine_.PreviewCurrentPage;
    if (engine_.PreviewPageTotal > 1 && cur > 1)
        goTo(cur - 1, false);
    else
        showWherePage();
}

void TImageDispForm::DispNext()
{
    const int cur = engine_.PreviewCurrentPage;
    if (engine_.PreviewPageTotal > 1 && cur < engine_.PreviewPageTotal)
        goTo(cur + 1, false);
    else
        showWherePage();
}

void TImageDispForm::PgJumpClick()
{
    guarded("ImageDispForm.PgJumpClick", [this] {
        const auto answer =
            platform::interaction().input("ページ指定", "表示したいページ番号を入力してください", "1", false);
        // Cancelling the box keeps the page on view.
        if (answer) {
            bool ok = false;
            int page = QString::fromStdString(*answer).trimmed().toInt(&ok);
            if (!ok)
                page = 1;
            if (page >= 1 && page <= engine_.PreviewPageTotal) {
                engine_.PreviewCurrentPage = page;
                engine_.PageNoIndex = page;
            }
        }
        ApplyPageOrientation();
        RenderPage();
        showWherePage();
    });
    showPreviewWindows();
}

void TImageDispForm::PrintButtonClick()
{
    TP360DEF& shared = engine_.Job;
    if (!shared.Permit)
        return;
    PrintDevice* device = host_.printer(host_.printerIndex());
    const std::string formFile = shared.FormFile, dataFile = shared.DataFile;
    const bool prnDlg = shared.PrnDlg;
    const int orientation = device->orientation();
    const int page = engine_.PreviewCurrentPage;
    shared.FormFile = engine_.JobFormFile;
    shared.DataFile = engine_.JobDataFile;
    shared.PrnDlg = true;
    shared.Zoom = 10;
    shared.PrinterNum = host_.printerIndex();
    PrintJobStart(engine_, shared, host_);
    // The print entry counted the pages anew; the window stays on its page.
    engine_.PreviewCurrentPage = page;
    engine_.PageNoIndex = page;
    shared.FormFile = formFile;
    shared.DataFile = dataFile;
    shared.PrnDlg = prnDlg;
    device = host_.printer(host_.printerIndex());
    device->setOrientation(orientation);
    const PaperRatios r = PaperRatio(shared.PaperSize, device->paperCode(), shared.VRATIO, shared.HRATIO);
    engine_.PaperVRatio = r.vertical;
    engine_.PaperHRatio = r.horizontal;
    showWherePage();
    FormResize();
    RenderPage();
}

void TImageDispForm::CurrentPageClick()
{
    TP360DEF& shared = engine_.Job;
    if (!shared.Permit)
        return;
    const std::string formFile = shared.FormFile, dataFile = shared.DataFile;
    const int page = engine_.PreviewCurrentPage;
    shared.FormFile = engine_.JobFormFile;
    shared.DataFile = engine_.JobDataFile;
    shared.Zoom = 10;
    shared.PrinterNum = host_.printerIndex();
    PrintDevice* device = host_.printer(host_.printerIndex());
    PrintOnePage(engine_, shared, page, device->orientation(), host_);
    engine_.PageNoIndex = page;
    shared.FormFile = formFile;
    shared.DataFile = dataFile;
    device = host_.printer(host_.printerIndex());
    const PaperRatios r = PaperRatio(shared.PaperSize, device->paperCode(), shared.VRATIO, shared.HRATIO);
    engine_.PaperVRatio = r.vertical;
    engine_.PaperHRatio = r.horizontal;
    FormResize();
    RenderPage();
}

void TImageDispForm::PrintSetupButtonClick()
{
    PrintDevice* device = host_.printer(host_.printerIndex());
    host_.printerSetup(*device);
    const PaperRatios r =
        PaperRatio(engine_.Job.PaperSize, device->paperCode(), engine_.Job.VRATIO, engine_.Job.HRATIO);
    engine_.PaperVRatio = r.vertical;
    engine_.PaperHRatio = r.horizontal;
    FormResize();
    RenderPage();
}

void TImageDispForm::SB_MARGINClick()
{
    TP360DEF& shared = engine_.Job;
    guarded("PREVIEW.余白設定", [&] {
        PrintDevice* device = host_.printer(host_.printerIndex());
        MarginBox->SetTopMargin(shared.TopMargin);
        MarginBox->SetLeftMargin(shared.LeftMargin);
        const bool samePaper = device->paperCode() == shared.PaperSize;
        MarginBox->GroupBox3->setVisible(samePaper);
        MarginBox->resize(MarginBox->width(), samePaper ? 320 : 220);
        if (samePaper) {
            MarginBox->SetVRatio(shared.VRATIO);
            MarginBox->SetHRatio(shared.HRATIO);
        }
        emit marginBoxReady(MarginBox);
        if (MarginBox->exec() == QDialog::Accepted) {
            shared.TopMargin = MarginBox->TopMargin();
            shared.LeftMargin = MarginBox->LeftMargin();
            if (host_.printer(host_.printerIndex())->paperCode() == shared.PaperSize) {
                shared.VRATIO = MarginBox->VRatio() == 0 ? 1000 : MarginBox->VRatio();
                shared.HRATIO = MarginBox->HRatio() == 0 ? 1000 : MarginBox->HRatio();
            }
        }
    });
    showPreviewWindows();
    PrintDevice* device = host_.printer(host_.printerIndex());
    const PaperRatios r = PaperRatio(shared.PaperSize, device->paperCode(), shared.VRATIO, shared.HRATIO);
    engine_.PaperVRatio = r.vertical;
    engine_.PaperHRatio = r.horizontal;
    FormResize();
    RenderPage();
}

void TImageDispForm::CloseButtonClick()
{
    CloseCode = 0;
    close();
}

void TImageDispForm::PrevPaperClick()
{
    CloseCode = -1;
    close();
}

void TImageDispForm::NextPaperClick()
{
    CloseCode = 1;
    close();
}

void TImageDispForm::showPreviewWindows()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QStringLiteral("ImageDispForm") && !w->isVisible() && w->testAttribute(Qt::WA_WState_Created))
            w->show();
}

void TImageDispForm::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible())
        guarded("PREVIEW.FormDeactivate", [this] { showPreviewWindows(); });
}

int PreviewStart(TPrintEngine& engine, TP360DEF& def, PrintHost& host)
{
    if (!engine.EngineReady)
        return 0;
    int result = 0;
    try {
        engine.JobFormFile = def.FormFile;
        engine.JobDataFile = def.DataFile;
        TP360DEF& shared = engine.Job;
        // The preview shows this job whole: stretch, OCR colours, grey drawing
        // and page numbering too, never what an earlier job left behind.
        if (&def != &shared)
            shared = def;
        engine.PageNoIndex = 1;
        engine.PaperVRatio = 0;
        engine.PaperHRatio = 0;
        if (const std::string problem = checkJobFiles(def.DataFile, def.FormFile, false); !problem.empty()) {
            platform::showMessage(problem, platform::MessageKind::Error);
            return 0;
        }
        PrintDevice* device = host.printer(def.PrinterNum);
        if (shared.Copies < 1 || shared.Copies > 99)
            shared.Copies = 1;
        if (shared.Zoom < 5 || shared.Zoom > 20)
            shared.Zoom = 10;
        if (shared.PaperSize == 0)
            shared.PaperSize = device->paperNumber(shared.PaperName, shared.PaperLength, shared.PaperWidth, 9);
        TImageDispForm form(engine, host, QApplication::activeWindow());
        form.setWindowTitle(QString::fromStdString(shared.Title));
        form.PrevPaper->setVisible(def.PrevPaperButton || def.NextPaperButton);
        form.NextPaper->setVisible(def.PrevPaperButton || def.NextPaperButton);
        form.PrevPaper->setEnabled(def.PrevPaperButton);
        form.NextPaper->setEnabled(def.NextPaperButton);
        if (!shared.Permit) {
            form.PrintButton->setEnabled(false);
            form.PrintSetupButton->setEnabled(false);
            form.CurrentPage->setEnabled(false);
        }
        form.CurrentPage->setVisible(shared.CurrentPage);
        const int right = form.WherePage->x() + form.WherePage->width();
        form.PrevPaper->move(right + 20, 2);
        form.NextPaper->move(right + 102, 2);
        device->setPaperCode(shared.OutPutPaper != 0 ? shared.OutPutPaper : shared.PaperSize);
        device->setOrientation(shared.Orientation);
        device->applyJob(def);
        const PaperRatios r = PaperRatio(shared.PaperSize, device->paperCode(), shared.VRATIO, shared.HRATIO);
        engine.PaperVRatio = r.vertical;
        engine.PaperHRatio = r.horizontal;
        form.setWindowState(Qt::WindowMaximized);
        form.exec();
        result = form.CloseCode;
    } catch (const std::exception& e) {
        ErrorLog("PREVIEW.開始", e.what());
    } catch (...) {
        ErrorLog("PREVIEW.開始", "unknown failure");
    }
    return result;
}

} // namespace vq::print
