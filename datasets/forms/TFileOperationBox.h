#pragma once
// The place chooser of the data-set save and restore: a drop-down list of
// places (the places used last, kept in an ini section, and the program's
// default place), [参照] for the file or folder dialog, an optional file-name
// field and [履歴削除]. The caller fills the settings, calls PrepareShow,
// runs the dialog modally and reads ResultPath after OK.
//
// A place of the history is only ever offered, never made: when it is not
// there (a removable medium that is not mounted) OK reports it as unreachable
// and the dialog stays open. Closing only hides the dialog; its caller keeps
// it and fills it again through PrepareShow on every use.
#include "ui/forms/TBSDI.h"

#include <QColor>

#include <cstdint>
#include <string>
#include <vector>

class QLabel;
class QPlainTextEdit;

namespace vq::ui {
class TxComboBox;
class TxEdit;
class TxPlButton;
}

namespace vq {

class TFileOperationBox : public ui::TBSDI {
    Q_OBJECT
public:
    // 0 open a file, 1 save a file, 2 choose a folder to read from, 3 choose a folder to write to.
    enum : std::int32_t { ModeOpenFile = 0, ModeSaveFile = 1, ModeReadFolder = 2, ModeWriteFolder = 3 };

    explicit TFileOperationBox(QWidget* parent = nullptr);
    ~TFileOperationBox() override;

    // --- settings, filled by the caller before PrepareShow ------------------
    bool Modal = false;
    std::int32_t Mode = ModeOpenFile;
    bool UseHistory = false;
    std::string HistoryFolder;       // default: the ini folder of the data root
    std::string HistoryFileName;
    std::string HistorySection;
    std::string TitleText;
    std::string MainText;
    QColor MainTextColor;            // invalid: the form font colour
    std::string PlaceLabel;
    std::string DefaultPlace;        // always offered
    std::string FileName;            // modes 0 and 1
    std::string PlaceHint;           // two-part hint of the list and [参照]
    std::string FileNameHint;
    std::string DefaultExt;          // without the dot
    std::string FilterName;

    // --- results -----------------------------------------------------------------
    // Modes 2 and 3 the chosen folder (with its trailing delimiter), modes 0
    // and 1 the folder, a delimiter and the trimmed file name.
    std::string ResultPath;

    // Stores Modal, applies the settings and ends the base form's first placement.
    virtual void PrepareShow(bool modal);
    virtual void ApplySettings();
    virtual void LoadHints();

    // The places in the list, top first, and the one shown.
    std::vector<std::string> PlaceItems() const;
    std::string ShownPlace() const;
    // The places read from the history file, most recent first.
    const std::vector<std::string>& HistoryList() const { return history_; }

    void LoadHistory();
    void SaveHistory();
    // Puts folder at the top of the list (when not there yet) and shows it.
    void SetPlaceItem(const std::string& folder);

    void btnSansyoClick();
    void btnHistDeleteClick();
    virtual void btnOKClick();

    QLabel* lblMain = nullptr;
    QLabel* lblFileSelect = nullptr;
    ui::TxComboBox* cmbFileSelect = nullptr;
    ui::TxPlButton* btnSansyo = nullptr;
    ui::TxPlButton* btnHistDelete = nullptr;
    QLabel* lblFileName = nullptr;
    ui::TxEdit* txtFileName = nullptr;
    ui::TxPlButton* btnOK = nullptr;
    ui::TxPlButton* btnCancel = nullptr;
    QPlainTextEdit* HintArea = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    // The checks of OK and the result; true when the dialog may close.
    bool acceptPlace();
    // The hint memo from top down to the buttons.
    void placeHintArea(int top);

private:
    std::string historyFile() const;
    std::vector<std::string> fileFilters() const;
    void browseFile(bool save);
    void browseFolder();

    std::vector<std::string> history_;
};

} // namespace vq
