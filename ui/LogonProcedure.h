#pragma once
// What the logon dialog does without a window: the checks of the entered
// code and settings, the connection of the system database with the
// operator's explanation when it fails, the logon check of the stored
// procedure and the run state of the logged-on operator; for the companion
// products the confirmation and storage of their system operator's password.
//
// Messages go through the interaction seam; the rich connection-failure box
// through the hook given at construction (the dialog passes ShowMessage2).
#include <cstdint>
#include <functional>
#include <string>

#include "ui/Message2Info.h"

namespace vq::ui {

enum class LogonOutcome {
    StayOpen,   // wrong input or a refused logon: the dialog stays open
    LoggedOn,   // mrOk
    Cancelled,  // the check itself failed: mrCancel, the program ends
};
enum class LogonFocus { None, OpCode, Password };

struct LogonResult {
    LogonOutcome outcome = LogonOutcome::StayOpen;
    LogonFocus focus = LogonFocus::None;
};

// The messages the operator sees (kept here so the tests name them once).
inline const std::string kWrongCodeMessage =
    "コードまたはパスワードが違います。\r正しいコードまたはパスワードを入力して下さい。";
inline const std::string kAlreadyLoggedOnMessage =
    "指定したユーザーは既にシステムへログインしているため、ログインできませんでした。";
inline const std::string kWrongPasswordMessage = "パスワードが違います。\r正しいパスワードを入力して下さい。";

class LogonProcedure {
public:
    using RichMessageFunc = std::function<void(TMessage2InfoRec&)>;
    // Without a hook the rich box goes to the interaction seam as plain text.
    explicit LogonProcedure(RichMessageFunc showRich = {});

    // 1 makes the stand-alone cause list name a missing accounting
    // application; 2 puts the first focus on OK (the dialog's concern).
    std::int32_t CallerKind = 0;
    // Set by the office-user chord (management analysis only).
    bool OfficeUser = false;

    // 2 in terminal-server mode, else 1 with the client/server radio, else 0.
    static std::int32_t GetConnectKind(bool clientServerChecked);

    // (Re)connects the system database; a failure is explained to the
    // operator (the rich box) and gives false.
    bool ConnectSystemDatabase();

    // The operator logon of the accounting application. groupEntry is taken
    // as GROUPID only when useGroupEntry (the dialog shows the group entry).
    LogonResult OperatorLogon(std::int32_t kind, const std::string& opCodeText, const std::string& password,
                              bool useGroupEntry = false, const std::string& groupEntry = {});

    // The password confirmation of a companion product's system operator.
    LogonResult ConfirmPassword(std::int32_t entryOpCode, const std::string& password);

    // The stored password of a companion's system operator; true when one
    // is stored (always true, without a database access, for products
    // other than 2 and 3).
    bool GetEntryPassword(std::int32_t opCode, std::string& password);
    // Stores it (UPDATE, or INSERT of a new system-user row). connectKind is
    // the section read first for the accounting application.
    bool UpdatePassword(std::int32_t opCode, const std::string& newPassword, std::int32_t connectKind);

private:
    struct CheckRow {
        std::int32_t num = 0;
        std::int32_t loginCode = 0;
        std::int32_t jobLevel = 0;
    };
    CheckRow RunLogonCheck(const char* procedure, const std::string& pcName, std::int32_t opCode,
                           std::int32_t appVersion, const std::string& password);
    void ReadOperatorName(std::int32_t loginCode);
    void ReadOperatorRights(std::int32_t loginCode);
    bool ConnectForPassword();
    void ShowConnectionFailure(std::int64_t errorCode, const std::string& detail);

    RichMessageFunc showRich_;
};

} // namespace vq::ui
