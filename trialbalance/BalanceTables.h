#pragma once
// The front's tables of the open data set's edition: the row numbers of the
// total lines and the group codes. SetBalanceTables rewrites every slot and
// every code, so the tables always match the last data set opened.
//
// Main thread only; the engines and the statement readers read them.
#include <array>
#include <cstdint>
#include <string>

namespace vq {

inline constexpr std::size_t BalanceLineSlots = 115;
inline constexpr std::size_t BalanceGroupCodeCount = 87;
inline constexpr std::size_t EditionGroupCodeCount = 63;

// Rows below these are total rows: 0..50 in the general engine, 0..60 in the
// medical engine.
inline constexpr int FirstAccountRow = 51;
inline constexpr int MedicalFirstAccountRow = 61;

// "****" marks an edition group code that the edition does not use.
inline constexpr const char* UnusedGroupCode = "****";

// Slot -> row number of a total line; 0 when the edition has no such line.
// Most lines have a pair of slots; the general engine reads the second of
// each pair, and slots 0, 55, 101 and 108 as the limits of the total rows it
// hides for department scopes.
const std::array<std::uint16_t, BalanceLineSlots>& BalanceLineIndex();
// Four-character group codes read by the statement readers and the data module.
const std::array<std::string, BalanceGroupCodeCount>& BalanceGroupCodes();
// Group codes of the edition; index 0 ("5688") is read by the data module.
const std::array<std::string, EditionGroupCodeCount>& EditionGroupCodes();

// Writes the medical tables when isMedical, the general ones otherwise.
// Until the first call the tables hold the general values, except that
// EditionGroupCodes 1..54 hold the medical codes.
void SetBalanceTables(bool isMedical);

} // namespace vq
