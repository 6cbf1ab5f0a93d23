#include "dbupdate/steps/z5MenuListOldHistory.h"

#include "foundation/app/RunState.h"
#include "foundation/text/TextUtils.h"

namespace vq::z5MenuListOldHistory {

namespace {

struct Placed {
    std::int32_t page, menu;
    const char* procId;
    const char* options;
};

// Positions with a program; every other position of pages 1 to 10 is free.
const Placed kGeneral[] = {
    {1, 0, "QzSiwake", "SyoriType=1"},
    {1, 1, "QzSiwake", "SyoriType=0"},
    {1, 2, "QzMonitor", ""},
    {1, 3, "QzMotocho", "SyoriType=0"},
    {1, 4, "QzSisanhyo", ""},
    {1, 5, "QzNippou", ""},
    {1, 10, "QzDataGassan", ""},
    {2, 0, "QzHojinKessansyo", ""},
    {2, 1, "QzCashFlow", ""},
    {2, 2, "QzIkkatuPrint", ""},
    {2, 3, "QzGaikyosyo", ""},
    {2, 5, "QzKojinKessansyo", ""},
    {2, 6, "QzGenkaSyokyaku", ""},
    {2, 7, "QzTouzaChoseihyo", "SyoriType=0"},
    {2, 10, "QzNendoKousin", ""},
    {2, 11, "QzKurikosiChosei", ""},
    {2, 14, "QzIkkatuZeinuki", ""},
    {2, 15, "QzDensiChoubo", ""},
    {3, 0, "QzTaxKazeiSet", ""},
    {3, 1, "QzTaxSinkokusyo", ""},
    {3, 2, "QzTaxUtiwakesyo", ""},
    {3, 3, "QzTaxSyukeihyo", ""},
    {3, 4, "QzTaxSisanhyo", ""},
    {3, 5, "QzTaxSinkokusyoSyusei", ""},
    {4, 0, "QzSimulation", ""},
    {4, 1, "QzGetujiHikakuGraph", ""},
    {4, 2, "QzSankiHikakuGraph", ""},
    {4, 3, "QzSankiKamokuGraph", ""},
    {4, 4, "QzKeieiBunseki", ""},
    {4, 5, "QzSogoHikakuPL", ""},
    {4, 6, "QzYojitutaihi", ""},
    {4, 7, "QzYosoku", ""},
    {4, 8, "QzGetujiHikaku", ""},
    {4, 9, "QzSankiHikaku", ""},
    {4, 10, "QzBumonHikakuBL", ""},
    {4, 11, "QzSikinguri", ""},
    {4, 12, "QzSitenHikakuBL", ""},
    {4, 17, "QzKanendoZan", ""},
    {4, 18, "QzYosan", ""},
    {4, 19, "QzZenkamoku2", ""},
    {5, 0, "QzKihon2", ""},
    {5, 1, "QzBumon2", ""},
    {5, 2, "QzKamoku2", ""},
    {5, 3, "QzKaisizan2", ""},
    {5, 4, "QzBumKaisizan2", ""},
    {5, 5, "QzSitenGroup", ""},
    {5, 15, "QzCodeHenkou", ""},
    {6, 0, "QzCodeTaikei", ""},
    {6, 1, "QzOperator", ""},
    {6, 5, "QzSiwakeText", "SyoriType=2"},
    {6, 6, "QzSiwakeText", "SyoriType=1"},
    {6, 7, "QzSiwakeText", "SyoriType=0"},
    {6, 10, "QzSiwakeJisyoCP", ""},
    {6, 11, "QzSiwakeJisyoEx", "SyoriType=0"},
    {6, 12, "QzSiwakeJisyoEx", "SyoriType=1"},
    {6, 13, "QzBookmarkSet", ""},
    {6, 15, "QzSiwakeSyufuku", ""},
    {6, 19, "QzChouboSet", ""},
    {7, 0, "QzUtiwake01", ""},
    {7, 1, "QzUtiwake02", ""},
    {7, 2, "QzUtiwake03", ""},
    {7, 3, "QzUtiwake04", ""},
    {7, 4, "QzUtiwake05", ""},
    {7, 5, "QzUtiwake06", ""},
    {7, 6, "QzUtiwake07", ""},
    {7, 7, "QzUtiwake08", ""},
    {7, 8, "QzUtiwake09", ""},
    {7, 9, "QzUtiwake10", ""},
    {7, 10, "QzUtiwake11", ""},
    {7, 11, "QzUtiwake12", ""},
    {7, 12, "QzUtiwake13", ""},
    {7, 13, "QzUtiwake14", ""},
    {7, 14, "QzUtiwake15", ""},
    {7, 15, "QzUtiwake16", ""},
    {7, 16, "QzUtiwake17", ""},
    {7, 19, "QzUtiwakeAll", ""},
    {8, 0, "QzDataTusin", "SyoriType=1"},
    {8, 1, "QzDataTusin", "SyoriType=2"},
    {8, 2, "QzTusinSettei", "SyoriType=1"},
    {8, 5, "QzTovHozn", "SyoriType=1"},
    {8, 6, "QzTovHozn", "SyoriType=2"},
    {8, 10, "QzDataTusin", "SyoriType=3"},
    {8, 11, "QzDataTusin", "SyoriType=4"},
    {8, 12, "QzTusinSettei", "SyoriType=2"},
    {8, 13, "QzDataTusin", "SyoriType=8"},
    {8, 14, "QzDataTusin", "SyoriType=5"},
    {9, 0, "QzKansa", ""},
    {9, 1, "QzOASettei", ""},
    {9, 2, "QzAoInfo", ""},
    {9, 3, "QzHalbrinMenuCtl", ""},
    {9, 4, "QzAoProMenu", ""},
    {10, 0, "QzHalbrin1", ""},
    {10, 1, "QzHalbrin_HendouSoneki", ""},
    {10, 10, "QzHikakuSuiihyo", ""},
};

// What the medical-corporation layout has of its own; its other pages, and
// the rest of pages 4 and 5, are those of the general layout.
const Placed kMedicalOwn[] = {
    {2, 0, "QzMBKessansyo", ""},
    {2, 1, "QzMBKessansyoSisetsu", ""},
    {2, 2, "QzMBHokukuJigyo", ""},
    {2, 3, "QzMBHokukuZaisan", ""},
    {2, 4, "QzMBHokukuKansa", ""},
    {2, 5, "QzCashFlow", ""},
    {2, 6, "QzIkkatuPrint", ""},
    {2, 7, "QzGaikyosyo", ""},
    {2, 8, "QzGenkaSyokyaku", ""},
    {2, 9, "QzTouzaChoseihyo", "SyoriType=0"},
    {2, 10, "QzNendoKousin", ""},
    {2, 11, "QzKurikosiChosei", ""},
    {2, 14, "QzIkkatuZeinuki", ""},
    {2, 15, "QzDensiChoubo", ""},
    {4, 4, "QzKeieiBunseki2", ""},
    {4, 7, "QzYosoku2", ""},
    {4, 18, "QzYosan2", ""},
    {5, 2, "QzMBKamoku2", ""},
    {10, 10, "QzHikakuSuiihyo", ""},
    {11, 0, "QzFuzokuKikan", ""},
    {11, 1, "QzFuzokuM01", ""},
    {11, 2, "QzFuzokuM02", ""},
    {11, 3, "QzFuzokuM03", ""},
    {11, 4, "QzFuzokuM04", ""},
    {11, 5, "QzFuzokuM05", ""},
    {11, 6, "QzFuzokuM06", ""},
    {11, 7, "QzFuzokuM07", ""},
    {11, 8, "QzFuzokuM08", ""},
    {11, 9, "QzFuzokuM09", ""},
    {11, 10, "QzFuzokuR01", ""},
    {11, 11, "QzFuzokuR02", ""},
    {11, 12, "QzFuzokuR03", ""},
    {11, 13, "QzFuzokuR04", ""},
    {11, 14, "QzFuzokuR05", ""},
    {11, 19, "QzFuzokuIkkatu", ""},
    {12, 0, "QzGenkaHaifuSettei", ""},
    {12, 1, "QzGenkaKeisan01", ""},
    {12, 2, "QzGenkaKeisan02", ""},
    {12, 3, "QzGenkaKeisan03", ""},
    {12, 4, "QzGenkaKeisan04", ""},
    {12, 5, "QzGenkaKeisan05", ""},
    {12, 6, "QzGenkaKeisan06", ""},
    {12, 7, "QzGenkaKeisan07", ""},
    {12, 8, "QzGenkaKeisan08", ""},
    {12, 9, "QzGenkaKeisan09", ""},
    {12, 10, "QzGenkaKeisan10", ""},
    {12, 11, "QzGenkaKeisan11", ""},
};

std::vector<TMenuListRec> freePages(std::int32_t pages)
{
    std::vector<TMenuListRec> list(static_cast<std::size_t>(pages) * 20);
    for (std::size_t i = 0; i < list.size(); ++i) {
        list[i].PageNo = static_cast<std::int32_t>(i / 20) + 1;
        list[i].MenuNo = static_cast<std::int32_t>(i % 20);
    }
    return list;
}

void place(std::vector<TMenuListRec>& list, const Placed& p)
{
    auto& entry = list[static_cast<std::size_t>((p.page - 1) * 20 + p.menu)];
    entry.ProcId = p.procId;
    entry.Options = p.options;
}

} // namespace

const std::vector<TMenuListRec>& GeneralMenuList()
{
    static const std::vector<TMenuListRec> list = [] {
        auto pages = freePages(10);
        for (const auto& p : kGeneral)
            place(pages, p);
        return pages;
    }();
    return list;
}

const std::vector<TMenuListRec>& MedicalMenuList()
{
    static const std::vector<TMenuListRec> list = [] {
        auto pages = freePages(12);
        for (const auto& p : kGeneral)
            if (p.page != 2 && p.page != 10)
                place(pages, p);
        for (const auto& p : kMedicalOwn)
            place(pages, p);
        return pages;
    }();
    return list;
}

std::string GetOldMenuProcId(std::int32_t levelNo, std::int32_t pageNo, std::int32_t menuNo, std::string& procId,
                             std::string& procOption)
{
    procId.clear();
    procOption.clear();
    const bool medical = levelNo > 1000;
    for (const auto& entry : medical ? MedicalMenuList() : GeneralMenuList()) {
        if (entry.PageNo == pageNo && entry.MenuNo == menuNo) {
            procId = entry.ProcId;
            procOption = GetLineByName(entry.Options, "SyoriType");
            break;
        }
    }
    // The distributor editions started their own programs from four places
    // of the general layout's first page.
    if (!medical && (OemKind == 1 || OemKind == 2) && pageNo == 1) {
        switch (menuNo) {
        case 15: procId = "QzTellmarSiwake"; procOption = "SyoriType=1"; break;
        case 17: procId = "QzKobetuIchiranhyo"; procOption.clear(); break;
        case 18: procId = "QzKobetuMeisaihyo"; procOption.clear(); break;
        case 19: procId = "QzKobetuMotocho"; procOption.clear(); break;
        default: break;
        }
    }
    return procId;
}

} // namespace vq::z5MenuListOldHistory
