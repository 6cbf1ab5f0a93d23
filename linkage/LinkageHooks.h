#pragma once
// What the tool hands the library at start-up. The library calls back into
// its host through the hook variables of the run state; the tool fills three
// of them (no menu host, the screen launcher, the data-broken check) while
// its wizard lives, and once connects the library's ports (trial-balance
// engines, data-set description, data-list refresh) before a data set opens.
#include <cstdint>
#include <functional>
#include <string>

#include "foundation/app/RunState.h"

namespace vq::linkage {

// The tool has no menu host: no other screens are ever open.
std::int32_t MenuHostHook(std::int32_t command, const std::string& text);

// A full validation of a database file: protocol 3 on this computer (host
// empty), 0 over the network on host. True when nothing was found.
using DatabaseValidator = std::function<bool(std::int32_t protocol, const std::string& host,
                                             const std::string& dbFile)>;

// Validates the data set of folder and, when it fails, marks it damaged: the
// data-broken flag, a message unless silent, DATA_STATUS 1 of its data-list
// row (or child row) and status 10 in its info file. Marking errors are
// ignored. 1 passed, 0 damaged.
std::int32_t CheckDataBroken(const std::string& host, const std::string& folder, bool silent,
                             const DatabaseValidator& validate);

// The validation the data module offers (the database services).
bool ValidateDataSetDatabase(std::int32_t protocol, const std::string& host, const std::string& dbFile);

// Fills MenuHostProc, StartProcessProc (with launcher) and DataBrokenCheckProc
// (with CheckDataBroken over validate); RemoveLinkageHooks empties them.
void InstallLinkageHooks(StartProcessFunc launcher, DatabaseValidator validate = ValidateDataSetDatabase);
void RemoveLinkageHooks();

// The library's start-up ports: trial-balance engines and their tables, the
// data-set description of the data module, the data-list refresh on close.
void InstallLibraryPorts();

inline constexpr const char* kDataBrokenMessage =
    "データ検証の結果、このデータは破損している恐れがあります。\r"
    "データのバックアップを行っている場合は、適正な方法で破損前の状態へ戻して下さい。\r"
    "ご不明な点がございましたら、お問い合わせ先をご確認の上ご連絡下さい。";

} // namespace vq::linkage
