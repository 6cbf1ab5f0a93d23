#pragma once
// The communication screen for the picture tool (tools/snap datatusin): the
// cloud-share slot choice with three slots listed (one free, one in use, the
// data set's own), drawn without a server or a database; and its difference
// window (tools/snap difference, difference-refusal).
class QWidget;

namespace vq::comm {

QWidget* SnapDataTusin();

// The difference window of a cash-book send with the password, the company
// and the period differing; with refusal, the refusal of an automatic
// receive whose company and period differ.
QWidget* SnapDifferenceWindow(bool refusal);

} // namespace vq::comm
