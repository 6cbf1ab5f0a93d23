// snap draws every picture it names: the toolkit's controls and the screens of
// the subsystems above it (some of them on a sample office under VQ_ROOT).
#include <gtest/gtest.h>

#include "TempDir.h"
#include "platform/Process.h"

#include <QImage>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

using namespace vq;

namespace {

std::vector<std::string> pictureNames()
{
    const auto run = platform::runProcess(VQ_SNAP, {"list"});
    EXPECT_TRUE(run.succeeded()) << run.standardError;
    // "usage: snap NAME OUT.png\nnames: a b c"
    const auto at = run.standardError.find("names:");
    std::istringstream words(at == std::string::npos ? std::string() : run.standardError.substr(at + 6));
    std::vector<std::string> names;
    for (std::string name; words >> name;)
        names.push_back(name);
    return names;
}

} // namespace

TEST(Snap, EveryPictureItNamesIsDrawn)
{
    test::TempDir dir;
    const auto office = dir / "office";
    const auto made = platform::runProcess(VQ_MAKE_SAMPLE_OFFICE, {office.string()});
    ASSERT_TRUE(made.succeeded()) << made.standardError;
    ::setenv("VQ_ROOT", office.c_str(), 1);

    const auto names = pictureNames();
    // The toolkit's own controls and the screens registered from above it.
    for (const char* expected : {"messagebox", "logon", "preview", "datasentaku", "shareddata", "datatusin", "linkage-wizard"})
        EXPECT_NE(std::find(names.begin(), names.end(), expected), names.end()) << expected;
    for (const auto& name : names) {
        SCOPED_TRACE(name);
        const auto png = dir / (name + ".png");
        const auto run = platform::runProcess(VQ_SNAP, {name, png.string()});
        ASSERT_TRUE(run.succeeded()) << run.standardError;
        const QImage picture(QString::fromStdString(png.string()));
        ASSERT_FALSE(picture.isNull());
        EXPECT_GT(picture.width(), 20);
        EXPECT_GT(picture.height(), 20);
    }
}
