#include "comm/MeetingSettings.h"

#include "foundation/app/AccInf.h"
#include "foundation/data/AccRegSettings.h"
#include "foundation/data/DataModule.h"
#include "foundation/text/TextUtils.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

namespace vq::comm {

namespace {

constexpr const char* UseCode = "ＷＥＢ会議を行う";
constexpr const char* UrlCode = "ＵＲＬ";
constexpr const char* DateModeCode = "開催日時を指定";
constexpr const char* DateCode = "開催日時";
constexpr const char* CommGroup = "通信設定";
constexpr const char* CloudCode = "クラウド区分";

const std::string Integer(kTypeInteger);
const std::string Text(kTypeText);
const std::string DateTime(kTypeDateTime);

} // namespace

TMeetingSettings LoadMeetingSettings()
{
    TMeetingSettings s;
    s.MeetingOn = GetAccRegInt(MeetingGroup, UseCode, "0");
    s.MeetingUrl = TrimZenSpace(GetAccRegText(MeetingGroup, UrlCode, ""));
    s.MeetingDateMode = GetAccRegInt(MeetingGroup, DateModeCode, "2");
    s.MeetingDate = GetAccRegDateTime(MeetingGroup, DateCode, "0.0");
    s.CloudKubun = GetAccRegInt(CommGroup, CloudCode, "0");
    return s;
}

bool MeetingAnnounced(const TMeetingSettings& s)
{
    return s.CloudKubun == 1 && s.MeetingOn == 1 && !s.MeetingUrl.empty();
}

bool IsWebUrl(std::string_view url)
{
    const std::string t = TrimZenSpace(url);
    return t.rfind("https://", 0) == 0 || t.rfind("http://", 0) == 0;
}

void SaveMeetingBase(bool meetingOn, const std::string& url, bool mail, const std::string& commId,
                     const std::string& password)
{
    db::TransactionScope scope(DM->IBTransactionDAT);
    PutAccReg(MeetingGroup, UseCode, Integer, SettingValue(std::int32_t{meetingOn ? 1 : 0}));
    PutAccReg(MeetingGroup, UrlCode, Text, SettingValue(url));
    PutAccReg(CommGroup, CloudCode, Integer, SettingValue(std::int32_t{mail ? 1 : 0}));
    db::Statement q(DM->IBDatabaseDAT.attachment(), DM->IBTransactionDAT,
                    "UPDATE ACCDEF1 SET PASWORD=:PASWORD,WEB_HOLDER=:WEB_HOLDER WHERE REC=:REC");
    q.param("PASWORD").setString(password);
    q.param("WEB_HOLDER").setString(commId);
    q.param("REC").setInt(1);
    q.execute();
    scope.commit();
    AccInf.WEB_HOLDER = commId;
    AccInf.PASWORD = password;
    AccInf.CommHolder[0] = commId;
    AccInf.CommPassword[0] = password;
    AccInf.CloudKubun = mail ? 1 : 0;
}

void SaveMeetingDate(std::int32_t mode, double date)
{
    db::TransactionScope scope(DM->IBTransactionDAT);
    PutAccReg(MeetingGroup, DateModeCode, Integer, SettingValue(mode));
    PutAccReg(MeetingGroup, DateCode, DateTime, SettingValue(date));
    scope.commit();
}

void ResetMeetingDateSettings()
{
    SaveMeetingDate(2, 0.0);
}

} // namespace vq::comm
