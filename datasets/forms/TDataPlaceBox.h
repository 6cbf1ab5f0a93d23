#pragma once
// The data-place dialog ("データの場所の設定"): lists the 100 places of the
// data server and creates, renames, deletes and reorders them, each action
// saved at once. The data selection screen also reads its place list through
// it (names for the combo box, REC and folder per index); those readers work
// on the list as last loaded, which after GetPlaceNames is the named places
// in display order.
#include "datasets/DataPlaces.h"
#include "ui/forms/TBSDI.h"

#include <cstdint>
#include <optional>
#include <string>

class QPlainTextEdit;

namespace vq::ui {
class TInputDlgBox;
class TxPlButton;
class TxSpreadGrid;
}

namespace vq {

class TDataPlaceBox : public ui::TBSDI {
    Q_OBJECT
public:
    explicit TDataPlaceBox(QWidget* parent = nullptr);
    ~TDataPlaceBox() override;

    // Keeps the flag (the dialog has no use for it) and refreshes the grid.
    void PrepareShow(std::uint8_t flag);

    bool LoadPlaces(bool namedOnly) { return store_.LoadPlaces(namedOnly); }
    void SavePlaces() { store_.SavePlaces(); }
    void GetPlaceNames(std::string& text) { store_.GetPlaceNames(text); }
    std::int32_t GetPlaceRec(std::int32_t index) const { return store_.GetPlaceRec(index); }
    void GetPlacePath(std::int32_t index, std::string& path) const { store_.GetPlacePath(index, path); }
    std::int32_t IndexOfPlaceRec(std::int32_t rec) const { return store_.IndexOfPlaceRec(rec); }
    void GetPlacePathOfRec(std::int32_t rec, std::string& path) const { store_.GetPlacePathOfRec(rec, path); }

    // Shows a list that was not read from the system database (a picture of
    // the dialog without one); the actions still go to the database.
    void ShowPlaces(const TDataPlaceList& places);

    const TDataPlaceList& Places() const { return store_.Places; }
    std::uint8_t Flag() const { return flag_; }

    void F1Click();
    void F2Click();
    void F3Click();
    void F5Click();
    void F6Click();
    void F7Click();
    void btnOKClick();
    void PerfectGrid1DblClick() {}

    ui::TxSpreadGrid* PerfectGrid1 = nullptr;
    ui::TxPlButton* F1 = nullptr;
    ui::TxPlButton* F2 = nullptr;
    ui::TxPlButton* F3 = nullptr;
    ui::TxPlButton* F5 = nullptr;
    ui::TxPlButton* F6 = nullptr;
    ui::TxPlButton* F7 = nullptr;
    ui::TxPlButton* btnOK = nullptr;
    ui::TxPlButton* btnCancel = nullptr;
    QPlainTextEdit* HintArea = nullptr;
    ui::TInputDlgBox* InputDlg = nullptr;

protected:
    bool FormKeyUp(QKeyEvent* event) override;

private:
    void setHints();
    void fillGrid(std::int32_t selectRec);
    void updateButtons();
    // The REC of the grid's current row, -1 without one.
    std::int32_t currentRec() const;
    // The index in the full list of the place of the current row, after the
    // list was reloaded (the screen may have read the named places since).
    std::int32_t currentIndex();
    // Runs one action of the dialog and shows the grid afresh with the place
    // of rec selected; a database error is shown, not thrown into Qt.
    template <class F>
    void act(std::int32_t selectRec, F action);
    std::optional<std::string> askName(const std::string& caption, const std::string& prompt,
                                       const std::string& value, const std::string& hint);

    TDataPlaceStore store_;
    std::uint8_t flag_ = 0;
};

} // namespace vq
