#include <gtest/gtest.h>

#include "framework/loader/FormLoader.h"
#include "framework/standard/StdCtrls.h"
#include "framework/standard/StdWindows.h"
#include "framework/window/Timer.h"
#include "framework_support.h"

using namespace klarvo;
using namespace klarvo::test;

namespace {

TEST(FormLoading, BuildsTheSampleFormWithParentsPropertiesAndReferences)
{
    Form form(nullptr, "TFrameworkSample");
    std::vector<std::string> bound;
    FormLoader loader(StandardFormClasses(), [&](Component& c, const std::string& event, const std::string& handler) {
        bound.push_back(c.Name() + "." + event + "=" + handler);
        return nullptr;
    });
    loader.Load(FormResource("FRAMEWORK_SAMPLE"), form);

    EXPECT_EQ(form.Name(), "fmsample");
    EXPECT_EQ(form.Width(), 320);
    EXPECT_EQ(form.Caption(), "Sample");
    EXPECT_EQ(form.GetFont().Name(), "Times New Roman");

    auto* cap = dynamic_cast<Panel*>(form.FindComponent("pncap"));
    auto* im = dynamic_cast<Image*>(form.FindComponent("imcap"));
    ASSERT_TRUE(cap && im);
    EXPECT_EQ(im->Parent(), cap);
    EXPECT_EQ(im->GetPicture().Width(), 517);
    EXPECT_EQ(cap->GetColor(), clNavy);

    // Fonts come from the parent until a property of their own is set.
    auto* title = dynamic_cast<ShadowLabel*>(form.FindComponent("lbtitle"));
    ASSERT_TRUE(title);
    EXPECT_EQ(title->GetFont().Name(), "Times New Roman");
    EXPECT_EQ(title->GetFont().Style(), static_cast<FontStyles>(fsBold));
    EXPECT_EQ(title->GetFont().GetColor(), clNavy);
    EXPECT_EQ(title->ShadowColor(), clBlack);

    // The up-down names an edit; it writes its position there.
    auto* ud = dynamic_cast<UpDown*>(form.FindComponent("udevery"));
    auto* nd = dynamic_cast<Edit*>(form.FindComponent("ndevery"));
    ASSERT_TRUE(ud && nd);
    EXPECT_EQ(ud->Associate(), nd);
    EXPECT_EQ(ud->Position(), 5);
    EXPECT_EQ(nd->Text(), "5");
    EXPECT_TRUE(nd->ReadOnly());

    auto* pc = dynamic_cast<PageControl*>(form.FindComponent("pc"));
    ASSERT_TRUE(pc);
    EXPECT_EQ(pc->PageCount(), 2);
    EXPECT_EQ(pc->ActivePage(), form.FindComponent("tstwo"));
    auto* sb1 = dynamic_cast<SpeedButton*>(form.FindComponent("sb1"));
    auto* sb2 = dynamic_cast<SpeedButton*>(form.FindComponent("sb2"));
    ASSERT_TRUE(sb1 && sb2);
    EXPECT_EQ(sb1->Parent(), form.FindComponent("tsone"));
    EXPECT_TRUE(sb2->Down());
    EXPECT_EQ(sb1->Cursor(), crHandPoint);

    EXPECT_EQ(form.FindComponent("lbhelp")->Name(), "lbhelp");
    EXPECT_EQ(dynamic_cast<Label*>(form.FindComponent("lbhelp"))->Caption(), "It's a 'quoted' text on two lines");

    auto* tm = dynamic_cast<Timer*>(form.FindComponent("tmrefresh"));
    ASSERT_TRUE(tm);
    EXPECT_EQ(tm->Interval(), 500u);
    EXPECT_FALSE(tm->Enabled());

    EXPECT_EQ(bound, (std::vector<std::string>{"imcap.OnMouseDown=imcapMouseDown", "udevery.OnClick=udeveryClick",
                                               "tmrefresh.OnTimer=tmrefreshTimer"}));

    // And it shows.
    form.Show();
    Pump();
    EXPECT_TRUE(IsWindowVisible(pc->Handle()));
    EXPECT_TRUE(IsWindowVisible(dynamic_cast<WinControl*>(form.FindComponent("tstwo"))->Handle()));
    EXPECT_FALSE(IsWindowVisible(dynamic_cast<WinControl*>(form.FindComponent("tsone"))->Handle()));
}

} // namespace
