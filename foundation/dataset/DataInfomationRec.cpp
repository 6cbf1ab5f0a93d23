#include "foundation/dataset/DataInfomationRec.h"

namespace vq {

const std::array<const char*, 11> DataStatusNames = {
    "－", "－", "使用中", "データロック中", "保存中", "復元中", "コピー中", "貼り付け中", "削除中", "新規作成中", "破損",
};

void ClearRec(TDataInfomationRec& rec)
{
    rec = TDataInfomationRec{};
}

} // namespace vq
