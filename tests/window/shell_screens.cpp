// Pictures of the main window's seven pages as laid out by its description,
// for people to compare with the intended layout: build/screens/layout-page-N.png.
//
// The window's own handlers are not here, so this program stands in for the
// little of them that shapes a picture: the run-time geometry, plain button
// captions, the tiled background with its two frame lines, the marked page
// button, Apply shown (disabled) on the settings pages only, and the help
// page's index.

#include "app/Shell.h"
#include "controls/GradBtn.h"
#include "controls/IACheckControl.h"
#include "controls/NDigitEdit.h"
#include "framework/window/Application.h"
#include "framework/window/Form.h"
#include "framework/loader/FormLoader.h"
#include "win/Gdi.h"
#include "framework/standard/StdCtrls.h"
#include "framework/standard/StdWindows.h"
#include "support/Png.h"
#include "support/Process.h"
#include "support/ScreenProgram.h"
#include "support/Pump.h"

#include <windows.h>

#include <cstdio>
#include <exception>
#include <string>

using namespace klarvo;

namespace {

using test::Pump;

class Screens {
public:
    Screens() : form_(nullptr, "TShellScreens")
    {
        FormLoader loader(ShellFormClasses(),
                          [this](Component& c, const std::string& event, const std::string& handler) {
                              Bind(c, event, handler);
                              return nullptr;
                          });
        loader.Load(FormResource("SHELL_FORM"), form_);
        background_ = &Find<Image>("imdef").GetPicture();

        Find<PageControl>("pc").SetBounds(-4, -30, 535, 362);
        form_.SetHeight(328);
        Find<TGradBtn>("nbapply").SetTop(299);
        for (int i = 0; i < form_.ComponentCount(); ++i) {
            if (auto* b = dynamic_cast<TGradBtn*>(form_.Components(i))) {
                b->SetTextStyle(tsNormal);
            }
        }
        // Nothing is unsaved at start, and the help page opens on its index.
        Find<TGradBtn>("nbapply").SetEnabled(false);
        Find<TGradBtn>("nbback").SetEnabled(false);
        Find<Label>("lbcap").SetVisible(false);
        Find<Label>("lbhelp").SetVisible(false);
        AddHelpIndex();
        form_.SetPosition(FormPosition::Designed);
        form_.SetBounds(0, 0, form_.Width(), form_.Height());
        form_.Show();
        Pump();
    }

    void Save(int page, const std::string& path)
    {
        auto& pc = Find<PageControl>("pc");
        pc.SetActivePageIndex(page);
        for (int n = 1; n <= 7; ++n) {
            Find<TGradBtn>("nb" + std::to_string(n)).SetDownLock(n == page + 1);
        }
        Find<TGradBtn>("nbapply").SetVisible(page >= 1 && page <= 4);
        for (int i = 0; i < 2; ++i) {
            RedrawWindow(form_.Handle(), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            Pump();
        }
        WindowDc dc(form_.Handle());
        test::SaveDcToPng(dc.Get(), 0, 0, form_.Width(), form_.Height(), path);
    }

private:
    template <typename T> T& Find(const std::string& name) { return Need<T>(form_, name); }

    void Bind(Component& c, const std::string& event, const std::string& handler)
    {
        if (handler == "pb1Paint") {
            auto& box = dynamic_cast<PaintBox&>(c);
            box.OnPaint = [this](Component* sender) { PaintPage(dynamic_cast<PaintBox&>(*sender)); };
        }
        (void)event;
    }

    // Tiles from 35 pixels down, then a black and a blue frame line.
    void PaintPage(PaintBox& box)
    {
        Canvas& c = box.GetCanvas();
        const int w = background_->Width(), h = background_->Height();
        if (w > 0 && h > 0) {
            for (int row = 0; row <= (box.ClientHeight() - 35) / h; ++row) {
                for (int col = 0; col <= box.ClientWidth() / w; ++col) {
                    c.Draw(col * w, row * h + 35, background_->GetBitmap());
                }
            }
        }
        c.brush.style = BrushStyle::Solid;
        c.brush.color = clBlack;
        c.FrameRect(Rect{0, 0, box.Width(), box.Height()});
        c.brush.color = Rgb(0, 0, 255);
        c.FrameRect(Rect{1, 1, box.Width() - 1, box.Height() - 1});
    }

    void AddHelpIndex()
    {
        auto& help = Find<TabSheet>("tshelp");
        const char* titles[] = {"What is Klarvo ?", "How Klarvo works", "How Klarvo works (end)", "Configure Klarvo",
                                "Technical support"};
        for (int i = 0; i < 5; ++i) {
            auto* label = new ShadowLabel(&Find<PageControl>("pc"));
            label->SetName("lbind" + std::to_string(i));
            label->SetParent(&help);
            label->SetTransparent(true);
            Font f = Find<Label>("lbhelp").GetFont();
            f.SetSize(11);
            f.SetStyle(f.Style() | fsUnderline);
            f.SetColor(clBlack);
            label->SetFont(f);
            label->SetCaption(titles[i]);
            label->SetLeft(20);
            label->SetTop(100 + 25 * i);
        }
    }

    Form form_;
    Picture* background_ = nullptr;
};

} // namespace

int main()
{
    return test::RunScreenProgram("shell_screens", [] {
        Screens screens;
        const std::string dir = test::ScreensDir("screens");
        for (int page = 0; page < 7; ++page) {
            const std::string path = dir + "layout-page-" + std::to_string(page) + ".png";
            screens.Save(page, path);
            std::printf("%s\n", path.c_str());
        }
        return 0;
    });
}
