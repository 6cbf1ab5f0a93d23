#include "ui/FormFont.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>

namespace vq::ui {

namespace {

struct FaceMap {
    const char16_t* design;
    const char* face;
};

// Proportional designed faces go to the proportional IPA face, fixed ones to
// the fixed face.
constexpr FaceMap faces[] = {
    {u"ＭＳ Ｐゴシック", "IPAPGothic"}, {u"MS PGothic", "IPAPGothic"},
    {u"ＭＳ ゴシック", "IPAGothic"},    {u"MS Gothic", "IPAGothic"},
    {u"MS UI Gothic", "IPAPGothic"},    {u"ＭＳ Ｐ明朝", "IPAPMincho"},
    {u"MS PMincho", "IPAPMincho"},      {u"ＭＳ 明朝", "IPAMincho"},
    {u"MS Mincho", "IPAMincho"},
};

} // namespace

QString mapFontFamily(const QString& designName)
{
    for (const auto& f : faces)
        if (designName == QString::fromUtf16(f.design))
            return QString::fromLatin1(f.face);
    return designName;
}

void installFontSubstitutions()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    for (const auto& f : faces)
        QFont::insertSubstitution(QString::fromUtf16(f.design), QString::fromLatin1(f.face));
}

int screenPpi()
{
    if (auto* screen = QGuiApplication::primaryScreen()) {
        const int ppi = qRound(screen->logicalDotsPerInch());
        if (ppi > 0)
            return ppi;
    }
    return designPpi;
}

int scaledFromDesign(int designValue)
{
    const int ppi = screenPpi();
    if (ppi == designPpi)
        return designValue;
    return static_cast<int>(designValue * (static_cast<double>(ppi) / designPpi));
}

QFont formFont(int designPixelHeight)
{
    installFontSubstitutions();
    QFont font;
    font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック")});
    font.setPixelSize(scaledFromDesign(designPixelHeight));
    return font;
}

} // namespace vq::ui
