#include "ui/forms/TxWizard.h"

#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace vq::ui;

namespace {

struct Wizard : ::testing::Test {
    QWidget form;
    TxWizard* wizard = new TxWizard(&form);
    QPushButton* next = new QPushButton(&form);
    QPushButton* back = new QPushButton(&form);
    QLabel* header = new QLabel(&form);
    std::vector<bool> finals;
    int backs = 0;

    void build(int pages)
    {
        for (int i = 0; i < pages; ++i)
            wizard->addWidget(new QLabel(QString::number(i)));
        wizard->OnNextClick = [this](QObject*, bool final) { finals.push_back(final); };
        wizard->OnBackClick = [this](QObject*) { ++backs; };
        wizard->setNextButton(next);
        wizard->setBackButton(back);
        form.show();
    }
};

} // namespace

TEST_F(Wizard, OnePageFinishesAtOnce)
{
    build(1);
    EXPECT_EQ(next->text(), QStringLiteral("完了(&F)"));
    EXPECT_TRUE(back->isHidden());
    next->click();
    next->click();
    EXPECT_EQ(finals, (std::vector<bool>{true, true}));
    EXPECT_EQ(wizard->PageIndex(), 0);
    EXPECT_TRUE(back->isHidden());
}

TEST_F(Wizard, ThreePagesForwardAndBack)
{
    build(3);
    EXPECT_EQ(next->text(), QStringLiteral("次へ(&N) >"));
    EXPECT_EQ(back->text(), QStringLiteral("< 戻る(&B)"));
    next->click();
    EXPECT_FALSE(back->isHidden());
    next->click();
    EXPECT_EQ(wizard->PageIndex(), 2);
    EXPECT_EQ(next->text(), QStringLiteral("完了(&F)"));
    next->click();
    EXPECT_EQ(wizard->PageIndex(), 2);
    EXPECT_EQ(finals, (std::vector<bool>{false, false, true}));

    back->click();
    back->click();
    EXPECT_EQ(wizard->PageIndex(), 0);
    EXPECT_TRUE(back->isHidden());
    EXPECT_EQ(next->text(), QStringLiteral("次へ(&N) >"));
    EXPECT_EQ(backs, 2);
}

TEST_F(Wizard, RefusedStepChangesNothing)
{
    build(3);
    wizard->OnNextClicking = [](QObject*, bool final, bool& allow) {
        EXPECT_FALSE(final);
        allow = false;
    };
    next->click();
    EXPECT_EQ(wizard->PageIndex(), 0);
    EXPECT_TRUE(back->isHidden());
    EXPECT_TRUE(finals.empty());
}

TEST_F(Wizard, HeaderKeepsItsTextOnPagesWithoutALine)
{
    wizard->setHeaderCaption({QStringLiteral("最初"), QStringLiteral("二番目")});
    build(3);
    wizard->setLblHeader(header);
    EXPECT_EQ(header->text(), QStringLiteral("最初"));
    next->click();
    EXPECT_EQ(header->text(), QStringLiteral("二番目"));
    next->click();
    EXPECT_EQ(header->text(), QStringLiteral("二番目"));
    back->click();
    back->click();
    EXPECT_EQ(header->text(), QStringLiteral("最初"));
}
