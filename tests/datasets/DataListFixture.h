#pragma once
// A data module with the office's system database connected (version 14, so
// the list has its cloud and read-only columns), the data root in <tmp>/sys
// and a way to run SQL on the open system database.
#include <string>
#include <string_view>
#include <vector>

#include "../foundation/data/DataModuleFixture.h"
#include "SystemQueries.h"

namespace vq::test {

inline std::string upperAsciiForTest(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

class DataListFixture : public DataModuleFixture {
protected:
    void SetUp() override
    {
        DataModuleFixture::SetUp();
        SystemDef.ProgVerMajor = 14;
        SystemDef.ProgVerMinor1 = 0;
        SystemDef.ProgVerMinor2 = 0;
        ASSERT_TRUE(dm_.fnAccDefConnected("", 1));
    }

    // Runs statements (';'-separated, none with a ';' inside) and commits.
    void exec(std::string_view sql) { execEachOn(dm_, sql); }
    // One integer of a query.
    std::int64_t scalar(std::string_view sql) { return scalarOn(dm_, sql); }
    // The first column of every row, as text.
    std::vector<std::string> texts(std::string_view sql) { return textsOn(dm_, sql); }

    std::string root() const { return SystemDef.SysDir; }
};

} // namespace vq::test
