#pragma once
// What the data selection screen and the shared-data screen have alike: the
// upper panel with the buttons above the grid (search cancel, search, detail,
// list update, placed from the right), the grid of the screen's list with its
// table model, the floating incremental-search box and its timer, the lower
// panel with the hint memo and the ten key buttons, and the progress window.
// The grid's focus is tracked, Enter in the grid is a double click, codes
// typed into it search incrementally, and the keys ESC, F1 ... F8 and F12
// (bare, or on the key buttons) run the screen's handlers.
#include "datasets/CloudShareComm.h"
#include "datasets/CloudShareIO.h"
#include "datasets/DataKensakuRec.h"
#include "datasets/SentakuListCore.h"
#include "ui/forms/ISyoriKidou.h"
#include "ui/forms/TBSDI.h"

#include <QPixmap>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTimer;
class QWidget;

namespace vq::ui {
class TxAnimeProgressDialog;
class TxPlButton;
}

namespace vq {

class TDataListKensakuBox;
class TDataSentakuGridModel;
class TDataSentakuGridView;

class TSentakuScreen : public ui::TBSDI, public ui::ISyoriKidou {
    Q_OBJECT
public:
    ~TSentakuScreen() override;

    std::int32_t Execute(bool modal) override;
    // Before every showing.
    virtual void PrepareShow(bool modal) = 0;

    // Makes grid row current (column col; -1 the screen's choice column) as a click would.
    void SelectRow(int row, int col = -1);
    // A key typed into the grid, as a Windows virtual-key code.
    void PerfectGrid1KeyDown(int virtualKey);
    void IncSerchTimerTimer();
    // The caption the key shows now ("F12:選択", or bare "F12:").
    std::string KeyCaption(int key) const;

    // row -1: the header.
    virtual void PerfectGrid1CellClick(int row, int col) = 0;
    virtual void PerfectGrid1DblClick() = 0;
    virtual void btnSearchClick(bool cancelButton) = 0;
    virtual void btnDataInfoClick() = 0;
    virtual void btnListUpdateClick() = 0;
    virtual void ESCClick() {}
    virtual void F1Click() {}
    virtual void F2Click() {}
    virtual void F3Click() {}
    virtual void F4Click() {}
    virtual void F5Click() {}
    virtual void F6Click() {}
    virtual void F7Click() {}
    virtual void F8Click() {}
    virtual void F12Click() {}
    virtual void SetFunctionKeyCaptions() = 0;

    // --- fields -----------------------------------------------------------------
    ui::ParamLines Params;
    bool Modal = false;
    std::int32_t RowState = 0;
    TDataKensakuRec SavedSearch;
    std::string IncText;

    // --- controls ---------------------------------------------------------------
    QWidget* pnlClient = nullptr;
    QLabel* Label1 = nullptr;
    ui::TxPlButton* btnSearchCancel = nullptr;
    ui::TxPlButton* btnSearch = nullptr;
    ui::TxPlButton* btnDataInfo = nullptr;
    ui::TxPlButton* btnListUpdate = nullptr;
    TDataSentakuGridView* PerfectGrid1 = nullptr;
    TDataSentakuGridModel* GridModel = nullptr;
    QWidget* pnlBottom = nullptr;
    QPlainTextEdit* HintArea = nullptr;
    std::array<ui::TxPlButton*, 10> Keys{};   // ESC, F1 ... F8, F12
    QLineEdit* txtIncSerch = nullptr;
    QTimer* IncSerchTimer = nullptr;
    ui::TxAnimeProgressDialog* xAnimeProgressDialog1 = nullptr;

    // --- owned objects ---------------------------------------------------------------
    TDataListKensakuBox* SearchBox = nullptr;
    std::unique_ptr<TCloudShareComm> DataTusin;
    std::unique_ptr<TCloudShareIO> CloudIO;

protected:
    // list: the screen's list, shown in the grid; clientHeight: the upper
    // panel's height; choiceCol: the column SelectRow makes current by default.
    TSentakuScreen(QWidget* parent, TSentakuListCore& list, int clientHeight, int choiceCol);

    // Rows of the grid shown again (the row's look changed).
    void showRow(int row);

    // A button of the screen's own above the grid, left of the search-cancel button.
    struct OwnButton {
        ui::TxPlButton** Button;
        const char* Name;
        const char* Caption;
    };
    // The controls both screens have; own: the screen's own buttons above
    // the grid, from the left; the row of buttons ends at rightEdge.
    void buildCommonControls(const std::vector<OwnButton>& own, int rightEdge, int gridHeight);
    // Runs create; what it throws is reported and leaves the screen not created.
    void createGuarded(const std::function<void()>& create);
    // The owned objects both screens have; searchListType: the search dialog's list type.
    void createOwnedParts(int searchListType);
    // The search button (cancelButton false: the search dialog on the saved
    // conditions, kept on OK) or the search-cancel button (the list's
    // conditions cleared); false when the dialog was cancelled.
    bool takeSearch(bool cancelButton);
    // The grid's column widths, headers and focus colour from the list.
    void applyColumns();
    // Shows the grid data again and the current row.
    void showGrid();
    bool gridActive() const;
    bool keyUsable(int key) const;

    bool FormKeyUp(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    bool gridActive_ = false;
    bool syncing_ = false;

private:
    void onCurrentChanged(int row, int col, int previousRow);

    TSentakuListCore& list_;
    int clientHeight_;
    int searchListType_ = 0;
    int choiceCol_;
};

// A key button or a button above the grid.
ui::TxPlButton* SentakuButton(QWidget* parent, const char* name, const char* caption, int x, int y, int w, int h);
// A small picture of the grid: 1 lock, 2 shared, 3 cloud on, 4 taken out; 0 (and any other) empty.
QPixmap SentakuPicture(int kind);

} // namespace vq
