#include "ShownForm.h"

#include "ui/ModalResult.h"
#include "ui/forms/FormModalResult.h"
#include "ui/forms/TxPFbtn.h"
#include "ui/forms/TxPlButton.h"

#include <QDialog>
#include <QTemporaryDir>
#include <QEnterEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

using namespace vq::ui;

TEST(TxPlButton, ClickClosesAModalDialogWithItsResultUnlessTheHandlerResetsIt)
{
    QDialog dialog;
    auto* ok = new TxPlButton(&dialog);
    ok->setModalResult(mrCancel);
    int clicks = 0;
    bool keepOpen = true;
    QObject::connect(ok, &TxPlButton::clicked, [&] {
        ++clicks;
        if (keepOpen)
            setModalResult(&dialog, mrNone);
    });
    vq::test::whenModal([&](QWidget*) {
        QTest::mouseClick(ok, Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible()); // the handler kept it open
        keepOpen = false;
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    EXPECT_EQ(dialog.exec(), mrCancel);
    EXPECT_EQ(clicks, 2);
}

TEST(TxPlButton, ClickSurvivesThePointerLeavingAndComingBackBeforeRelease)
{
    QWidget form;
    auto* button = new TxPlButton(&form);
    button->setGeometry(10, 10, 75, 26);
    vq::test::showActive(form);
    int clicks = 0;
    QObject::connect(button, &TxPlButton::clicked, [&] { ++clicks; });

    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(20, 10));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    EXPECT_FALSE(button->isPressed()); // away from the button it looks released
    QEnterEvent enter(QPointF(20, 10), QPointF(30, 20), QPointF(30, 20));
    QApplication::sendEvent(button, &enter);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(clicks, 1);

    // Released away from the button: no click.
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(20, 10));
    QApplication::sendEvent(button, &leave);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(200, 10));
    EXPECT_EQ(clicks, 1);
}

TEST(TxPlButton, EnterClicksTheFocusedButtonAndEscTheCancelButton)
{
    QDialog dialog;
    auto* ok = new TxPlButton(&dialog);
    ok->setModalResult(mrOk);
    auto* cancel = new TxPlButton(&dialog);
    cancel->setModalResult(mrCancel);
    cancel->move(80, 0);
    cancel->setCancel(true);

    vq::test::whenModal([&](QWidget*) {
        ok->setFocus();
        QTest::keyClick(ok, Qt::Key_Return);
    });
    EXPECT_EQ(dialog.exec(), mrOk);

    vq::test::whenModal([&](QWidget*) {
        ok->setFocus();
        QTest::keyClick(ok, Qt::Key_Escape);
    });
    EXPECT_EQ(dialog.exec(), mrCancel);

    // Without HasFocus the cancel button does not take Esc; the dialog's own
    // Esc handling rejects it instead.
    cancel->setHasFocus(false);
    int cancelClicks = 0;
    QObject::connect(cancel, &TxPlButton::clicked, [&] { ++cancelClicks; });
    vq::test::whenModal([&](QWidget*) {
        ok->setFocus();
        QTest::keyClick(ok, Qt::Key_Escape);
    });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_EQ(cancelClicks, 0);
}

TEST(TxPlButton, CaptionFallsBackToTheNameAndCentresASecondLineAlone)
{
    QWidget form;
    auto* b = new TxPlButton(&form);
    b->setObjectName(QStringLiteral("btnOK"));
    b->setCaptionAText(QString());
    b->setCaptionBText(QStringLiteral("実行"));
    vq::test::showActive(form);
    (void)b->grab();
    const int h = QFontMetrics(b->font()).height();
    EXPECT_EQ(b->CaptionTop(), (b->height() - h) / 2);
    EXPECT_EQ(b->width(), 75);
    EXPECT_EQ(b->height(), 26);
}

TEST(TxPlButton, DisabledCaptionIsEngravedOnePixelDownRight)
{
    TxPlButton b;
    b.setGradation(false);
    b.setColor(0x00FF00); // a background neither line colour has
    b.setButtonStyle(bsFlatNoFrame);
    QFont f = b.font();
    f.setStyleStrategy(QFont::NoAntialias);
    b.setFont(f);
    b.setCaptionAText(QStringLiteral("■"));
    b.setEnabled(false);
    const QImage img = b.grab().toImage();
    const QRgb light = toQColor(clBtnHighlight).rgb(), dark = toQColor(clBtnShadow).rgb();
    ASSERT_NE(light, dark);
    // The lowest and rightmost pixels of each colour: the highlight copy lies
    // exactly one pixel right of and below the shadow copy.
    int lightBottom = -1, lightRight = -1, darkBottom = -1, darkRight = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y) & 0xFFFFFF;
            if (c == (light & 0xFFFFFF)) {
                lightBottom = std::max(lightBottom, y);
                lightRight = std::max(lightRight, x);
            } else if (c == (dark & 0xFFFFFF)) {
                darkBottom = std::max(darkBottom, y);
                darkRight = std::max(darkRight, x);
            }
        }
    ASSERT_GE(darkBottom, 0);
    EXPECT_EQ(lightBottom, darkBottom + 1);
    EXPECT_EQ(lightRight, darkRight + 1);
}

TEST(TxPlButton, OnlyBitmapsAndIconsArePictures)
{
    TxPlBtnImage image;
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("a.png"));
    const QString bmp = dir.filePath(QStringLiteral("a.bmp"));
    QImage pic(8, 8, QImage::Format_RGB32);
    pic.fill(Qt::red);
    ASSERT_TRUE(pic.save(png, "PNG"));
    ASSERT_TRUE(pic.save(bmp, "BMP"));
    EXPECT_TRUE(image.loadPicture(bmp));
    EXPECT_FALSE(image.Picture.isNull());
    EXPECT_FALSE(image.loadPicture(png));
    EXPECT_TRUE(image.Picture.isNull());
}

TEST(TxPFbtn, ReleasingTellsTheOwnerWhichKeyAndThePressedLookLasts200ms)
{
    QWidget form;
    auto* f3 = new TxPFbtn(&form);
    f3->setObjectName(QStringLiteral("F3"));
    auto* other = new TxPFbtn(&form);
    other->setObjectName(QStringLiteral("f4"));
    other->move(60, 0);
    vq::test::showActive(form);

    QTest::mousePress(f3, Qt::LeftButton);
    EXPECT_TRUE(f3->isPressedLook());
    EXPECT_TRUE(f3->timer().isActive());
    EXPECT_EQ(f3->timer().interval(), 200);
    QTest::mouseRelease(f3, Qt::LeftButton);
    EXPECT_FALSE(f3->isPressedLook());
    EXPECT_EQ(tagOf(&form), 3);

    QTest::mouseClick(other, Qt::LeftButton);
    EXPECT_EQ(tagOf(&form), 3); // names are matched exactly

    QTest::mousePress(f3, Qt::LeftButton);
    QTest::qWait(300);
    EXPECT_FALSE(f3->isPressedLook()); // the timer raised it
    EXPECT_FALSE(f3->timer().isActive());
    QTest::mouseRelease(f3, Qt::LeftButton);

    EXPECT_EQ(functionKeyOfName(QStringLiteral("ESC")), 0);
    EXPECT_EQ(functionKeyOfName(QStringLiteral("F10")), 10);
    EXPECT_EQ(functionKeyOfName(QStringLiteral("F11")), -1);
}
