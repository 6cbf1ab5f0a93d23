#pragma once
// A data set opened in the data module, ready to be dumped: its scripts
// from the build's init folder, the dump in the test's temporary folder.
#include "comm/WebDbSqlDump.h"

#include "../foundation/data/DataModuleFixture.h"
#include "foundation/app/AccInf.h"

#include <fstream>
#include <sstream>

namespace vq::test {

class DumpFixture : public DataModuleFixture {
protected:
    void SetUp() override
    {
        DataModuleFixture::SetUp();
        SystemDef.ParentDir = VQ_BUILD_DIR;
        SystemDef.TempDir = (root_.path() / "temp").string();
        SystemDef.AppTitle = "Vorlen";
        SystemDef.AppVersion = "14.0.0";
        SystemDef.OpenDataVersion.clear();
    }

    void TearDown() override
    {
        dm_.CloseAccDat(SystemDef.DataDir, 0, 0);
        AccInf = TACCINF{};
        DataModuleFixture::TearDown();
    }

    // Opens the data set after sql (isql) was run on it.
    void open(const std::string& sql = {})
    {
        if (!sql.empty())
            runSql(dataFile(), sql);
        ASSERT_TRUE(dm_.fnAccDatConnected("", SystemDef.DataDir, 0));
        AccInf = TACCINF{};
        ASSERT_TRUE(dm_.fnGetAccInfo());
    }

    // Dumps into the test's folder; the file's text, empty when it failed.
    std::string dump(comm::TWebDbSqlDump& d)
    {
        d.DatabaseName = "halbrin_d_123456789012_3";
        if (!d.WriteDump())
            return {};
        std::ifstream in(d.DumpFilePath, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::string dump()
    {
        comm::TWebDbSqlDump d;
        return dump(d);
    }

    // The lines of one table's section: from its DELETE line to the next
    // section's DELETE line (the budget rules' own DELETEs included).
    static std::string section(const std::string& text, const std::string& table)
    {
        const std::string start = "DELETE FROM " + table + ";\r\n";
        const std::size_t b = text.find(start);
        if (b == std::string::npos)
            return "(no section " + table + ")";
        std::size_t e = b + start.size() - 2;
        for (;;) {
            e = text.find("\r\nDELETE FROM ", e);
            if (e == std::string::npos)
                return text.substr(b, text.find("-- ====", b) - b);
            if (text.compare(e + 14, table.size() + 1, table + " ") != 0)
                break;
            e += 2;
        }
        return text.substr(b, e + 2 - b);
    }
};

} // namespace vq::test
