#include "trialbalance/BalanceEngines.h"

#include <memory>

#include "trialbalance/ConnectBalanceTables.h"
#include "trialbalance/GeneralBalanceEngine.h"
#include "trialbalance/MedicalBalanceEngine.h"

namespace vq {

void InstallBalanceEngines()
{
    InstallTrialBalanceEngine(BalanceEdition::General, std::make_shared<GeneralBalanceEngine>());
    InstallTrialBalanceEngine(BalanceEdition::Medical, std::make_shared<MedicalBalanceEngine>());
    ConnectBalanceTables();
}

} // namespace vq
