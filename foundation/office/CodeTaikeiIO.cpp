#include "foundation/office/CodeTaikeiIO.h"

#include <stdexcept>

#include "foundation/app/AppInfo.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/text/TextUtils.h"
#include "platform/Cp932.h"
#include "platform/Interaction.h"
#include "platform/db/Transaction.h"

namespace vq {

namespace {

TDM& dataModule()
{
    if (!DM)
        throw std::logic_error("TCodeTaikeiIO needs the data module");
    return *DM;
}

std::int32_t toInt(const std::string& s)
{
    try {
        std::size_t used = 0;
        const long v = std::stol(s, &used);
        return used == s.size() ? static_cast<std::int32_t>(v) : 0;
    } catch (...) {
        return 0;
    }
}

// The INIDAT blob (0-based) that a record kind goes into; -1 to ignore it.
int blobOfKind(std::int32_t kind)
{
    if (kind >= 1 && kind <= 8)
        return kind - 1;
    if (kind == 21 || kind == 22)
        return 1;
    if (kind >= 31 && kind <= 34)
        return 2;
    if (kind == 71)
        return 6;
    return -1;
}

} // namespace

TCodeTaikeiIO::TCodeTaikeiIO()
    : statement_(dataModule().IBDatabaseDEF.attachment(), dataModule().IBTransactionDEF),
      query_(dataModule().IBDatabaseDEF.attachment(), dataModule().IBTransactionDEF)
{
    KubunSyufuku();
}

bool TCodeTaikeiIO::CheckProductTag(const std::string& tag, std::string& msg)
{
    msg.clear();
    const std::string own = AppInfo.OEM + AppInfo.VerTest;
    bool fits = false;
    if (OemKind == 0)
        fits = tag.empty() || tag == own;
    else if (OemKind == 1 || OemKind == 2)
        fits = tag == own;
    else
        return false;
    if (!fits)
        msg = "このプログラムでは、該当のデータ（製品区分）を処理することが出来ません。" + SystemDef.AppTitle +
              "以外で作成されたデータの可能性があります。";
    return fits;
}

void TCodeTaikeiIO::ParseLines(const std::vector<std::string>& lines, TCodeTaikeiRec2& rec)
{
    for (const auto& line : lines) {
        splitter_.Delimiter = ',';
        splitter_.Mode = 0;
        splitter_.Split(line);
        const int blob = blobOfKind(toInt(splitter_.Get(0)));
        if (blob < 0)
            continue;
        rec.Inidat[static_cast<std::size_t>(blob)].push_back(line);
        if (blob == 0 && toInt(splitter_.Get(0)) == 1) {
            rec.NAME = splitter_.Get(1);
            rec.DATATYPE = toInt(splitter_.Get(2));
            rec.CODETYPE = toInt(splitter_.Get(3));
            if (splitter_.Count >= 6)
                rec.ProductTag = splitter_.Get(5);
        }
    }
}

bool TCodeTaikeiIO::ImportCodeFile(const std::string& fileName, std::int32_t recNo)
{
    TCodeTaikeiRec2 rec;
    rec.RECNO = recNo;
    std::string text;
    try {
        text = platform::cp932::readFile(fileName);
    } catch (const std::exception& e) {
        ShowMessageDetail("コード体系の更新に失敗しました。", e.what(), platform::MessageKind::Error);
        return false;
    }
    ParseLines(SplitLines(text), rec);
    std::string msg;
    if (!CheckProductTag(rec.ProductTag, msg)) {
        platform::showMessage(msg, platform::MessageKind::Information);
        return false;
    }
    return UpDateRecored(rec);
}

bool TCodeTaikeiIO::UpDateRecored(const TCodeTaikeiRec2& rec)
{
    if (rec.NAME.empty() || rec.DATATYPE == 0 || rec.CODETYPE == 0)
        return false;
    db::TransactionScope scope(dataModule().IBTransactionDEF);
    try {
        statement_.setSql("UPDATE USERCODE SET NAME=:NAME,DATATYPE=:DATATYPE,CODETYPE=:CODETYPE,\n"
                          "INIDAT1=:INIDAT1,INIDAT2=:INIDAT2,INIDAT3=:INIDAT3,INIDAT4=:INIDAT4,INIDAT5=:INIDAT5,"
                          "INIDAT6=:INIDAT6,INIDAT7=:INIDAT7,INIDAT8=:INIDAT8\nWHERE RECNO=:RECNO");
        statement_.param("NAME").setString(rec.NAME);
        statement_.param("DATATYPE").setInt(rec.DATATYPE);
        statement_.param("CODETYPE").setInt(rec.CODETYPE);
        for (std::size_t i = 0; i < rec.Inidat.size(); ++i)
            statement_.param("INIDAT" + std::to_string(i + 1)).setLines(rec.Inidat[i]);
        statement_.param("RECNO").setInt(rec.RECNO);
        statement_.execute();
        scope.commit();
        return true;
    } catch (...) {
        ReportCurrentException("TCodeTaikeiIO.UpDateRecored", "コード体系の更新に失敗しました。");
    }
    return false;
}

void TCodeTaikeiIO::KubunSyufuku()
{
    db::TransactionScope scope(dataModule().IBTransactionDEF);
    try {
        query_.setSql("SELECT RECNO,INIDAT1 FROM USERCODE\nWHERE DATATYPE=1 AND CODETYPE=1");
        query_.execute();
        struct Repair {
            std::int32_t recNo, dataType, codeType;
        };
        std::vector<Repair> repairs;
        while (query_.fetch()) {
            std::string header;
            for (const auto& line : query_.field("INIDAT1").asLines())
                header += (header.empty() ? "" : " ") + line;
            splitter_.Delimiter = ',';
            splitter_.Mode = 0;
            splitter_.Split(header);
            const std::int32_t dataType = toInt(splitter_.Get(2));
            if (dataType != 1)
                repairs.push_back({query_.field("RECNO").asInt(), dataType, toInt(splitter_.Get(3))});
        }
        query_.close();
        for (const auto& r : repairs) {
            statement_.setSql("UPDATE USERCODE SET DATATYPE=:DATATYPE,CODETYPE=:CODETYPE\nWHERE RECNO=:RECNO");
            statement_.param("DATATYPE").setInt(r.dataType);
            statement_.param("CODETYPE").setInt(r.codeType);
            statement_.param("RECNO").setInt(r.recNo);
            statement_.execute();
        }
        scope.commit();
    } catch (...) {
        query_.close();
        ReportCurrentException("TCodeTaikeiIO.KubunSyufuku", "コード体系の区分修復に失敗しました。");
    }
}

} // namespace vq
