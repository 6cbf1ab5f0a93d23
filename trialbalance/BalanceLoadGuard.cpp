#include "trialbalance/BalanceLoadGuard.h"

#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/data/QueryFactory.h"

namespace vq {

namespace {

constexpr const char* LoadContext = "試算表読込";

} // namespace

bool RunBalanceLoad(const std::function<bool(db::Statement&)>& body)
{
    if (!DM)
        return false;
    db::Transaction& tr = DM->IBTransactionDATSS;
    try {
        if (tr.active())
            tr.commit();
        tr.start();
        auto q = CreateAccQuery(kAccDat, true);
        if (!q) {
            tr.rollback();
            return false;
        }
        const bool complete = body(*q);
        q.reset();
        tr.commit();
        if (!complete)
            ShowCommaMessage(BalanceOverflowMessage, platform::MessageKind::Error);
        return complete;
    } catch (const db::DbError& e) {
        tr.rollback();
        if (e.errorCode() != 0)
            ReportFbError(e, LoadContext);
        else
            ShowCommaMessage(std::string(LoadContext) + "," + e.message(), platform::MessageKind::Error);
        return false;
    } catch (...) {
        tr.rollback();
        throw;
    }
}

} // namespace vq
