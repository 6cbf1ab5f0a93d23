#pragma once
// "検索条件の設定": edits the search conditions of a data list (list type 0
// the data list, 1 the shared list) and keeps them per operator in the
// system database. The dialog only edits and stores; the screens apply the
// conditions. Closing only hides it: its owner keeps it.
#include "datasets/DataKensakuRec.h"
#include "datasets/KensakuJyokenStore.h"
#include "foundation/dataset/SeihinVersionList.h"
#include "foundation/office/UserList.h"
#include "ui/forms/TBSDI.h"

#include <cstdint>
#include <memory>

class QPlainTextEdit;

namespace vq::ui {
class TxCheckBox;
class TxComboBox;
class TxEdit;
class TxPlButton;
}

namespace vq {

class TDataListKensakuBox : public ui::TBSDI {
    Q_OBJECT
public:
    explicit TDataListKensakuBox(QWidget* parent = nullptr);
    ~TDataListKensakuBox() override;

    bool Modal = false;
    std::int32_t ListType = 0;
    TDataKensakuRec Cond;
    TUserList UserList;
    TSeihinVersionList VersionList;

    void PrepareShow(bool modal);
    void ApplySettings();
    void btnOKClick();
    void LoadHints();

    void InitKensakuRec(TDataKensakuRec& cond);
    bool SelectRecord(TDataKensakuRec& cond);
    bool UpdateRecord(const TDataKensakuRec& cond);
    bool UpdateRecordSortField(const TDataKensakuRec& cond);

    ui::TxEdit* txtCode = nullptr;
    ui::TxComboBox* cmbDataKbn = nullptr;
    ui::TxEdit* txtListName = nullptr;
    ui::TxComboBox* cmbTanto = nullptr;
    ui::TxComboBox* cmbDataVer = nullptr;
    ui::TxCheckBox* cboxYukou = nullptr;
    QPlainTextEdit* HintArea = nullptr;
    ui::TxPlButton* btnOK = nullptr;
    ui::TxPlButton* btnCancel = nullptr;

protected:
    void FormShow() override;

private:
    TKensakuJyokenStore& store();
    std::unique_ptr<TKensakuJyokenStore> store_;
};

} // namespace vq
