#pragma once
// The selection screens on a copy of the sample office: screens opened as
// their callers open them and deleted with the test, the launcher hook under
// the test's control, the server's file routines answered locally on demand,
// and lookups of rows and statuses.
#include "SampleOfficeFixture.h"
#include "datasets/forms/TDataSentakuBox.h"
#include "datasets/forms/TServerSentakuBox.h"
#include "foundation/app/RunState.h"
#include "foundation/dataset/DataInfomation.h"
#include "foundation/files/FileOperations.h"
#include "platform/IniFile.h"
#include "tests/ui/forms/ShownForm.h"
#include "ui/forms/ScreenLauncher.h"

#include <QApplication>
#include <QPointer>

#include <filesystem>
#include <string>
#include <vector>

namespace vq::test {

class SelectionScreenFixture : public SampleOfficeFixture {
protected:
    void SetUp() override
    {
        SampleOfficeFixture::SetUp();
        savedLauncher_ = StartProcessProc;
    }

    void TearDown() override
    {
        for (auto& screen : screens_)
            delete screen.data();
        StartProcessProc = savedLauncher_;
        if (servingLocally_)
            InstallServerFileOperation(previousFileOps_);
        SampleOfficeFixture::TearDown();
    }

    // The data selection screen prepared with parameter lines, shown without blocking.
    TDataSentakuBox* open(const std::string& lines = "SyoriType=0")
    {
        auto* box = new TDataSentakuBox;
        box->SetParams(ui::splitParamLines(lines));
        return showScreen(box);
    }

    // The shared-data screen on a drive, shown without blocking.
    TServerSentakuBox* openShared(const char* drive = "X")
    {
        auto* box = new TServerSentakuBox;
        box->DriveLetter = drive;
        return showScreen(box);
    }

    // The data selection screen that is up, modal or not.
    static TDataSentakuBox* shownScreen()
    {
        if (auto* box = qobject_cast<TDataSentakuBox*>(QApplication::activeModalWidget()))
            return box;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<TDataSentakuBox*>(w); box && box->isVisible())
                return box;
        return nullptr;
    }

    static int rowOf(const TDataSentakuBox& box, int col, const std::string& text)
    {
        for (int r = 0; r < box.List.Grid.RowCount(); ++r)
            if (box.List.Grid.Cell(r, col) == text)
                return r;
        return -1;
    }

    static int rowOfCode(const TDataSentakuBox& box, const std::string& code) { return rowOf(box, ColCode, code); }

    static int rowOf(const TServerSentakuBox& box, const std::string& folder) { return box.List.RowOfFolder(folder); }

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

    // The value of key in the parameter lines a screen launched a program with.
    static std::string paramValue(const std::string& params, const std::string& key)
    {
        const std::string start = key + "=";
        std::size_t at = params.find(start);
        if (at == std::string::npos)
            return {};
        at += start.size();
        return params.substr(at, params.find('\r', at) - at);
    }

    std::string lastMessage() { return seam_->messages.empty() ? "" : seam_->messages.back().text; }

    std::vector<QPointer<QWidget>> screens_;

private:
    template <class Screen>
    Screen* showScreen(Screen* screen)
    {
        screens_.push_back(screen);
        screen->PrepareShow(false);
        screen->show();
        QApplication::processEvents();
        return screen;
    }

    StartProcessFunc savedLauncher_;
    ServerFileOperationFunc previousFileOps_;
    bool servingLocally_ = false;
};

} // namespace vq::test
