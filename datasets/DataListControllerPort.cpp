#include "datasets/DataListControllerPort.h"

#include <memory>

#include "datasets/DataSentakuListCtl.h"
#include "foundation/data/DataListRefresher.h"

namespace vq {

namespace {

// The store seen through the few operations the data module's close uses;
// the row between the read and the write keeps every column the module does
// not know, so the write gives them back unchanged.
class StoreController : public IDataListController {
public:
    void SetLocation(std::uint8_t location) override { store_.ConnectMode = location; }
    void SetListTable(std::int32_t placeRec) override { store_.SetListTable(placeRec); }
    void ClearRecord(DataListRowValues& rec, const std::string& folder) override
    {
        store_.ClearRecord(row_, folder);
        toValues(rec);
    }
    void GetDataListRecord(std::uint8_t kind, DataListRowValues& rec, std::int32_t flag) override
    {
        fromValues(rec);
        store_.GetDataListRecord(kind, row_, flag != 0);
        toValues(rec);
    }
    bool UpdateDataListRecord(const DataListRowValues& rec, std::int32_t a, std::int32_t b) override
    {
        fromValues(rec);
        return store_.UpdateDataListRecord(row_, a, b != 0);
    }

private:
    void toValues(DataListRowValues& v) const
    {
        v.REC = row_.REC;
        v.GROUPID = row_.GROUPID;
        v.DATACODE = row_.DATACODE;
        v.SHOUGOU = row_.SHOUGOU;
        v.NENDO = row_.NENDO;
        v.KISHU = row_.KISHU;
        v.KIMATU = row_.KIMATU;
        v.PASNAME = row_.PASNAME;
        v.DATATYPE = row_.DATATYPE;
        v.CODETYPE = row_.CODETYPE;
        v.TANTOU = row_.TANTOU;
        v.VER_MAJOR = row_.VER_MAJOR;
        v.VER_MINOR1 = row_.VER_MINOR1;
        v.VER_MINOR2 = row_.VER_MINOR2;
        v.VER_TEXT = row_.VER_TEXT;
        v.GASSAN = row_.GASSAN;
        v.CLOUD = row_.CLOUD;
    }
    void fromValues(const DataListRowValues& v)
    {
        row_.REC = v.REC;
        row_.GROUPID = v.GROUPID;
        row_.DATACODE = v.DATACODE;
        row_.SHOUGOU = v.SHOUGOU;
        row_.NENDO = v.NENDO;
        row_.KISHU = v.KISHU;
        row_.KIMATU = v.KIMATU;
        row_.PASNAME = v.PASNAME;
        row_.DATATYPE = v.DATATYPE;
        row_.CODETYPE = v.CODETYPE;
        row_.TANTOU = v.TANTOU;
        row_.VER_MAJOR = v.VER_MAJOR;
        row_.VER_MINOR1 = v.VER_MINOR1;
        row_.VER_MINOR2 = v.VER_MINOR2;
        row_.VER_TEXT = v.VER_TEXT;
        row_.GASSAN = v.GASSAN;
        row_.CLOUD = v.CLOUD;
    }

    TDataSentakuListCtl store_;
    TDataListRec row_;
};

} // namespace

void InstallDataListController()
{
    setDataListControllerFactory([] { return std::make_unique<StoreController>(); });
}

} // namespace vq
