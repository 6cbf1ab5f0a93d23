#include "print/PrintColors.h"

#include <QFontDatabase>
#include <QGuiApplication>

#include <array>
#include <charconv>
#include <cmath>
#include <utility>

namespace vq::print {
namespace {

constexpr std::array<std::int32_t, 16> kStandard = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
    0xC0C0C0, 0x0000FF, 0x00FF00, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF, 0x00FFFF};

// The classic Windows colours of the system elements 1..20 (desktop, caption,
// menu, window, ...), as a print job saw them on a default desktop.
constexpr std::array<std::int32_t, 20> kSystem = {
    0x808000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000, 0x000000,
    0x000000, 0xB4B4B4, 0xFCF7F4, 0xABABAB, 0xD77800, 0xFFFFFF, 0xF0F0F0, 0xA0A0A0,
    0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF};

constexpr std::pair<std::string_view, std::int32_t> kWords[] = {
    {"黒", 0x000000}, {"栗", 0x000080}, {"緑", 0x008000}, {"黄緑", 0x008080},
    {"濃紺", 0x800000}, {"紫", 0x800080}, {"暗青緑", 0x808000}, {"灰", 0x808080},
    {"銀", 0xC0C0C0}, {"赤", 0x0000FF}, {"濃緑", 0x00FF00}, {"青", 0xFF0000},
    {"赤紫", 0xFF00FF}, {"空", 0xFFFF00}, {"白", 0xFFFFFF}, {"黄", 0x00FFFF},
};

std::string upper(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool faceInstalled(const char* face)
{
    if (!QGuiApplication::instance())
        return false;
    return QFontDatabase::families().contains(QString::fromUtf8(face), Qt::CaseInsensitive);
}

} // namespace

std::int32_t parseNumber(std::string_view field, std::int32_t fallback)
{
    while (!field.empty() && field.front() == ' ')
        field.remove_prefix(1);
    while (!field.empty() && field.back() == ' ')
        field.remove_suffix(1);
    if (field.empty())
        return fallback;
    int base = 10;
    if (field.front() == '$') {
        field.remove_prefix(1);
        base = 16;
    }
    bool negative = false;
    if (base == 10 && !field.empty() && (field.front() == '-' || field.front() == '+')) {
        negative = field.front() == '-';
        field.remove_prefix(1);
    }
    if (field.empty())
        return fallback;
    std::uint64_t value = 0;
    auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value, base);
    if (ec != std::errc() || end != field.data() + field.size())
        return fallback;
    if (base == 16) {
        if (value > 0xFFFFFFFFull)
            return fallback;
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    }
    if (value > (negative ? 2147483648ull : 2147483647ull))
        return fallback;
    return negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(value)) : static_cast<std::int32_t>(value);
}

std::int32_t StandardColor(std::int32_t code, const TP360DEF& job)
{
    if (code >= 0 && code <= 15)
        return kStandard[static_cast<std::size_t>(code)];
    if (code >= 16 && code <= 35) {
        int element = code - 15;
        return element <= static_cast<int>(kSystem.size()) ? kSystem[static_cast<std::size_t>(element - 1)] : 0;
    }
    switch (code) {
    case 40: return job.NetColor1;
    case 41: return job.NetColor2;
    case 42: return job.UserColor1;
    case 43: return job.UserColor2;
    default: return code;
    }
}

std::int32_t GrayOf(std::int32_t color, const TP360DEF& job)
{
    if (!job.GrayScale || color == 0 || color == 0xFFFFFF)
        return color;
    auto c = static_cast<std::uint32_t>(color);
    double y = 0.299 * (c & 0xFF) + 0.587 * ((c >> 8) & 0xFF) + 0.114 * ((c >> 16) & 0xFF);
    auto g = static_cast<std::int32_t>(std::nearbyint(y));
    return g | g << 8 | g << 16;
}

std::int32_t ColorOfName(std::string_view word, PageKind kind, const TP360DEF& job)
{
    if ((kind == PageKind::Form || kind == PageKind::SubForm) && !job.PrintFom)
        return word == "白" ? 0xFFFFFF : 0xE6E6E6;
    std::int32_t color = 0;
    bool found = false;
    for (const auto& [name, value] : kWords)
        if (word == name) {
            color = value;
            found = true;
            break;
        }
    if (!found && word == "薄網掛") {
        color = job.NetColor1;
        found = true;
    }
    if (!found && word == "濃網掛") {
        color = job.NetColor2;
        found = true;
    }
    if (!found) {
        const std::string u = upper(word);
        const std::pair<const char*, std::int32_t> named[] = {
            {"UCOLOR1", job.UserColor1}, {"UCOLOR2", job.UserColor2}, {"OCRGREEN", job.OcrGreen},
            {"OCRBLUE", job.OcrBlue},     {"OCRBROWN", job.OcrBrown},   {"OCRPINK", job.OcrPink},
            {"OCRORANGE", job.OcrOrange}, {"OCRVIOLET", job.OcrViolet}, {"OCRPURPLE", job.OcrPurple}};
        for (const auto& [name, value] : named)
            if (u == name) {
                color = value;
                found = true;
                break;
            }
    }
    if (!found)
        color = StandardColor(parseNumber(word, 0), job);
    return GrayOf(color, job);
}

std::int32_t BackOfName(std::string_view word, PageKind kind, const TP360DEF& job)
{
    if (word == "1" || word == "OFF")
        return kTransparent;
    if (word == "ON")
        return 0xFFFFFF;
    return ColorOfName(word, kind, job);
}

int AlignCodeOf(std::string_view word)
{
    if (word == "CENTER" || word == "1")
        return 1;
    if (word == "RIGHT" || word == "2" || word == "BOTTOM")
        return 2;
    return 0;
}

FontStyle FontStyleOf(std::string_view w)
{
    FontStyle s;
    if (w == "DU") {
        s.underline = s.doubleUnderline = true;
        return s;
    }
    static constexpr std::string_view kValid[] = {"B", "I", "U", "S", "BI", "BU", "BS", "IU", "IS", "BIU", "BIS"};
    bool valid = false;
    for (auto v : kValid)
        valid = valid || v == w;
    if (!valid)
        return s;
    s.bold = w.find('B') != std::string_view::npos;
    s.italic = w.find('I') != std::string_view::npos;
    s.underline = w.find('U') != std::string_view::npos;
    s.strikeOut = w.find('S') != std::string_view::npos;
    return s;
}

std::string FontNameOf(std::string_view name)
{
    if (name.empty())
        return "ＭＳ 明朝";
    if (name == "OCR-B") {
        if (faceInstalled("OCR-B"))
            return "OCR-B";
        if (faceInstalled("OCRB"))
            return "OCRB";
        return "ＭＳ ゴシック";
    }
    return std::string(name);
}

std::string FamilyOfFace(std::string_view face)
{
    if (!face.empty() && face.front() == '@')
        face.remove_prefix(1);
    if (face == "ＭＳ 明朝" || face == "MS Mincho")
        return "IPAMincho";
    if (face == "ＭＳ ゴシック" || face == "MS Gothic")
        return "IPAGothic";
    if (face == "ＭＳ Ｐ明朝" || face == "MS PMincho")
        return "IPAPMincho";
    if (face == "ＭＳ Ｐゴシック" || face == "MS PGothic" || face == "ＭＳ ＵＩゴシック")
        return "IPAPGothic";
    if (face == "JAN" || face.empty())
        return "IPAMincho";
    if (faceInstalled(std::string(face).c_str()))
        return std::string(face);
    // A face this computer lacks: a Gothic-sounding name keeps its look.
    if (face.find("ゴシック") != std::string_view::npos || face.find("Gothic") != std::string_view::npos)
        return "IPAGothic";
    return "IPAMincho";
}

} // namespace vq::print
