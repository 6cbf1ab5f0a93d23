#pragma once
// The preview window: the job's pages as the printer would print them - the
// form page under the data page, on a sheet of the printer's paper - at
// 50 % to 200 %, with paging, a page jump, dragging, the margin dialog, the
// printer set-up, and printing all pages or the current one. PreviewStart
// opens it modally for a job and returns how it was closed.
//
// A page is drawn by the page renderer into an image whenever the page,
// zoom, paper or margins change, never inside the paint handler: painting
// only shows the image, so a missing file is told once for the page, not
// on every repaint. The data and form files stay open with their page index
// while the window is up, so any page is found without reading the ones
// before it.
//
// Keys: PgDn and PgUp page, Home and End go to the first and the last page,
// Esc closes the window as its close button does. Until the zoom is chosen
// by hand the page follows the window's size at the fitting zoom (the window
// manager maximises the window only after it was first laid out).
#include <QDialog>
#include <QImage>

#include <optional>
#include <string>
#include <vector>

#include "print/PrintJob.h"
#include "print/forms/PreviewPaintBox.h"

class QLabel;
class QPushButton;
class QScrollArea;
class QToolButton;
class QFrame;

namespace vq::print {

class Tfmyohaku;

class TImageDispForm : public QDialog {
    Q_OBJECT
public:
    TImageDispForm(TPrintEngine& engine, PrintHost& host, QWidget* parent = nullptr);
    ~TImageDispForm() override;

    int CloseCode = 0;                // -1 previous report, 0 closed, 1 next report
    std::vector<int> OrientationList; // per data page
    Tfmyohaku* MarginBox = nullptr;
    double XScale = 1, YScale = 1;    // screen units per 1/10 mm at 100 %
    int DragStartX = 0, DragStartY = 0;

    QWidget* SpeedBar;
    QToolButton* CloseButton;
    QToolButton* PrintButton;
    QToolButton* PrintSetupButton;
    QToolButton* SB_MARGIN;
    QToolButton* ZoomJustButton;
    QToolButton* SpeedButton3;
    QToolButton* ZoomInButton;
    QToolButton* ZoomOutButton;
    QLabel* DispZoom;
    QToolButton* PgJump;
    QToolButton* TopPage;
    QToolButton* PrevPage;
    QToolButton* NextPage;
    QToolButton* LastPage;
    QToolButton* CurrentPage;
    QLabel* WherePage;
    QPushButton* PrevPaper;
    QPushButton* NextPaper;
    QToolButton* ImageOut;
    QToolButton* ImageOpen;
    QToolButton* ImageOpenCancel;
    QScrollArea* ImagePaintScrollBox;
    QFrame* PaperPanel;
    PreviewPaintBox* ImagePaintBox;

    int PreviewZoom() const { return previewZoom_; }
    int currentPage() const;
    int pageTotal() const;
    // The fitting zoom for the page area, 0 when even 50 % does not fit.
    int fittingZoom();
    // The last error told while drawing (empty when the page drew).
    const std::string& drawProblem() const { return drawProblem_; }
    // Lays out and draws the current page (the set-up does this when the
    // window shows; a test can call it on a window it never shows).
    void setUp();

    void FormResize();
    void ZoomDisp();
    void ApplyPageOrientation();
    void RenderPage();

public slots:
    void CloseButtonClick();
    void PrintButtonClick();
    void PrintSetupButtonClick();
    void SB_MARGINClick();
    void ZoomJustButtonClick();
    void SpeedButton3Click();
    void ZoomInButtonClick();
    void ZoomOutButtonClick();
    void PgJumpClick();
    void Top_PageClick();
    void DispPrev();
    void DispNext();
    void Bottom_PageClick();
    void CurrentPageClick();
    void PrevPaperClick();
    void NextPaperClick();

signals:
    // Before the margin dialog runs modally (a test looks at it here).
    void marginBoxReady(Tfmyohaku* box);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FormShow();
    void FormCreate();
    void goTo(int page, bool always);
    void showWherePage();
    void showPreviewWindows();
    void tell(const std::string& message);
    int pixelsPerInch() const;

    TPrintEngine& engine_;
    PrintHost& host_;
    int previewZoom_ = 10;
    bool shown_ = false;
    bool setUp_ = false;
    std::string drawProblem_;
    std::string told_; // the page and message told last
    bool fitFollowsWindow_ = false;
    std::optional<PrintText> data_; // opened at the first page drawn
    std::optional<PrintText> form_;
};

// Shows def's job modally: -1 previous report, 1 next report, 0 closed,
// refused or failed. Every field of def goes into the shared job record.
int PreviewStart(TPrintEngine& engine, TP360DEF& def, PrintHost& host);

} // namespace vq::print
