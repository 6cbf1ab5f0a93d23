#pragma once
// The web-meeting settings of the open data set (ACCREG group
// "ＷＥＢ会議設定") and the mail switch of its communication settings: what
// the web-meeting screen edits, the relay send asks before and resets after,
// and the analysis upload sends. Reads insert a missing setting with its
// default; every write runs in one transaction of the data set (joining the
// caller's when one is active), so a failure leaves nothing half saved.
#include <cstdint>
#include <string>
#include <string_view>

namespace vq::comm {

inline constexpr const char* MeetingGroup = "ＷＥＢ会議設定";

struct TMeetingSettings {
    std::int32_t MeetingOn = 0;        // 1: a web meeting is used
    std::string MeetingUrl;            // trimmed
    std::int32_t MeetingDateMode = 2;  // 0 none this time, 1 the mail states the start, 2 announced later
    double MeetingDate = 0;            // day number; 0 none
    std::int32_t CloudKubun = 0;       // 1: a relay send also mails the client through the analysis cloud
};

// Reads the five settings. Throws db::DbError.
TMeetingSettings LoadMeetingSettings();
// A relay send announces a meeting: mail notification on and a meeting used
// with a URL.
bool MeetingAnnounced(const TMeetingSettings& s);
// The URL, trimmed of half- and full-width blanks, begins with "https://" or
// "http://" (case-sensitive): the only addresses the screens open or accept.
bool IsWebUrl(std::string_view url);

// The settings mode's save: the meeting switch, the URL as typed, the mail
// switch and, in ACCDEF1 row 1, the communication ID (without "-") and
// password; AccInf follows after the commit. Throws db::DbError.
void SaveMeetingBase(bool meetingOn, const std::string& url, bool mail, const std::string& commId,
                     const std::string& password);
// The meeting-date question's save. Throws db::DbError.
void SaveMeetingDate(std::int32_t mode, double date);
// After a relay send that announced a meeting: the start is "announced
// later" again and the date empty. Throws db::DbError.
void ResetMeetingDateSettings();

} // namespace vq::comm
