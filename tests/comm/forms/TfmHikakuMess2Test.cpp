#include "comm/forms/TfmHikakuMess2.h"

#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

using vq::comm::TfmHikakuMess2;

TEST(TfmHikakuMess2Test, OnlyTheNoButtonAnswersNo)
{
    const std::pair<int, int> cases[] = {{1, 1}, {2, 0}, {0, 1}};   // button pressed (0: window closed), answer
    for (const auto& [button, answer] : cases) {
        TfmHikakuMess2 window;
        QTimer::singleShot(0, [&] {
            if (button == 1)
                window.Button1->click();
            else if (button == 2)
                window.Button2->click();
            else
                window.reject();
        });
        window.exec();
        EXPECT_EQ(window.Answer, answer) << button;
    }
}
