#include "pages/HelpPage.h"

#include "framework/standard/StdCtrls.h"
#include "framework/standard/StdWindows.h"
#include "pages/Handlers.h"
#include "pages/HelpText.h"

namespace klarvo {

void lbbuyMouseEnter(Component* sender)
{
    if (auto* link = dynamic_cast<Label*>(sender)) {
        link->SetTag(static_cast<int>(link->GetFont().GetColor()));
        link->GetFont().SetColor(kLinkHoverColor);
    }
}

void lbbuyMouseLeave(Component* sender)
{
    if (auto* link = dynamic_cast<Label*>(sender)) {
        link->GetFont().SetColor(static_cast<Color>(link->Tag()));
    }
}

HelpPage::HelpPage(ShellHost& host, Chrome& chrome) : PageOf(host, chrome), helpTopic_(help::IndexTopic()) {}

namespace {

// Every handler the description may name on this page.
const HandlerRow<HelpPage> kHandlers[] = {
    KLARVO_HANDLER(HelpPage, ShowHelpTopic),   KLARVO_HANDLER(HelpPage, nbindClick),
    KLARVO_HANDLER(HelpPage, nbnextClick),     KLARVO_HANDLER(HelpPage, nbbackClick),
    KLARVO_HANDLER(HelpPage, tshelpShow),      KLARVO_HANDLER(HelpPage, lbbuyMouseEnter),
    KLARVO_HANDLER(HelpPage, lbbuyMouseLeave),
};

} // namespace

const std::span<const HandlerRow<HelpPage>> HelpPage::kHandlerRows = kHandlers;

void HelpPage::SetIndexVisible(bool visible)
{
    auto& page = Need<WinControl>(host_.Root(), "tshelp");
    for (int i = 0; i < page.ControlCount(); ++i) {
        Control* c = page.Controls(i);
        if (c->Name().starts_with(help::kIndexLabelPrefix)) {
            c->SetVisible(visible);
        }
    }
}

void HelpPage::ShowHelpTopic(Component* sender)
{
    Component& root = host_.Root();
    Need<Control>(root, "nbback").SetEnabled(true);
    if (sender) {
        // A label whose name carries no number leaves the topic as it was.
        if (const std::optional<std::int32_t> topic = help::TopicOfLabelName(sender->Name())) {
            helpTopic_ = *topic;
        }
    }
    const std::vector<std::string> lines = Need<Memo>(root, "mmtext").Lines();
    auto& text = Need<Control>(root, "lbhelp");
    text.SetCaption(help::GetHelpTopicText(lines, helpTopic_));

    // The title is the index label's caption. A topic past the last label
    // (more titles than label names can number) takes its title from the
    // text instead of showing nothing or failing.
    auto& title = Need<Control>(root, "lbcap");
    auto& pc = Need<Component>(root, "pc");
    if (auto* label = dynamic_cast<Control*>(pc.FindComponent(help::IndexLabelName(helpTopic_)))) {
        title.SetCaption(label->Caption());
    } else {
        title.SetCaption(help::GetHelpTopicTitle(lines, helpTopic_));
    }
    title.Show();
    SetIndexVisible(false);
    text.Show();
}

void HelpPage::nbindClick(Component*)
{
    Component& root = host_.Root();
    helpTopic_ = help::IndexTopic();
    Need<Control>(root, "nbback").SetEnabled(false);
    Need<Control>(root, "lbhelp").Hide();
    Need<Control>(root, "lbcap").Hide();
    SetIndexVisible(true);
}

void HelpPage::nbnextClick(Component*)
{
    Need<Control>(host_.Root(), "nbback").SetEnabled(true);
    GoToTopic(help::NextTopic(helpTopic_, host_.Values().helpTopicCount));
}

void HelpPage::nbbackClick(Component*)
{
    GoToTopic(help::BackTopic(helpTopic_));
}

void HelpPage::GoToTopic(std::int32_t topic)
{
    if (topic == help::kIndex) {
        nbindClick(nullptr);
        return;
    }
    helpTopic_ = topic;
    ShowHelpTopic(nullptr);
}

void HelpPage::tshelpShow(Component*)
{
    chrome_.HideApply();
    nbindClick(nullptr);
}

} // namespace klarvo
