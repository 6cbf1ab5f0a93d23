#pragma once
// What opening and closing a data set needs of the data-set description
// (the class that reads a data set's description from its database and keeps
// its information file): read the description of the open data set, change
// its status, write the information file, and hand over the values the data
// list takes. The description class installs a reader; with none installed
// the data module writes no status and refreshes no data-list row.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace vq {

// The description values the data list takes over when a data set closes.
struct DataSetListValues {
    std::string CODE;
    std::string SHOUGOU;
    std::int32_t NENDO = 0;
    std::string KISHU;           // "yyyy/mm/dd"
    std::string KIMATU;          // "yyyy/mm/dd"
    std::int32_t DATAKBN = 0;
    std::int32_t CODEKBN = 0;
    std::int32_t TANTO = 0;
    std::int32_t MAJOR = 0;
    std::int32_t MINOR1 = 0;
    std::int32_t MINOR2 = 0;
    std::string VERSION2;
    std::uint8_t GASSANKBN = 0;
    std::uint8_t CLOUD_SHARE = 0;
};

// One description, read fresh (cleared, then filled) from the open data set.
class IDataSetDescription {
public:
    virtual ~IDataSetDescription() = default;
    virtual void setStatus(std::int32_t status) = 0;
    // The operator who holds the data set (OPCODE, OPERATOR).
    virtual void setOperator(std::int32_t opCode, const std::string& operatorName) = 0;
    // Writes both sections of the information file in folder.
    virtual void writeInfoFile(const std::string& folder) = 0;
    virtual DataSetListValues listValues() const = 0;
};

// Reads the description of the data set open in the data module; nullptr
// when it cannot be read (the reader reports its own errors).
using DataSetDescriptionReader = std::function<std::unique_ptr<IDataSetDescription>()>;

// Installs the reader; returns the previous one. An empty reader means none.
DataSetDescriptionReader setDataSetDescriptionReader(DataSetDescriptionReader reader);
const DataSetDescriptionReader& dataSetDescriptionReader();

} // namespace vq
