#include "comm/JisyoLoader.h"

#include <algorithm>
#include <charconv>

#include "foundation/calendar/DateText.h"
#include "foundation/text/TextUtils.h"
#include "platform/Cp932.h"
#include "platform/Interaction.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

namespace vq::comm {

namespace {

// Rows: description header, description entry, customer header, customer
// entry; columns: file version "1.0", "1.1", "1.2".
const char* const kRecordTypes[4][3] = {
    {"200", "200", "200"},
    {"201", "202", "202"},
    {"300", "300", "300"},
    {"301", "302", "303"},
};

bool isBlank(const std::string& text)
{
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

std::int64_t toInt(const std::string& text, std::int64_t fallback)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return fallback;
    const auto last = text.find_last_not_of(' ');
    std::int64_t value = 0;
    const char* begin = text.data() + first;
    const char* end = text.data() + last + 1;
    if (*begin == '+')
        ++begin;
    auto [ptr, ec] = std::from_chars(begin, end, value);
    return ec == std::errc() && ptr == end ? value : fallback;
}

std::string intField(std::int64_t value)
{
    return std::to_string(value) + ",";
}

std::string orBlank(const std::string& scode)
{
    return scode.empty() ? std::string(" ") : scode;
}

bool internalCodes(const std::string& recordType)
{
    return recordType == "201" || recordType == "301";
}

} // namespace

struct TJisyoLoader::Dictionary {
    const char* headers;    // TEKDICTI / TORDICTI
    const char* entries;    // TEKDIC / TORDIC
    int headerRow;
    int entryRow;
    bool customer;          // TORDIC: TEKTEXT and MCODE, no HAIBUN
};

namespace {
const TJisyoLoader::Dictionary* descriptions();
const TJisyoLoader::Dictionary* customers();
} // namespace

TJisyoLoader::TJisyoLoader()
{
    FileKind = "摘要・取引先辞書設定";
    CheckVersion = 1;
    SetFileVersion("1.2");
    Reset();
}

void TJisyoLoader::Reset()
{
    Lines.clear();
    HeaderMap.clear();
    CachedAccountSystem = "**";
    AccountCodes.clear();
}

void TJisyoLoader::SetFileVersion(const std::string& version)
{
    FileVersion = version;
    VersionColumn = version == "1.0" ? 0 : version == "1.1" ? 1 : 2;
}

void TJisyoLoader::LoadAccountCodes()
{
    if (CachedAccountSystem == AccountSystem)
        return;
    CachedAccountSystem = AccountSystem;
    AccountCodes.clear();
    byKcode_ = FileVersion == "1.0";
    db::Statement& q = lookup();
    q.setSql(std::string("SELECT KCODE,USERCODE,HCODE,BCODE FROM KAMOKU_VIEW WHERE SCODE=:SCODE ") +
             (byKcode_ ? "ORDER BY KCODE,HCODE,BCODE" : "ORDER BY USERCODE,HCODE,BCODE"));
    q.param("SCODE").setString(AccountSystem);
    q.execute();
    while (q.fetch())
        AccountCodes.push_back({q.field("KCODE").asString(), q.field("USERCODE").asString(),
                                q.field("HCODE").asString(), q.field("BCODE").asString()});
    q.close();
}

void TJisyoLoader::ResolveAccountCode(const std::string& recordType)
{
    if (ResolvedAccount.empty()) {
        ResolvedSubAccount.clear();
        ResolvedDepartment.clear();
        return;
    }
    const bool internal = internalCodes(recordType);
    // The walk may stop at the first greater code only when the array is
    // sorted by the code it compares.
    const bool sorted = internal == byKcode_;
    bool found = false;
    bool subFound = false;
    bool deptFound = false;
    std::string kcode;
    for (const auto& row : AccountCodes) {
        const std::string& code = internal ? row.KCODE : row.USERCODE;
        const int order = platform::cp932::compareBytes(code, ResolvedAccount);
        if (order > 0 && sorted)
            break;
        if (order != 0)
            continue;
        found = true;
        kcode = row.KCODE;
        subFound = subFound || row.HCODE == ResolvedSubAccount;
        deptFound = deptFound || row.BCODE == ResolvedDepartment;
    }
    if (!found) {
        ResolvedAccount.clear();
        ResolvedSubAccount.clear();
        ResolvedDepartment.clear();
        return;
    }
    ResolvedAccount = kcode;
    if (!subFound)
        ResolvedSubAccount.clear();
    if (!deptFound)
        ResolvedDepartment.clear();
}

std::string TJisyoLoader::splitRecord(const std::string& line)
{
    if (line.rfind("//", 0) == 0)
        return {};
    Splitter.Delimiter = Delimiter;
    Splitter.Split(line);
    const std::string type = Splitter.Get(0);
    return isBlank(type) ? std::string() : type;
}

std::vector<std::string> TJisyoLoader::typesCounted() const
{
    const int column = FileVersion == "1.0" ? 0 : FileVersion == "1.1" ? 1 : FileVersion == "1.2" ? 2 : -1;
    std::vector<std::string> types;
    if (Target == 0 || Target == 1) {
        types.push_back(kRecordTypes[0][0]);
        if (column >= 0)
            types.push_back(kRecordTypes[1][column]);
    }
    if (Target == 0 || Target == 2) {
        types.push_back(kRecordTypes[2][0]);
        if (column >= 0)
            types.push_back(kRecordTypes[3][column]);
    }
    return types;
}

std::int32_t TJisyoLoader::CountRecords()
{
    try {
        const auto types = typesCounted();
        std::int32_t count = 0;
        for (const auto& line : Lines) {
            const std::string type = splitRecord(line);
            if (!type.empty() && std::find(types.begin(), types.end(), type) != types.end())
                ++count;
        }
        return count;
    } catch (...) {
        return 0;
    }
}

bool TJisyoLoader::ExportDictionaries(const std::string& fileName)
{
    Reset();
    if (isBlank(fileName))
        return false;
    db::TransactionScope scope(transaction());
    WriteHeader();
    if (Target == 0 || Target == 1)
        exportDictionary(*descriptions());
    if (Target == 0 || Target == 2)
        exportDictionary(*customers());
    // The export only reads: ending the transaction it started loses nothing.
    scope.commit();
    saveLines(fileName);
    return true;
}

void TJisyoLoader::exportDictionary(const Dictionary& d)
{
    const bool oneSystem = AllAccountSystems == 0;
    db::Statement& q = main();
    q.setSql(std::string("SELECT CREC,SCODE,SORTCODE,TEXT,MOVEMENT FROM ") + d.headers + " " +
             (oneSystem ? "WHERE SCODE=:SCODE " : "") + "ORDER BY SCODE,SORTCODE");
    if (oneSystem)
        q.param("SCODE").setString(AccountSystem);
    q.execute();
    const std::string headerType = kRecordTypes[d.headerRow][VersionColumn];
    std::string previous;
    int position = 0;
    bool first = true;
    while (q.fetch()) {
        const std::string scode = q.field("SCODE").asString();
        position = (first || scode != previous) ? 1 : position + 1;
        first = false;
        previous = scode;
        Lines.push_back(quoted(headerType) + intField(q.field("CREC").asInt64()) + quoted(orBlank(scode)) +
                        intField(position) + quoted(QuoteField(q.field("TEXT").asString(), 1)) +
                        intField(q.field("MOVEMENT").asInt64()));
    }
    q.close();

    // Customer headers are keyed by facility and CREC, description headers
    // by CREC alone.
    q.setSql(std::string("SELECT T.CREC,H.SCODE,T.KANA,T.TEXT,") + (d.customer ? "T.TEKTEXT," : "") +
             "T.KAR_KCODE,K1.USERCODE AS KAR_USERCODE,T.KAR_HCODE,T.KAR_BCODE,T.KAR_TAXCODE,"
             "T.KAS_KCODE,K2.USERCODE AS KAS_USERCODE,T.KAS_HCODE,T.KAS_BCODE,T.KAS_TAXCODE,"
             "T.WAITFLG,T.TAXOLD,T.TAXNUM,T.MOVEMENT," +
             (d.customer ? "" : "T.HAIBUN,") + "T.RTIME FROM " + d.entries + " T " + "INNER JOIN " + d.headers +
             " H ON (H.CREC=T.CREC" + (d.customer ? " AND H.SCODE=T.SCODE" : "") + ") " +
             "LEFT JOIN KAMOKUMST K1 ON (K1.KCODE=T.KAR_KCODE) "
             "LEFT JOIN KAMOKUMST K2 ON (K2.KCODE=T.KAS_KCODE) " +
             (oneSystem ? "WHERE H.SCODE=:SCODE " : "") + "ORDER BY H.SCODE,H.SORTCODE,T.KANA");
    if (oneSystem)
        q.param("SCODE").setString(AccountSystem);
    q.execute();
    const std::string entryType = kRecordTypes[d.entryRow][VersionColumn];
    const bool internal = internalCodes(entryType);
    auto text = [&q](const char* name) { return q.field(name).asString(); };
    auto num = [&q](const char* name) { return q.field(name).isNull() ? 0 : q.field(name).asInt64(); };
    while (q.fetch()) {
        std::string line = quoted(entryType) + intField(num("CREC")) + quoted(orBlank(text("SCODE"))) +
                           quoted(text("KANA")) + quoted(QuoteField(text("TEXT"), 1)) +
                           quoted(d.customer ? QuoteField(text("TEKTEXT"), 1) : std::string());
        line += quoted(internal ? text("KAR_KCODE") : text("KAR_USERCODE")) + quoted(text("KAR_HCODE")) +
                quoted(text("KAR_BCODE")) + quoted(text("KAR_TAXCODE"));
        line += quoted(internal ? text("KAS_KCODE") : text("KAS_USERCODE")) + quoted(text("KAS_HCODE")) +
                quoted(text("KAS_BCODE")) + quoted(text("KAS_TAXCODE"));
        line += intField(num("WAITFLG")) + intField(num("TAXOLD")) + intField(num("TAXNUM")) +
                intField(num("MOVEMENT")) + intField(d.customer ? 0 : num("HAIBUN"));
        const bool withTime = Target == 0 && !q.field("RTIME").isNull();
        line += quoted(withTime ? FormatDateTime("yyyy/mm/dd hh:nn:ss", q.field("RTIME").asDateTime()) : "");
        Lines.push_back(std::move(line));
    }
    q.close();
}

bool TJisyoLoader::ImportDictionaries(const std::string& fileName)
{
    Reset();
    if (isBlank(fileName))
        return false;
    loadLines(fileName);
    if (Lines.empty() || !ReadHeader() || CountRecords() == 0)
        return false;
    db::TransactionScope scope(transaction());
    if (Target == 0 || Target == 1)
        importDictionary(*descriptions());
    if (Target == 0 || Target == 2)
        importDictionary(*customers());
    scope.commit();
    return true;
}

void TJisyoLoader::importDictionary(const Dictionary& d)
{
    const bool oneSystem = AllAccountSystems == 0;
    db::Statement& q = main();
    q.setSql(std::string("DELETE FROM ") + d.entries + (oneSystem ? " WHERE SCODE=:SCODE" : ""));
    if (oneSystem)
        q.param("SCODE").setString(AccountSystem);
    q.execute();
    if (!oneSystem) {
        q.setSql(std::string("UPDATE ") + d.headers + " SET TEXT=''");
        q.execute();
    }

    // Positions 1, 2, 3 ... per facility, in the order the headers are shown.
    std::vector<std::pair<std::int32_t, std::string>> headers;
    db::Statement& l = lookup();
    l.setSql(std::string("SELECT CREC,SCODE FROM ") + d.headers + " " + (oneSystem ? "WHERE SCODE=:SCODE " : "") +
             "ORDER BY SCODE,SORTCODE");
    if (oneSystem)
        l.param("SCODE").setString(AccountSystem);
    l.execute();
    while (l.fetch())
        headers.emplace_back(l.field("CREC").asInt(), l.field("SCODE").asString());
    l.close();
    q.setSql(std::string("UPDATE ") + d.headers + " SET SORTCODE=:SORTCODE WHERE CREC=:CREC AND SCODE=:SCODE");
    int sortCode = 0;
    for (std::size_t i = 0; i < headers.size(); ++i) {
        sortCode = (i == 0 || headers[i].second != headers[i - 1].second) ? 1 : sortCode + 1;
        q.param("SORTCODE").setInt(sortCode);
        q.param("CREC").setInt(headers[i].first);
        q.param("SCODE").setString(headers[i].second);
        q.execute();
    }

    HeaderMap.clear();
    headerIndex_.clear();
    const std::string headerType = kRecordTypes[d.headerRow][0];
    const auto& entryTypes = kRecordTypes[d.entryRow];
    db::Statement title(attachment(), transaction(),
                        std::string("UPDATE ") + d.headers +
                            " SET TEXT=:TEXT WHERE SCODE=:SCODE AND SORTCODE=:SORTCODE");
    db::Statement crec(attachment(), transaction(),
                       std::string("SELECT CREC FROM ") + d.headers + " WHERE SCODE=:SCODE AND SORTCODE=:SORTCODE");
    db::Statement insert(attachment(), transaction(),
                         std::string("INSERT INTO ") + d.entries + " (TEKCODE,CREC,KANA," +
                             (d.customer ? "MCODE,TEXT,TEKTEXT," : "FNUM,TEXT,") +
                             "SCODE,\"ROW\",COL,KAR_KCODE,KAR_HCODE,KAR_BCODE,KAR_TAXCODE,"
                             "KAS_KCODE,KAS_HCODE,KAS_BCODE,KAS_TAXCODE,WAITFLG,TAXOLD,TAXNUM,MOVEMENT," +
                             (d.customer ? "" : "HAIBUN,") + "RTIME) VALUES (0,:CREC,:KANA,0,:TEXT," +
                             (d.customer ? ":TEKTEXT," : "") +
                             ":SCODE,0,0,:KAR_KCODE,:KAR_HCODE,:KAR_BCODE,:KAR_TAXCODE,"
                             ":KAS_KCODE,:KAS_HCODE,:KAS_BCODE,:KAS_TAXCODE,:WAITFLG,:TAXOLD,:TAXNUM,:MOVEMENT," +
                             (d.customer ? "" : ":HAIBUN,") + ":RTIME)");
    std::string previousSystem;
    bool firstHeader = true;
    int position = 0;
    for (const auto& line : Lines) {
        const std::string type = splitRecord(line);
        if (type.empty())
            continue;
        const bool isHeader = type == headerType;
        const bool isEntry = std::find(std::begin(entryTypes), std::end(entryTypes), type) != std::end(entryTypes);
        if (!isHeader && !isEntry)
            continue;
        if (!oneSystem)
            AccountSystem = Splitter.Get(2);
        if (AccountSystem.empty())
            AccountSystem = " ";
        const std::string key = Splitter.Get(1) + "-" + AccountSystem;
        if (isHeader) {
            position = (firstHeader || AccountSystem != previousSystem) ? 1 : position;
            firstHeader = false;
            previousSystem = AccountSystem;
            title.param("TEXT").setString(platform::cp932::cutBytes(UnquoteField(Splitter.Get(4), 1), 20));
            title.param("SCODE").setString(AccountSystem);
            title.param("SORTCODE").setInt(position);
            title.execute();
            crec.param("SCODE").setString(AccountSystem);
            crec.param("SORTCODE").setInt(position);
            crec.execute();
            const std::int32_t found = crec.fetch() ? crec.field("CREC").asInt() : 0;
            crec.close();
            HeaderMap.push_back(key + "=" + std::to_string(found));
            headerIndex_[key] = found;
            ++position;
            continue;
        }
        const auto it = headerIndex_.find(key);
        if (it == headerIndex_.end() || it->second < 1)
            continue;
        LoadAccountCodes();
        insert.param("CREC").setInt(it->second);
        insert.param("KANA").setString(TrimZenSpace(PadRightSjis(Splitter.Get(3), 5)));
        insert.param("TEXT").setString(TrimZenSpace(PadRightSjis(UnquoteField(Splitter.Get(4), 1), d.customer ? 40 : 50)));
        if (d.customer)
            insert.param("TEKTEXT").setString(TrimZenSpace(PadRightSjis(UnquoteField(Splitter.Get(5), 1), 50)));
        insert.param("SCODE").setString(AccountSystem);
        const auto side = [&](const char* prefix, int firstField) {
            ResolvedAccount = Splitter.Get(firstField);
            ResolvedSubAccount = Splitter.Get(firstField + 1);
            ResolvedDepartment = Splitter.Get(firstField + 2);
            ResolveAccountCode(type);
            const std::string p = prefix;
            const auto setCode = [&](const std::string& name, const std::string& value) {
                if (value.empty())
                    insert.param(p + name).setNull();
                else
                    insert.param(p + name).setString(value);
            };
            setCode("KCODE", ResolvedAccount);
            setCode("HCODE", ResolvedSubAccount);
            setCode("BCODE", ResolvedDepartment);
            insert.param(p + "TAXCODE").setInt(toInt(Splitter.Get(firstField + 3), 910));
        };
        side("KAR_", 6);
        side("KAS_", 10);
        insert.param("WAITFLG").setInt(toInt(Splitter.Get(14), 0));
        insert.param("TAXOLD").setInt(toInt(Splitter.Get(15), 0));
        insert.param("TAXNUM").setInt(toInt(Splitter.Get(16), 0));
        insert.param("MOVEMENT").setInt(toInt(Splitter.Get(17), 0));
        if (!d.customer)
            insert.param("HAIBUN").setInt(toInt(Splitter.Get(18), 0));
        const std::string time = Splitter.Get(19);
        if (isBlank(time)) {
            insert.param("RTIME").setNull();
        } else {
            const double when = StrToDateTimeFixed(time);
            insert.param("RTIME").setDateTime(when != 0 ? when : platform::interaction().now());
        }
        insert.execute();
    }
}

namespace {

const TJisyoLoader::Dictionary* descriptions()
{
    static const TJisyoLoader::Dictionary d{"TEKDICTI", "TEKDIC", 0, 1, false};
    return &d;
}

const TJisyoLoader::Dictionary* customers()
{
    static const TJisyoLoader::Dictionary d{"TORDICTI", "TORDIC", 2, 3, true};
    return &d;
}

} // namespace

} // namespace vq::comm
