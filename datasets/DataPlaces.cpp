#include "datasets/DataPlaces.h"

#include <algorithm>
#include <cstdio>

#include "datasets/DataSentakuListCtl.h"
#include "foundation/app/RunState.h"
#include "foundation/data/DataModule.h"
#include "foundation/files/FileOperations.h"
#include "foundation/text/TextUtils.h"
#include "platform/Cp932.h"
#include "platform/Interaction.h"
#include "platform/db/Transaction.h"

namespace vq {

namespace {

constexpr std::int32_t kPlaceCount = 100;

std::string placePath(std::int32_t rec)
{
    const std::string root = TDataSentakuListCtl::DataRoot();
    if (rec == 0)
        return root;
    char suffix[8];
    std::snprintf(suffix, sizeof suffix, "%.2d", rec);
    return root + suffix;
}

void inform(const std::string& text)
{
    platform::showMessage(text, platform::MessageKind::Information);
}

} // namespace

TDataPlaceStore::TDataPlaceStore() : IBSQL1(DM->IBDatabaseDEF.attachment(), DM->IBTransactionDEF) {}

bool TDataPlaceStore::LoadPlaces(bool namedOnly)
{
    Places.clear();
    db::TransactionScope scope(DM->IBTransactionDEF);
    try {
        IBSQL1.setSql("SELECT COUNT(REC) AS RECCNT FROM DATAPLACEMAN");
        IBSQL1.execute();
        const std::int32_t count = IBSQL1.fetch() ? IBSQL1.field("RECCNT").asInt() : 0;
        IBSQL1.close();
        if (count == 0) {
            const std::string root = TDataSentakuListCtl::DataRoot();
            IBSQL1.setSql("INSERT INTO DATAPLACEMAN(REC,ORDERKBN,NAME,PATH)\nVALUES(:REC,:ORDERKBN,:NAME,:PATH)");
            for (std::int32_t rec = 0; rec < kPlaceCount; ++rec) {
                IBSQL1.param("REC").setInt(rec);
                IBSQL1.param("ORDERKBN").setInt(rec + 1);
                IBSQL1.param("NAME").setString(rec != 0 ? std::string()
                                               : platform::cp932::byteLength(root) > 40 ? "標準の場所" : root);
                IBSQL1.param("PATH").setString(placePath(rec));
                IBSQL1.execute();
            }
        }
        const std::string where = namedOnly ? "\nWHERE NAME<>''" : "";
        IBSQL1.setSql("SELECT COUNT(REC) AS RECCNT FROM DATAPLACEMAN" + where);
        IBSQL1.execute();
        Places.reserve(static_cast<std::size_t>(IBSQL1.fetch() ? IBSQL1.field("RECCNT").asInt() : 0));
        IBSQL1.close();
        IBSQL1.setSql("SELECT REC,ORDERKBN,NAME,PATH FROM DATAPLACEMAN" + where + "\nORDER BY ORDERKBN,REC");
        IBSQL1.execute();
        while (IBSQL1.fetch()) {
            TDataPlaceRec place;
            place.REC = IBSQL1.field("REC").asInt();
            place.ORDERKBN = IBSQL1.field("ORDERKBN").asInt();
            place.NAME = IBSQL1.field("NAME").asString();
            place.PATH = IBSQL1.field("PATH").asString();
            Places.push_back(place);
        }
        scope.commit();
        return true;
    } catch (const std::exception&) {
        IBSQL1.close();
        return false;
    }
}

void TDataPlaceStore::SavePlaces()
{
    db::TransactionScope scope(DM->IBTransactionDEF);
    for (const auto& place : Places) {
        if (place.State <= 0)
            continue;
        IBSQL1.setSql("UPDATE DATAPLACEMAN SET ORDERKBN=:ORDERKBN,NAME=:NAME\nWHERE REC=:REC");
        IBSQL1.param("ORDERKBN").setInt(place.ORDERKBN);
        IBSQL1.param("NAME").setString(place.NAME);
        IBSQL1.param("REC").setInt(place.REC);
        IBSQL1.execute();
        if (place.State == 1) {
            IBSQL1.setSql("SELECT REC FROM SP_DATALIST_INSERT(:REC,:PATH,:MAXCNT)");
            IBSQL1.param("REC").setInt(place.REC);
            IBSQL1.param("PATH").setString(place.PATH);
            IBSQL1.param("MAXCNT").setInt(TDataSentakuListCtl::FixedSlotCount());
            IBSQL1.execute();
            while (IBSQL1.fetch()) {
            }
        } else if (place.State == 9) {
            IBSQL1.setSql("DELETE FROM DATALIST_EX\nWHERE DATAPLACEREC=:REC");
            IBSQL1.param("REC").setInt(place.REC);
            IBSQL1.execute();
        }
    }
    scope.commit();
    for (auto& place : Places)
        place.State = 0;
}

void TDataPlaceStore::GetPlaceNames(std::string& text)
{
    text.clear();
    LoadPlaces(true);
    for (const auto& place : Places)
        text += place.NAME + "\r";
}

std::int32_t TDataPlaceStore::GetPlaceRec(std::int32_t index) const
{
    if (index < 0 || index >= static_cast<std::int32_t>(Places.size()))
        return -1;
    return Places[static_cast<std::size_t>(index)].REC;
}

void TDataPlaceStore::GetPlacePath(std::int32_t index, std::string& path) const
{
    path.clear();
    if (index >= 0 && index < static_cast<std::int32_t>(Places.size()))
        path = Places[static_cast<std::size_t>(index)].PATH;
}

std::int32_t TDataPlaceStore::IndexOfPlaceRec(std::int32_t rec) const
{
    for (std::size_t i = 0; i < Places.size(); ++i)
        if (Places[i].REC == rec)
            return static_cast<std::int32_t>(i);
    return -1;
}

void TDataPlaceStore::GetPlacePathOfRec(std::int32_t rec, std::string& path) const
{
    GetPlacePath(IndexOfPlaceRec(rec), path);
}

bool TDataPlaceStore::CreatePlace(std::int32_t index, const std::string& name)
{
    if (index < 0 || index >= static_cast<std::int32_t>(Places.size()))
        return false;
    auto& place = Places[static_cast<std::size_t>(index)];
    if (TrimZenSpace(name).empty()) {
        inform("名称が入力されていません。");
        return false;
    }
    if (FileOpDExist(place.PATH, ConnectMode)) {
        inform("既にデータサーバーにフォルダが作成されています。");
    } else if (!FileOpMkDir(place.PATH, ConnectMode)) {
        inform("データサーバーへフォルダの作成に失敗しました。");
        return false;
    }
    place.NAME = name;
    place.State = 1;
    SavePlaces();
    return true;
}

bool TDataPlaceStore::RenamePlace(std::int32_t index, const std::string& name)
{
    if (index < 0 || index >= static_cast<std::int32_t>(Places.size()))
        return false;
    if (TrimZenSpace(name).empty()) {
        inform("名称が入力されていません。");
        return false;
    }
    auto& place = Places[static_cast<std::size_t>(index)];
    place.NAME = name;
    place.State = 2;
    SavePlaces();
    return true;
}

bool TDataPlaceStore::DeletePlace(std::int32_t index)
{
    if (index < 0 || index >= static_cast<std::int32_t>(Places.size()))
        return false;
    auto& place = Places[static_cast<std::size_t>(index)];
    if (place.REC == 0)
        return false;
    bool holdsData = false;
    try {
        db::TransactionScope scope(DM->IBTransactionDEF);
        IBSQL1.setSql("SELECT PASNAME FROM DATALIST_EX\nWHERE (DATAPLACEREC=:REC)\nORDER BY REC");
        IBSQL1.param("REC").setInt(place.REC);
        IBSQL1.execute();
        while (!holdsData && IBSQL1.fetch())
            holdsData = FileOpDExist(IBSQL1.field("PASNAME").asString(), ConnectMode);
        IBSQL1.close();
        scope.commit();
    } catch (const std::exception&) {
        IBSQL1.close();
        holdsData = true;
    }
    if (holdsData) {
        inform("このフォルダ配下には会計データが存在しているため削除することが出来ません。\r"
               "どうしても削除を行いたい場合は、配下の会計データをすべて削除してから処理して下さい。");
        return false;
    }
    if (platform::showMessage("[" + place.NAME + "]を削除します。よろしいですか？", platform::MessageKind::Confirmation,
                              platform::Buttons::OkCancel) != platform::ResultOk)
        return false;
    place.NAME.clear();
    place.State = 9;
    SavePlaces();
    return true;
}

bool TDataPlaceStore::MovePlace(std::int32_t index, std::int32_t delta)
{
    const std::int32_t target = index + delta;
    const auto size = static_cast<std::int32_t>(Places.size());
    if (index < 0 || index >= size || target < 0 || target >= size || delta == 0)
        return false;
    std::swap(Places[static_cast<std::size_t>(index)], Places[static_cast<std::size_t>(target)]);
    for (std::int32_t i = 0; i < size; ++i) {
        auto& place = Places[static_cast<std::size_t>(i)];
        if (place.ORDERKBN != i + 1) {
            place.ORDERKBN = i + 1;
            place.State = std::max(place.State, 2);
        }
    }
    SavePlaces();
    return true;
}

} // namespace vq
