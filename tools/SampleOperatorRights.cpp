#include "tools/SampleOperatorRights.h"

namespace vq::tools {

std::string operatorRightsSql(const std::vector<int>& operatorCodes)
{
    std::string sql;
    for (int code : operatorCodes) {
        const std::string c = std::to_string(code);
        sql += "INSERT INTO OPDEFSISETU (OPCODE, SCODE) VALUES (" + c + ", ' ');\n";
        sql += "INSERT INTO OPLICENSE (OPCODE, SCODE) VALUES (" + c + ", ' ');\n";
    }
    return sql;
}

} // namespace vq::tools
