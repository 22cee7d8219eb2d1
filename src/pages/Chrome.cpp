#include "pages/Chrome.h"

#include "controls/GradBtn.h"
#include "controls/IACheckControl.h"
#include "framework/window/Application.h"
#include "framework/drawing/Bitmap.h"
#include "framework/window/Form.h"
#include "framework/standard/StdCtrls.h"
#include "framework/standard/StdWindows.h"
#include "link/Notifications.h"
#include "pages/Handlers.h"
#include "pages/InfoPage.h"
#include "win/Files.h"

#include <windows.h>

#include <memory>
#include <optional>

namespace klarvo {

namespace {

// The platform's move command given as from the caption (SC_MOVE + HTCAPTION).
constexpr WPARAM kMoveFromCaption = SC_MOVE + HTCAPTION;

constexpr int kPageButtons = 7;

} // namespace

TileGrid TileGridFor(int boxWidth, int boxHeight, int tileWidth, int tileHeight)
{
    if (tileWidth <= 0 || tileHeight <= 0) {
        return {};
    }
    TileGrid grid;
    grid.lastCol = boxWidth / tileWidth;
    grid.lastRow = (boxHeight - kBackgroundTop) / tileHeight;
    return grid;
}

void PaintPageBackground(Canvas& canvas, const Bitmap& tile, int boxWidth, int boxHeight, Rect bounds)
{
    const TileGrid grid = TileGridFor(boxWidth, boxHeight, tile.Width(), tile.Height());
    for (int row = 0; row <= grid.lastRow; ++row) {
        for (int col = 0; col <= grid.lastCol; ++col) {
            canvas.Draw(col * tile.Width(), row * tile.Height() + kBackgroundTop, tile);
        }
    }
    canvas.brush.color = clBlack;
    canvas.brush.style = BrushStyle::Solid;
    canvas.FrameRect(bounds);
    canvas.brush.color = Rgb(0, 0, 255);
    canvas.FrameRect(Rect{bounds.left + 1, bounds.top + 1, bounds.right - 1, bounds.bottom - 1});
}

int PageOfButtonName(const std::string& name)
{
    if (name.size() < 3 || name[2] < '1' || name[2] > '0' + kPageButtons) {
        return -1;
    }
    return name[2] - '1';
}

void FollowSpaceBarToggles(Component& root)
{
    // The box whose space-bar release is being handled: its change of
    // state, which follows at once within the same release, is the click.
    auto keyed = std::make_shared<Component*>(nullptr);
    ForEachComponent(&root, [&](Component* c) {
        auto* box = dynamic_cast<TIACheckControl*>(c);
        if (!box || !box->OnClick) {
            return;
        }
        box->OnKeyUp = [keyed](Component* sender, unsigned short& key, ShiftState) {
            *keyed = key == VK_SPACE ? sender : nullptr;
        };
        box->OnChangeState = [keyed](Component* sender, bool) {
            auto* changed = static_cast<TIACheckControl*>(sender);
            if (sender == *keyed && changed->OnClick) {
                *keyed = nullptr;
                changed->OnClick(changed);
            }
        };
    });
}

Chrome::Chrome(ShellHost& host, InfoPage& info) : host_(host), info_(info)
{
    beginSystemMove = [this] {
        auto* form = dynamic_cast<Form*>(&host_.Root());
        if (form && form->HandleAllocated()) {
            ReleaseCapture();
            SendMessageA(form->Handle(), WM_SYSCOMMAND, kMoveFromCaption, 0);
        }
    };
}

namespace {

// Every handler the description may name on the chrome.
const HandlerRow<Chrome> kHandlers[] = {
    KLARVO_HANDLER(Chrome, nb1MouseDown),   KLARVO_HANDLER(Chrome, imcapMouseDown),
    KLARVO_HANDLER(Chrome, pcChange),       KLARVO_HANDLER(Chrome, nbminimizeClick),
    KLARVO_HANDLER(Chrome, nbcloseClick),   KLARVO_HANDLER(Chrome, pb1Paint),
    KLARVO_HANDLER(Chrome, udminprocClick), KLARVO_HANDLER(Chrome, cbtempClick),
    KLARVO_HANDLER(Chrome, edhot1Change),
};

} // namespace

const std::span<const HandlerRow<Chrome>> Chrome::kHandlerRows = kHandlers;

void Chrome::Bind(HandlerTable& handlers)
{
    BindRows(handlers, *this, kHandlerRows);
}

void Chrome::nb1MouseDown(Component* sender, MouseButton, ShiftState, int, int)
{
    auto* pressed = dynamic_cast<TGradBtn*>(sender);
    if (!pressed) {
        return;
    }
    // A button of the row whose name names no page (a fault of the
    // description) would select nothing sensible: leave everything as it is.
    const int page = PageOfButtonName(pressed->Name());
    auto& pc = Need<PageControl>(host_.Root(), "pc");
    if (page < 0 || page >= pc.PageCount()) {
        return;
    }
    auto& row = Need<WinControl>(host_.Root(), "pntop");
    for (int i = 0; i < row.ControlCount(); ++i) {
        if (auto* button = dynamic_cast<TGradBtn*>(row.Controls(i)); button && button != pressed) {
            button->SetDownLock(false);
        }
    }
    pressed->SetDownLock(true);
    pc.SetActivePageIndex(page);
}

void Chrome::SelectPage(int page)
{
    auto& pc = Need<PageControl>(host_.Root(), "pc");
    if (page < 0 || page >= pc.PageCount()) {
        return;
    }
    pc.SetActivePageIndex(page);
    Component* button = host_.Root().FindComponent("nb" + std::to_string(page + 1));
    nb1MouseDown(button, MouseButton::Left, ssLeft, 0, 0);
}

void Chrome::ShowAskedPage(std::int64_t page)
{
    const std::optional<int> target = ShowPageTarget(page);
    if (!target) {
        return;
    }
    SelectPage(*target);
    auto* window = dynamic_cast<WinControl*>(&host_.Root());
    if (window && window->HandleAllocated() && IsIconic(window->Handle())) {
        App().Restore();
    }
}

void Chrome::pcChange(Component*)
{
    auto& pc = Need<PageControl>(host_.Root(), "pc");
    // Turned from the keyboard: the row shows the page as a press on its
    // button would.
    nb1MouseDown(host_.Root().FindComponent("nb" + std::to_string(pc.ActivePageIndex() + 1)), MouseButton::Left, ssLeft,
                 0, 0);
    if (pc.ActivePageIndex() == 0) {
        info_.DrawFreeRamGraph();
    }
}

void Chrome::imcapMouseDown(Component*, MouseButton button, ShiftState, int, int)
{
    if (button == MouseButton::Left && beginSystemMove) {
        beginSystemMove();
    }
}

void Chrome::nbminimizeClick(Component*)
{
    App().Minimize();
}

void Chrome::nbcloseClick(Component*)
{
    // Nothing is asked and nothing saved: unapplied changes are lost.
    if (auto* form = dynamic_cast<Form*>(&host_.Root())) {
        form->Close();
    } else {
        host_.RequestEnd();
    }
}

void Chrome::pb1Paint(Component* sender)
{
    auto* box = dynamic_cast<PaintBox*>(sender);
    if (!box) {
        return;
    }
    // Every page's box has pb1's size; the tiles follow it.
    auto& first = Need<Control>(host_.Root(), "pb1");
    auto& back = Need<Image>(host_.Root(), "imback");
    PaintPageBackground(box->GetCanvas(), back.GetPicture().GetBitmap(), first.ClientWidth(), first.ClientHeight(),
                        box->BoundsRect());
}

void Chrome::LoadBackground()
{
    Component& root = host_.Root();
    auto& back = Need<Image>(root, "imback");
    auto& builtIn = Need<Image>(root, "imdef");
    auto& wall = Need<TIACheckControl>(root, "cbwall");
    auto& file = Need<Edit>(root, "fewall");
    try {
        const std::string path = file.Text();
        if (wall.Checked() && FileExists(path)) {
            back.GetPicture().LoadFromFile(path);
        } else {
            back.GetPicture() = builtIn.GetPicture();
        }
    } catch (const std::exception&) {
        // Pages report nothing: a picture that cannot be read is replaced.
        back.GetPicture() = builtIn.GetPicture();
    }
    back.PictureChanged();
    if (auto* form = dynamic_cast<Form*>(&root); form && form->HandleAllocated()) {
        form->GetCanvas().Draw(0, 0, back.GetPicture().GetBitmap());
    }
    host_.Values().backgroundChanged = false;
    Need<Control>(root, "tsopt").Repaint();
    auto& pc = Need<PageControl>(root, "pc");
    if (TabSheet* active = pc.ActivePage()) {
        for (int i = 0; i < active->ControlCount(); ++i) {
            if (auto* check = dynamic_cast<TIACheckControl*>(active->Controls(i))) {
                check->Invalidate();
            }
        }
    }
}

Control& Chrome::ApplyButton()
{
    return Need<Control>(host_.Root(), "nbapply");
}

void Chrome::EnableApply()
{
    ApplyButton().SetEnabled(true);
}

void Chrome::HideApply()
{
    ApplyButton().SetVisible(false);
}

void Chrome::ShowApplyKeepingState(const std::function<void()>& alignControls)
{
    Control& apply = ApplyButton();
    const bool enabled = apply.Enabled();
    apply.SetVisible(true);
    if (alignControls) {
        alignControls();
    }
    apply.SetEnabled(enabled);
}

} // namespace klarvo
