#include "vesk/gui/BaseComponent.h"
#include "vesk/gui/RefreshingComponent.h"

#include <gtest/gtest.h>

namespace
{
constexpr int colourId = 0x7001234;
const juce::Colour panelDefault{ 0xff112233 };
const juce::Colour themeColour{ 0xffaabbcc };

struct Theme : juce::LookAndFeel_V4
{
    Theme() { setColour (colourId, themeColour); }
};

enum class ThemeAt
{
    none,
    component,
    parent
};

class SetDefaultColour : public ::testing::TestWithParam<ThemeAt>
{
};

TEST_P (SetDefaultColour, LetsTheGoverningLookAndFeelWin)
{
    Theme theme;
    juce::Component parent;
    vesk::BaseComponent panel;
    parent.addChildComponent (panel);

    if (GetParam() == ThemeAt::component)
        panel.setLookAndFeel (&theme);
    else if (GetParam() == ThemeAt::parent)
        parent.setLookAndFeel (&theme);

    panel.setDefaultColour (colourId, panelDefault);

    const auto themed = GetParam() != ThemeAt::none;
    EXPECT_EQ (panel.isColourSpecified (colourId), !themed);
    EXPECT_EQ (panel.findColour (colourId), themed ? themeColour : panelDefault);

    panel.setLookAndFeel (nullptr);
    parent.setLookAndFeel (nullptr);
}

INSTANTIATE_TEST_SUITE_P (Themes,
                          SetDefaultColour,
                          ::testing::Values (ThemeAt::none, ThemeAt::component, ThemeAt::parent));

TEST (BaseComponent, HasTheLibraryMargin)
{
    vesk::BaseComponent panel;
    EXPECT_EQ (panel.margin, 5);
}

struct Refreshing : vesk::RefreshingComponent
{
    void refresh (bool) override {}

    void raise()
    {
        refreshPending = true;
        pendingArea = { 1, 2, 3, 4 };
    }

    bool isPending() const { return refreshPending.load(); }
    juce::Rectangle<int> area() const { return pendingArea; }
};

TEST (RefreshingComponent, CancelClearsThePendingRefresh)
{
    Refreshing component;
    component.raise();
    component.cancelPendingRefresh();

    EXPECT_FALSE (component.isPending());
    EXPECT_TRUE (component.area().isEmpty());
    EXPECT_EQ (component.area().getPosition(), juce::Point<int>());
}
} // namespace
