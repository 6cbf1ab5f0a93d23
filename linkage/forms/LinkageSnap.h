#pragma once
// The linkage tool's screens for the picture tool (tools/snap): the wizard's
// first page and the logon as the tool shows it, on a throw-away data root.
class QWidget;

namespace vq::linkage {

QWidget* SnapLinkageWizard();
QWidget* SnapLinkageLogon();

} // namespace vq::linkage
