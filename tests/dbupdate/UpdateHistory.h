#pragma once
// schema/manifest.txt as the tests of the database update read it, and the
// table of every object that the update steps drop or alter by name.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "../schema/SchemaTestDb.h"

namespace vq::test::manifest {

using Version = std::tuple<int, int, int>;
inline constexpr Version kBase{-1, 0, 0};

inline Version version(const std::string& text)
{
    if (text == "base")
        return kBase;
    Version v{};
    char dot1 = 0, dot2 = 0;
    std::istringstream in(text);
    in >> std::get<0>(v) >> dot1 >> std::get<1>(v) >> dot2 >> std::get<2>(v);
    EXPECT_TRUE(in && dot1 == '.' && dot2 == '.' && in.peek() == EOF) << text;
    return v;
}

// One manifest line: made at `since`, then made anew or dropped at steps.
struct History {
    std::string kind;
    Version since{};
    std::vector<std::pair<std::string, Version>> events;   // "anew"/"dropped", step

    bool presentBefore(Version step) const
    {
        if (since >= step && since != kBase)
            return false;
        bool present = true;
        for (const auto& [event, at] : events)
            if (at < step)
                present = event == "anew";
        return present;
    }
    // The version whose CREATE gives the object its present form.
    Version lastMade() const
    {
        Version made = since;
        for (const auto& [event, at] : events)
            if (event == "anew")
                made = at;
        return made;
    }
};

// database -> name -> history
inline std::map<std::string, std::map<std::string, History>> readManifest()
{
    std::map<std::string, std::map<std::string, History>> manifest;
    std::istringstream in(readBytes(schemaDir() / "manifest.txt"));
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream words(line);
        std::string db, kind, name, since, event, at;
        words >> db >> kind >> name >> since;
        History h{kind, version(since), {}};
        while (words >> event >> at) {
            EXPECT_TRUE(event == "anew" || event == "dropped") << line;
            h.events.emplace_back(event, version(at));
        }
        EXPECT_TRUE(manifest[db].emplace(name, h).second) << "listed twice: " << line;
    }
    return manifest;
}

// What the step statements drop or alter by name (RECREATE and CREATE OR
// ALTER included), with the kind of object each statement expects.
struct Target {
    const char* db;
    const char* step;
    const char* kind;
    const char* name;
};

inline const Target kTargets[] = {
    {"system", "0.3.1", "TRIGGER", "SERVERDATALIST_NO"},
    {"system", "0.3.1", "COLUMN", "SERVERDATALIST.GROUPID"},
    {"system", "0.3.1", "TABLE", "SERVERDATALIST"},
    {"system", "1.0.1", "PROCEDURE", "SP_DATALIST_UPDATE"},
    {"system", "3.0.0", "TRIGGER", "VERSION_REC"},
    {"system", "4.0.2", "PROCEDURE", "SP_DATALIST_UPDATE"},
    // Depreciation tables, their keys, triggers and procedures.
    {"dataset", "0.1.1", "PROCEDURE", "SP_KS_BUMONHB_ADD"},
    {"dataset", "0.1.1", "PROCEDURE", "SP_KS_SISAN_MUJUN"},
    {"dataset", "0.1.1", "PROCEDURE", "SP_KS_DAICHO_UPDATE"},
    {"dataset", "0.1.1", "PROCEDURE", "SP_KS_BUMONHB_REC_ADD"},
    {"dataset", "0.1.1", "TRIGGER", "SIWAKE_AFTER_INSERT"},
    {"dataset", "0.1.1", "TRIGGER", "SIWAKE_AFTER_UPDATE"},
    {"dataset", "0.1.1", "CONSTRAINT", "KSDAICHO_REC"},
    {"dataset", "0.1.1", "TABLE", "KS_DAICHO"},
    {"dataset", "0.1.1", "CONSTRAINT", "KSBUMONHB_REC"},
    {"dataset", "0.1.1", "CONSTRAINT", "KSBUMONHB_SBCODE"},
    {"dataset", "0.1.1", "TABLE", "KS_BUMONHB"},
    {"dataset", "0.1.1", "TRIGGER", "SISETUMST_AFTER_INSERT"},
    {"dataset", "0.1.1", "TRIGGER", "KAMOKUMST_AFTER_INSERT"},
    {"dataset", "0.1.1", "PROCEDURE", "SP_KS_INSSETSWK_CALL_SISETU"},
    {"dataset", "0.1.1", "PROCEDURE", "SP_KS_INSSETSWK_CALL_KAMOKU"},
    {"dataset", "0.1.1", "PROCEDURE", "SP_KS_INSSETSWK"},
    {"dataset", "0.1.1", "CONSTRAINT", "KSSETSWKINIT_BAIEKIKCODE"},
    {"dataset", "0.1.1", "CONSTRAINT", "KSSETSWKINIT_BAISONKCODE"},
    {"dataset", "0.1.1", "CONSTRAINT", "KSSETSWKINIT_JYOSONKCODE"},
    {"dataset", "0.1.1", "CONSTRAINT", "KSSETSWKINIT_KCODE"},
    {"dataset", "0.1.1", "CONSTRAINT", "KSSETSWKINIT_RUIKEIKCODE"},
    {"dataset", "0.1.1", "CONSTRAINT", "KSSETSWKINIT_SYOKYAKUKCODE"},
    {"dataset", "0.1.1", "TRIGGER", "KSSETSWKINIT_BEFORE_INSERT"},
    {"dataset", "0.1.1", "TABLE", "KS_SETSWK_INIT"},
    {"dataset", "0.1.1", "CONSTRAINT", "KSSETSWK_BAIEKIKHCODE"},
    {"dataset", "0.1.1", "CONSTRAINT", "KSSETSWK_BAISONKHCODE"},
    {"dataset", "0.1.1", "CONSTRAINT", "KSSETSWK_JYOSONKHCODE"},
    {"dataset", "0.1.1", "CONSTRAINT", "KSSETSWK_KCODE"},
    {"dataset", "0.1.1", "CONSTRAINT", "KSSETSWK_RUIKEIKHCODE"},
    {"dataset", "0.1.1", "CONSTRAINT", "KSSETSWK_SCODE"},
    {"dataset", "0.1.1", "CONSTRAINT", "KSSETSWK_SYOKYAKUKHCODE"},
    {"dataset", "0.1.1", "TRIGGER", "KSSETSWK_BEFORE_INSERT"},
    {"dataset", "0.1.1", "TABLE", "KS_SETSWK"},
    {"dataset", "0.1.1", "CONSTRAINT", "KSSISAN_KHCODE"},
    {"dataset", "0.1.1", "CONSTRAINT", "KSSISAN_SCODE"},
    {"dataset", "0.1.1", "CONSTRAINT", "KSSISAN_SIHAKHCODE"},
    {"dataset", "0.1.1", "CONSTRAINT", "KSSISAN_SYUNYUKHCODE"},
    {"dataset", "0.1.1", "TABLE", "KS_SISAN"},
    {"dataset", "0.1.1", "PROCEDURE", "SP_MB_SELECT_SYUGYOU"},
    // Audit items.
    {"dataset", "0.1.3", "CONSTRAINT", "KANSA_ITEM_SIWAKE"},
    {"dataset", "0.1.3", "CONSTRAINT", "KANSA_ITEM_MOTO"},
    {"dataset", "0.1.3", "CONSTRAINT", "KANSA_ITEM_MOTBCODE"},
    {"dataset", "0.1.3", "CONSTRAINT", "KANSA_ITEM_MOTHCODE"},
    {"dataset", "0.1.3", "CONSTRAINT", "KANSA_ITEM_MOTKCODE"},
    {"dataset", "0.1.3", "CONSTRAINT", "KANSA_ITEM_TOZBCODE"},
    {"dataset", "0.1.3", "CONSTRAINT", "KANSA_ITEM_TOZHCODE"},
    {"dataset", "0.1.3", "CONSTRAINT", "KANSA_ITEM_TOZKCODE"},
    {"dataset", "0.1.3", "TABLE", "KANSA_ITEM"},
    // Cash-flow statement.
    {"dataset", "0.1.4", "TRIGGER", "CASHFMST_SISETU_BEFORE_INSERT"},
    {"dataset", "0.1.4", "TRIGGER", "CASHFMST_AFTER_INSERT"},
    {"dataset", "0.1.4", "CONSTRAINT", "CASHFMST_SISETU_SCODE"},
    {"dataset", "0.1.4", "CONSTRAINT", "CASHFMST_SISET_REC"},
    {"dataset", "0.1.4", "TABLE", "CASHFMST_SISETU"},
    // Dictionary references and blue-return tables.
    {"dataset", "0.1.5", "CONSTRAINT", "SWKDIC_KAR_KCODE"},
    {"dataset", "0.1.5", "CONSTRAINT", "SWKDIC_KAS_KCODE"},
    {"dataset", "0.1.5", "CONSTRAINT", "TEKDIC_KAR_KCODE"},
    {"dataset", "0.1.5", "CONSTRAINT", "TEKDIC_KAS_KCODE"},
    {"dataset", "0.1.5", "CONSTRAINT", "TORDIC_KAR_KCODE"},
    {"dataset", "0.1.5", "CONSTRAINT", "TORDIC_KAS_KCODE"},
    {"dataset", "0.1.5", "CONSTRAINT", "KANSA_ITEM_MOTKCODE"},
    {"dataset", "0.1.5", "CONSTRAINT", "KANSA_ITEM_TOZKCODE"},
    {"dataset", "0.1.5", "TRIGGER", "KAMOKUSZ_AFTER_UPDATE"},
    {"dataset", "0.1.5", "TRIGGER", "HOJOMST_BEFORE_DELETE"},
    // Account groups: the account view and the procedures that read it.
    {"dataset", "0.2.2", "TABLE", "CHARTINF"},
    {"dataset", "0.2.2", "VIEW", "KAMOKU_VIEW"},
    {"dataset", "0.2.2", "PROCEDURE", "SP_BUMONKAISIZAN_COUNT"},
    {"dataset", "0.2.2", "PROCEDURE", "SP_BUMONKAISIZAN_LIST"},
    {"dataset", "0.2.2", "PROCEDURE", "SP_KAISIZAN_COUNT"},
    {"dataset", "0.2.2", "PROCEDURE", "SP_KAISIZAN_LIST"},
    {"dataset", "0.2.2", "PROCEDURE", "SP_KANENDOZAN_YOMIKOMI"},
    {"dataset", "0.2.2", "PROCEDURE", "SP_KANENDO_BUMON_GROUPZANDAKA"},
    {"dataset", "0.2.2", "PROCEDURE", "SP_KANENDO_BUMON_ZANDAKA"},
    {"dataset", "0.2.2", "PROCEDURE", "SP_KANENDO_ZANDAKA"},
    {"dataset", "0.2.2", "PROCEDURE", "SP_MB_SELECT_KANENDOZAN"},
    {"dataset", "0.2.2", "PROCEDURE", "SP_MB_SELECT_YOSAN"},
    {"dataset", "0.2.2", "PROCEDURE", "SP_MB_SELECT_YOSOKU"},
    {"dataset", "0.2.2", "PROCEDURE", "SP_MB_UPDATE_JISSEKIYOSAN"},
    {"dataset", "0.2.2", "PROCEDURE", "SP_SISANHYO_BUMON"},
    {"dataset", "0.2.2", "PROCEDURE", "SP_SISANHYO_BUMON_GROUP"},
    {"dataset", "0.2.2", "PROCEDURE", "SP_YOSAN_READ"},
    {"dataset", "0.2.2", "PROCEDURE", "SP_ZENKURI"},
    {"dataset", "0.2.2", "PROCEDURE", "SP_KS_INSSETSWK_CALL_SISETU"},
    {"dataset", "0.2.2", "TABLE", "AO_RISI"},
    {"dataset", "0.2.2", "TABLE", "AO_FUDOUSAN"},
    // Past balances, capital carry-over and the system-account lookup.
    {"dataset", "0.3.1", "PROCEDURE", "SP_KANENDO_BUMON_GROUPZANDAKA"},
    {"dataset", "0.3.1", "TRIGGER", "KAMOKU_PZ_AFTER_UPDATE"},
    {"dataset", "0.3.4", "PROCEDURE", "SYSKMKCODEINF"},
    {"dataset", "1.0.0", "TRIGGER", "KAMOKUSZ_AFTER_UPDATE"},
    {"dataset", "1.0.1", "PROCEDURE", "SP_KANENDO_ZANDAKA"},
    {"dataset", "1.0.1", "PROCEDURE", "SP_KANENDO_BUMON_ZANDAKA"},
    {"dataset", "1.0.1", "PROCEDURE", "SP_KANENDO_GROUPZANDAKA"},
    {"dataset", "1.0.2", "PROCEDURE", "SP_SIWAKE_REPAIR"},
    {"dataset", "1.0.2", "PROCEDURE", "SP_SISANHYO_BUMON"},
    {"dataset", "1.0.3", "PROCEDURE", "SP_MOTOIREKIN_KURIIRE"},
    // Balance and list procedures.
    {"dataset", "1.0.3", "PROCEDURE", "SP_ZEIGAKU_ADD"},
    {"dataset", "1.0.3", "PROCEDURE", "SP_SISANHYO_BUMON"},
    {"dataset", "1.0.3", "PROCEDURE", "SP_SISANHYO_BUMON_A4"},
    {"dataset", "1.0.3", "PROCEDURE", "SP_SISANHYO_BUMON_A3"},
    {"dataset", "1.0.3", "PROCEDURE", "SP_MONITOR_LISTUP"},
    {"dataset", "1.0.3", "PROCEDURE", "SP_MONITOR_LISTDOWN"},
    {"dataset", "1.0.5", "TABLE", "ACCTOTALNAME"},
    {"dataset", "2.0.0", "PROCEDURE", "SP_SIWAKE_DEL"},
    {"dataset", "2.0.0", "TRIGGER", "ACCDEF1_BEFORE_UPDATE"},
    {"dataset", "2.0.0", "TRIGGER", "SIWAKE_AFTER_DELETE"},
    {"dataset", "2.0.0", "CONSTRAINT", "TEKDIC_KAS_BCODE"},
    {"dataset", "2.0.0", "CONSTRAINT", "TORDIC_KAS_BCODE"},
    {"dataset", "2.0.0", "PROCEDURE", "SP_SISANHYO_A4"},
    {"dataset", "2.0.0", "PROCEDURE", "SP_SISANHYO_A3"},
    {"dataset", "2.0.0", "PROCEDURE", "SP_SISANHYO_BUMON_A4"},
    {"dataset", "2.0.0", "PROCEDURE", "SP_SISANHYO_BUMON_A3"},
    {"dataset", "2.0.0", "PROCEDURE", "SP_SISANHYO_KESSAN"},
    {"dataset", "2.0.0", "PROCEDURE", "SP_YOSAN_READ"},
    {"dataset", "2.0.0", "PROCEDURE", "SP_UPDATE_YOSANSUB"},
    {"dataset", "2.0.0", "PROCEDURE", "SP_UPDATE_YOSAN"},
    {"dataset", "2.0.0", "PROCEDURE", "SP_SETHOJOKAISIZAN"},
    {"dataset", "2.0.4", "PROCEDURE", "SP_MONITOR_LISTUP"},
    {"dataset", "2.0.4", "PROCEDURE", "SP_MONITOR_LISTDOWN"},
    {"dataset", "2.0.4", "PROCEDURE", "SP_SIWAKE_UPD"},
    {"dataset", "2.0.0", "PROCEDURE", "SP_MONITOR_LISTUP"},
    {"dataset", "2.0.0", "PROCEDURE", "SP_MONITOR_LISTDOWN"},
    {"dataset", "2.0.0", "PROCEDURE", "SP_CONVERT_12TO16"},
    {"dataset", "2.0.0", "PROCEDURE", "SP_YOJITU_AMOUNTS"},
    {"dataset", "2.0.0", "PROCEDURE", "SP_KURIKOSIBUMONZANDAKA"},
    {"dataset", "2.0.0", "PROCEDURE", "SP_KURIKOSIZANDAKA"},
    {"dataset", "2.0.4", "PROCEDURE", "SP_SISANHYO_A4"},
    {"dataset", "2.0.4", "PROCEDURE", "SP_SISANHYO_A3"},
    {"dataset", "2.0.4", "PROCEDURE", "SP_SISANHYO_BUMON_A4"},
    {"dataset", "2.0.4", "PROCEDURE", "SP_SISANHYO_BUMON_A3"},
    {"dataset", "2.0.4", "PROCEDURE", "SP_SISANHYO_KESSAN"},
    {"dataset", "2.0.4", "PROCEDURE", "SP_KANENDO_BUMON_GROUPZANDAKA"},
    {"dataset", "14.0.0", "TRIGGER", "ACCVERSION_AFTER_UPDATE"},
};

} // namespace vq::test::manifest
