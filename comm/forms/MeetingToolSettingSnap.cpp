#include "comm/forms/MeetingToolSettingSnap.h"

#include "comm/forms/TMeetingToolSettingBox.h"
#include "foundation/app/AccInf.h"

namespace vq::comm {

QWidget* SnapMeetingToolSetting()
{
    AccInf.WEB_HOLDER = "abcd12345678";
    AccInf.PASWORD = "ABC123";
    auto* screen = new TMeetingToolSettingBox;
    screen->Settings.MeetingOn = 1;
    screen->Settings.MeetingUrl = "https://meeting.example/j/1234567890?pwd=abc";
    screen->Settings.CloudKubun = 1;
    screen->LoadSettings();
    return screen;
}

} // namespace vq::comm
