#pragma once
// The selection screen's progress window while one row operation runs: shown
// over the screen on construction and closed on every way out, with the input
// typed meanwhile discarded and the screen brought to the front again.
#include "datasets/forms/TDataSentakuBox.h"
#include "foundation/forms/FlushInputMessages.h"
#include "platform/Folders.h"
#include "ui/forms/TxAnimeProgressDialog.h"

namespace vq {

class ScreenProgress {
public:
    // animated: the program's progress animation plays in the window.
    ScreenProgress(TDataSentakuBox& box, const char* caption, const char* label, bool animated = false)
        : box_(box)
    {
        ui::TxAnimeProgressDialog* d = box_.xAnimeProgressDialog1;
        d->setCaption(QString::fromUtf8(caption));
        d->setInfoLabel(QString::fromUtf8(label));
        if (animated)
            d->setAviFile(QString::fromStdString((platform::folders::program() / "progress.avi").string()));
        d->setCancelBtnShow(false);
        d->Execute(&box_);
    }
    ~ScreenProgress()
    {
        if (box_.xAnimeProgressDialog1->Handle() != nullptr)
            box_.xAnimeProgressDialog1->Close();
        FlushInputMessages(&box_);
        box_.raise();
    }
    ScreenProgress(const ScreenProgress&) = delete;
    ScreenProgress& operator=(const ScreenProgress&) = delete;

private:
    TDataSentakuBox& box_;
};

} // namespace vq
