#pragma once
// What the plain key-style controls (check box, radio button, mask edit) have
// in common: the form font, a KeyStyles property, and Enter and the chosen
// arrows moving between fields before the control itself sees them.
#include "ui/FormFont.h"
#include "ui/KeyStyles.h"
#include "ui/forms/FocusMove.h"

#include <QKeyEvent>

#include <type_traits>
#include <utility>

namespace vq::ui {

template <typename Base>
class KeyStyleControl : public Base {
public:
    TKeyStyles KeyStyles() const { return keyStyles_; }
    void setKeyStyles(TKeyStyles value) { keyStyles_ = value; }

protected:
    template <typename... Args>
        requires std::is_constructible_v<Base, Args...>
    explicit KeyStyleControl(Args&&... args)
        : Base(std::forward<Args>(args)...)
    {
        this->setFont(formFont());
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        if (!takeKeyStyleMove(this, event, keyStyles_))
            Base::keyPressEvent(event);
    }

private:
    TKeyStyles keyStyles_ = defaultKeyStyles;
};

} // namespace vq::ui
