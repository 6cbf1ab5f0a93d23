#include "ui/SlotGuard.h"

#include "foundation/data/DbErrorReporter.h"
#include "platform/Interaction.h"
#include "platform/db/DbError.h"
#include "ui/SilentAbort.h"

#include <exception>
#include <string>

namespace vq::ui {

bool runGuarded(const std::function<void()>& body)
{
    try {
        body();
        return true;
    } catch (const SilentAbort&) {
        return false;
    } catch (const vq::db::DbError& e) {
        // Logged and shown by the database-error reporter, which also ends
        // the program once for a lost connection.
        try {
            vq::ReportDbError(e, "SlotGuard", e.message());
        } catch (...) {
        }
        return false;
    } catch (const std::exception& e) {
        // A failure that nothing below handled (a lost connection, a broken
        // file) is reported here rather than ending the program in the loop.
        try {
            vq::platform::showMessage(e.what(), vq::platform::MessageKind::Error);
        } catch (...) {
        }
        return false;
    } catch (...) {
        try {
            vq::platform::showMessage("予期しないエラーが発生しました。", vq::platform::MessageKind::Error);
        } catch (...) {
        }
        return false;
    }
}

} // namespace vq::ui
