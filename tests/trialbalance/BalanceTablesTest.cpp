#include "trialbalance/BalanceTables.h"

#include <gtest/gtest.h>

namespace vq {
namespace {

// Must run before any SetBalanceTables in this process (ctest runs each test alone).
TEST(BalanceTables, BeforeTheFirstDataSetTheGeneralTablesHoldMedicalEditionCodes)
{
    EXPECT_EQ(BalanceLineIndex()[26], 14);
    EXPECT_EQ(BalanceGroupCodes()[84], "8400");
    EXPECT_EQ(EditionGroupCodes()[0], "5688");
    EXPECT_EQ(EditionGroupCodes()[1], "3450");
    EXPECT_EQ(EditionGroupCodes()[54], "9600");
    EXPECT_EQ(EditionGroupCodes()[55], "1900");
    EXPECT_EQ(EditionGroupCodes()[59], "8400");
    EXPECT_EQ(EditionGroupCodes()[62], "5820");
}

struct SlotCase {
    std::size_t slot;
    int general, medical;
};

TEST(BalanceTables, TotalLineSlotsPerEdition)
{
    const SlotCase cases[] = {
        {0, 1, 1},     {1, 1, 1},     {24, 13, 13},  {25, 13, 13},  {26, 14, 0},   {27, 14, 0},
        {28, 15, 14},  {31, 16, 15},  {32, 17, 0},   {36, 19, 16},  {40, 21, 0},   {43, 22, 17},
        {44, 0, 18},   {46, 0, 20},   {47, 23, 21},  {50, 24, 22},  {51, 25, 0},   {55, 27, 24},
        {57, 0, 25},   {63, 0, 31},   {64, 28, 32},  {66, 29, 0},   {79, 35, 0},   {80, 36, 0},
        {81, 36, 32},  {82, 37, 33},  {84, 38, 0},   {85, 38, 42},  {86, 0, 34},   {94, 0, 42},
        {95, 39, 43},  {101, 42, 46}, {104, 43, 47}, {105, 44, 0},  {106, 44, 48}, {107, 0, 48},
        {108, 45, 0},  {109, 45, 0},  {110, 0, 49},  {114, 0, 53},
    };
    SetBalanceTables(true);
    for (const SlotCase& c : cases)
        EXPECT_EQ(BalanceLineIndex()[c.slot], c.medical) << "medical slot " << c.slot;
    SetBalanceTables(false);
    for (const SlotCase& c : cases)
        EXPECT_EQ(BalanceLineIndex()[c.slot], c.general) << "general slot " << c.slot;
    // Total lines lie below the first account row of their edition.
    SetBalanceTables(false);
    for (std::uint16_t row : BalanceLineIndex())
        EXPECT_LT(row, FirstAccountRow);
    SetBalanceTables(true);
    for (std::uint16_t row : BalanceLineIndex())
        EXPECT_LT(row, MedicalFirstAccountRow);
}

TEST(BalanceTables, GroupCodesPerEdition)
{
    // The codes the statement readers compare against.
    const std::pair<std::size_t, const char*> readerCodes[] = {
        {0, "1100"}, {20, "1900"}, {21, "2100"}, {48, "4100"}, {51, "5100"}, {68, "5880"},
        {70, "6100"}, {73, "7100"}, {75, "7200"}, {84, "8400"}, {86, "5685"},
    };
    SetBalanceTables(false);
    for (const auto& [index, code] : readerCodes)
        EXPECT_EQ(BalanceGroupCodes()[index], code) << index;
    for (const std::string& code : BalanceGroupCodes())
        EXPECT_EQ(code.size(), 4u);

    SetBalanceTables(true);
    const std::pair<std::size_t, const char*> medical[] = {
        {72, "6950"}, {73, "7110"}, {75, "7210"}, {78, "8110"}, {80, "8210"}, {82, "8300"}, {84, "9280"},
        {71, "6180"}, {83, "8300"}, {86, "5685"},
    };
    for (const auto& [index, code] : medical)
        EXPECT_EQ(BalanceGroupCodes()[index], code) << index;
    EXPECT_EQ(EditionGroupCodes()[0], "5688");
    EXPECT_EQ(EditionGroupCodes()[48], "6950");
    EXPECT_EQ(EditionGroupCodes()[59], "9600");
    EXPECT_EQ(EditionGroupCodes()[60], "7300");
    EXPECT_EQ(EditionGroupCodes()[61], "****");
    EXPECT_EQ(EditionGroupCodes()[62], "****");
    for (const std::string& code : EditionGroupCodes())
        EXPECT_EQ(code.size(), 4u);

    SetBalanceTables(false);
    for (std::size_t i = 1; i <= 54; ++i)
        EXPECT_EQ(EditionGroupCodes()[i], UnusedGroupCode) << i;
    EXPECT_EQ(EditionGroupCodes()[61], "5510");
    EXPECT_EQ(EditionGroupCodes()[62], "5820");
}

TEST(BalanceTables, SwitchingBackRestoresEveryGeneralValue)
{
    SetBalanceTables(false);
    const auto lines = BalanceLineIndex();
    const auto codes = BalanceGroupCodes();
    const auto edition = EditionGroupCodes();
    SetBalanceTables(true);
    EXPECT_NE(BalanceLineIndex(), lines);
    EXPECT_NE(BalanceGroupCodes(), codes);
    SetBalanceTables(false);
    EXPECT_EQ(BalanceLineIndex(), lines);
    EXPECT_EQ(BalanceGroupCodes(), codes);
    EXPECT_EQ(EditionGroupCodes(), edition);
    EXPECT_EQ(BalanceLineIndex()[26], 14);
    EXPECT_EQ(BalanceGroupCodes()[84], "8400");
}

} // namespace
} // namespace vq
