#include "datasets/DataListFilter.h"

#include <cstdio>
#include <cstdlib>

#include "foundation/text/LocaleMapping.h"
#include "foundation/text/TextUtils.h"
#include "platform/Cp932.h"

namespace vq {

namespace {

constexpr std::size_t kMostFoldedBytes = 255;

std::int32_t numberOrZero(const std::string& text)
{
    if (text.empty())
        return 0;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    return (*end == '\0') ? static_cast<std::int32_t>(value) : 0;
}

std::string upperAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string trimBlanks(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

} // namespace

std::string FoldSearchName(std::string_view text)
{
    const std::string wide = LCMapStringUser(LCMAP_FULLWIDTH, text);
    if (platform::cp932::byteLength(wide) > kMostFoldedBytes)
        return {};
    return ZenAlphaToUpper(wide);
}

TDataListFilter::TDataListFilter(const TDataKensakuRec& search) : search_(search)
{
    if (!search.DATANAME.empty()) {
        nameCondition_ = true;
        foldedName_ = FoldSearchName(search.DATANAME);
    }
    code_ = upperAscii(trimBlanks(search.DATACODE));
    codeBytes_ = platform::cp932::byteLength(code_);
    if (!search.DATAVER.empty()) {
        versionCondition_ = true;
        const auto dot = search.DATAVER.find('.');
        major_ = numberOrZero(search.DATAVER.substr(0, dot));
        if (dot != std::string::npos) {
            std::string minor = search.DATAVER.substr(dot + 1);
            // A third part does not count.
            minor = minor.substr(0, minor.find('.'));
            minor_ = numberOrZero(minor);
        }
    }
}

bool TDataListFilter::Passes(const TDataListRec& row) const
{
    // Data kind.
    if (search_.DATATYPE > 0) {
        if (row.DATATYPE != search_.DATATYPE)
            return false;
        if (search_.CODETYPE != 0 && row.CODETYPE != search_.CODETYPE)
            return false;
    } else if (search_.DATATYPE == -13 && row.DATATYPE != 1 && row.DATATYPE != 3) {
        return false;
    }
    // Name: an empty folded text never matches.
    if (nameCondition_) {
        if (foldedName_.empty())
            return false;
        const std::string name = FoldSearchName(row.ENTTEXT);
        if (name.empty() || name.find(foldedName_) == std::string::npos)
            return false;
    }
    if (search_.TANTO != 0 && row.TANTOU != search_.TANTO)
        return false;
    if (versionCondition_) {
        if (search_.VerMatch == 1) {
            if (row.VER_MAJOR != major_)
                return false;
        } else if (search_.VerMatch == 2) {
            if (row.VER_MAJOR < major_ || (row.VER_MAJOR == major_ && row.VER_MINOR1 < minor_))
                return false;
        } else {
            char text[32];
            std::snprintf(text, sizeof text, "%d.%d", row.VER_MAJOR, row.VER_MINOR1);
            // A major alone names its first minor version ("14" is 14.0).
            const bool same = search_.DATAVER == text ||
                              (search_.DATAVER.find('.') == std::string::npos && search_.DATAVER + ".0" == text);
            if (!same)
                return false;
        }
    }
    if (!code_.empty()) {
        const std::string cut = upperAscii(PadRightSjis(row.DATACODE, static_cast<int>(codeBytes_)));
        if (cut != code_)
            return false;
    }
    return true;
}

std::vector<std::int32_t> FilterList(const TDataSentakuRecArray& rows, const TDataKensakuRec& search)
{
    const TDataListFilter filter(search);
    std::vector<std::int32_t> shown;
    shown.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (filter.Passes(rows[i]))
            shown.push_back(static_cast<std::int32_t>(i));
    return shown;
}

} // namespace vq
