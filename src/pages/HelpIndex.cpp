#include "pages/HelpIndex.h"

#include "framework/standard/StdCtrls.h"
#include "framework/standard/StdWindows.h"
#include "pages/HelpText.h"
#include "pages/Handlers.h"

namespace klarvo {

namespace {

constexpr int kIndexLeft = 20;
constexpr int kIndexTop = 100;
constexpr int kIndexStep = 25;
constexpr int kIndexFontPoints = 11;

} // namespace

std::int32_t BuildHelpIndex(ShellHost& host, const std::vector<std::string>& lines)
{
    Component& root = host.Root();
    if (auto* memo = FindControl<Memo>(root, "mmtext")) {
        memo->SetLines(lines);
    }
    const std::vector<std::string> titles = help::GetHelpTitles(lines);
    auto& pc = Need<PageControl>(root, "pc");
    auto& page = Need<WinControl>(root, "tshelp");
    const auto& body = Need<Control>(root, "lbhelp");
    const std::int32_t count = help::IndexLabelCount(titles.size());
    HandlerTable& handlers = host.Handlers();
    for (std::int32_t i = 0; i < count; ++i) {
        auto* label = new ShadowLabel(&pc);
        label->SetName(help::IndexLabelName(i));
        label->SetParent(&page);
        label->SetParentFont(false);
        label->SetTransparent(true);
        Font font = body.GetFont();
        font.SetSize(kIndexFontPoints);
        font.SetStyle(font.Style() | fsUnderline);
        font.SetColor(clBlack);
        label->SetFont(font);
        label->SetCursor(crHandPoint);
        label->SetCaption(titles[static_cast<std::size_t>(i)]);
        label->SetBounds(kIndexLeft, kIndexTop + kIndexStep * i, label->Width(), label->Height());
        label->OnMouseEnter = handlers.Get<NotifyEvent>("lbbuyMouseEnter");
        label->OnMouseLeave = handlers.Get<NotifyEvent>("lbbuyMouseLeave");
        label->OnClick = handlers.Get<NotifyEvent>("ShowHelpTopic");
    }
    return static_cast<std::int32_t>(titles.size());
}

} // namespace klarvo
