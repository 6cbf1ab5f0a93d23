#pragma once
// The function-key captions of the data selection screen for the focused
// row, and which row buttons are enabled. A caption that is only the key's
// name and a colon ("F2:") is bare: the key has no function for the row and
// its handler does nothing.
#include <array>
#include <cstdint>
#include <string>

#include "datasets/DataListRec.h"

namespace vq {

// The keys in button order.
enum DataSentakuKey : int { KeyEsc = 0, KeyF1, KeyF2, KeyF3, KeyF4, KeyF5, KeyF6, KeyF7, KeyF8, KeyF12 };
inline constexpr std::array<const char*, 10> DataSentakuKeyNames = {"ESC", "F1", "F2", "F3", "F4",
                                                                     "F5",  "F6", "F7", "F8", "F12"};

struct TKeyCaptionState {
    std::uint8_t ConnectMode = 0;
    std::int32_t SyoriType = 0;
    bool GridActive = false;        // the grid is the active control
    bool GridEnabled = true;        // grid and bottom panel enabled
    bool HasCurrentRow = false;
    bool CopyPending = false;
    const TDataListRec* Row = nullptr;  // the focused row's record
    std::int32_t ParentGassan = 0;      // GASSAN of the row's parent (a child row)
    bool AutoShared = false;            // the automatic shared switch's box is ticked
    bool CloudUsable = false;
};

struct TKeyCaptions {
    std::array<std::string, 10> Caption;
    std::int32_t RowState = 0;      // 0 no usable row, 1 a row, 2 a row while a copy is pending
    bool KyoyuDownEnabled = false;
    bool KyoyuUpEnabled = false;
    bool CloudEnabled = false;
    bool SearchEnabled = true;      // both search buttons
    bool PasteHint = false;         // the grid shows the paste hint
};

TKeyCaptions ComputeKeyCaptions(const TKeyCaptionState& state);
// The bare caption of a key ("F2:").
std::string BareCaption(int key);
bool IsBareCaption(const std::string& caption);

} // namespace vq

namespace vq {

// The character the incremental search collects for a key (a Windows
// virtual-key code): digits, letters, the numeric pad and the OEM keys;
// 0 for any other key.
char IncSearchCharOfKey(int virtualKey);
// The timer interval after one more key: 500 ms after the first, 1000 ms after later ones.
int NextIncSearchInterval(int interval);

} // namespace vq
