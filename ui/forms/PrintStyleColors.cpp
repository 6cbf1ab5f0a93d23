#include "ui/forms/PrintStyleColors.h"

#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

namespace vq::ui {
namespace {

constexpr const char* kWhere = " WHERE OPCODE=:OPCODE AND STYLENAME=:STYLENAME";

bool ready()
{
    return DM != nullptr;
}

db::Statement statement(const std::string& sql)
{
    return db::Statement(DM->IBDatabaseDEF.attachment(), DM->IBTransactionDEF, sql);
}

} // namespace

bool GetStyleColorRec(print::TDefaultPrintRec& rec, const std::string& styleName)
{
    if (!ready())
        return false;
    const char* label = "TPrintDlgBox.GetStyleColorRec";
    const char* message = "ユーザー別帳票色情報の取得に失敗しました。";
    try {
        db::TransactionScope scope(DM->IBTransactionDEF);
        try {
            auto q = statement(std::string("SELECT LINECOLOR1,LINECOLOR2,NETCOLOR1,NETCOLOR2,SSTR FROM STYLECOLOR") +
                               kWhere);
            q.param("OPCODE").setInt(SystemDef.OPCODE);
            q.param("STYLENAME").setString(styleName);
            q.execute();
            print::TDefaultPrintRec read = rec;
            while (q.fetch()) {
                auto take = [&q](const char* column, std::int32_t& target) {
                    if (!q.field(column).isNull() && q.field(column).asInt() != -1)
                        target = q.field(column).asInt();
                };
                take("LINECOLOR1", read.LineColor1);
                take("LINECOLOR2", read.LineColor2);
                take("NETCOLOR1", read.NetColor1);
                take("NETCOLOR2", read.NetColor2);
                read.Settings = q.field("SSTR").asString();
            }
            rec = read;
        } catch (...) {
            // A failed read still ends the transaction it started; the record keeps its defaults.
            scope.commit();
            throw;
        }
        scope.commit();
        return true;
    } catch (...) {
        ReportCurrentException(label, message);
        return false;
    }
}

bool PutStyleColorRec(const print::TDefaultPrintRec& rec, const std::string& styleName)
{
    if (!ready())
        return false;
    try {
        db::TransactionScope scope(DM->IBTransactionDEF);
        auto count = statement(std::string("SELECT COUNT(OPCODE) AS RECCNT FROM STYLECOLOR") + kWhere);
        count.param("OPCODE").setInt(SystemDef.OPCODE);
        count.param("STYLENAME").setString(styleName);
        count.execute();
        const bool exists = count.fetch() && count.field("RECCNT").asInt() > 0;
        auto write = statement(
            exists ? std::string("UPDATE STYLECOLOR SET OPCODE=:OPCODE,STYLENAME=:STYLENAME,LINECOLOR1=:LINECOLOR1,"
                                 "LINECOLOR2=:LINECOLOR2,LINECOLOR3=:LINECOLOR3,LINECOLOR4=:LINECOLOR4,"
                                 "LINECOLOR5=:LINECOLOR5,NETCOLOR1=:NETCOLOR1,NETCOLOR2=:NETCOLOR2,SSTR=:SSTR") +
                         kWhere
                   : std::string("INSERT INTO STYLECOLOR(OPCODE,STYLENAME,LINECOLOR1,LINECOLOR2,LINECOLOR3,LINECOLOR4,"
                                 "LINECOLOR5,NETCOLOR1,NETCOLOR2,SSTR) VALUES(:OPCODE,:STYLENAME,:LINECOLOR1,"
                                 ":LINECOLOR2,:LINECOLOR3,:LINECOLOR4,:LINECOLOR5,:NETCOLOR1,:NETCOLOR2,:SSTR)"));
        auto colour = [](std::int32_t value, std::int32_t operatorDefault) {
            return value == operatorDefault ? -1 : value;
        };
        write.param("OPCODE").setInt(SystemDef.OPCODE);
        write.param("STYLENAME").setString(styleName);
        write.param("LINECOLOR1").setInt(colour(rec.LineColor1, SystemDef.PLineColor1));
        write.param("LINECOLOR2").setInt(colour(rec.LineColor2, SystemDef.PLineColor2));
        write.param("LINECOLOR3").setInt(-1);
        write.param("LINECOLOR4").setInt(-1);
        write.param("LINECOLOR5").setInt(-1);
        write.param("NETCOLOR1").setInt(colour(rec.NetColor1, SystemDef.NetColor1));
        write.param("NETCOLOR2").setInt(colour(rec.NetColor2, SystemDef.NetColor2));
        write.param("SSTR").setString(rec.Settings);
        write.execute();
        scope.commit();
        return true;
    } catch (...) {
        ReportCurrentException("TPrintDlgBox.PutStyleColorRec", "ユーザー別帳票色情報の更新に失敗しました。");
        return false;
    }
}

} // namespace vq::ui
