#include "datasets/operations/DataSetNotices.h"

#include "platform/Interaction.h"

namespace vq {

namespace {
ListNoticeFunc& installed()
{
    static ListNoticeFunc show;
    return show;
}
} // namespace

int ShowListNotice(const ListNotice& notice)
{
    if (installed())
        return installed()(notice);
    platform::MessageRequest request;
    request.caption = notice.caption;
    request.text = notice.mainText;
    if (!notice.lines.empty())
        request.text += "\r";
    for (const std::string& line : notice.lines)
        request.text += "\r" + line;
    const bool asks = notice.okCancel || !notice.agreement.empty();
    if (!notice.agreement.empty())
        request.text += "\r\r" + notice.agreement;
    request.kind = asks ? platform::MessageKind::Confirmation : platform::MessageKind::Warning;
    request.buttons = asks ? platform::Buttons::OkCancel : platform::Buttons::Ok;
    // An agreement is never given by default.
    request.defaultButton = notice.agreement.empty() ? 0 : 1;
    const int answer = platform::interaction().message(request);
    return answer == platform::ResultOk || (!asks && answer != platform::ResultCancel) ? 1 : 2;
}

ListNoticeFunc InstallListNotice(ListNoticeFunc show)
{
    ListNoticeFunc previous = std::move(installed());
    installed() = std::move(show);
    return previous;
}

} // namespace vq
