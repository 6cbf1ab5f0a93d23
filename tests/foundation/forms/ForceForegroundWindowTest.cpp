// Bringing a window forward shows, restores and activates its top level.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

#include "foundation/forms/ForceForegroundWindow.h"

using namespace vq;

TEST(ForceForegroundWindow, ShowsRestoresAndActivatesTheTopLevel)
{
    QWidget first;
    first.show();
    QWidget second;
    auto* layout = new QVBoxLayout(&second);
    auto* button = new QPushButton("OK");
    layout->addWidget(button);
    second.showMinimized();
    QCoreApplication::processEvents();

    ForceForegroundWindow(button); // a child stands for its window
    QCoreApplication::processEvents();
    EXPECT_TRUE(second.isVisible());
    EXPECT_FALSE(second.isMinimized());
    EXPECT_EQ(QApplication::activeWindow(), &second);

    ForceForegroundWindow(&first);
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), &first);

    ForceForegroundWindow(nullptr);
}
