#pragma once
// What closing a data set needs of the data-list store of the data-set
// selection: the store's list controller, reduced to the operations and
// fields the data module touches. The store installs a factory for its
// controller; with none installed the data module leaves the data list as it
// is.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace vq {

// The values of one data-list row that the data module reads or replaces,
// named after the DATALIST columns that carry them. The controller keeps the
// rest of its row itself between getDataListRecord and updateDataListRecord.
struct DataListRowValues {
    std::int32_t REC = 0;
    std::int32_t GROUPID = 0;
    std::string DATACODE;      // client code
    std::string SHOUGOU;       // company name
    std::int32_t NENDO = 0;
    double KISHU = 0;          // fiscal start (day number)
    double KIMATU = 0;         // fiscal end
    std::string PASNAME;       // the data set's folder
    std::int32_t DATATYPE = 0;
    std::int32_t CODETYPE = 0;
    std::int32_t TANTOU = 0;
    std::int32_t VER_MAJOR = 0;
    std::int32_t VER_MINOR1 = 0;
    std::int32_t VER_MINOR2 = 0;
    std::string VER_TEXT;
    std::uint8_t GASSAN = 0;   // consolidation kind; 10 marks a child row
    std::uint8_t CLOUD = 0;    // cloud-share flag
};

class IDataListController {
public:
    virtual ~IDataListController() = default;
    // Connection mode the controller works in (0 local list, 1 and 2 the server's).
    virtual void SetLocation(std::uint8_t location) = 0;
    // Data place: table DATALIST_EX above 0 in modes 1 and 2, else DATALIST.
    virtual void SetListTable(std::int32_t placeRec) = 0;
    // A blank row for the data set in folder (REC 0, GROUPID of the run, NENDO 1).
    virtual void ClearRecord(DataListRowValues& rec, const std::string& folder) = 0;
    // Kind 1: fills rec from the row matching its GROUPID and folder (the
    // child list when GASSAN is 10); rec stays as it was when there is none.
    virtual void GetDataListRecord(std::uint8_t kind, DataListRowValues& rec, std::int32_t flag) = 0;
    // Writes rec into its row (found by REC); false without a write when REC
    // is 0 or the folder is blank.
    virtual bool UpdateDataListRecord(const DataListRowValues& rec, std::int32_t a, std::int32_t b) = 0;
};

using DataListControllerFactory = std::function<std::unique_ptr<IDataListController>()>;

// Installs the store's factory; returns the previous one. An empty factory
// means none.
DataListControllerFactory setDataListControllerFactory(DataListControllerFactory factory);
const DataListControllerFactory& dataListControllerFactory();

} // namespace vq
