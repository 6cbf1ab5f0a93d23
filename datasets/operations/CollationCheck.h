#pragma once
// The two checks that run before the data of one data set replaces another
// (paste "貼り付け", restore "復元"): the consolidation kinds of source and
// target must fit together, and the operator must agree when company name,
// fiscal period or journal count differ. Both run before the first write.
#include <string>
#include <vector>

#include "datasets/operations/CopySource.h"
#include "foundation/dataset/DataInfomationRec.h"

namespace vq {

inline const std::string OpRestore = "復元";
inline const std::string OpPaste = "貼り付け";

// The refused pairs: normal or distributed-input data onto consolidated
// data of either kind, and one consolidated kind onto the other.
bool IsRefusedGassanPattern(int sourceKind, int targetKind);

// The four lines of the refusal box that name the refused patterns.
std::vector<std::string> RefusedPatternLines();

// 1 go on, 0 refused. A missing target folder is created and passes; a
// folder without a database passes; otherwise the target's info file is
// rebuilt from its database and the pattern, then the collation, decide.
// For a restore that goes on, copySource takes the source's company name,
// period, version text and consolidation kind.
int CheckGassanPattern(const std::string& op, const TDataInfomationRec& source, const std::string& targetFolder,
                       TCopySource& copySource);

// The difference lines of the collation (each block ends with an empty line);
// empty when the two agree.
std::vector<std::string> CollationDifferences(const std::string& op, const TDataInfomationRec& source,
                                              const TDataInfomationRec& target);

// 1 go on, 0 refused: source or target without a description, or
// differences the operator did not agree to.
int CollationCheck(const std::string& op, const TDataInfomationRec& source, const TDataInfomationRec& target);

} // namespace vq
