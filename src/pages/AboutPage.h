#pragma once

// The About page (index 6): the product's name and version, the systems it
// is made for, and two links: the product's web page and a mail to support.

#include "pages/Chrome.h"
#include "pages/Page.h"
#include "pages/ShellHost.h"

#include <functional>
#include <string>

namespace klarvo {

// The version line the page shows.
inline constexpr char kVersionCaption[] = "Klarvo ver 3.1";
// The scheme that makes the shell start a new mail.
inline constexpr char kMailScheme[] = "mailto:";

class AboutPage : public PageOf<AboutPage> {
public:
    AboutPage(ShellHost& host, Chrome& chrome);
    // The names the description may give this page's events, and their members.
    static const std::span<const HandlerRow<AboutPage>> kHandlerRows;

    void tsaboutShow(Component* sender);
    // The product's page in the user's browser.
    void lbupdateClick(Component* sender);
    // A new mail to the support address in the user's mail program.
    void lbmailClick(Component* sender);

    // Hands an address to the Windows shell; whether anything opened is of
    // no interest. Replaceable, so that a test records instead of opening.
    std::function<void(const std::string& address)> openAddress;
};

} // namespace klarvo
