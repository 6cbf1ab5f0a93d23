#pragma once
// The data-set operations over real databases: the system database and the
// data root of DataListFixture, the program's temp folder in <tmp>/temp, and
// data sets made on demand in any folder with a company name, a fiscal period
// and a consolidation kind.
#include <filesystem>
#include <string>

#include "../DataListFixture.h"
#include "FailingFileSystem.h"
#include "SchemaDatabase.h"
#include "datasets/operations/DataSetNotices.h"
#include "foundation/app/AccConstants.h"
#include "foundation/dataset/DataInfomation.h"

namespace vq::test {

class OperationsFixture : public DataListFixture {
protected:
    void SetUp() override
    {
        DataListFixture::SetUp();
        SystemDef.TempDir = (root_.path() / "temp").string();
        SystemDef.JOBLEVEL = 9; // no facility restriction: the rights check lets the operator through
        std::filesystem::create_directories(SystemDef.TempDir);
        InstallListNotice([this](const ListNotice& n) {
            notices_.push_back(n);
            return listAnswer_;
        });
    }
    void TearDown() override
    {
        InstallListNotice({});
        dm_.CloseAccDat("", 0, 0);
        DataListFixture::TearDown();
    }

    // A data set in folder (made when missing) with its info file.
    std::filesystem::path makeDataSet(const std::filesystem::path& folder, const std::string& shougou,
                                      const std::string& kishu = "2024-01-01", const std::string& kimatu = "2024-12-31",
                                      int gassan = 0)
    {
        std::filesystem::create_directories(folder);
        const auto file = folder / DataDbFileName;
        buildDatabase(SchemaKind::DataSet, file);
        runSql(file, "UPDATE ACCDEF1 SET SHOUGOU='" + shougou + "',ENTTEXT='" + shougou + "',KISHU='" + kishu +
                         "',KIMATU='" + kimatu + "' WHERE REC=1;"
                         "UPDATE OR INSERT INTO ACCREG (AGROUP,ACODE,ATYPE,ATEXT) VALUES ('基本設定','合算データ区分','整数','" +
                         std::to_string(gassan) + "') MATCHING (AGROUP,ACODE);");
        TDataInfomation info;
        info.RefreshIniFile(folder.string(), "");
        return folder;
    }

    TDataInfomationRec infoOf(const std::filesystem::path& folder)
    {
        TDataInfomation info;
        TDataInfomationRec rec;
        info.ReadDataInfo(folder.string(), rec);
        return rec;
    }

    // The text isql prints for a query on the data set in folder.
    std::string query(const std::filesystem::path& folder, const std::string& sql)
    {
        return runSql(folder / DataDbFileName, sql);
    }

    std::vector<ListNotice> notices_;
    int listAnswer_ = 1;
};

} // namespace vq::test
