#pragma once
// The communication screen for the picture tool (tools/snap datatusin): the
// cloud-share slot choice with three slots listed (one free, one in use, the
// data set's own), drawn without a server or a database.
class QWidget;

namespace vq::comm {

QWidget* SnapDataTusin();

} // namespace vq::comm
