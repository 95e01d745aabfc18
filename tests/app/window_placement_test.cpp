// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The frame's remembered size and place: as the profile keeps it, fitted to
// the screens there are, and saved only when the user changed it (a failed
// start saves nothing: tests/e2e/report_e2e_test.sh).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/main_frame.h"
#include "app/window_placement.h"
#include "res/text/resource_ids.h"
#include "support/app_fixture.h"
#include "system/profile.h"

namespace {

RECT Rect(int left, int top, int width, int height)
{
    return RECT{left, top, left + width, top + height};
}

// A 1280x800 screen with a 30-pixel panel at the top, and a second one to its right.
const ScreenArea kLaptop{Rect(0, 0, 1280, 800), Rect(0, 30, 1280, 770)};
const ScreenArea kRight{Rect(1280, 0, 1920, 1080), Rect(1280, 0, 1920, 1080)};

} // namespace

TEST(WindowPlacementTest, APlacementReadsBackAsItWasWritten)
{
    const RECT rc{-40, 25, 860, 625};
    EXPECT_EQ(FormatPlacement(rc), "-40,25,900,600");
    const auto back = ParsePlacement(FormatPlacement(rc));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(FormatPlacement(*back), "-40,25,900,600");
}

TEST(WindowPlacementTest, TextThatIsNotAUsablePlacementIsIgnored)
{
    for (const char* text : {"", "10,10,800", "10,10,800,600,5", "10,10,800,600,", "10;10;800;600", "a,b,c,d",
                             "10,10,800,600x", " 10,10,800,600", "10,10,100,600", "10,10,800,100", "99999,10,800,600",
                             "10,10,800,99999999999", "10,10,-800,600", "0,0,32001,600", "-32001,0,800,600"})
        EXPECT_FALSE(ParsePlacement(text).has_value()) << text;
}

// What the frame becomes on these screens: refused (empty), or where it goes.
TEST(WindowPlacementTest, APlaceIsRefusedBeyondTheDesktopAndElseKeptOnAScreen)
{
    const std::vector<ScreenArea> one{kLaptop};
    const std::vector<ScreenArea> two{kLaptop, kRight};
    struct Case {
        const char* what;
        RECT saved;
        std::vector<ScreenArea> screens;
        const char* expected;
    } const cases[] = {
        {"fits: as it is", Rect(40, 60, 900, 600), one, "40,60,900,600"},
        {"no screen known: as it is", Rect(40, 60, 5000, 600), {}, "40,60,5000,600"},
        {"larger than every screen together", Rect(0, 0, 32000, 32000), two, ""},
        {"wider than the desktop", Rect(0, 40, 3300, 600), two, ""},
        {"taller than the work area only: shrunk", Rect(10, 0, 900, 800), one, "10,30,900,770"},
        {"hanging off the right edge: moved in", Rect(1000, 100, 900, 600), one, "380,100,900,600"},
        {"on the second screen, too tall for it: shrunk there", Rect(1500, 10, 1000, 1080), two, "1500,0,1000,1080"},
        {"mostly on the second screen: moved onto it", Rect(1200, 100, 800, 600), two, "1280,100,800,600"},
        {"on a screen that is gone: the middle of the primary", Rect(5000, 5000, 800, 600), two, "240,115,800,600"},
    };
    for (const Case& c : cases) {
        const bool refused = BeyondScreens(c.saved, c.screens);
        EXPECT_EQ(refused ? std::string() : FormatPlacement(KeepOnScreen(c.saved, c.screens)), c.expected) << c.what;
    }
}

namespace {

// A frame host with a place and screens, as the window system would have them.
class PlacedHost : public FrameHost {
public:
    void SetCaption(const std::string&) override {}
    void ShowFrame() override {}
    void UpdateFrame() override {}
    void ToolBarChanged(CToolBar*) override {}
    void StatusBarChanged(CStatusBar*) override {}
    void StatusPaneChanged(CStatusBar*, int, bool) override {}
    void BarVisibilityChanged() override {}
    void AttachView(CWnd*) override {}
    bool GetPlacement(RECT* rc) const override
    {
        *rc = place;
        return true;
    }
    void SetPlacement(const RECT& rc) override { place = rc; }
    std::vector<ScreenArea> GetScreens() const override { return {kLaptop}; }
    void CloseFrame() override {}

    RECT place = Rect(0, 0, 820, 520);
};

class PlacedHosts : public FrameHostFactory {
public:
    FrameHost* CreateHost(CFrameWnd*) override { return &host; }
    PlacedHost host;
};

class SavedPlacementTest : public AppFixture {
protected:
    SavedPlacementTest() { InstallFrameHostFactory(&hosts); }
    ~SavedPlacementTest() override { InstallFrameHostFactory(nullptr); }
    // A start with this value stored and a close as the user does it; the value stored after.
    std::string StartAndClose(const std::string& stored, const RECT& movedTo = {})
    {
        const std::string path = Profile::PathFor(kProfileRegistryKey, "Varnex");
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path) << "[Settings]\nWindowPlacement=" << stored << "\n";
        app.reset();
        app = std::make_unique<CVarnexApp>();
        hosts.host.place = Rect(0, 0, 820, 520);
        EXPECT_TRUE(Start());
        shown = FormatPlacement(hosts.host.place);
        if (movedTo.right != 0)
            hosts.host.place = movedTo;
        app->m_pMainWnd->OnClose();
        app->ExitInstance();
        return Profile(path).GetString("Settings", "WindowPlacement").value_or("<none>");
    }

    PlacedHosts hosts;
    std::string shown;
};

} // namespace

TEST_F(SavedPlacementTest, ARefusedOrShrunkPlaceStaysAsStoredUntilTheUserMovesTheFrame)
{
    struct Case {
        const char* stored;
        const char* shown;
    } const cases[] = {
        {"0,0,32000,32000", "0,0,820,520"}, // refused: the frame keeps its own size
        {"10,0,900,800", "10,30,900,770"},  // too tall for the work area: shrunk
        {"40,60,900,600", "40,60,900,600"}, // fits
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StartAndClose(c.stored), c.stored);
        EXPECT_EQ(shown, c.shown) << c.stored;
    }
    EXPECT_EQ(StartAndClose("40,60,900,600", Rect(100, 120, 700, 500)), "100,120,700,500");
}
