#pragma once

// The Info page (index 0): total and free memory as figures and bars, the
// free-memory picture, the effects of the resident cleaner's cleanings as
// it reports them, and the Fast cleaning button with its 3-second lock.

#include "link/Messages.h"
#include "pages/Chrome.h"
#include "pages/Page.h"
#include "pages/FreeRamHistory.h"
#include "pages/InfoFigures.h"
#include "pages/ShellHost.h"

#include <cstdint>
#include <string>

namespace klarvo {

// A timer component of the window reached by name when it is used: the
// pages are made before the description that holds the timers is loaded.
class NamedTimer : public RestartableTimer {
public:
    NamedTimer(ShellHost& host, std::string name) : host_(host), name_(std::move(name)) {}
    void Restart() override;
    void Stop() override;

private:
    ShellHost& host_;
    std::string name_;
};

class InfoPage : public PageOf<InfoPage> {
public:
    InfoPage(ShellHost& host, Chrome& chrome);
    // The names the description may give this page's events, and their members.
    static const std::span<const HandlerRow<InfoPage>> kHandlerRows;

    void tsinfoShow(Component* sender);
    // Copies the finished picture; nothing is computed here.
    void pbfrPaint(Component* sender);
    void nbclearClick(Component* sender);
    void tmlockTimer(Component* sender);

    // The refresh tick's part: figures, bars, one more history sample and
    // the picture. The figures and the history are kept whatever is shown;
    // the picture is composed only while it can be seen, and then only when
    // the samples or the scale changed. A picture that fell behind is
    // brought up to date when the box paints.
    void RefreshInfo(const MemoryFigures& figures);
    // Brings the picture in imfr up to date and copies it onto pbfr.
    void DrawFreeRamGraph();
    // ntLastEffect, ntTotalEffect, ntTimeSince: their label's text; any
    // other report leaves the labels alone.
    void ShowEffect(ShellNotification code, std::int64_t value);

private:
    // The Info page shown in a window that is not minimised.
    bool PictureVisible();
    // Composes imfr unless it already shows the current history at the
    // current scale; true when it composed.
    bool ComposePicture();
    void CopyPicture();

    // What imfr was last composed from.
    bool composed_ = false;
    FreeRamHistory composedSamples_;
    std::int32_t composedTotalMB_ = 0;
    char composedSeparator_ = '.';
    NamedTimer lockTimer_;
    FastCleaningLock lock_;
};

} // namespace klarvo
