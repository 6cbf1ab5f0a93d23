#pragma once
// Results of a modal screen, numbered as the callers store and compare them
// (1..7 agree with vq::platform::DialogResult).
namespace vq::ui {

enum TModalResult : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrAll = 8,
    mrNoToAll = 9,
    mrYesToAll = 10,
};

} // namespace vq::ui
