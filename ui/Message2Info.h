#pragma once
// The record a caller fills for the rich message box, the buttons it can ask
// for and what the box copies to the clipboard. The dialog itself is
// TMessageBox2 in ui/forms; ShowMessage2 there shows it.
#include "platform/Interaction.h"
#include "ui/Color.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vq::ui {

// Buttons in the order the box shows them.
enum TMsgDlgBtn : std::uint8_t {
    mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp
};

// A set of TMsgDlgBtn, bit n for the button of ordinal n.
using TMsgDlgButtons = std::uint16_t;

constexpr TMsgDlgButtons buttonSet(std::initializer_list<TMsgDlgBtn> buttons)
{
    TMsgDlgButtons s = 0;
    for (auto b : buttons)
        s = static_cast<TMsgDlgButtons>(s | (1u << b));
    return s;
}

struct TMessage2CaptionRec {
    std::string Text;
    TColor Color = clWindowText;
    std::string Link; // not empty: the line opens this address when clicked
};

inline constexpr int message2LineCount = 10;

struct TMessage2InfoRec {
    std::int32_t Code = 0;   // not 0: show the predefined message of that code
    std::uint8_t Kind = 0;   // 0 warning, 1 error, 2 information, 3 confirmation, else no icon
    TMsgDlgButtons Buttons = 0;
    std::array<std::string, 3> ButtonCaptions;
    std::int32_t DefaultButton = 0;
    std::string Caption;
    std::array<TMessage2CaptionRec, message2LineCount> Lines;
    std::int32_t AgreeMode = 0; // 0 none, 1 required for the first button, else shown only
    std::string AgreeCaption;
    bool Agreed = false;
};

struct Message2Button {
    TMsgDlgBtn button;
    const char* caption;
    int result;
};

// Default caption and result of a button ("はい(&Y)", mrYes ...).
const Message2Button& message2Button(TMsgDlgBtn button);

// The buttons a set shows: at most the first three in display order.
std::vector<TMsgDlgBtn> shownButtons(TMsgDlgButtons buttons);

// Resets the record for a kind: [OK] with the kind's caption, [OK, Cancel]
// for a confirmation; a kind above 3 leaves no icon (4) and no caption.
void InitMessage2Info(std::uint8_t kind, TMessage2InfoRec& info);

// The agreement mode in force: a blank caption switches the check box off.
std::int32_t effectiveAgreeMode(const TMessage2InfoRec& info);

// Number of lines with text (the box sizes itself by this count).
int countedLines(const TMessage2InfoRec& info);

// What Ctrl+C copies: a rule, the title, the rule again and the ten lines,
// each followed by CR LF.
std::string message2ClipboardText(const TMessage2InfoRec& info);

// The same message as a plain request of the interaction seam, for runs
// without the Qt seam (tests, the headless default).
vq::platform::MessageRequest toMessageRequest(const TMessage2InfoRec& info);

} // namespace vq::ui
