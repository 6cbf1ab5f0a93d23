#include "ui/SilentAbort.h"
#include "ui/SlotGuard.h"

#include "platform/ScriptedInteraction.h"
#include "platform/db/DbError.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace vq::ui;

TEST(SlotGuard, SilentAbortEndsQuietlyAndOtherErrorsAreShownOnce)
{
    vq::test::ScopedRoot root; // the reporter writes its log under the root
    vq::platform::ScopedScriptedInteraction seam;
    EXPECT_TRUE(runGuarded([] {}));
    EXPECT_FALSE(runGuarded([] { throw SilentAbort(); }));
    EXPECT_TRUE(seam->messages.empty());

    EXPECT_FALSE(runGuarded([] { throw std::runtime_error("ファイルを読めません。"); }));
    ASSERT_EQ(seam->messages.size(), 1u);
    EXPECT_EQ(seam->messages[0].text, "ファイルを読めません。");
    EXPECT_EQ(seam->messages[0].kind, vq::platform::MessageKind::Error);

    EXPECT_FALSE(runGuarded([] { throw vq::db::DbError("lock conflict on no wait transaction", 335544345); }));
    ASSERT_EQ(seam->messages.size(), 2u);
    EXPECT_NE(seam->messages[1].text.find("lock conflict"), std::string::npos);

    int got = 0;
    auto slot = guarded([&](int v) { got = v; });
    slot(7);
    EXPECT_EQ(got, 7);
    auto noArgs = guarded([&] { got = -1; });
    noArgs(true); // a signal argument the body does not take
    EXPECT_EQ(got, -1);
}
