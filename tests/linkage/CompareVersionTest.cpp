// The three-part version test: parts as numbers, missing parts 0, four parts nothing.
#include <gtest/gtest.h>

#include "linkage/CompareVersion.h"

using vq::linkage::CompareVersion;

TEST(CompareVersionTest, ComparesThreePartVersions)
{
    struct Case {
        const char* have;
        const char* need;
        bool ok;
    };
    const Case cases[] = {
        {"14.0.0", "14.0.0", true},  {"13.9.9", "14.0.0", false}, {"14", "14.0.0", true},
        {"14.0", "14.0.0", true},    {"", "14.0.0", false},       {"14.0.0.1", "14.0.0", false},
        {"14.0.0.1", "", false},     {"14.0.10", "14.0.9", true}, {"15.0.0", "14.0.0", true},
        {"14.1.0", "14.0.0", true},  {"14.-1.0", "0.0.1", false}, {"x.y.z", "", false},
        {"14.100.0", "14.99.0", true}, {"0.0.0", "", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CompareVersion(c.have, c.need), c.ok) << c.have << " against " << c.need;
}
