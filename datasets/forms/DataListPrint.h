#pragma once
// [F8] of the data-set screens: the print-option dialog (print or preview,
// orientation), then the list written and handed to the print loop or the
// preview. The data selection screen prints the data list; the shared-data
// screen prints its shared list through the same call.
#include <cstdint>
#include <string>
#include <vector>

#include "datasets/DataListRec.h"

class QWidget;

namespace vq {

struct DataListPrintRequest {
    std::int32_t ListKind = 0;                 // 0 the data list, 1 the shared list
    const TDataSentakuRecArray* Rows = nullptr;
    const std::vector<std::int32_t>* DispIndex = nullptr;
    std::string Caption;                       // of the dialog
    std::string MainText;
    std::string Hint;                          // the dialog's own hint, may be empty
};

// 1 when the list went to the printer or the preview, 0 when the operator
// cancelled or the print data could not be written (told to the operator).
std::int32_t PrintDataList(QWidget* owner, const DataListPrintRequest& request);

} // namespace vq
