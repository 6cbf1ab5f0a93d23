#pragma once
// The function-key captions of the shared-data screen for the focused row,
// the enabling of its choose key and the grid hint it shows. A caption that
// is only the key's name and a colon is bare: the key does nothing.
#include <array>
#include <cstdint>
#include <string>

#include "datasets/DataListRec.h"
#include "datasets/DataSentakuKeys.h"

namespace vq {

struct TServerKeyState {
    bool GridActive = false;        // the grid is the active control
    bool GridEnabled = true;        // grid and bottom panel enabled
    bool HasCurrentRow = false;
    bool PastePending = false;
    const TDataListRec* Row = nullptr; // the focused row's record
    bool RowTakenOut = false;       // the row's area is taken out (hidden column 9)
    bool HasDrive = false;          // a drive is shown
    bool HasAreas = false;          // the drive's list has rows
};

struct TServerKeyCaptions {
    std::array<std::string, 10> Caption; // ESC, F1 ... F8, F12
    std::int32_t RowState = 0;      // 0 no usable row, 1 a row, 2 a row while a paste is pending
    bool F12Enabled = true;
    std::string GridHint;           // "short|long"; empty when the grid is not active
};

TServerKeyCaptions ComputeServerKeyCaptions(const TServerKeyState& state);

// The grid hints.
extern const char* const ServerGridHint;
extern const char* const ServerGridHintNoDrive;
extern const char* const ServerGridHintNoArea;
extern const char* const ServerGridHintPaste;

} // namespace vq
