#pragma once
// The shared-data screen for the picture tool (tools/snap shareddata): a copy
// of the office under VQ_ROOT with a network drive of three areas (two data
// sets of the office and an empty area), removed when the tool ends.
class QWidget;

namespace vq {

QWidget* SnapServerSentakuBox();

} // namespace vq
