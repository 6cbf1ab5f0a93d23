#include "foundation/forms/TextWidth.h"

#include <QFontMetrics>
#include <QImage>
#include <QString>

namespace vq {

int GetTextWidth(const std::string& text, const QFont& font, double scale)
{
    // Measured on an off-screen image, so the answer does not depend on a
    // window being shown.
    static const QImage canvas(1, 1, QImage::Format_RGB32);
    const QFontMetrics metrics(font, &canvas);
    const int width = metrics.horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    return static_cast<int>(width * scale);
}

} // namespace vq
