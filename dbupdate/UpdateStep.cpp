#include "dbupdate/UpdateStep.h"

#include <stdexcept>

#include "dbupdate/IsqlRunner.h"
#include "foundation/data/DataModule.h"

namespace vq {

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
        if (!DM)
            throw std::runtime_error("no data module");
        db::TransactionScope scope(DM->IBTransactionDAT);
        scheme.PostWork();
        scope.commit();
    } catch (const std::exception&) {
        return UpdatePostWorkFailed;
    }
    return result;
}

} // namespace vq
