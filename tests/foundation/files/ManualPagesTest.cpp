#include "foundation/files/ManualPages.h"

#include <gtest/gtest.h>

#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "platform/ScriptedInteraction.h"

namespace vq {
namespace {

class ManualPages : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedHelp_ = SystemDef.HelpDir;
        savedOem_ = OemKind;
        savedProduct_ = ProductKind;
        SystemDef.HelpDir = "/opt/vorlen/help";
    }
    void TearDown() override
    {
        SystemDef.HelpDir = savedHelp_;
        OemKind = savedOem_;
        ProductKind = savedProduct_;
    }

    platform::ScopedScriptedInteraction seam_;

private:
    std::string savedHelp_;
    std::uint8_t savedOem_ = 0;
    std::uint8_t savedProduct_ = 0;
};

TEST_F(ManualPages, PagesLieInTheFoldersOfTheProduct)
{
    struct Case {
        int oem, product;
        const char* page;
        const char* expected;
    };
    const Case cases[] = {
        {1, 0, "olm.html", "/opt/vorlen/help/rided/olm.html"},
        {1, 0, "data.html", "/opt/vorlen/help/rided/olm.files/data.html"},
        {2, 1, "ecbolm.html", "/opt/vorlen/help/ecbolm.html"},
        {2, 1, "data.html", "/opt/vorlen/help/ecbolm.files/data.html"},
        {1, 2, "hbrolm.html", "/opt/vorlen/help/halbrin/hbrolm.html"},
        {1, 2, "data.html", "/opt/vorlen/help/halbrin/hbrolm.files/data.html"},
        {1, 3, "csbolm.html", "/opt/vorlen/help/csbolm.html"},
        {1, 3, "data.html", "/opt/vorlen/help/csbolm.files/data.html"},
        {0, 0, "olm.html", "/opt/vorlen/help/olm.html"},
        {0, 1, "data.html", "/opt/vorlen/help/olm.files/data.html"},
        {0, 2, "data.html", "/opt/vorlen/help/olm.files/data.html"},
        {0, 2, "hbrolm.html", "/opt/vorlen/help/hbrolm.html"},
        {0, 3, "data.html", "/opt/vorlen/help/csbolm.files/data.html"},
        {0, 4, "data.html", ""},
        {0, 0, "", ""},
    };
    for (const Case& c : cases) {
        OemKind = static_cast<std::uint8_t>(c.oem);
        ProductKind = static_cast<std::uint8_t>(c.product);
        EXPECT_EQ(ManualPagePath(c.page).generic_string(), c.expected) << c.oem << " " << c.product << " " << c.page;
    }
}

TEST_F(ManualPages, OpensThePageInTheBrowser)
{
    OemKind = 0;
    ProductKind = 2;
    SystemDef.HelpDir = "/opt/vorlen/help 2";
    EXPECT_EQ(ShowHtmlHelp("データ選択.html"), 0);
    ASSERT_EQ(seam_->urls.size(), 1u);
    EXPECT_EQ(seam_->urls[0], "file:///opt/vorlen/help%202/olm.files/%E3%83%87%E3%83%BC%E3%82%BF%E9%81%B8%E6%8A%9E.html");

    seam_->urlResult = false;
    EXPECT_EQ(ShowHtmlHelp("olm.html"), NavigationFailed);

    // Nothing to open: no page, or a product without a manual.
    EXPECT_EQ(ShowHtmlHelp(""), 0);
    ProductKind = 7;
    EXPECT_EQ(ShowHtmlHelp("olm.html"), 0);
    EXPECT_EQ(seam_->urls.size(), 2u);
}

} // namespace
} // namespace vq
