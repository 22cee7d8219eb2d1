#pragma once

// The HDD Cleaning page (index 3): which kinds of files the resident
// cleaner deletes, and the directory it cleans.

#include "pages/Chrome.h"
#include "pages/Page.h"
#include "pages/ShellHost.h"

namespace klarvo {

class HddPage : public PageOf<HddPage> {
public:
    using PageOf::PageOf;
    // The names the description may give this page's events, and their members.
    static const std::span<const HandlerRow<HddPage>> kHandlerRows;

    // The directory and its subdirectory switch follow cbdir.
    void cbdirClick(Component* sender);
    void tshddShow(Component* sender);
    // "Default setting": the slot table's defaults of this page's rows (the
    // four system kinds on, the directory and the cleaning at the cleaner's
    // start off); the directory's name and cbsubdir stay.
    void nbdefhddClick(Component* sender);
    // The "Clear" buttons: the resident cleaner cleans one kind of files
    // now, at the paths last applied. Nothing else happens.
    void nbtempClick(Component* sender);
    void nbinternetClick(Component* sender);
    void nbcookiesClick(Component* sender);
    void nbdirClick(Component* sender);
    void nbhistoryClick(Component* sender);
};

} // namespace klarvo
