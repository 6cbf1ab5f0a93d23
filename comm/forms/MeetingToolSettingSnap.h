#pragma once
// The web-meeting settings screen for the picture tool (tools/snap
// meetingtool): a meeting with its URL, mail notification on and the data
// set's communication ID, drawn without a database.
class QWidget;

namespace vq::comm {

QWidget* SnapMeetingToolSetting();

} // namespace vq::comm
