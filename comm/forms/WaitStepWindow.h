#pragma once
// The step windows shown while a transfer runs: tick boxes, one per step,
// beside an animation. The caller shows the window without waiting, marks
// its steps as the work proceeds and frees it when done. A running step's
// caption ends in "　実行中" and is blue, a finished one ends in "　終了" and
// is grey; steps a caller does not use are hidden. The animation keeps
// going while the caller waits with messages and stands still while it
// waits without them.
#include <QDialog>

#include <vector>

class QCheckBox;
class QLabel;
class QMovie;
class QTimer;

namespace vq::comm {

class TWaitStepWindow : public QDialog {
    Q_OBJECT
public:
    struct StepRec {
        int top;
        const char* caption;
        bool ticked;
    };
    // The window owned by owner (nullptr: none), with its steps at left 144.
    TWaitStepWindow(QWidget* owner, const std::vector<StepRec>& steps);

    QCheckBox* Step(int index) const { return steps_.at(static_cast<std::size_t>(index)); }
    int StepCount() const { return static_cast<int>(steps_.size()); }
    // caption + "　実行中" in blue, ticked, focused; caption + "　終了" in grey.
    void MarkRunning(int index, const QString& caption);
    void MarkDone(int index, const QString& caption);
    // A plain step caption in black.
    void MarkPlain(int index, const QString& caption);
    // Shows without waiting and paints at once (the caller may not pump
    // messages before its next step).
    void ShowNow();
    void Refresh();

    QLabel* Animate = nullptr;
    QMovie* Movie = nullptr;
    QTimer* Timer1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setColour(int index, const QColor& colour);

    std::vector<QCheckBox*> steps_;
};

} // namespace vq::comm
