// Finding a top-level window by class name and caption.
#include <gtest/gtest.h>

#include <QDialog>
#include <QMainWindow>

#include "foundation/forms/FindWindowHandle.h"

using namespace vq;

TEST(FindWindowHandle, ByClassAndCaption)
{
    QMainWindow main;
    main.setWindowTitle("会計データ連動");
    QDialog dialog;
    dialog.setWindowTitle("データ選択");

    EXPECT_EQ(FindWindowHandle("QMainWindow", ""), &main);
    EXPECT_EQ(FindWindowHandle("qdialog", ""), &dialog); // class without letter case
    EXPECT_EQ(FindWindowHandle("", "データ選択"), &dialog);
    EXPECT_EQ(FindWindowHandle("QMainWindow", "会計データ連動"), &main);
    EXPECT_EQ(FindWindowHandle("QMainWindow", "データ選択"), nullptr);
    EXPECT_EQ(FindWindowHandle("", ""), nullptr);
    EXPECT_EQ(FindWindowHandle("Desktop", ""), nullptr);
}
