#include "trialbalance/BalanceTables.h"

#include <initializer_list>
#include <utility>

namespace vq {

namespace {

using LineIndex = std::array<std::uint16_t, BalanceLineSlots>;
using GroupCodes = std::array<std::string, BalanceGroupCodeCount>;
using EditionCodes = std::array<std::string, EditionGroupCodeCount>;

// Which total line each slot names, for both editions side by side. A run of
// slots either names one line per pair of slots (most lines have a debit and
// a credit slot) or one line per slot; the line number counts up along the
// run, and 0 (no such line in that edition) stays 0.
enum class Step : std::uint8_t { Pair, Single };

struct SlotRun {
    std::uint8_t first, last;
    std::uint16_t general, medical;
    Step step;
};

constexpr SlotRun SlotRuns[] = {
    {0, 25, 1, 1, Step::Pair},       {26, 27, 14, 0, Step::Pair},    {28, 31, 15, 14, Step::Pair},
    {32, 35, 17, 0, Step::Pair},     {36, 37, 19, 16, Step::Pair},   {38, 41, 20, 0, Step::Pair},
    {42, 43, 22, 17, Step::Pair},    {44, 46, 0, 18, Step::Single},  {47, 50, 23, 21, Step::Pair},
    {51, 52, 25, 0, Step::Pair},     {53, 56, 26, 23, Step::Pair},   {57, 63, 0, 25, Step::Single},
    {64, 65, 28, 32, Step::Pair},    {66, 79, 29, 0, Step::Pair},    {80, 80, 36, 0, Step::Single},
    {81, 81, 36, 32, Step::Single},  {82, 83, 37, 33, Step::Pair},   {84, 84, 38, 0, Step::Single},
    {85, 85, 38, 42, Step::Single},  {86, 94, 0, 34, Step::Single},  {95, 104, 39, 43, Step::Pair},
    {105, 105, 44, 0, Step::Single}, {106, 106, 44, 48, Step::Single}, {107, 107, 0, 48, Step::Single},
    {108, 109, 45, 0, Step::Pair},   {110, 114, 0, 49, Step::Single},
};

constexpr LineIndex lineIndex(bool medical)
{
    LineIndex index{};
    for (const SlotRun& run : SlotRuns) {
        const std::uint16_t line = medical ? run.medical : run.general;
        for (int slot = run.first; slot <= run.last; ++slot) {
            const int offset = slot - run.first;
            index[slot] = line == 0 ? 0 : line + (run.step == Step::Pair ? offset / 2 : offset);
        }
    }
    return index;
}

constexpr LineIndex GeneralLineIndex = lineIndex(false);
constexpr LineIndex MedicalLineIndex = lineIndex(true);

const GroupCodes& generalGroupCodes()
{
    static const GroupCodes codes = {
        "1100", "1130", "1180", "1200", "1280", "1300", "1310", "1380", "1390", "1400", "1410", "1580",
        "1600", "1680", "1700", "1710", "1780", "1790", "1800", "1880", "1900", "2100", "2180", "2200",
        "2280", "2300", "2380", "2800", "3100", "3150", "3200", "3220", "3270", "3280", "3300", "3380",
        "3320", "3330", "3340", "3400", "3410", "3480", "3500", "3580", "3600", "3680", "3800", "3900",
        "4100", "4110", "4800", "5100", "5200", "5210", "5250", "5300", "5400", "5510", "5520", "5530",
        "5580", "5600", "5680", "5700", "5780", "5790", "5810", "5820", "5880", "5900", "6100", "6180",
        "6200", "7100", "7180", "7200", "7280", "7300", "8100", "8180", "8200", "8280", "8290", "8300",
        "8400", "9900", "5685",
    };
    return codes;
}

// codes with the given slots written over.
template <class Codes>
Codes overwritten(Codes codes, std::initializer_list<std::pair<std::size_t, const char*>> slots)
{
    for (const auto& [slot, code] : slots)
        codes[slot] = code;
    return codes;
}

GroupCodes medicalGroupCodes()
{
    return overwritten(generalGroupCodes(), {{72, "6950"}, {73, "7110"}, {75, "7210"}, {78, "8110"},
                                             {80, "8210"}, {82, "8300"}, {84, "9280"}});
}

const EditionCodes& medicalEditionCodes()
{
    static const EditionCodes codes = {
        "5688", "3450", "3460", "3470", "4115", "4180", "4215", "4280", "4315", "4380", "4480",
        "6110", "6110", "6120", "6180", "6130", "6210", "6180", "6220", "6210", "6230", "6280",
        "6280", "6310", "6310", "6380", "6380", "6410", "6410", "6480", "6480", "6510", "6510",
        "6580", "6580", "6610", "6610", "6680", "6680", "6710", "6710", "6780", "6780", "6810",
        "6810", "6880", "6880", "6900", "6950", "8300", "9280", "9380", "9480", "9580", "9600",
        "1900", "2800", "3800", "3900", "9600", "7300", "****", "****",
    };
    return codes;
}

EditionCodes generalEditionCodes()
{
    EditionCodes unused;
    unused.fill(UnusedGroupCode);
    return overwritten(unused, {{0, "5688"}, {55, "1900"}, {56, "2800"}, {57, "3800"}, {58, "3900"},
                                {59, "8400"}, {60, "7300"}, {61, "5510"}, {62, "5820"}});
}

// The state before any data set was opened: the general tables, except that
// the edition codes 1..54 still hold the medical ones.
EditionCodes initialEditionCodes()
{
    EditionCodes codes = generalEditionCodes();
    for (std::size_t i = 1; i <= 54; ++i)
        codes[i] = medicalEditionCodes()[i];
    return codes;
}

struct Tables {
    LineIndex lineIndex = GeneralLineIndex;
    GroupCodes groupCodes = generalGroupCodes();
    EditionCodes editionCodes = initialEditionCodes();
};

Tables& tables()
{
    static Tables t;
    return t;
}

} // namespace

const std::array<std::uint16_t, BalanceLineSlots>& BalanceLineIndex()
{
    return tables().lineIndex;
}

const std::array<std::string, BalanceGroupCodeCount>& BalanceGroupCodes()
{
    return tables().groupCodes;
}

const std::array<std::string, EditionGroupCodeCount>& EditionGroupCodes()
{
    return tables().editionCodes;
}

void SetBalanceTables(bool isMedical)
{
    Tables& t = tables();
    if (isMedical) {
        t.lineIndex = MedicalLineIndex;
        t.groupCodes = medicalGroupCodes();
        t.editionCodes = medicalEditionCodes();
    } else {
        t.lineIndex = GeneralLineIndex;
        t.groupCodes = generalGroupCodes();
        t.editionCodes = generalEditionCodes();
    }
}

} // namespace vq
