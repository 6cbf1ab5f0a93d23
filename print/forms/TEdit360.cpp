#include "print/forms/TEdit360.h"

namespace vq::print {

TEdit360::TEdit360(QWidget* parent) : ui::TxEdit(parent)
{
    setKeyEdit3D(ui::bsNone);
    setKeyStyles(ui::defaultKeyStyles);
    setCursorPos(ui::cpAllSel);
}

} // namespace vq::print
