#pragma once
// The list message box of the data-set operations (pattern refusal,
// collation result, delete and release confirmations): a caption, a
// main text (red on screen), list lines and, optionally, an agreement that the
// operator must tick before OK is enabled. The screen installs the real box;
// without one the box goes to the interaction seam as one message whose text
// is the main text, an empty line and the list lines, followed by the
// agreement text when there is one.
#include <functional>
#include <string>
#include <vector>

namespace vq {

struct ListNotice {
    std::string caption;
    std::string mainText;
    std::vector<std::string> lines;
    std::string agreement;    // empty: no agreement check
    bool okCancel = false;    // "OK" and "キャンセル"; otherwise one "OK"
};

// 1 for OK, 2 for キャンセル.
using ListNoticeFunc = std::function<int(const ListNotice&)>;

int ShowListNotice(const ListNotice& notice);
// Installs the screen's box and returns the previous one (empty: the seam).
ListNoticeFunc InstallListNotice(ListNoticeFunc show);

} // namespace vq
