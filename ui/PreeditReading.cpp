#include "ui/PreeditReading.h"

namespace vq::ui {

bool isKanaOnly(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool hiragana = u >= 0x3041 && u <= 0x309F;
        const bool katakana = u >= 0x30A0 && u <= 0x30FF;
        const bool halfKatakana = u >= 0xFF66 && u <= 0xFF9F;
        if (!hiragana && !katakana && !halfKatakana)
            return false;
    }
    return true;
}

void PreeditReading::preedit(const QString& text)
{
    if (isKanaOnly(text))
        reading_ = text;
}

QString PreeditReading::commit(const QString& committed)
{
    QString out = reading_.isEmpty() ? committed : reading_;
    reading_.clear();
    return out;
}

} // namespace vq::ui
