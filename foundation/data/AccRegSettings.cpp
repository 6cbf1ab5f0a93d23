#include "foundation/data/AccRegSettings.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <stdexcept>
#include <vector>

#include <unistd.h>

#include "foundation/data/DataModule.h"
#include "foundation/calendar/DateText.h"
#include "foundation/data/QueryFactory.h"
#include "foundation/app/SystemDef.h"
#include "platform/AtomicFile.h"
#include "platform/Cp932.h"
#include "platform/Folders.h"
#include "platform/Interaction.h"
#include "platform/db/DbError.h"
#include "platform/db/Transaction.h"

namespace vq {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kImage = "画像";
constexpr std::string_view kBmp = "BMP";
constexpr std::string_view kJpg = "JPG";
constexpr std::string_view kMemo = "メモ";

// Runs work on a data-set statement inside IBTransactionDAT, committing or
// rolling back only what was started here.
template <class Work>
void inDataTransaction(Work&& work)
{
    auto query = CreateAccQuery(kAccDat, false);
    if (!query)
        throw db::DbError("no data module to reach the data set's database");
    db::TransactionScope scope(DM->IBTransactionDAT);
    work(*query);
    query->close();
    scope.commit();
}

std::int32_t countRows(db::Statement& q)
{
    q.execute();
    std::int32_t count = 0;
    if (q.fetch())
        count = q.field("RECCNT").asInt();
    q.close();
    return count;
}

// ---- Temporary image files ------------------------------------------------------

std::mutex& imageFilesLock()
{
    static std::mutex m;
    return m;
}

std::vector<fs::path>& imageFiles()
{
    static std::vector<fs::path> files;
    return files;
}

// A name of its own for every read: two reads in one second (or two programs)
// never overwrite each other's image.
fs::path newImageFile(const std::string& extension)
{
    static std::atomic<unsigned> counter{0};
    const fs::path folder = SystemDef.WinTempDir.empty() ? platform::folders::temp() : fs::path(SystemDef.WinTempDir);
    const std::string stamp = FormatDateTime("yyyymmddhhnnss", platform::interaction().now());
    for (;;) {
        const fs::path file = folder / ("accreg-" + stamp + "-" + std::to_string(::getpid()) + "-" +
                                        std::to_string(counter++) + extension);
        std::error_code ec;
        if (!fs::exists(file, ec))
            return file;
    }
}

void saveImage(const std::string& bytes, const std::string& extension, SettingValue& value)
{
    const fs::path file = newImageFile(extension);
    platform::writeFileAtomically(file, bytes);
    {
        std::lock_guard lock(imageFilesLock());
        imageFiles().push_back(file);
    }
    value = SettingValue(file.string());
}

std::string readFileBytes(const std::string& path)
{
    std::ifstream in(fs::path(path), std::ios::binary);
    if (!in)
        throw std::runtime_error("画像ファイルを読み込めません: " + path);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        throw std::runtime_error("画像ファイルを読み込めません: " + path);
    return bytes;
}

// A text as the lines of a list (cut at CR LF, CR or LF; a break at the end
// adds no line), each followed by CR LF.
std::string asSavedLines(const std::string& text)
{
    std::string out;
    std::string line;
    bool pending = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out += line + "\r\n";
            line.clear();
            pending = false;
        } else {
            line += c;
            pending = true;
        }
    }
    if (pending)
        out += line + "\r\n";
    return out;
}

} // namespace

void GetAccReg(const std::string& group, const std::string& code, const std::string& typeName,
               const std::string& defaultText, SettingValue& value)
{
    std::string text;
    inDataTransaction([&](db::Statement& q) {
        q.setSql("SELECT ATYPE,ATEXT FROM ACCREG WHERE AGROUP=:AGROUP AND ACODE=:ACODE ");
        q.param("AGROUP").setString(group);
        q.param("ACODE").setString(code);
        q.execute();
        if (q.fetch()) {
            text = q.field("ATEXT").asString();
            q.close();
            return;
        }
        q.close();
        text = defaultText;
        q.setSql("INSERT INTO ACCREG(AGROUP,ACODE,ATYPE,ATEXT) VALUES(:AGROUP,:ACODE,:ATYPE,:ATEXT)");
        q.param("AGROUP").setString(group);
        q.param("ACODE").setString(code);
        q.param("ATYPE").setString(typeName);
        q.param("ATEXT").setString(defaultText);
        q.execute();
    });
    value = SettingValueOf(typeName, text);
}

void PutAccReg(const std::string& group, const std::string& code, const std::string& typeName,
               const SettingValue& value)
{
    inDataTransaction([&](db::Statement& q) {
        q.setSql("SELECT COUNT(AGROUP) AS RECCNT FROM ACCREG WHERE (AGROUP=:AGROUP) AND (ACODE=:ACODE)");
        q.param("AGROUP").setString(group);
        q.param("ACODE").setString(code);
        if (countRows(q) != 0) {
            q.setSql("UPDATE ACCREG SET ATEXT=:ATEXT WHERE AGROUP=:AGROUP AND ACODE=:ACODE");
        } else {
            q.setSql("INSERT INTO ACCREG(AGROUP,ACODE,ATYPE,ATEXT) VALUES(:AGROUP,:ACODE,:ATYPE,:ATEXT)");
            q.param("ATYPE").setString(typeName);
        }
        q.param("AGROUP").setString(group);
        q.param("ACODE").setString(code);
        std::string text;
        if (SettingTextOf(typeName, value, text))
            q.param("ATEXT").setString(text);
        else
            q.param("ATEXT").setNull();
        q.execute();
    });
}

void DeleteAccReg(const std::string& group, const std::string& code)
{
    inDataTransaction([&](db::Statement& q) {
        q.setSql("DELETE FROM ACCREG WHERE (AGROUP=:AGROUP) AND (ACODE=:ACODE)");
        q.param("AGROUP").setString(group);
        q.param("ACODE").setString(code);
        q.execute();
    });
}

namespace {
SettingValue read(const std::string& group, const std::string& code, std::string_view type,
                  const std::string& defaultText)
{
    SettingValue v;
    GetAccReg(group, code, std::string(type), defaultText, v);
    return v;
}
} // namespace

std::string GetAccRegText(const std::string& group, const std::string& code, const std::string& defaultText)
{
    return read(group, code, kTypeText, defaultText).asString();
}

bool GetAccRegBool(const std::string& group, const std::string& code, const std::string& defaultText)
{
    return read(group, code, kTypeBool, defaultText).asBool();
}

std::int32_t GetAccRegInt(const std::string& group, const std::string& code, const std::string& defaultText)
{
    return read(group, code, kTypeInteger, defaultText).asInt();
}

Currency GetAccRegCurrency(const std::string& group, const std::string& code, const std::string& defaultText)
{
    return read(group, code, kTypeCurrency, defaultText).asCurrency();
}

double GetAccRegReal(const std::string& group, const std::string& code, const std::string& defaultText)
{
    return read(group, code, kTypeReal, defaultText).asDouble();
}

double GetAccRegDate(const std::string& group, const std::string& code, const std::string& defaultText)
{
    return read(group, code, kTypeDate, defaultText).asDouble();
}

double GetAccRegDateTime(const std::string& group, const std::string& code, const std::string& defaultText)
{
    return read(group, code, kTypeDateTime, defaultText).asDouble();
}

void GetAccRegBlob(const std::string& group, const std::string& key, const std::string& /*typeName*/,
                   SettingValue& value)
{
    inDataTransaction([&](db::Statement& q) {
        q.setSql("SELECT FGROUP,FKEY,FTYPE,FVALUE FROM ACCREG_BLOB_BINARY WHERE FGROUP=:FGROUP AND FKEY=:FKEY");
        q.param("FGROUP").setString(group);
        q.param("FKEY").setString(key);
        q.execute();
        if (!q.fetch())
            return;
        const std::string type = q.field("FTYPE").asString();
        if (type == kImage || type == kBmp) {
            saveImage(q.field("FVALUE").asBytes(), ".bmp", value);
        } else if (type == kJpg) {
            saveImage(q.field("FVALUE").asBytes(), ".jpg", value);
        } else if (type == kMemo) {
            value = SettingValue(asSavedLines(platform::cp932::toUtf8(q.field("FVALUE").asBytes())));
        }
    });
}

void PutAccRegBlob(const std::string& group, const std::string& key, const std::string& typeName,
                   const SettingValue& value)
{
    // The image is read before anything is started, so a missing file
    // leaves the database untouched.
    bool hasValue = true;
    std::string bytes;
    if (typeName == kImage || typeName == kBmp || typeName == kJpg)
        bytes = readFileBytes(value.asString());
    else if (typeName == kMemo)
        bytes = platform::cp932::fromUtf8(asSavedLines(value.asString()));
    else
        hasValue = false;

    inDataTransaction([&](db::Statement& q) {
        q.setSql("SELECT COUNT(FGROUP) AS RECCNT FROM ACCREG_BLOB_BINARY WHERE (FGROUP=:FGROUP) AND (FKEY=:FKEY)");
        q.param("FGROUP").setString(group);
        q.param("FKEY").setString(key);
        if (countRows(q) != 0)
            q.setSql("UPDATE ACCREG_BLOB_BINARY SET FTYPE=:FTYPE,FVALUE=:FVALUE WHERE FGROUP=:FGROUP AND FKEY=:FKEY");
        else
            q.setSql("INSERT INTO ACCREG_BLOB_BINARY(FGROUP,FKEY,FTYPE,FVALUE) VALUES(:FGROUP,:FKEY,:FTYPE,:FVALUE)");
        q.param("FGROUP").setString(group);
        q.param("FKEY").setString(key);
        q.param("FTYPE").setString(typeName);
        if (hasValue)
            q.param("FVALUE").setBytes(bytes);
        else
            q.param("FVALUE").setNull();
        q.execute();
    });
}

void ReleaseAccRegImageFiles()
{
    std::lock_guard lock(imageFilesLock());
    for (const auto& file : imageFiles()) {
        std::error_code ec;
        fs::remove(file, ec);
    }
    imageFiles().clear();
}

} // namespace vq
