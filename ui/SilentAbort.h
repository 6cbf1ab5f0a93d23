#pragma once
// Ends the operation in progress after the operator has already been told why
// (the date editor's one message). Nobody reports it again: the slot guard at
// the edge of the event loop swallows it, and code that must tidy up on the
// way out catches it, tidies and rethrows.
#include <exception>

namespace vq::ui {

class SilentAbort : public std::exception {
public:
    const char* what() const noexcept override { return "operation ended after a reported input error"; }
};

} // namespace vq::ui
