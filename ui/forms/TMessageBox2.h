#pragma once
// The rich message box: an icon, up to ten lines each in its own colour and
// optionally a link, up to three buttons with their own captions, and an
// optional agreement check box. Callers fill a TMessage2InfoRec (or only a
// predefined Code) and call ShowMessage2.
#include "ui/Message2Info.h"

#include <QDialog>

#include <array>

class QLabel;
class QPushButton;
class QWidget;

namespace vq::ui {

class TxCheckBox;

class TMessageBox2 : public QDialog {
    Q_OBJECT
public:
    explicit TMessageBox2(QWidget* parent = nullptr);

    // The code whose predefined message the box shows (0: the record's own).
    void setCode(std::int32_t code) { code_ = code; }
    void SetPredefined(std::int32_t code);
    void ApplyInfo(const TMessage2InfoRec& info);
    // Applies the box's own record again and sets up the agreement check box.
    void Refresh();
    bool GetAgreeState() const;

    const TMessage2InfoRec& info() const { return rec_; }
    QLabel* label(int i) const { return labels_[static_cast<std::size_t>(i)]; }
    QPushButton* button(int i) const { return buttons_[static_cast<std::size_t>(i)]; }
    TxCheckBox* agreeBox() const { return agree_; }
    QWidget* agreePanel() const { return pnlAgree_; }
    QLabel* icon() const { return image_; }
    // Height of the line area the box gave itself (design pixels, scaled).
    int textAreaHeight() const { return textArea_; }

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layoutButtons();
    void updateAgreeButton();

    std::int32_t code_ = 0;
    TMessage2InfoRec rec_;
    QWidget* pnlClient_ = nullptr;
    QWidget* pnlAgree_ = nullptr;
    QWidget* pnlBottom_ = nullptr;
    QLabel* image_ = nullptr;
    std::array<QLabel*, message2LineCount> labels_{};
    std::array<QPushButton*, 3> buttons_{};
    std::array<int, 3> results_{};
    TxCheckBox* agree_ = nullptr;
    int textArea_ = 0;
    int clientWidth_ = 0;
};

// Shows the box modally and returns the pressed button's result (mrCancel for
// Esc or the close box); writes the check box state back into info.Agreed.
// Without the Qt seam installed the message goes to the interaction seam as a
// plain message, so scripted runs see it and answer it.
int ShowMessage2(TMessage2InfoRec& info);

} // namespace vq::ui
