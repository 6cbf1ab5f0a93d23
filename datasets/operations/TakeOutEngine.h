#pragma once
// Take-out and bring-back of server data (client/server mode, [F3]
// "持ち出し"): the data set travels as a backup file "vqacc.fbk" between the
// server row and a row of this computer's stand-alone list, which a second
// data selection screen chooses while the logon context is switched to the
// local data.
//
// Safety: the server row is locked by this operator before the take-out
// starts and unlocked again when it did not happen; a bring-back requires the
// operator's own lock (another operator's lock is kept), and a restore that
// did not succeed leaves the row locked and reports failure. The backup,
// which may hold My Number data, travels through a private folder (mode
// 0700) that is removed at the end.
#include <cstdint>
#include <functional>
#include <string>

#include "datasets/DataListRec.h"

namespace vq {

// The part of the run settings that the switch to the local data changes.
struct LogonContext {
    std::uint8_t Mode = 0;
    std::string Host;
    std::string DataRoot;          // SystemDef.SysDir
    std::string DataDir;           // the chosen data folder
    std::int32_t SisetuFreeSwitch = 0;
    std::int32_t ProgVerMajor = 0, ProgVerMinor1 = 0, ProgVerMinor2 = 0;
};

// "backup" keeps the current context in saved, "local" switches to the
// stand-alone data of this computer, "server" puts saved back; any other
// text does nothing. "local" throws when the application data folder is
// unknown.
void SwitchLogonContext(const std::string& which, LogonContext& saved);

// The parameter lines of the local screen: processing type 5, the operation
// ("Restore" for a take-out, "Backup" for a bring-back) and the folder.
std::string LocalScreenParams(bool takeOut, const std::string& transferFolder);

// What the screen gives the engine: the row's own operations on the server
// side, the modal local screen, and the reconnection of the system database
// after each switch.
struct TakeOutHooks {
    std::function<std::int32_t(const std::string& place)> SaveRow;    // SaveData with a given place
    std::function<std::int32_t(const std::string& place)> RestoreRow;  // RestoreData with a given place
    std::function<std::int32_t(const std::string& params)> RunLocalScreen; // the screen's result
    std::function<bool()> Reconnect;                                  // the system database of the context
};

// Choice 0 take-out, 1 bring-back. True when the exchange was carried out
// (and in server-based mode, where nothing is done). row.DATALOCK follows
// every lock change written.
bool Mochidashi(TDataListRec& row, int choice, const TakeOutHooks& hooks);

} // namespace vq
