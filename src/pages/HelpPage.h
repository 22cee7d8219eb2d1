#pragma once

// The Help page (index 5): a small reader of the help text kept in the
// hidden mmtext. It shows either the index (one clickable label per title,
// built at start-up by BuildHelpIndex) or one topic, its title centred above
// its text; Back, Next and Index move between them. Every visit starts at
// the index.

#include "framework/drawing/Color.h"
#include "pages/Chrome.h"
#include "pages/Page.h"
#include "pages/ShellHost.h"

#include <cstdint>

namespace klarvo {

// The colour of a link under the mouse (index labels, the About page's).
constexpr Color kLinkHoverColor = Rgb(0, 0, 255);

// Entering a link keeps its font colour in its Tag and turns it blue;
// leaving gives the colour back. Anything but a label is left alone.
void lbbuyMouseEnter(Component* sender);
void lbbuyMouseLeave(Component* sender);

class HelpPage : public PageOf<HelpPage> {
public:
    HelpPage(ShellHost& host, Chrome& chrome);
    // The names the description may give this page's events, and their members.
    static const std::span<const HandlerRow<HelpPage>> kHandlerRows;

    // An index label's click (sender: the label, whose name carries the
    // topic), or with no sender the topic HelpTopic() already names.
    void ShowHelpTopic(Component* sender);
    void nbindClick(Component* sender);
    void nbnextClick(Component* sender);
    void nbbackClick(Component* sender);
    void tshelpShow(Component* sender);
    // The links of the index and of the About page.
    void lbbuyMouseEnter(Component* sender) { klarvo::lbbuyMouseEnter(sender); }
    void lbbuyMouseLeave(Component* sender) { klarvo::lbbuyMouseLeave(sender); }
    // Shows or hides every index label on the page.
    void SetIndexVisible(bool visible);

    // The topic shown, help::kIndex while the index is.
    std::int32_t HelpTopic() const { return helpTopic_; }

private:
    // Shows a topic, or the index for help::kIndex.
    void GoToTopic(std::int32_t topic);

    std::int32_t helpTopic_;
};

} // namespace klarvo
