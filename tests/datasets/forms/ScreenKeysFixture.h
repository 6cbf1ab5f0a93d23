#pragma once
// The selection screen on a copy of the sample office for the tests of its
// row keys: screens opened by parameter lines and deleted with the test, the
// launcher hook under the test's control, and lookups of rows and statuses.
#include "SampleOfficeFixture.h"
#include "datasets/forms/TDataSentakuBox.h"
#include "foundation/app/RunState.h"
#include "foundation/dataset/DataInfomation.h"
#include "foundation/files/FileOperations.h"
#include "platform/IniFile.h"
#include "ui/forms/ScreenLauncher.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vq::test {

// Runs action on the first modal dialog that comes up (polled from the event
// loop), for the dialogs the operations exec().
inline void whenModal(std::function<void(QWidget*)> action)
{
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [action, poll] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            action(modal);
            return;
        }
        QTimer::singleShot(10, *poll);
    };
    QTimer::singleShot(0, *poll);
}

class ScreenKeysFixture : public SampleOfficeFixture {
protected:
    void SetUp() override
    {
        SampleOfficeFixture::SetUp();
        savedLauncher_ = StartProcessProc;
    }

    void TearDown() override
    {
        for (auto& box : boxes_)
            delete box.data();
        StartProcessProc = savedLauncher_;
        if (servingLocally_)
            InstallServerFileOperation(previousFileOps_);
        SampleOfficeFixture::TearDown();
    }

    TDataSentakuBox* open(const std::string& lines = "SyoriType=0")
    {
        auto* box = new TDataSentakuBox;
        box->SetParams(ui::splitParamLines(lines));
        box->PrepareShow(false);
        box->show();
        QApplication::processEvents();
        boxes_.push_back(box);
        return box;
    }

    static int rowOf(const TDataSentakuBox& box, int col, const std::string& text)
    {
        for (int r = 0; r < box.List.Grid.RowCount(); ++r)
            if (box.List.Grid.Cell(r, col) == text)
                return r;
        return -1;
    }

    static int firstBlankRow(const TDataSentakuBox& box)
    {
        for (int r = 0; r < box.List.Grid.RowCount(); ++r)
            if (const TDataListRec* row = box.List.GetRowRecord(r); row && row->ENTTEXT.empty())
                return r;
        return -1;
    }

    static std::int32_t statusOf(const std::string& folder)
    {
        platform::IniFile ini(std::filesystem::path(folder) / DataIniFileName);
        return ini.readInteger("DATASTS", "STATUS", -1);
    }

    // Client/server mode with the server on this computer: its file routines
    // are answered on the local file system, as the server's would be.
    void serveFilesLocally()
    {
        ConnectMode = ConnectClientServer;
        SystemDef.HostName = "127.0.0.1"; // the data module reaches its files directly
        previousFileOps_ = InstallServerFileOperation(
            [](const std::string& op, const std::string& a, const std::string& b) {
                if (op == "FEXIST")
                    return FileOpFExist(a, ConnectStandAlone);
                if (op == "DEXIST")
                    return FileOpDExist(a, ConnectStandAlone);
                if (op == "MKDIR")
                    return FileOpMkDir(a, ConnectStandAlone);
                if (op == "RMDIR")
                    return FileOpRmDir(a, ConnectStandAlone, false);
                if (op == "FDEL")
                    return FileOpFDel(a, ConnectStandAlone, false);
                if (op == "FCOPY")
                    return FileOpFCopy(a, b, ConnectStandAlone);
                if (op == "FMOVE")
                    return FileOpFMove(a, b, ConnectStandAlone);
                return false;
            });
        servingLocally_ = true;
    }

    std::string lastMessage() { return seam_->messages.empty() ? "" : seam_->messages.back().text; }

    std::vector<QPointer<TDataSentakuBox>> boxes_;

private:
    StartProcessFunc savedLauncher_;
    ServerFileOperationFunc previousFileOps_;
    bool servingLocally_ = false;
};

} // namespace vq::test
