#pragma once
// "ログインユーザー": the other operators logged on to the system database now,
// shown when work that needs the system alone (a version upgrade) cannot
// start. Started by name ("WebMenuL"); a modal Execute gives 1 when other
// operators were found, else 0.
#include "ui/LogonUserList.h"
#include "ui/forms/ISyoriKidou.h"
#include "ui/forms/TBSDI.h"

#include <vector>

class QPlainTextEdit;

namespace vq::ui {

class TxPlButton;
class TxSpreadGrid;

class TfmWebMenuL : public TBSDI, public ISyoriKidou {
    Q_OBJECT
public:
    explicit TfmWebMenuL(QWidget* parent = nullptr);

    std::int32_t Execute(bool modal) override;
    void SetParams(const ParamLines& lines) override;
    virtual void Setup(int flag);
    // Loads the other operators; true when there is at least one.
    bool fnDBConect_OP();
    // Fills the grid with users: number, operator code and name per row.
    void ListUsers(const std::vector<TLoginUserR>& users);

    const std::vector<TLoginUserR>& users() const { return users_; }
    int count() const { return static_cast<int>(users_.size()); }
    std::int32_t SyoriType() const { return syoriType_; }
    const ParamLines& params() const { return params_; }

    TxSpreadGrid* PerfectGrid1 = nullptr;
    QPlainTextEdit* HintArea = nullptr;
    TxPlButton* F12 = nullptr;
    TxPlButton* ESC = nullptr;
    TxPlButton* F1 = nullptr;

protected:
    bool FormKeyUp(QKeyEvent* event) override;
    void FormShow() override;

private:
    std::vector<TLoginUserR> users_;
    int setupFlag_ = 0;
    std::int32_t syoriType_ = 0;
    ParamLines params_;
    bool nothingToShow_ = false;
};

// Registers the screen under "WebMenuL"; the host calls it at start-up.
void RegisterWebMenuL();

} // namespace vq::ui
