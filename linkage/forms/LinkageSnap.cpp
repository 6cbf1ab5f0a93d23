#include "linkage/forms/LinkageSnap.h"

#include "foundation/app/SystemDef.h"
#include "linkage/LinkageStartup.h"
#include "linkage/forms/TForm1.h"
#include "platform/RegistryStore.h"
#include "ui/forms/TLogonBox.h"

#include <QTemporaryDir>

namespace vq::linkage {

namespace {

// A data root of its own, with an installed accounting product in it, so a
// picture never touches the real folders.
void sampleRoot()
{
    static QTemporaryDir root;
    qputenv("VQ_ROOT", root.path().toLocal8Bit());
    auto store = platform::RegistryStore::machine();
    store.writeString("SOFTWARE\\DRAXON\\ZEVERIVUREV14", "Product", "ヴォルレン財務 Ver.22");
    store.writeString("SOFTWARE\\DRAXON\\ZEVERIVUREV14", "Version", "14.0.0");
}

} // namespace

QWidget* SnapLinkageWizard()
{
    sampleRoot();
    auto* form = new TForm1;
    form->LogonRunner = [] { return true; };
    form->FormCreate({});
    return form;
}

QWidget* SnapLinkageLogon()
{
    sampleRoot();
    SystemDef.AppTitle = kComponentName;
    SystemDef.IniFileName = "/nonexistent/dozevid.ini";
    return new ui::TLogonBox;
}

} // namespace vq::linkage
