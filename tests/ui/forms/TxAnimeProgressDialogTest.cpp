#include "ShownForm.h"

#include "ui/forms/TxAnimeProgressDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace vq::ui;

TEST(TxAnimeProgressDialog, DisablesItsOwnerWhileTheCallerWorks)
{
    QWidget owner;
    owner.resize(600, 400);
    vq::test::showActive(owner);
    TxAnimeProgressDialog progress;
    progress.setCaption(QStringLiteral("データ作成"));
    progress.setInfoLabel(QStringLiteral("準備しています"));

    progress.Execute(&owner);
    ASSERT_NE(progress.Handle(), nullptr);
    EXPECT_FALSE(owner.isEnabled());
    EXPECT_TRUE(progress.Handle()->isVisible());
    EXPECT_TRUE(progress.Handle()->isEnabled());
    EXPECT_FALSE(progress.Handle()->isModal());
    EXPECT_EQ(progress.Handle()->windowTitle(), QStringLiteral("データ作成"));

    progress.setInfoLabel(QStringLiteral("科目を読んでいます"));
    EXPECT_EQ(progress.Handle()->label->text(), QStringLiteral("科目を読んでいます"));

    // Cancel only raises the flag; the caller decides when to close.
    QTest::mouseClick(progress.Handle()->cancelButton, Qt::LeftButton);
    EXPECT_TRUE(progress.Cancelled);
    EXPECT_NE(progress.Handle(), nullptr);

    EXPECT_EQ(progress.Close(), 0);
    EXPECT_TRUE(owner.isEnabled());
    EXPECT_EQ(progress.Handle(), nullptr);

    // It can run again, and Cancelled starts over.
    progress.Execute(&owner);
    EXPECT_FALSE(progress.Cancelled);
    EXPECT_FALSE(owner.isEnabled());
    progress.Close();
    EXPECT_TRUE(owner.isEnabled());
}

TEST(TxAnimeProgressDialog, AGivenParentWindowOwnsTheWindowWithoutAnOwnerForm)
{
    QWidget parent;
    parent.resize(600, 400);
    vq::test::showActive(parent);
    TxAnimeProgressDialog progress;
    progress.setParentHandle(&parent);
    progress.Execute(nullptr);
    ASSERT_NE(progress.Handle(), nullptr);
    EXPECT_EQ(progress.Handle()->parentWidget(), &parent);
    EXPECT_FALSE(parent.isEnabled());
    EXPECT_TRUE(progress.Handle()->isEnabled());
    progress.Close();
    EXPECT_TRUE(parent.isEnabled());
}

TEST(TxAnimeProgressDialog, CloseWithoutExecuteChangesNothing)
{
    QWidget owner;
    TxAnimeProgressDialog progress;
    progress.setParentHandle(&owner);
    EXPECT_EQ(progress.Close(), 0);
    EXPECT_TRUE(owner.isEnabled());
}

TEST(TxAnimeProgressDialog, WithoutCancelButtonTheLabelIsCentredAndMissingAnimationIsDropped)
{
    QWidget owner;
    vq::test::showActive(owner);
    TxAnimeProgressDialog progress;
    progress.setCancelBtnShow(false);
    progress.setCommonAVI(aviCopyFiles);
    progress.Execute(&owner);
    EXPECT_EQ(progress.Handle()->cancelButton, nullptr);
    EXPECT_EQ(progress.Handle()->label->y(), 42);
    EXPECT_EQ(progress.Handle()->anime->y(), 30);
    progress.setAviFile(QStringLiteral("/nonexistent/anime.gif"));
    EXPECT_TRUE(progress.AviFile().isEmpty());
    EXPECT_FALSE(progress.Handle()->anime->pixmap().isNull());
    progress.Close();
}

// The work lets no paint event through: the window must be on screen and
// drawn before the work starts, and a new text drawn when it is set.
TEST(TxAnimeProgressDialog, TheWindowIsDrawnBeforeTheWorkStartsAndItsTextAtOnce)
{
    QWidget owner;
    owner.resize(600, 400);
    vq::test::showActive(owner);
    // Paints of the progress window and its controls (it exists only inside Execute).
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject* receiver, QEvent* event) override
        {
            auto* widget = qobject_cast<QWidget*>(receiver);
            if (event->type() == QEvent::Paint && widget && qobject_cast<TxProgressForm*>(widget->window()))
                ++paints;
            return false;
        }
    } counter;
    qApp->installEventFilter(&counter);
    auto expectDrawn = [&](QWidget* window) {
        EXPECT_TRUE(window->windowHandle()->isExposed());
        EXPECT_GT(counter.paints, 0);
    };
    TxAnimeProgressDialog progress;
    progress.setInfoLabel(QStringLiteral("連動データの作成中です…"));
    bool worked = false;
    progress.OnShow = [&](QWidget* window) {
        worked = true;
        expectDrawn(window);
    };
    progress.Execute(&owner);
    EXPECT_TRUE(worked);

    progress.OnShow = nullptr;
    counter.paints = 0;
    progress.Execute(&owner);
    expectDrawn(progress.Handle());
    counter.paints = 0;
    progress.setInfoLabel(QStringLiteral("科目を読んでいます"));
    EXPECT_GT(counter.paints, 0);
    progress.Close();
    qApp->removeEventFilter(&counter);
}

TEST(TxAnimeProgressDialog, WorkRunInsideTheWindowPassesItsErrorOnAfterClosing)
{
    QWidget owner;
    vq::test::showActive(owner);
    TxAnimeProgressDialog progress;
    bool ran = false;
    int closes = 0;
    progress.OnClose = [&](QWidget*) { ++closes; };
    progress.OnShow = [&](QWidget* sender) {
        ran = true;
        EXPECT_TRUE(sender->isVisible());
        throw std::runtime_error("作業に失敗しました");
    };
    EXPECT_THROW(progress.Execute(&owner), std::runtime_error);
    EXPECT_TRUE(ran);
    EXPECT_EQ(closes, 1); // the window closed after the work, error or not
    EXPECT_EQ(progress.Handle(), nullptr);
    EXPECT_TRUE(owner.isEnabled());

    progress.OnShow = [&](QWidget*) {};
    EXPECT_NO_THROW(progress.Execute(&owner));
    EXPECT_EQ(closes, 2);
}
