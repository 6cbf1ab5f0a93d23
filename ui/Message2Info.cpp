#include "ui/Message2Info.h"

#include "ui/ModalResult.h"

#include <algorithm>

namespace vq::ui {

namespace {

const Message2Button buttonTable[] = {
    {mbYes, "はい(&Y)", mrYes},
    {mbNo, "いいえ(&N)", mrNo},
    {mbOK, "OK(&O)", mrOk},
    {mbCancel, "ｷｬﾝｾﾙ(&C)", mrCancel},
    {mbAbort, "中断(&A)", mrAbort},
    {mbRetry, "再試行(&R)", mrRetry},
    {mbIgnore, "無視(&I)", mrIgnore},
    {mbAll, "すべて(&A)", mrAll},
    {mbNoToAll, "すべていいえ", mrNoToAll},
    {mbYesToAll, "すべてはい", mrYesToAll},
    {mbHelp, "ヘルプ(&H)", 0},
};

bool isBlank(const std::string& s)
{
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

} // namespace

const Message2Button& message2Button(TMsgDlgBtn button)
{
    return buttonTable[std::min<int>(button, mbHelp)];
}

std::vector<TMsgDlgBtn> shownButtons(TMsgDlgButtons buttons)
{
    std::vector<TMsgDlgBtn> shown;
    for (int b = mbYes; b <= mbHelp && shown.size() < 3; ++b)
        if (buttons & (1u << b))
            shown.push_back(static_cast<TMsgDlgBtn>(b));
    return shown;
}

void InitMessage2Info(std::uint8_t kind, TMessage2InfoRec& info)
{
    info = TMessage2InfoRec{};
    info.Buttons = buttonSet({mbOK});
    info.Kind = 4;
    switch (kind) {
    case 0:
        info.Caption = "警告";
        break;
    case 1:
        info.Caption = "エラー";
        break;
    case 2:
        info.Caption = "情報";
        break;
    case 3:
        info.Caption = "確認";
        info.Buttons = buttonSet({mbOK, mbCancel});
        break;
    default:
        return;
    }
    info.Kind = kind;
}

std::int32_t effectiveAgreeMode(const TMessage2InfoRec& info)
{
    return isBlank(info.AgreeCaption) ? 0 : info.AgreeMode;
}

int countedLines(const TMessage2InfoRec& info)
{
    return static_cast<int>(std::count_if(info.Lines.begin(), info.Lines.end(),
                                          [](const TMessage2CaptionRec& l) { return !l.Text.empty(); }));
}

std::string message2ClipboardText(const TMessage2InfoRec& info)
{
    const std::string rule = "---------------------------";
    std::string text = rule + "\r\n" + info.Caption + "\r\n" + rule + "\r\n";
    for (const auto& line : info.Lines)
        text += line.Text + "\r\n";
    return text;
}

vq::platform::MessageRequest toMessageRequest(const TMessage2InfoRec& info)
{
    using vq::platform::Buttons;
    using vq::platform::MessageKind;
    vq::platform::MessageRequest request;
    for (const auto& line : info.Lines) {
        if (line.Text.empty())
            continue;
        if (!request.text.empty())
            request.text += '\r';
        request.text += line.Text;
    }
    request.caption = info.Caption;
    switch (info.Kind) {
    case 0: request.kind = MessageKind::Warning; break;
    case 1: request.kind = MessageKind::Error; break;
    case 2: request.kind = MessageKind::Information; break;
    case 3: request.kind = MessageKind::Confirmation; break;
    default: request.kind = MessageKind::None; break;
    }
    const auto shown = shownButtons(info.Buttons);
    auto is = [&](std::initializer_list<TMsgDlgBtn> set) {
        return std::equal(shown.begin(), shown.end(), set.begin(), set.end());
    };
    if (is({mbYes, mbNo}))
        request.buttons = Buttons::YesNo;
    else if (is({mbYes, mbNo, mbCancel}))
        request.buttons = Buttons::YesNoCancel;
    else if (is({mbAbort, mbRetry, mbIgnore}))
        request.buttons = Buttons::AbortRetryIgnore;
    else if (is({mbRetry, mbCancel}))
        request.buttons = Buttons::RetryCancel;
    else if (std::find(shown.begin(), shown.end(), mbCancel) != shown.end())
        request.buttons = Buttons::OkCancel;
    else
        request.buttons = Buttons::Ok;
    request.defaultButton = info.DefaultButton;
    return request;
}

} // namespace vq::ui
