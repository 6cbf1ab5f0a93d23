#include "ui/forms/TPrnColorSetBox.h"

#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "platform/Interaction.h"
#include "ui/Color.h"
#include "ui/forms/TxPlButton.h"

#include <QColorDialog>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include <cstdio>

namespace vq::ui {
namespace {

constexpr const char* kCustomColorsName = "Pallet_CustomColor";

TPrnColorSetBox::ColorChooser& chooser()
{
    static TPrnColorSetBox::ColorChooser c = [](std::int32_t current, QWidget* parent) -> std::optional<std::int32_t> {
        const QColor chosen = QColorDialog::getColor(toQColor(static_cast<TColor>(current)), parent);
        if (!chosen.isValid())
            return std::nullopt;
        return static_cast<std::int32_t>(rgbColor(chosen.red(), chosen.green(), chosen.blue()));
    };
    return c;
}

QColor qcolorOf(std::int32_t c)
{
    return toQColor(static_cast<TColor>(c) & 0xFFFFFF);
}

} // namespace

void TPrnColorSetBox::setColorChooser(ColorChooser c)
{
    chooser() = std::move(c);
}

TPrnColorSetBox::TPrnColorSetBox(QWidget* parent) : TBSDI(parent, bsDialog)
{
    // The caller reads the colours after the chooser closed and frees it itself.
    FKeepOnClose = true;
    setWindowTitle(QStringLiteral("帳票色の選択"));
    resize(333, 231);
    const char* rows[] = {"枠線:", "縦横線:", "見出し行:", "合計行:"};
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(QString::fromUtf8(rows[i]), this);
        label->setGeometry(20, 20 + i * 36, 80, 24);
        swatches_[i] = new QFrame(this);
        swatches_[i]->setFrameShape(QFrame::Box);
        swatches_[i]->setAutoFillBackground(true);
        swatches_[i]->setGeometry(100, 18 + i * 36, 120, 26);
        changes_[i] = new QPushButton(QStringLiteral("変更"), this);
        changes_[i]->setGeometry(232, 18 + i * 36, 72, 26);
        connect(changes_[i], &QPushButton::clicked, this, [this, i] { change(i); });
    }
    lblKankyoColor = new QLabel(QStringLiteral("環境設定の色に戻す"), this);
    lblKankyoColor->setGeometry(20, 162, 200, 20);
    lblKankyoColor->setCursor(Qt::PointingHandCursor);
    lblKankyoColor->installEventFilter(this);
    btnOK = new TxPlButton(this);
    btnOK->setCaptionAText(QStringLiteral("OK"));
    btnOK->setGeometry(112, 192, 100, 32);
    btnCancel = new TxPlButton(this);
    btnCancel->setCaptionAText(QStringLiteral("キャンセル"));
    btnCancel->setGeometry(222, 192, 100, 32);
    connect(btnOK, &TxPlButton::clicked, this, [this] { ok(); });
    connect(btnCancel, &TxPlButton::clicked, this, [this] { reject(); });
    setLineColor1(SystemDef.PLineColor1);
    setLineColor2(SystemDef.PLineColor2);
    setNetColor1(SystemDef.NetColor1);
    setNetColor2(SystemDef.NetColor2);
    FExecButton = btnOK;
    FCreated = true;
}

void TPrnColorSetBox::setColor(int i, std::int32_t c)
{
    colors_[i] = c;
    QPalette p = swatches_[i]->palette();
    p.setColor(QPalette::Window, qcolorOf(c));
    swatches_[i]->setPalette(p);
}

void TPrnColorSetBox::Setup(int flag)
{
    Flag = flag;
    Apply();
    FFirstPlacement = false;
}

void TPrnColorSetBox::Apply()
{
    for (int i = 0; i < 4; ++i)
        setColor(i, colors_[i]);
    QPalette p = lblKankyoColor->palette();
    p.setColor(QPalette::WindowText, qcolorOf(0xFF0000));
    lblKankyoColor->setPalette(p);
    QFont f = lblKankyoColor->font();
    f.setUnderline(true);
    lblKankyoColor->setFont(f);
    lblKankyoColor->setVisible(UseStyle == 1);
    CustomColors.clear();
    if (DM != nullptr)
        DM->GetStyleColor(SystemDef.OPCODE, kCustomColorsName, CustomColors);
    if (CustomColors.empty())
        for (char c = 'A'; c <= 'P'; ++c)
            CustomColors += std::string("Color") + c + "=FFFFFF\r\n";
    const QStringList lines = QString::fromStdString(CustomColors).split('\n', Qt::SkipEmptyParts);
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (!line.startsWith(QStringLiteral("Color")) || line.size() < 8 || line.at(6) != '=')
            continue;
        const int index = line.at(5).unicode() - 'A';
        bool okHex = false;
        const auto value = static_cast<std::int32_t>(line.mid(7).toUInt(&okHex, 16));
        if (okHex && index >= 0 && index < 16)
            QColorDialog::setCustomColor(index, qcolorOf(value));
    }
}

void TPrnColorSetBox::change(int i)
{
    if (auto chosen = chooser()(colors_[i], this))
        setColor(i, *chosen);
}

void TPrnColorSetBox::backToOperatorColors()
{
    if (platform::showMessage("帳票の色を環境設定の色に戻します。\r\nよろしいですか？", platform::MessageKind::Confirmation,
                              platform::Buttons::YesNo) != platform::ResultYes)
        return;
    QPalette p = lblKankyoColor->palette();
    p.setColor(QPalette::WindowText, qcolorOf(0x800080));
    lblKankyoColor->setPalette(p);
    setLineColor1(SystemDef.PLineColor1);
    setLineColor2(SystemDef.PLineColor2);
    setNetColor1(SystemDef.NetColor1);
    setNetColor2(SystemDef.NetColor2);
}

void TPrnColorSetBox::ok()
{
    if (UseStyle == 0) {
        SystemDef.PLineColor1 = colors_[0];
        SystemDef.PLineColor2 = colors_[1];
        SystemDef.NetColor1 = colors_[2];
        SystemDef.NetColor2 = colors_[3];
        if (DM != nullptr)
            DM->fnPutSysDef();
    }
    accept();
}

void TPrnColorSetBox::showEvent(QShowEvent* event)
{
    TBSDI::showEvent(event);
    if (FCreated)
        btnOK->setFocus(Qt::ActiveWindowFocusReason);
}

void TPrnColorSetBox::FormClose()
{
    // The colour dialog's custom colours are kept for the operator whichever way the chooser closes.
    std::string text;
    for (int i = 0; i < 16; ++i) {
        const QColor c = QColorDialog::customColor(i);
        char line[32];
        std::snprintf(line, sizeof line, "Color%c=%06X\r\n", 'A' + i,
                      static_cast<unsigned>(rgbColor(c.red(), c.green(), c.blue())));
        text += line;
    }
    CustomColors = text;
    if (DM != nullptr)
        DM->PutStyleColor(SystemDef.OPCODE, kCustomColorsName, CustomColors);
}

bool TPrnColorSetBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lblKankyoColor && event->type() == QEvent::MouseButtonRelease) {
        backToOperatorColors();
        return true;
    }
    return TBSDI::eventFilter(watched, event);
}

} // namespace vq::ui
