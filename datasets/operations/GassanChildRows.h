#pragma once
// The list operations that keep a consolidated row's children in step with
// the folders on disk (stand-alone mode): the refresh rebuilds them from the
// numbered sub-folders in name order, and a paste or restore that replaced a
// consolidated data set drops them.
#include <string>

#include "datasets/DataListRec.h"
#include "datasets/DataSentakuListCtl.h"

namespace vq {

// The list refresh of a parent whose database exists: unless a child is
// marked damaged, the child rows are rebuilt from the sub-folders of
// localFolder that hold a database, numbered 1, 2, ... in name order; a child
// whose database cannot be read keeps what its info file says and is marked
// damaged ("破損データ" when it has no list name).
void ScanChildFolders(TDataSentakuRec& parent, const std::string& localFolder, TDataSentakuListCtl& store);

// The parent loses its children and their rows; with removeFolders also the
// numbered sub-folders of localFolder.
void ResetChildren(TDataSentakuRec& parent, const std::string& localFolder, bool removeFolders,
                   TDataSentakuListCtl& store);

} // namespace vq
