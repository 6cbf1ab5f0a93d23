#include "foundation/data/MsdHoukoku.h"

#include "foundation/data/DataModule.h"
#include "foundation/data/QueryFactory.h"
#include "platform/db/DbError.h"
#include "platform/db/Transaction.h"

namespace vq {

namespace {

constexpr const char* kProfileGroup = "法人概要";

bool isProfileType(std::string_view type)
{
    return type == kTypeText || type == kTypeBool || type == kTypeDate || type == kTypeInteger ||
           type == kTypeCurrency;
}

std::string profileText(const std::string& code, const std::string& defaultText)
{
    SettingValue v;
    GetMsdHoukoku(kProfileGroup, code, std::string(kTypeText), defaultText, v);
    return v.asString();
}

} // namespace

void GetMsdHoukoku(const std::string& group, const std::string& code, const std::string& typeName,
                   const std::string& defaultText, SettingValue& value)
{
    auto q = CreateAccQuery(kAccDat, false);
    if (!q)
        throw db::DbError("no data module to reach the data set's database");
    // A caller's open transaction is left to the caller: committing it here
    // would make its later rollback undo nothing.
    db::TransactionScope scope(DM->IBTransactionDAT);
    q->setSql("SELECT MDTEXT1 FROM MSD_HOUKOKU WHERE MDGROUP=:MDGROUP AND MDCODE=:MDCODE ");
    q->param("MDGROUP").setString(group);
    q->param("MDCODE").setString(code);
    q->execute();
    std::string text;
    if (q->fetch()) {
        text = q->field("MDTEXT1").asString();
        q->close();
    } else {
        q->close();
        text = defaultText;
        q->setSql("INSERT INTO MSD_HOUKOKU(MDGROUP,MDCODE,MDTYPE,MDTEXT1) VALUES(:MDGROUP,:MDCODE,:MDTYPE,:MDTEXT1)");
        q->param("MDGROUP").setString(group);
        q->param("MDCODE").setString(code);
        q->param("MDTYPE").setString(typeName);
        q->param("MDTEXT1").setString(defaultText);
        q->execute();
    }
    value = isProfileType(typeName) ? SettingValueOf(typeName, text) : SettingValue(std::string(kDataTypeError));
    q->close();
    scope.commit();
}

bool IsZaidanSyakaiTokutei()
{
    if (profileText("財団社団", "") == "財団")
        return true;
    if (profileText("医療法人", "") == "社会")
        return true;
    return profileText("医療法人", "") == "特定";
}

bool HasKikin()
{
    return profileText("基金", "無") == "有";
}

} // namespace vq
