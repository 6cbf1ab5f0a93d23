#include "comm/BaseLoader.h"

#include "foundation/app/AccInf.h"
#include "foundation/app/RunState.h"
#include "foundation/calendar/DateText.h"
#include "foundation/data/DataModule.h"
#include "foundation/text/TextUtils.h"
#include "platform/Cp932.h"
#include "platform/Interaction.h"
#include "platform/db/Statement.h"

namespace vq::comm {

namespace {

// Every label is 17 bytes with its trailing blank.
constexpr const char* kKindLabel = "// ファイル種別: ";
constexpr const char* kVersionLabel = "// ファイルVer : ";
constexpr const char* kQuoteRuleLabel = "// 引用符規則  : ";

std::string dataKindText(std::int32_t kind)
{
    switch (kind) {
    case 1: return "法人";
    case 2: return "個人";
    case 3: return "医療法人";
    default: return "不明";
    }
}

// The major part of "major.minor"; 0 when the text is not of that form.
int majorVersion(const std::string& version)
{
    const auto dot = version.find('.');
    if (dot == std::string::npos || version.find('.', dot + 1) != std::string::npos)
        return 0;
    try {
        std::size_t used = 0;
        const int major = std::stoi(version.substr(0, dot), &used);
        return used == dot ? major : 0;
    } catch (...) {
        return 0;
    }
}

std::string trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

} // namespace

TBaseLoader::TBaseLoader()
    : attachment_(&DM->IBDatabaseDAT.attachment()), transaction_(&DM->IBTransactionDAT)
{
}

TBaseLoader::~TBaseLoader() = default;

void TBaseLoader::SetDatabase(db::Attachment& attachment)
{
    attachment_ = &attachment;
    for (auto& s : statements_)
        s.reset();
}

void TBaseLoader::SetTransaction(db::Transaction& transaction)
{
    transaction_ = &transaction;
    for (auto& s : statements_)
        if (s)
            s->setTransaction(transaction);
}

db::Statement& TBaseLoader::statement(std::size_t index)
{
    auto& s = statements_.at(index);
    if (!s)
        s = std::make_unique<db::Statement>(*attachment_, *transaction_);
    return *s;
}

std::string TBaseLoader::QuoteField(std::string_view text, std::uint8_t clean)
{
    const std::string source = clean == 1 ? RemoveTabCrLf(text) : std::string(text);
    std::string out;
    out.reserve(source.size());
    for (char c : source) {
        if (c == '"')
            out += "''";
        else if (c == '\'')
            out += "'|";
        else
            out += c;
    }
    return out;
}

std::string TBaseLoader::UnquoteField(std::string_view text, std::uint8_t clean) const
{
    return UnquoteField(text, clean, QuoteRule);
}

std::string TBaseLoader::UnquoteField(std::string_view text, std::uint8_t clean, int quoteRule)
{
    const std::string source = clean == 1 ? RemoveTabCrLf(text) : std::string(text);
    std::string out;
    out.reserve(source.size());
    for (std::size_t i = 0; i < source.size(); ++i) {
        const char next = i + 1 < source.size() ? source[i + 1] : '\0';
        if (source[i] == '\'' && next == '\'') {
            out += '"';
            ++i;
        } else if (quoteRule >= 2 && source[i] == '\'' && next == '|') {
            out += '\'';
            ++i;
        } else {
            out += source[i];
        }
    }
    return out;
}

void TBaseLoader::WriteHeader()
{
    if (!FileKind.empty())
        Lines.push_back(kKindLabel + FileKind);
    if (!FileVersion.empty())
        Lines.push_back(kVersionLabel + FileVersion);
    Lines.push_back("// データ名    : " + AccInf.SHOUGOU);
    Lines.push_back("// データ種別  : " + dataKindText(AccInf.DATATYPE));
    Lines.push_back("// データVer   : " + DataVersionText);
    Lines.push_back("// 作成日      : " + FormatDateTime("yyyy/mm/dd", platform::interaction().now()));
    Lines.push_back(std::string(kQuoteRuleLabel) + "2");
}

bool TBaseLoader::ReadHeader()
{
    bool kindFound = false;
    bool versionFound = false;
    std::string fileVersion;
    QuoteRule = 1;
    const std::string kindLine = kKindLabel + FileKind;
    for (const auto& line : Lines) {
        if (line == kindLine)
            kindFound = true;
        if (auto at = line.find(kVersionLabel); at != std::string::npos) {
            std::string rest = line;
            rest.erase(at, std::string_view(kVersionLabel).size());
            fileVersion = trimmed(rest);
            versionFound = true;
        }
        if (line.rfind(kQuoteRuleLabel, 0) == 0 && trimmed(line.substr(std::string_view(kQuoteRuleLabel).size())) == "2")
            QuoteRule = 2;
    }
    if (!kindFound)
        return false;
    if (CheckVersion == 1 && versionFound && majorVersion(FileVersion) != majorVersion(fileVersion))
        return false;
    return true;
}

std::int32_t TBaseLoader::CountRecords()
{
    return 0;
}

std::string TBaseLoader::quoted(std::string_view text) const
{
    std::string out;
    out += QuoteChar;
    out += text;
    out += QuoteChar;
    out += Delimiter;
    return out;
}

void TBaseLoader::saveLines(const std::filesystem::path& file) const
{
    std::string text;
    for (const auto& line : Lines)
        text += line + "\r\n";
    platform::cp932::writeFile(file, text);
}

void TBaseLoader::loadLines(const std::filesystem::path& file)
{
    if (!std::filesystem::exists(file))
        throw std::system_error(std::make_error_code(std::errc::no_such_file_or_directory),
                                "cannot open " + file.string());
    const std::string text = platform::cp932::readFile(file);
    Lines.clear();
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        Lines.push_back(std::move(line));
        start = end + 1;
    }
}

} // namespace vq::comm
