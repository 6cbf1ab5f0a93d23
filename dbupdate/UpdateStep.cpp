#include "dbupdate/UpdateStep.h"

#include <stdexcept>

#include "dbupdate/IsqlRunner.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"

namespace vq {

namespace {

// Leaves the connection as it found it, on every path.
class StepConnection {
public:
    explicit StepConnection(std::uint8_t mode) : mode_(mode)
    {
        if (!DM)
            throw std::runtime_error("no data module");
        DmDatabase& database = mode == 0 ? DM->IBDatabaseDEF : DM->IBDatabaseDAT;
        if (database.connected())
            return;
        const bool ok = mode == 0 ? DM->fnAccDefConnected({}, 1)
                                  : DM->fnAccDatConnected({}, SystemDef.DataDir, 0);
        opened_ = true;
        if (!ok || !database.connected())
            throw std::runtime_error("the step's database cannot be connected");
    }
    ~StepConnection()
    {
        if (!opened_)
            return;
        if (mode_ == 0)
            DM->IBDatabaseDEF.disconnect();
        else
            DM->CloseAccDat(SystemDef.DataDir, 0, 0);
    }
    StepConnection(const StepConnection&) = delete;
    StepConnection& operator=(const StepConnection&) = delete;

private:
    std::uint8_t mode_;
    bool opened_ = false;
};

} // namespace

void RunInStepDatabase(std::uint8_t mode, const std::function<void()>& work)
{
    const StepConnection connection(mode);
    db::TransactionScope scope(mode == 0 ? DM->IBTransactionDEF : DM->IBTransactionDAT);
    work();
    scope.commit();
}

std::int32_t RunUpdateStep(const TUpdateScheme& scheme)
{
    if (scheme.PreWork) {
        const std::int32_t ready = scheme.PreWork();
        if (ready != UpdateDone)
            return ready;
    }
    TUpdateScript script;
    if (!script.Build(scheme))
        return UpdateFileMissing;
    const std::int32_t result = ExecIsqlScript(script, scheme.VersionText());
    if (result != UpdateDone || !scheme.PostWork)
        return result;
    try {
        RunInStepDatabase(scheme.Mode, scheme.PostWork);
    } catch (const std::exception&) {
        return UpdatePostWorkFailed;
    }
    return result;
}

} // namespace vq
