#pragma once
// The data set behind the wizard: the choice on the selection screen, its
// preparation (shared data fetched from its network drive, a cloud-shared
// copy brought up to date), the checks that let the linkage read it (data
// version, data password, the operator's rights) and its return when another
// one is chosen or the wizard closes (cloud copy sent, data set closed and
// freed, shared copy kept back).
//
// Every step reads and writes the wizard's state (TForm1's data fields) and
// the process-wide SystemDef and AccInf, as the other screens of the library
// do; questions and notices go through the interaction seam.
#include <cstdint>
#include <string>

namespace vq::linkage {

class TForm1;

// The least data version the linkage reads.
inline constexpr const char* RequiredDataVersion = "14.0.0";

// The data page's "データ選択を開く": choose, connect, check and show the
// data set's information lines; a failed choice leaves the page empty.
void btnDataSentakuClick(TForm1& form);
// True when a data set is connected and passed every check.
bool SelectAndConnectData(TForm1& form, std::int32_t syoriType, bool launch);
// 1 when the chosen data set may be used.
std::int32_t PrepareDataUse(TForm1& form);
// Gives the data set in use back (cloud copy, shared copy).
void FinishDataUse(TForm1& form);
// 1 or more: go on.
std::int32_t GetSharedData(TForm1& form, std::int32_t automatic);
// 1 or more: kept, or nothing to keep.
std::int32_t KeepSharedData(TForm1& form, std::int32_t automatic);
// 1 go on, -1 refused.
std::int32_t CheckDataCommunication(TForm1& form, bool atClose);
// The data set's part of the close-down: cloud copy sent, data set closed
// and freed, shared copy kept.
void CloseDataSet(TForm1& form);

} // namespace vq::linkage
