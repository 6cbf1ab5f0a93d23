#include "print/forms/TBigHintWindow.h"

#include "ui/FormFont.h"

#include <QToolTip>

namespace vq::print {

QFont TBigHintWindow::font()
{
    QFont f = QToolTip::font();
    f.setFamily(ui::formFont().family());
    return f;
}

void TBigHintWindow::install()
{
    ui::installFontSubstitutions();
    QToolTip::setFont(font());
}

} // namespace vq::print
