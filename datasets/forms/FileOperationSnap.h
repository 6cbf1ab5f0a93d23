#pragma once
// The place dialogs of the data-set save and restore for the picture tool
// (tools/snap), set up as the selection screen shows them, with a few places
// in the list and no history file touched.
class QWidget;

namespace vq {

QWidget* SnapSavePlaceDialog();
QWidget* SnapRestorePlaceDialog();

} // namespace vq
