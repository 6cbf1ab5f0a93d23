#include "dbupdate/steps/z5UserDbUpdate1400.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <stdexcept>

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/PartFileStep.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/QueryFactory.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

namespace vq::z5UserDbUpdate1400 {

namespace {

constexpr const char* kPatchFolder = "1300";

// The lines of a text broken at CR LF, CR or LF, as a string list reads it.
std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

bool sameName(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

// The value of name among Name=Value lines: the rest of the first line
// whose part before the first "=" is name; empty when there is none.
std::string valueOf(const std::vector<std::string>& lines, const std::string& name)
{
    for (const auto& line : lines) {
        const auto eq = line.find('=');
        if (eq != std::string::npos && sameName(line.substr(0, eq), name))
            return line.substr(eq + 1);
    }
    return {};
}

bool fieldSevenExists()
{
    db::TransactionScope scope(DM->IBTransactionDAT);
    const bool exists = DM->fnExistence_Field("MEISAI_JYOKEN_RULE", "FTEKIYOA_TIKAN_FIELD7");
    scope.commit();
    return exists;
}

} // namespace

void SetUpdateRec(TDbUpdateListRec& rec)
{
    part_file_step::FillRecentRec(rec, 14, 0, 0, DoUpdate, "摘要下段の文字制限を全角２０文字へ拡張 他",
                                  "１）摘要下段の文字制限を全角２０文字へ拡張しました。\r"
                                  "２）一括入力辞書の登録可能な分類数を100分類へ拡張しました。\r"
                                  "３）日報入力の登録可能な摘要数を100摘要へ拡張しました。\r"
                                  "４）部門データに限り、日報入力で摘要の表示非表示が設定可能となりました。\r"
                                  "（他、詳しくはＨＰで確認ください）");
}

TUpdateScheme Scheme()
{
    return part_file_step::DataScheme(14, 0, 0, 2, MemoForm::JoinedTrimmed);
}

bool IsPatch1304Missing(db::Statement& q, std::vector<std::string>& memoLines)
{
    q.setSql("SELECT MAJOR,MINOR1,MINOR2,MEMO\n"
             "FROM ACCVERSION\n"
             "WHERE (MAJOR=:MAJOR) AND (MINOR1=:MINOR1) AND (MINOR2=:MINOR2)");
    q.param("MAJOR").setInt(13);
    q.param("MINOR1").setInt(0);
    q.param("MINOR2").setInt(3);
    q.execute();
    bool missing = false;
    while (q.fetch()) {
        memoLines = splitLines(q.field("MEMO").isNull() ? std::string() : q.field("MEMO").asString());
        if (valueOf(memoLines, "V1304") != "1")
            missing = true;
    }
    return missing;
}

void AddPatch1304Mark(TUpdateScript& script, std::vector<std::string> memoLines)
{
    memoLines.push_back("V1304=1");
    script.Add("ALTER TRIGGER ACCVERSION_AFTER_UPDATE INACTIVE;");
    // Every line of the MEMO ends with CR LF. isql drops the CR at the end
    // of a script line, so the breaks are written as characters rather than
    // as the script's own line ends.
    const std::string lineEnd = "'||ASCII_CHAR(13)||ASCII_CHAR(10)";
    std::string value;
    for (const auto& line : memoLines)
        value += (value.empty() ? "'" : "||'") + TUpdateScript::Quoted(line) + lineEnd;
    script.Add("UPDATE ACCVERSION SET MEMO=" + value);
    script.Add("WHERE MAJOR=13 AND MINOR1=0 AND MINOR2=3;");
    script.Add("COMMIT;");
    script.Add("ALTER TRIGGER ACCVERSION_AFTER_UPDATE ACTIVE;");
}

std::int32_t AddPatch1304(TUpdateScript& script)
{
    TUpdateScript patch;
    try {
        auto q = CreateAccSql(kAccDat, 0);
        if (!q)
            throw std::runtime_error("no data module");
        std::vector<std::string> memoLines;
        bool missing = false;
        {
            db::TransactionScope scope(DM->IBTransactionDAT);
            missing = IsPatch1304Missing(*q, memoLines);
            scope.commit();
        }
        if (!missing)
            return UpdateDone;
        if (!fieldSevenExists()) {
            const auto names = part_file_step::PartNames(4);
            if (part_file_step::MissingPart(kPatchFolder, names))
                return UpdateFileMissing;
            const auto used = part_file_step::ByDataKind({3}, {4});
            for (const auto& name : names)
                if (used(name) && !patch.AddPartFile(std::filesystem::path(SystemDef.SqlDir) / kPatchFolder / name))
                    return UpdateFileMissing;
        }
        AddPatch1304Mark(patch, std::move(memoLines));
    } catch (const std::exception&) {
        // Without knowing whether the data set needs the patch, running the
        // script could mark it 14.0.0 without the changes of 13.0.0.
        return UpdateFailed;
    }
    for (const auto& line : patch.Lines())
        script.Add(line);
    return UpdateDone;
}

std::int32_t DoUpdate()
{
    TUpdateScheme s = Scheme();
    if (part_file_step::MissingPart(s))
        return UpdateFileMissing;
    if (!DM)
        return UpdateFailed;
    TUpdateScript patch;
    if (!DM->IBDatabaseDAT.connected())
        DM->fnAccDatConnected(SystemDef.HostName, SystemDef.DataDir, 0);
    const std::int32_t result = AddPatch1304(patch);
    if (DM->IBDatabaseDAT.connected())
        DM->CloseAccDat(SystemDef.DataDir, 0, 0);
    if (result != UpdateDone)
        return result;
    s.After = [lines = patch.Lines()](TUpdateScript& script) {
        for (const auto& line : lines)
            script.Add(line);
    };
    return RunUpdateStep(s);
}

} // namespace vq::z5UserDbUpdate1400
