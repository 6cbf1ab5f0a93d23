#pragma once
// The keys of the small setting dialogs (logon, data-server settings,
// password), which are not base forms: released with no Shift, Ctrl or Alt
// held, F12 clicks the dialog's OK button when it is enabled, and Esc
// cancels the dialog or, where the dialog says so, does nothing. Both act
// from whichever control has the focus, before that control sees the key, as
// the base form's keys do; Esc's key down never reaches QDialog (which would
// reject on it) nor a cancel button.
#include <QObject>

class QDialog;
class QKeyEvent;

namespace vq::ui {

class TxPlButton;

class DialogKeys : public QObject {
public:
    enum class Escape { Cancels, Ignored };

    // Watches the keys of dialog for as long as dialog lives.
    DialogKeys(QDialog* dialog, TxPlButton* ok, Escape escape);
    ~DialogKeys() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool firstDelivery(QObject* watched) const;
    bool released(QKeyEvent* key);

    QDialog* dialog_;
    TxPlButton* ok_;
    Escape escape_;
};

} // namespace vq::ui
