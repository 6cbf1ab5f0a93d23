// The old menu positions of JOBCONTROL mapped to program ids: the general
// layout up to level 1000, the medical-corporation layout above it, and the
// four places of page 1 that the distributor editions gave their own
// programs.
#include <gtest/gtest.h>

#include "dbupdate/steps/z5MenuListOldHistory.h"
#include "foundation/app/RunState.h"

using namespace vq;
using namespace vq::z5MenuListOldHistory;

namespace {

class MenuListOldHistoryTest : public ::testing::Test {
protected:
    void TearDown() override { OemKind = savedOem_; }
    std::uint8_t savedOem_ = OemKind;
};

} // namespace

TEST_F(MenuListOldHistoryTest, OldPositionsGiveTheirProgramInEveryEdition)
{
    struct Case {
        std::int32_t level, page, menu;
        const char* standard;      // id and option in the maker's edition
        const char* distributor;   // in the editions 1 and 2
    } cases[] = {
        {500, 1, 0, "QzSiwake|SyoriType=1", "QzSiwake|SyoriType=1"},
        {1500, 1, 0, "QzSiwake|SyoriType=1", "QzSiwake|SyoriType=1"},
        {1000, 1, 5, "QzNippou|", "QzNippou|"},
        {1001, 2, 0, "QzMBKessansyo|", "QzMBKessansyo|"},
        {1000, 2, 0, "QzHojinKessansyo|", "QzHojinKessansyo|"},
        {1500, 11, 3, "QzFuzokuM03|", "QzFuzokuM03|"},
        {500, 11, 3, "|", "|"},
        {1500, 12, 11, "QzGenkaKeisan11|", "QzGenkaKeisan11|"},
        {1500, 13, 0, "|", "|"},
        {500, 1, 6, "|", "|"},
        {500, 5, 19, "|", "|"},
        {500, 1, 15, "|", "QzTellmarSiwake|SyoriType=1"},
        {500, 1, 17, "|", "QzKobetuIchiranhyo|"},
        {500, 1, 18, "|", "QzKobetuMeisaihyo|"},
        {500, 1, 19, "|", "QzKobetuMotocho|"},
        {500, 2, 15, "QzDensiChoubo|", "QzDensiChoubo|"},
        {1500, 1, 15, "|", "|"},
        {500, 9, 3, "QzHalbrinMenuCtl|", "QzHalbrinMenuCtl|"},
        {500, 8, 13, "QzDataTusin|SyoriType=8", "QzDataTusin|SyoriType=8"},
        {500, 4, 18, "QzYosan|", "QzYosan|"},
        {1500, 4, 18, "QzYosan2|", "QzYosan2|"},
        {1500, 5, 2, "QzMBKamoku2|", "QzMBKamoku2|"},
        {500, 7, 16, "QzUtiwake17|", "QzUtiwake17|"},
        {500, 0, 0, "|", "|"},
        {500, 1, 20, "|", "|"},
        {500, 1, -1, "|", "|"},
    };
    for (const std::uint8_t edition : {0, 1, 2}) {
        OemKind = edition;
        for (const auto& c : cases) {
            SCOPED_TRACE("edition " + std::to_string(edition) + " (" + std::to_string(c.level) + ", " +
                         std::to_string(c.page) + ", " + std::to_string(c.menu) + ")");
            std::string id = "stale", option = "stale";
            const std::string result = GetOldMenuProcId(c.level, c.page, c.menu, id, option);
            EXPECT_EQ(id + "|" + option, edition == 0 ? c.standard : c.distributor);
            EXPECT_EQ(result, id);
        }
    }
}

TEST_F(MenuListOldHistoryTest, EachLayoutHoldsEveryPositionOfItsPages)
{
    struct Case {
        const std::vector<TMenuListRec>& list;
        std::size_t entries, programs;
    } cases[] = {{GeneralMenuList(), 200, 94}, {MedicalMenuList(), 240, 123}};
    for (const auto& c : cases) {
        ASSERT_EQ(c.list.size(), c.entries);
        std::size_t programs = 0;
        for (std::size_t i = 0; i < c.list.size(); ++i) {
            EXPECT_EQ((c.list[i].PageNo - 1) * 20 + c.list[i].MenuNo, static_cast<std::int32_t>(i));
            programs += !c.list[i].ProcId.empty();
        }
        EXPECT_EQ(programs, c.programs);
    }
}
