// The command line: none, one argument of four comma-separated fields, and
// what is refused.
#include <gtest/gtest.h>

#include "linkage/CallerArguments.h"

using vq::linkage::CallerArguments;
using vq::linkage::ParseCallerArguments;
using Kind = CallerArguments::Kind;

TEST(CallerArgumentsTest, ReadsTheArgumentTable)
{
    struct Case {
        std::vector<std::string> args;
        Kind kind;
        std::int64_t wnd;
        std::int32_t msg;
        std::int32_t func;
        std::string out;
    };
    const Case cases[] = {
        {{}, Kind::StandAlone, 0, 0, 0, ""},
        {{"1234,32769,1,/out/qx.xml"}, Kind::Caller, 1234, 32769, 1, "/out/qx.xml"},
        {{"1234,32769,4,/out/a,b.xml"}, Kind::Caller, 1234, 32769, 4, "/out/a"},
        // What the export cannot serve is refused before the pages.
        {{"1234,32769,1"}, Kind::Invalid, 1234, 32769, 1, ""},
        {{"1234,32769,1,"}, Kind::Invalid, 1234, 32769, 1, ""},
        {{"1234,32769,0,/x.xml"}, Kind::Invalid, 1234, 32769, 0, "/x.xml"},
        {{"1234,32769,5,/x.xml"}, Kind::Invalid, 1234, 32769, 5, "/x.xml"},
        {{"1234,32769,-1,/x.xml"}, Kind::Invalid, 1234, 32769, -1, "/x.xml"},
        {{"1234,32769,1,/x.xml", "more"}, Kind::Invalid, 0, 0, 0, ""},
        {{"1234,abc,1,/x.xml"}, Kind::Invalid, 1234, 0, 1, "/x.xml"},
        {{"win,32769,1,/x.xml"}, Kind::Invalid, 0, 32769, 1, "/x.xml"},
        {{"1234,32769,1.5,/x.xml"}, Kind::Invalid, 1234, 32769, 0, "/x.xml"},
        {{"1234"}, Kind::Invalid, 1234, 0, 0, ""},
        {{" 1234,1,1,/x"}, Kind::Invalid, 0, 1, 1, "/x"},
        {{"1234,99999999999,1,/x"}, Kind::Invalid, 1234, 0, 1, "/x"},
    };
    for (const auto& c : cases) {
        const CallerArguments a = ParseCallerArguments(c.args);
        const std::string label = c.args.empty() ? "(none)" : c.args.front();
        EXPECT_EQ(a.kind, c.kind) << label;
        EXPECT_EQ(a.CallerWnd, c.wnd) << label;
        EXPECT_EQ(a.CallerMsg, c.msg) << label;
        EXPECT_EQ(a.CallerFuncId, c.func) << label;
        EXPECT_EQ(a.CallerOutFile, c.out) << label;
    }
}
