#pragma once
// This program's encoder of stored protected values (the My Number
// management password and its second value), installed as the stored-value
// encoder unless a host installs another: AES-256-GCM under a key built into
// the program, a fresh nonce per value, the result as hexadecimal text
// behind a version byte. It keeps a casual reader of the database from the
// values and makes any change to a stored value detectable (it then decodes
// to nothing); it does not protect against someone who holds the program,
// which must decode the values on any computer without asking anybody.
#include <string>

namespace vq {

// The stored-value encoder's call: mode "160" encodes, "161" decodes.
// Returns 1 and sets output on success; 0 for a text that does not decode
// (damaged, changed, or of an unknown version) or an unknown mode.
int ProtectedValueEncoder(const std::string& text, const std::string& mode, std::string& output);

} // namespace vq
