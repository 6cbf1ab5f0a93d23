#include "trialbalance/TrialBalanceEngine.h"

#include <utility>

namespace vq {

namespace {

std::shared_ptr<TrialBalanceEngine>& slotOf(BalanceEdition edition)
{
    static std::shared_ptr<TrialBalanceEngine> general;
    static std::shared_ptr<TrialBalanceEngine> medical;
    return edition == BalanceEdition::Medical ? medical : general;
}

} // namespace

std::shared_ptr<TrialBalanceEngine> InstallTrialBalanceEngine(BalanceEdition edition,
                                                              std::shared_ptr<TrialBalanceEngine> engine)
{
    return std::exchange(slotOf(edition), std::move(engine));
}

TrialBalanceEngine* TrialBalanceEngineOf(BalanceEdition edition)
{
    return slotOf(edition).get();
}

} // namespace vq
