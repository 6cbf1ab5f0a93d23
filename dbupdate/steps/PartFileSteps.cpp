#include "dbupdate/steps/PartFileSteps.h"

#include <algorithm>
#include <cstdio>

#include "foundation/app/AccInf.h"
#include "foundation/app/RunState.h"

namespace vq {

namespace {

std::string numbered(const std::string& prefix, int n)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%02d", n);
    return prefix + digits + ".sql";
}

} // namespace

std::vector<std::string> NumberedPartFiles(const std::string& prefix, int first, int last)
{
    std::vector<std::string> files;
    for (int n = first; n <= last; ++n)
        files.push_back(numbered(prefix, n));
    return files;
}

TUpdateScheme PartFileScheme(std::uint8_t mode, std::int32_t major, std::int32_t minor1, std::int32_t minor2,
                             std::vector<std::string> files)
{
    TUpdateScheme s;
    s.Mode = mode;
    s.Major = major;
    s.Minor1 = minor1;
    s.Minor2 = minor2;
    s.SetNames = true;
    s.RecordFirst = true;
    s.Memo = MemoForm::Date;
    s.PartFiles = std::move(files);
    s.StopOnMissingPart = true;
    return s;
}

void SkipByMedicalFlag(TUpdateScheme& scheme, std::initializer_list<int> notForMedical,
                       std::initializer_list<int> notForOther)
{
    std::vector<std::string> skipped;
    for (const int n : AccInf.IsIryou != 0 ? notForMedical : notForOther)
        skipped.push_back(numbered("vqzup", n));
    scheme.UsePart = [skipped = std::move(skipped)](const std::string& name) {
        return std::find(skipped.begin(), skipped.end(), name) == skipped.end();
    };
}

bool IsDistributorEdition()
{
    return OemKind == 1 || OemKind == 2;
}

} // namespace vq
