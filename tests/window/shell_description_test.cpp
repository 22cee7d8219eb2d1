#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "controls/GradBtn.h"
#include "framework/standard/StdWindows.h"
#include "settings/ConfFile.h"
#include "settings/SlotTable.h"
#include "shell_fixture.h"

using namespace klarvo;
using namespace klarvo::test;

namespace {

// The program's own description with the handlers of this window: every
// control the handlers reach is there and of a class they can work with.
using ShellDescriptionTest = ShellTest;

TEST_F(ShellDescriptionTest, FirstRunOnTheRealWindowWritesTheSlotTablesDefaults)
{
    Tfmshell& s = Start("");
    EXPECT_TRUE(messages.empty()) << (messages.empty() ? "" : messages.front());
    for (const SlotInfo& info : SlotTable()) {
        EXPECT_EQ(ReadConf(dir.File("Conf.dat"), info.slot), FirstRunDefault(info, 65, false))
            << "slot " << info.slot << " (" << info.control << ")";
    }
    EXPECT_EQ(Need<PageControl>(s, "pc").ActivePageIndex(), 0);
    EXPECT_TRUE(Need<TGradBtn>(s, "nb1").DownLock());
    EXPECT_FALSE(Need<Control>(s, "nbapply").Visible());
    EXPECT_FALSE(Need<Control>(s, "nbapply").Enabled());
    EXPECT_EQ(s.Height(), 328);
    EXPECT_EQ(s.Values().helpTopicCount, 5);
}

TEST_F(ShellDescriptionTest, EveryPageOfTheRealWindowFollowsTheApplyRule)
{
    Tfmshell& s = Start("0");
    s.Show();
    Pump();
    Need<Control>(s, "nbapply").SetEnabled(true);
    for (int page : {1, 2, 3, 4, 0, 5, 6, 4}) {
        SCOPED_TRACE("page " + std::to_string(page));
        s.Pages().chrome.SelectPage(page);
        EXPECT_EQ(Need<PageControl>(s, "pc").ActivePageIndex(), page);
        EXPECT_EQ(Need<Control>(s, "nbapply").Visible(), page >= 1 && page <= 4);
        EXPECT_TRUE(Need<Control>(s, "nbapply").Enabled());
    }
    Pump();
    EXPECT_TRUE(messages.empty()) << (messages.empty() ? "" : messages.front());
}

} // namespace
