#pragma once
// The base of a linkage-data export: which target application the file is
// for, which accounting product and version it comes from, the chosen data
// set, period and options, and where the file goes. It keeps the linkage
// settings file (Ovidal.ini in the ini folder of the data root), writes the
// two header groups of the output document and leaves the data group to its
// subclass. The wizard creates one at its start and keeps it to the end.
//
// The settings are read at construction and written only by SaveIni: the
// owner calls it before destroying the object, so a failed write reaches the
// operator instead of escaping a destructor.
#include <cstdint>
#include <filesystem>
#include <string>

namespace vq::linkage {

class TXmlSaveDoc;

class TComDataExport {
public:
    // functionId as the caller gave it (0 stand-alone); exportFile the
    // caller's output path, empty stand-alone. Creates the ini folder and
    // reads the settings file.
    TComDataExport(std::int32_t functionId, const std::string& exportFile);
    virtual ~TComDataExport() = default;
    TComDataExport(const TComDataExport&) = delete;
    TComDataExport& operator=(const TComDataExport&) = delete;

    // Identity, fixed at construction.
    std::string IniFolder;            // data root + "/ini"
    std::string WindowTitle;          // TargetName + " from " + ProgramName
    std::string TargetName;           // "所得税のOvidal"
    std::string LinkageKind;          // "QX": names the settings section
    std::int32_t RawFunctionId = 0;   // as the caller gave it; 0 stand-alone
    std::string GyoumuPrefix;         // "QX14"
    std::int32_t FormatVersion = 1;
    std::int32_t FunctionId = 1;      // RawFunctionId, or 1 stand-alone
    std::string ConnectedProgramVer;  // "14.0.0"
    std::string ProgramName;          // installed product's "Product"; empty when not installed
    std::string ProgramVer;           // installed product's "Version"; empty when not installed
    std::string RequiredVersion;      // "14.0.0": the least installed version the tool runs with

    // The chosen data set, replaced each time the data page's check passes.
    std::string KomonsakiName;        // client name; settings key KOMONSAKI
    std::int32_t Nendo = 0;           // fiscal-year number NENDO
    double PeriodStart = 0;           // first day of the fiscal year (KISHU), day number
    double PeriodEnd = 0;             // last day of the fiscal year (KIMATU), day number
    std::int32_t SimeDay = 99;        // closing day 1-28, 99 month end
    std::int32_t SyotokuSyurui = 0;   // income kind: 1 business, 2 other, 3 real estate, 4 agriculture
    std::int32_t HasuuMode = 0;
    bool IncludeUtiwake = false;      // write the breakdown groups
    std::string IniData;              // settings key DATA, kept as read
    std::int32_t PeriodFrom = 0;      // calculation period on the 16-period calendar
    std::int32_t PeriodTo = 0;
    std::int32_t LastPeriod = 0;      // last period in use
    std::int32_t TaxMode = 0;         // 0 tax included, 1 tax excluded
    std::int32_t TaxKanni = 0;        // simplified-taxation switch of the data set
    std::int32_t TaxJigyou = 0;       // business kind of the simplified taxation
    std::int32_t DataType = 0;        // DATATYPE of the data set (2 individual)
    std::int32_t CodeType = 0;        // statement kind: 1 and 3 general, 2 real estate, 4 agriculture
    std::string ExportFile;           // output path; settings key EXPORTFILE stand-alone
    std::int32_t SelectionMode = 2;   // data kind the selection asks for (2 individual)
    std::string VersionMajor;         // "14": data-version filter of the selection

    // The settings file and its section for LinkageKind.
    std::filesystem::path IniFileName() const;
    std::string IniSection() const;

    // Reads DATA and KOMONSAKI, and EXPORTFILE when stand-alone; missing
    // keys read as empty texts.
    void LoadIni();
    // Writes the same keys (creating the file). Throws std::system_error or
    // std::invalid_argument when the file cannot be written; the file keeps
    // its previous content then.
    void SaveIni();

    // REPORT/SYSTEM and REPORT/BASIC of the output document.
    void SetSystemNode(TXmlSaveDoc& doc);
    void SetBasicNode(TXmlSaveDoc& doc);
    // REPORT/DATA, after the two header groups and before the save.
    virtual void SetDataNode(TXmlSaveDoc& doc) = 0;
};

} // namespace vq::linkage
