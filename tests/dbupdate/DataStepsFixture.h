#pragma once
// A data set of the first release (or of a later version, as the manifest
// tells it) of one data kind, opened as the data selection opens it before an
// update, and the data steps of the update list run over it in order.
#include <string>

#include "DbUpdateRunFixture.h"
#include "dbupdate/DbUpdateListRec.h"

namespace vq::test {

class DataStepsFixture : public DbUpdateRunFixture {
protected:
    // The data set of that kind and edition at version at (empty: the first
    // release), with the seed SQL run over it, its information loaded.
    void useBase(const std::string& kind, int edition = 0, const std::string& at = {}, const std::string& seed = {})
    {
        std::filesystem::remove(dataFile());
        buildBaseDatabase(SchemaKind::DataSetBase, dataFile(), {kind, edition, at});
        if (!seed.empty())
            runSql(dataFile(), seed);
        dm_.fnAccDatConnected({}, SystemDef.DataDir, 0);
        dm_.fnGetAccInfo();
        dm_.CloseAccDat(SystemDef.DataDir, 0, 0);
    }
    // The steps of the data list up to the last-th (the first is 0.1.1)
    // that are newer than the data set's version, run in order.
    int runUpTo(int last, const std::string& from = "0.1.0")
    {
        TArrayDbUpdateListRec list = DataUpdateSteps();
        list.resize(static_cast<std::size_t>(last));
        state_.FDataList = std::move(list);
        state_.SetupUpdateList(1, from);
        return run_.Execute();
    }
    std::string lastMessage() { return seam_->messages.empty() ? "" : seam_->messages.back().text; }

    TDbVersionTest state_;
    TDbUpdateRun run_{state_};
};

} // namespace vq::test
