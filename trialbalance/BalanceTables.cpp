#include "trialbalance/BalanceTables.h"

namespace vq {

namespace {

using LineIndex = std::array<std::uint16_t, BalanceLineSlots>;
using GroupCodes = std::array<std::string, BalanceGroupCodeCount>;
using EditionCodes = std::array<std::string, EditionGroupCodeCount>;

constexpr LineIndex GeneralLineIndex = {
    1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13, // 0-25
    14, 14,                                                                            // 26-27
    15, 15, 16, 16,                                                                    // 28-31
    17, 17, 18, 18,                                                                    // 32-35
    19, 19,                                                                            // 36-37
    20, 20, 21, 21,                                                                    // 38-41
    22, 22,                                                                            // 42-43
    0, 0, 0,                                                                           // 44-46
    23, 23, 24, 24,                                                                    // 47-50
    25, 25,                                                                            // 51-52
    26, 26, 27, 27,                                                                    // 53-56
    0, 0, 0, 0, 0, 0, 0,                                                               // 57-63
    28, 28,                                                                            // 64-65
    29, 29, 30, 30, 31, 31, 32, 32, 33, 33, 34, 34, 35, 35,                            // 66-79
    36, 36,                                                                            // 80-81
    37, 37,                                                                            // 82-83
    38, 38,                                                                            // 84-85
    0, 0, 0, 0, 0, 0, 0, 0, 0,                                                         // 86-94
    39, 39, 40, 40, 41, 41, 42, 42, 43, 43,                                            // 95-104
    44, 44, 0,                                                                         // 105-107
    45, 45,                                                                            // 108-109
    0, 0, 0, 0, 0,                                                                     // 110-114
};

constexpr LineIndex MedicalLineIndex = {
    1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13, // 0-25
    0, 0,                                                                              // 26-27
    14, 14, 15, 15,                                                                    // 28-31
    0, 0, 0, 0,                                                                        // 32-35
    16, 16,                                                                            // 36-37
    0, 0, 0, 0,                                                                        // 38-41
    17, 17,                                                                            // 42-43
    18, 19, 20,                                                                        // 44-46
    21, 21, 22, 22,                                                                    // 47-50
    0, 0,                                                                              // 51-52
    23, 23, 24, 24,                                                                    // 53-56
    25, 26, 27, 28, 29, 30, 31,                                                        // 57-63
    32, 32,                                                                            // 64-65
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,                                          // 66-79
    0, 32,                                                                             // 80-81
    33, 33,                                                                            // 82-83
    0, 42,                                                                             // 84-85
    34, 35, 36, 37, 38, 39, 40, 41, 42,                                                // 86-94
    43, 43, 44, 44, 45, 45, 46, 46, 47, 47,                                            // 95-104
    0, 48, 48,                                                                         // 105-107
    0, 0,                                                                              // 108-109
    49, 50, 51, 52, 53,                                                                // 110-114
};

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

GroupCodes medicalGroupCodes()
{
    GroupCodes codes = generalGroupCodes();
    codes[72] = "6950";
    codes[73] = "7110";
    codes[75] = "7210";
    codes[78] = "8110";
    codes[80] = "8210";
    codes[82] = "8300";
    codes[84] = "9280";
    return codes;
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
    EditionCodes codes;
    codes.fill(UnusedGroupCode);
    codes[0] = "5688";
    codes[55] = "1900";
    codes[56] = "2800";
    codes[57] = "3800";
    codes[58] = "3900";
    codes[59] = "8400";
    codes[60] = "7300";
    codes[61] = "5510";
    codes[62] = "5820";
    return codes;
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
