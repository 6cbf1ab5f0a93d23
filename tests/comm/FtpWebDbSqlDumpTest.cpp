// The analysis upload of a real data set against the fake analysis server
// (HTTPS) and the FTP fake: every way it ends, what the server receives, and
// that neither the dump nor the archive outlives the upload.
#include "comm/FtpWebDbSqlDump.h"
#include "comm/MeetingSettings.h"

#include "DumpFixture.h"
#include "FakeAnalysis.h"
#include "FakeFtp.h"
#include "foundation/calendar/DayNumber.h"
#include "foundation/data/AccRegSettings.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>

using namespace vq;
using comm::TFtpWebDbSqlDump;
namespace fs = std::filesystem;

namespace {

constexpr const char* CommId = "abcd-1234-5678";   // FakeFtp::User with its hyphens

// The query of a logged request, decoded; a key given twice keeps its last value.
std::map<std::string, std::string> query(const std::string& path)
{
    std::map<std::string, std::string> out;
    const auto decode = [](const std::string& s) {
        std::string d;
        for (std::size_t i = 0; i < s.size(); ++i) {
            if (s[i] == '%' && i + 2 < s.size()) {
                d += static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16));
                i += 2;
            } else {
                d += s[i];
            }
        }
        return d;
    };
    std::size_t p = path.find('?');
    while (p != std::string::npos) {
        const std::size_t next = path.find('&', p + 1);
        const std::string pair = path.substr(p + 1, next == std::string::npos ? std::string::npos : next - p - 1);
        const std::size_t eq = pair.find('=');
        out[decode(pair.substr(0, eq))] = eq == std::string::npos ? "" : decode(pair.substr(eq + 1));
        p = next;
    }
    return out;
}

// Every file below folder, relative to it.
std::vector<std::string> filesBelow(const fs::path& folder)
{
    std::vector<std::string> out;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        out.push_back(fs::relative(it->path(), folder).string());
    return out;
}

} // namespace

class FtpWebDbSqlDumpTest : public test::DumpFixture {
protected:
    void SetUp() override
    {
        DumpFixture::SetUp();
        open();
        ftp_.emplace();
        fs::create_directories(ftp_->root() / "03");
        analysis_.emplace("abcd12345678", ftp_->root(), test::FakeFtp::Password);
    }

    comm::TCommSettings settings(int readMs = 2000) const
    {
        comm::TCommSettings s;
        s.ConnectTimeoutMs = 3000;
        s.ReadTimeoutMs = readMs;
        s.CaFile = analysis_->caFile().string();
        s.InstallationId = "AB12-CD34";
        s.LogFile = root_ / "comm.log";
        ftp_->into(s);
        return s;
    }

    std::string upload(const std::string& id = CommId, int slot = 3,
                       const std::function<void(TFtpWebDbSqlDump&)>& prepare = {})
    {
        TFtpWebDbSqlDump up(settings());
        up.ServerHost = analysis_->host();
        if (prepare)
            prepare(up);
        return up.UploadDump(id, slot);
    }

    // Nothing of any upload is left in the temporary folder.
    void expectNothingLeft(const std::string& what) const
    {
        EXPECT_EQ(filesBelow(SystemDef.TempDir), std::vector<std::string>{}) << what;
    }

    std::optional<test::FakeFtp> ftp_;
    std::optional<test::FakeAnalysis> analysis_;
};

TEST_F(FtpWebDbSqlDumpTest, AnUploadArrivesAsOneEncipheredDumpAndLeavesNothingBehind)
{
    TFtpWebDbSqlDump up(settings());
    up.ServerHost = analysis_->host();
    ASSERT_EQ(up.UploadDump(CommId, 3), "000") << up.ErrorText;
    EXPECT_EQ(up.DatabaseName, "halbrin_d_abcd12345678_3");
    EXPECT_EQ(up.FtpHost, "127.0.0.1");
    expectNothingLeft("success");

    // The fake answered 000 to the confirmation only after it opened
    // 03/vqacc.zip with fpa and found one enciphered vqacc.sql of that database.
    const auto requests = analysis_->requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].agent, "Corvane");
    EXPECT_EQ(query(requests[0].path), (std::map<std::string, std::string>{{"pmd", "1000"}, {"fnm", "abcd12345678"}}));
    EXPECT_EQ(requests[1].status, "000");
    const auto confirm = query(requests[1].path);
    EXPECT_EQ(confirm.at("dno"), "3");
    EXPECT_EQ(confirm.at("fpa"), TFtpWebDbSqlDump::ZipPassword);
    EXPECT_EQ(confirm.count("meeting_url") + confirm.count("meeting_date") + confirm.count("active_id"), 0u);
    EXPECT_TRUE(fs::exists(ftp_->root() / "03" / "vqacc.zip"));

    // The FTP password crossed only after the control channel went to TLS.
    const auto commands = ftp_->commands();
    const auto at = [&](const std::string& head) {
        return std::find_if(commands.begin(), commands.end(), [&](const auto& l) { return l.rfind(head, 0) == 0; }) -
               commands.begin();
    };
    EXPECT_LT(at("AUTH"), at("USER"));
}

TEST_F(FtpWebDbSqlDumpTest, EveryFailingStepEndsInItsStatusAndLeavesNoDumpOrArchive)
{
    struct Case {
        const char* name;
        std::string id;
        int slot;
        const char* analysisFault;
        const char* ftpFault;
        std::function<void(TFtpWebDbSqlDump&)> prepare;
        const char* status;
    };
    const auto untrusted = [this](TFtpWebDbSqlDump& up) { up.Settings.CaFile = ftp_->caFile().string(); };
    const auto noScript = [this](TFtpWebDbSqlDump& up) { up.Dump.IndexScriptPath = root_ / "none.sql"; };
    const auto noFolder = [this](TFtpWebDbSqlDump&) { fs::remove_all(ftp_->root() / "03"); };
    const Case cases[] = {
        {"no ID", "", 3, "", "", {}, "801"},
        {"ID not letters and digits", "abcd-1234'", 3, "", "", {}, "801"},
        {"slot 0", CommId, 0, "", "", {}, "802"},
        {"slot 11", CommId, 11, "", "", {}, "802"},
        {"dump fails", CommId, 3, "", "", noScript, "811"},
        {"unknown ID", "abcd-0000-0000", 3, "", "", {}, "902"},
        {"server refuses", CommId, 3, "status_1000=003", "", {}, "003"},
        {"no X-Status", CommId, 3, "no_status", "", {}, ""},
        {"HTTP 500", CommId, 3, "http500", "", {}, "831"},
        {"server stalls", CommId, 3, "stall", "", {}, "831"},
        {"certificate refused", CommId, 3, "", "", untrusted, "831"},
        {"FTP login refused", CommId, 3, "", "bad_login", {}, "821"},
        {"no slot folder", CommId, 3, "", "", noFolder, "823"},
        {"FTP upload dropped", CommId, 3, "", "drop_stor", {}, "824"},
        {"FTP upload stalls", CommId, 3, "", "stall", {}, "824"},
        {"archive refused", CommId, 3, "status_1100=922", "", {}, "922"},
    };
    for (const auto& c : cases) {
        analysis_->setFault(c.analysisFault);
        ftp_->setFault(c.ftpFault);
        fs::create_directories(ftp_->root() / "03");
        EXPECT_EQ(upload(c.id, c.slot, c.prepare), c.status) << c.name;
        expectNothingLeft(c.name);
    }
    // Only the failed dump spoke, with its own message.
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(seam_->messages[0].text.rfind("SQLDumpファイルの作成に失敗しました。", 0), 0u);
    // An ID or slot refused locally never reached the server.
    for (const auto& r : analysis_->requests())
        EXPECT_EQ(r.path.find("abcd1234%27"), std::string::npos);

    EXPECT_EQ(TFtpWebDbSqlDump::StatusMessage("831"), "HTTP GET失敗");
    EXPECT_EQ(TFtpWebDbSqlDump::StatusMessage(""), "原因不明のエラー発生");
}

TEST_F(FtpWebDbSqlDumpTest, TheConfirmationCarriesTheMeetingOnlyWhenAnnouncedEveryValueEncoded)
{
    const std::string url = "https://meet.example/j/1?pwd=a&b=c d#x会議";
    const double date = encodeDateTime(2026, 1, 5, 9, 30, 0);
    struct Case {
        std::int32_t on;
        std::int32_t mode;
        const char* meetingDate;   // nullptr: no meeting keys at all
    };
    const Case cases[] = {
        {1, 1, "1月5日　09：30"},
        {1, 2, ""},
        {1, 0, nullptr},
        {0, 1, nullptr},
    };
    for (const auto& c : cases) {
        const std::string group = comm::MeetingGroup;
        PutAccReg(group, "ＷＥＢ会議を行う", std::string(kTypeInteger), c.on);
        PutAccReg(group, "ＵＲＬ", std::string(kTypeText), url);
        PutAccReg(group, "開催日時を指定", std::string(kTypeInteger), c.mode);
        PutAccReg(group, "開催日時", std::string(kTypeDateTime), date);
        ASSERT_EQ(upload(), "000") << c.on << " " << c.mode;
        const auto sent = query(analysis_->requests().back().path);
        if (c.meetingDate == nullptr) {
            EXPECT_EQ(sent.count("meeting_url") + sent.count("meeting_date") + sent.count("active_id"), 0u);
            continue;
        }
        EXPECT_EQ(sent.at("meeting_url"), url);
        EXPECT_EQ(sent.at("meeting_date"), c.meetingDate);
        EXPECT_EQ(sent.at("active_id"), "AB12CD34");
    }
    expectNothingLeft("meeting");
}

TEST(FtpWebDbSqlDumpParamTest, DataVersionBefore802IsSentAs800)
{
    EXPECT_EQ(TFtpWebDbSqlDump::DataVersionParam(7, 5, 0), "8.0.0");
    EXPECT_EQ(TFtpWebDbSqlDump::DataVersionParam(8, 0, 1), "8.0.0");
    EXPECT_EQ(TFtpWebDbSqlDump::DataVersionParam(12, 1, 3), "12.1.0");
}
