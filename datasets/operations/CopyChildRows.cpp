#include "datasets/operations/CopyChildRows.h"

#include "datasets/operations/StagedFolder.h"

namespace vq {

namespace {

std::string replacedAll(std::string text, const std::string& from, const std::string& to)
{
    if (from.empty())
        return text;
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

bool sameFolderText(const std::string& a, const std::string& b)
{
    return !a.empty() && !b.empty() && IsSameFolder(a, b);
}

} // namespace

std::ptrdiff_t FindSourceParent(const TDataSentakuRecArray& rows, const TCopySource& source)
{
    const bool child = source.Row.GASSAN == GassanDistributedChild || source.Row.ROWNO > 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const TDataSentakuRec& row = rows[i];
        if (row.REC != source.Row.REC)
            continue;
        if (child)
            for (const TDataListRec& c : row.Children)
                if (sameFolderText(c.PASNAME, source.Row.PASNAME) || sameFolderText(c.LOCAL_PATH, source.Folder))
                    return static_cast<std::ptrdiff_t>(i);
        if (!child && (sameFolderText(row.PASNAME, source.Row.PASNAME) || sameFolderText(row.LOCAL_PATH, source.Folder) ||
                       sameFolderText(row.PASNAME, source.Folder)))
            return static_cast<std::ptrdiff_t>(i);
    }
    return -1;
}

bool CopyChildRows(TDataSentakuRecArray& rows, std::size_t targetIndex, const TCopySource& source,
                   TDataSentakuListCtl& store)
{
    if (targetIndex >= rows.size())
        return false;
    TDataSentakuRec& target = rows[targetIndex];
    if (!IsConsolidatedKind(target.GASSAN)) {
        target.Children.clear();
        target.ChildCount = 0;
        return true;
    }
    const std::ptrdiff_t at = FindSourceParent(rows, source);
    if (at < 0 || !IsConsolidatedKind(rows[static_cast<std::size_t>(at)].GASSAN))
        return true;
    const TDataSentakuRec sourceParent = rows[static_cast<std::size_t>(at)];
    target.Children.clear();
    bool written = true;
    for (const TDataListRec& child : sourceParent.Children) {
        TDataListRec copy = child;
        copy.REC = target.REC;
        copy.PASNAME = replacedAll(copy.PASNAME, sourceParent.PASNAME, target.PASNAME);
        copy.LOCAL_PATH = replacedAll(copy.LOCAL_PATH, sourceParent.PASNAME, target.PASNAME);
        written = store.UpdateDataListChildRecord(copy, 1, true) && written;
        target.Children.push_back(copy);
    }
    target.ChildCount = static_cast<std::int32_t>(target.Children.size());
    return written;
}

} // namespace vq
