#include "foundation/app/AccConstants.h"

namespace vq {

namespace {
constexpr std::array<std::int32_t, 8> MakerColors = {
    0xDBDBDB, 0xFFFFFF, 0xDBDBDB, 0xFFFFFF, 0xFFFFFF, 0xE1F0FF, 0x8EC7FF, 0x246BFF};
}

std::string AppName = "dozevid";
std::string BaseFolder = "draxon/zeverivurev";
std::string ViewFolder = "vqzview";
std::string ShareFolder = "zeverivurev";
std::string ServerDataDir = "/zeverivurev/data";
std::string ServerTempDir = "/zeverivurev/temp";
std::string SysDbFileName = "vqaccdef.fdb";
std::string DataDbFileName = "vqacc.fdb";
std::string DataBackupFileName = "vqacc.fbk";
std::string DataIniFileName = "vqacc.ini";
std::string CashBookDataDir = "cb_data";
std::int32_t DataListCnt = 120;

std::array<std::int32_t, 8> DefaultColors = MakerColors;

void UseDistributorColors()
{
    DefaultColors[5] = 0xF2FFEE;
    DefaultColors[6] = 0xD6FFC8;
    DefaultColors[7] = 0x008000;
}

void ResetAccConstants()
{
    AppName = "dozevid";
    BaseFolder = "draxon/zeverivurev";
    ViewFolder = "vqzview";
    ShareFolder = "zeverivurev";
    ServerDataDir = "/zeverivurev/data";
    ServerTempDir = "/zeverivurev/temp";
    SysDbFileName = "vqaccdef.fdb";
    DataDbFileName = "vqacc.fdb";
    DataBackupFileName = "vqacc.fbk";
    DataIniFileName = "vqacc.ini";
    CashBookDataDir = "cb_data";
    DataListCnt = 120;
    DefaultColors = MakerColors;
}

} // namespace vq
