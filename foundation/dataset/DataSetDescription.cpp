#include "foundation/dataset/DataSetDescription.h"

#include <memory>

#include "foundation/app/RunState.h"
#include "foundation/dataset/DataInfomation.h"

namespace vq {

namespace {

class DataSetDescription : public IDataSetDescription {
public:
    explicit DataSetDescription(const TDataInfomationRec& rec) : rec_(rec) {}

    void setStatus(std::int32_t status) override { rec_.STATUS = static_cast<std::uint8_t>(status); }

    void setOperator(std::int32_t opCode, const std::string& operatorName) override
    {
        rec_.OPCODE = opCode;
        rec_.OPERATOR = operatorName;
    }

    void writeInfoFile(const std::string& folder) override
    {
        TDataInfomation info;
        info.Location = ConnectMode;
        info.WriteIniFile(folder, {}, rec_);
    }

    DataSetListValues listValues() const override
    {
        DataSetListValues v;
        v.CODE = rec_.CODE;
        v.SHOUGOU = rec_.SHOUGOU;
        v.NENDO = rec_.NENDO;
        v.KISHU = rec_.KISHU;
        v.KIMATU = rec_.KIMATU;
        v.DATAKBN = rec_.DATAKBN;
        v.CODEKBN = rec_.CODEKBN;
        v.TANTO = rec_.TANTO;
        v.MAJOR = rec_.MAJOR;
        v.MINOR1 = rec_.MINOR1;
        v.MINOR2 = rec_.MINOR2;
        v.VERSION2 = rec_.VERSION2;
        v.GASSANKBN = rec_.GASSANKBN;
        v.CLOUD_SHARE = rec_.CLOUD_SHARE;
        return v;
    }

private:
    TDataInfomationRec rec_;
};

} // namespace

DataSetDescriptionReader InstallDataSetDescription()
{
    return setDataSetDescriptionReader([]() -> std::unique_ptr<IDataSetDescription> {
        TDataInfomation info;
        TDataInfomationRec rec;
        if (!info.GetDataInfoRec(rec))
            return nullptr;
        return std::make_unique<DataSetDescription>(rec);
    });
}

} // namespace vq
