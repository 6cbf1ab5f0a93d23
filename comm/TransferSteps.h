#pragma once
// What the slot transfers (the cloud share's and the relay's) have in
// common around their steps: the pace between server steps, the step
// window's captions, the folder their private work folders go in, and the
// way a step gives up (a message, or none when the step reported already).
#include "platform/Interaction.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace vq::comm {

// A failed step: its message (none when the step reported already).
struct TTransferFailed {
    std::string Message;
    platform::MessageKind Kind = platform::MessageKind::Error;
};

[[noreturn]] void FailTransfer(std::string message = {},
                               platform::MessageKind kind = platform::MessageKind::Error);

class TTransferSteps {
public:
    // The pause before each server step (the step window's pace); none when empty.
    std::function<void()> Pause;
    // Step window captions: box 1..4 and its text.
    std::function<void(int, const std::string&)> Step;
    // Folder for the work folders; empty: the settings' TEMP folder.
    std::filesystem::path WorkBase;

protected:
    void pause() const;
    void step(int box, const std::string& caption) const;
    std::filesystem::path workBase() const;
    // Steps 2 and 3 of a receive: the downloaded cipher file deciphered with
    // password into archive, and member extracted from it as backup.
    void unpackReceived(const std::filesystem::path& cipher, const std::filesystem::path& archive,
                        const std::string& password, const std::string& member,
                        const std::filesystem::path& backup) const;
    // Runs steps: 0 when they ran through, 1 after a failure was reported.
    static std::int32_t runSteps(const std::function<void()>& steps);
};

// Marks the data set's status for the other screens; a mark that cannot be
// written does not stop the transfer.
void MarkTransferStatus(const std::string& folder, std::uint8_t status);

} // namespace vq::comm
