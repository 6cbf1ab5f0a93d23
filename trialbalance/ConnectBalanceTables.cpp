#include "trialbalance/ConnectBalanceTables.h"

#include "foundation/data/BalanceTablesPort.h"
#include "trialbalance/BalanceTables.h"

namespace vq {

void ConnectBalanceTables()
{
    BalanceTablesPort port;
    port.setBalanceTables = [](bool isMedical) { SetBalanceTables(isMedical); };
    port.groupCode = [](std::size_t i) {
        return i < BalanceGroupCodeCount ? BalanceGroupCodes()[i] : std::string();
    };
    port.editionGroupCode = [](std::size_t i) {
        return i < EditionGroupCodeCount ? EditionGroupCodes()[i] : std::string();
    };
    setBalanceTablesPort(std::move(port));
}

} // namespace vq
