#include "foundation/office/GamenKeyValue.h"

#include <stdexcept>

#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/text/TextUtils.h"
#include "platform/Cp932.h"
#include "platform/db/Transaction.h"

namespace vq {

namespace {

TDM& dataModule()
{
    if (!DM)
        throw std::logic_error("TGamenKeyValue needs the data module");
    return *DM;
}

std::string upperAscii(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

constexpr std::size_t kStyleNameBytes = 40;
constexpr std::size_t kValueBytes = 1024;

} // namespace

TGamenKeyValue::TGamenKeyValue()
    : OpCode(SystemDef.OPCODE),
      statement_(dataModule().IBDatabaseDEF.attachment(), dataModule().IBTransactionDEF)
{
}

std::string TGamenKeyValue::StyleNameOf(const std::string& screenName) const
{
    return TrimZenSpace(platform::cp932::cutBytes(upperAscii(Prefix + screenName), kStyleNameBytes));
}

void TGamenKeyValue::FukugenValue(const std::string& screenName, std::string& value)
{
    ClearValue();
    value.clear();
    if (OpCode == 0 || screenName.empty())
        return;
    StyleName = StyleNameOf(screenName);
    db::TransactionScope scope(dataModule().IBTransactionDEF);
    try {
        statement_.setSql("SELECT SSTR FROM STYLECOLOR\nWHERE OPCODE=:OPCODE AND STYLENAME=:STYLENAME");
        statement_.param("OPCODE").setInt(OpCode);
        statement_.param("STYLENAME").setString(StyleName);
        statement_.execute();
        while (statement_.fetch())
            Value = statement_.field("SSTR").asString();
        value = Value;
        scope.commit();
    } catch (...) {
        statement_.close();
        if (scope.startedHere())
            ReportCurrentException("TGamenValue.FukugenValue", "前回の画面値の取得に失敗しました。");
        scope.commit();
    }
}

void TGamenKeyValue::HozonValue(const std::string& screenName, const std::string& value)
{
    if (OpCode == 0 || screenName.empty())
        return;
    StyleName = StyleNameOf(screenName);
    std::string text = TrimZenSpace(value);
    if (platform::cp932::byteLength(text) > kValueBytes)
        text = TrimZenSpace(platform::cp932::cutBytes(text, kValueBytes));
    Value = text;
    db::TransactionScope scope(dataModule().IBTransactionDEF);
    try {
        statement_.setSql("SELECT COUNT(OPCODE) AS RECCNT FROM STYLECOLOR\n"
                          "WHERE OPCODE=:OPCODE AND STYLENAME=:STYLENAME");
        statement_.param("OPCODE").setInt(OpCode);
        statement_.param("STYLENAME").setString(StyleName);
        statement_.execute();
        const bool exists = statement_.fetch() && statement_.field("RECCNT").asInt() > 0;
        statement_.close();
        if (exists)
            statement_.setSql("UPDATE STYLECOLOR SET OPCODE=:OPCODE,STYLENAME=:STYLENAME,LINECOLOR1=:LINECOLOR1,"
                              "LINECOLOR2=:LINECOLOR2,LINECOLOR3=:LINECOLOR3,LINECOLOR4=:LINECOLOR4,"
                              "LINECOLOR5=:LINECOLOR5,NETCOLOR1=:NETCOLOR1,NETCOLOR2=:NETCOLOR2,SSTR=:SSTR\n"
                              "WHERE OPCODE=:OPCODE AND STYLENAME=:STYLENAME");
        else
            statement_.setSql("INSERT INTO STYLECOLOR(OPCODE,STYLENAME,LINECOLOR1,LINECOLOR2,LINECOLOR3,LINECOLOR4,"
                              "LINECOLOR5,NETCOLOR1,NETCOLOR2,SSTR)\nVALUES(:OPCODE,:STYLENAME,:LINECOLOR1,"
                              ":LINECOLOR2,:LINECOLOR3,:LINECOLOR4,:LINECOLOR5,:NETCOLOR1,:NETCOLOR2,:SSTR)");
        statement_.param("OPCODE").setInt(OpCode);
        statement_.param("STYLENAME").setString(StyleName);
        for (const char* colour : {"LINECOLOR1", "LINECOLOR2", "LINECOLOR3", "LINECOLOR4", "LINECOLOR5",
                                   "NETCOLOR1", "NETCOLOR2"})
            statement_.param(colour).setInt(-1);
        statement_.param("SSTR").setString(text);
        statement_.execute();
        scope.commit();
    } catch (...) {
        statement_.close();
        if (scope.startedHere())
            ReportCurrentException("TGamenValue.HozonValue", "画面値の保存に失敗しました。");
        scope.commit();
    }
}

} // namespace vq
