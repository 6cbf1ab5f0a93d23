#include "ui/KanaReading.h"

#include <QString>

namespace vq::ui {

namespace {

// Half-width forms of U+30A1 (ァ) .. U+30F6 (ヶ), in code order.
const char16_t* const halfKatakana[] = {
    u"ｧ", u"ｱ", u"ｨ", u"ｲ", u"ｩ", u"ｳ", u"ｪ", u"ｴ", u"ｫ", u"ｵ",
    u"ｶ", u"ｶﾞ", u"ｷ", u"ｷﾞ", u"ｸ", u"ｸﾞ", u"ｹ", u"ｹﾞ", u"ｺ", u"ｺﾞ",
    u"ｻ", u"ｻﾞ", u"ｼ", u"ｼﾞ", u"ｽ", u"ｽﾞ", u"ｾ", u"ｾﾞ", u"ｿ", u"ｿﾞ",
    u"ﾀ", u"ﾀﾞ", u"ﾁ", u"ﾁﾞ", u"ｯ", u"ﾂ", u"ﾂﾞ", u"ﾃ", u"ﾃﾞ", u"ﾄ", u"ﾄﾞ",
    u"ﾅ", u"ﾆ", u"ﾇ", u"ﾈ", u"ﾉ",
    u"ﾊ", u"ﾊﾞ", u"ﾊﾟ", u"ﾋ", u"ﾋﾞ", u"ﾋﾟ", u"ﾌ", u"ﾌﾞ", u"ﾌﾟ",
    u"ﾍ", u"ﾍﾞ", u"ﾍﾟ", u"ﾎ", u"ﾎﾞ", u"ﾎﾟ",
    u"ﾏ", u"ﾐ", u"ﾑ", u"ﾒ", u"ﾓ", u"ｬ", u"ﾔ", u"ｭ", u"ﾕ", u"ｮ", u"ﾖ",
    u"ﾗ", u"ﾘ", u"ﾙ", u"ﾚ", u"ﾛ", u"ﾜ", u"ﾜ", u"ｲ", u"ｴ", u"ｦ", u"ﾝ",
    u"ｳﾞ", u"ｶ", u"ｹ",
};
static_assert(sizeof(halfKatakana) / sizeof(halfKatakana[0]) == 0x30F6 - 0x30A1 + 1);

struct SignMap {
    char16_t full;
    const char16_t* half;
};

constexpr SignMap signs[] = {
    {u'ー', u"ｰ"}, {u'。', u"｡"}, {u'「', u"｢"}, {u'」', u"｣"}, {u'、', u"､"},
    {u'・', u"･"}, {u'゛', u"ﾞ"}, {u'゜', u"ﾟ"}, {u'　', u" "},
};

} // namespace

std::string toKatakana(std::string_view utf8)
{
    QString s = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    for (auto& ch : s) {
        const char16_t c = ch.unicode();
        if (c >= 0x3041 && c <= 0x3096)
            ch = QChar(static_cast<char16_t>(c + 0x60));
    }
    return s.toStdString();
}

std::string toHalfWidth(std::string_view utf8)
{
    const QString s = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    QString out;
    out.reserve(s.size());
    for (const QChar ch : s) {
        const char16_t c = ch.unicode();
        if (c >= 0x30A1 && c <= 0x30F6) {
            out += QString::fromUtf16(halfKatakana[c - 0x30A1]);
            continue;
        }
        if (c >= 0xFF01 && c <= 0xFF5E) { // full-width ASCII
            out += QChar(static_cast<char16_t>(c - 0xFEE0));
            continue;
        }
        bool mapped = false;
        for (const auto& m : signs)
            if (m.full == c) {
                out += QString::fromUtf16(m.half);
                mapped = true;
                break;
            }
        if (!mapped)
            out += ch;
    }
    return out.toStdString();
}

} // namespace vq::ui
