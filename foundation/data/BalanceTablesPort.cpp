#include "foundation/data/BalanceTablesPort.h"

#include <utility>

namespace vq {

namespace {
BalanceTablesPort& port()
{
    static BalanceTablesPort instance;
    return instance;
}
} // namespace

BalanceTablesPort setBalanceTablesPort(BalanceTablesPort p)
{
    return std::exchange(port(), std::move(p));
}

const BalanceTablesPort& balanceTablesPort()
{
    return port();
}

std::string TotalGroupCode(std::size_t position)
{
    if (port().groupCode)
        return port().groupCode(position);
    switch (position) {
    case 68: return "5880";
    case 60: return "5580";
    case 62: return "5680";
    case 64: return "5780";
    case 65: return "5790";
    default: return {};
    }
}

std::string EditionTotalGroupCode()
{
    return port().editionGroupCode ? port().editionGroupCode(0) : std::string("5688");
}

} // namespace vq
