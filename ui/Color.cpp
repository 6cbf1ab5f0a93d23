#include "ui/Color.h"

#include <QGuiApplication>
#include <QPalette>

namespace vq::ui {

namespace {

QColor systemColor(int element)
{
    const QPalette pal = QGuiApplication::palette();
    switch (element) {
    case 5: // window
        return pal.color(QPalette::Base);
    case 8: // window text
        return pal.color(QPalette::Text);
    case 15: // button face
        return pal.color(QPalette::Button);
    case 16: // button shadow
        return pal.color(QPalette::Dark);
    case 17: // grey text
        return pal.color(QPalette::Disabled, QPalette::Text);
    case 20: // button highlight
        return pal.color(QPalette::Light);
    case 13: // highlight
        return pal.color(QPalette::Highlight);
    default:
        return pal.color(QPalette::WindowText);
    }
}

} // namespace

QColor toQColor(TColor color)
{
    const auto high = color >> 24;
    if (high == 0x80 || high == 0xFF)
        return systemColor(static_cast<int>(color & 0xFF));
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

} // namespace vq::ui
