#include "EditorTestHelpers.h"
#include "TapSceneTestHelpers.h"
#include "tap/TapListItem.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
using Rect = juce::Rectangle<int>;

class TapListTest : public test::EditorFixture
{
protected:
    tap::TapList& list() { return editor->getTapList(); }

    tap::TapListItem& item (int row)
    {
        auto* found = dynamic_cast<tap::TapListItem*> (list().getComponentForRowNumber (row));
        EXPECT_NE (found, nullptr);
        return *found;
    }

    /** Green pixels along the middle line of an item's meter. */
    int countBarPixels (tap::TapListItem& shown)
    {
        const auto image = test::paintToImage (shown);
        const auto meter = shown.getMeterArea();
        int green = 0;
        for (int x = meter.getX(); x < meter.getRight(); ++x)
            green += image.getPixelAt (x, meter.getCentreY()) == juce::Colour (0xff008000) ? 1 : 0;
        return green;
    }

    static bool isClose (juce::Colour a, juce::Colour b)
    {
        return std::abs (a.getRed() - b.getRed()) <= 2 && std::abs (a.getGreen() - b.getGreen()) <= 2
            && std::abs (a.getBlue() - b.getBlue()) <= 2;
    }
};

// With the 16 rows taller than the list, the scroll bar (8 pixels) narrows every row to 392:
// name block 41, three times 16 + 60, knob 36 and "Out:" 32 from the right leave the meter
// 45 pixels, 35 once reduced by 5 on each side.
TEST_F (TapListTest, LaysARowOutBesideTheScrollBar)
{
    auto& row = item (0);
    EXPECT_EQ (row.getWidth(), 392);
    EXPECT_EQ (row.getXSlider().getBounds(), Rect (64, 4, 56, 32));
    EXPECT_EQ (row.getYSlider().getBounds(), Rect (140, 4, 56, 32));
    EXPECT_EQ (row.getZSlider().getBounds(), Rect (216, 4, 56, 32));
    EXPECT_EQ (row.getOutputKnob().getBounds(), Rect (351, 2, 36, 36));
    EXPECT_EQ (row.getMeterArea(), Rect (279, 7, 35, 26));
}

struct MeterCase
{
    float level;
    int barPixels; // of the 35-pixel meter
};

class TapListMeter : public TapListTest, public ::testing::WithParamInterface<MeterCase>
{
};

TEST_P (TapListMeter, FillsLinearlyInDecibelsFromMinus50)
{
    processor.getTaps()[1].level.store (GetParam().level);
    EXPECT_EQ (countBarPixels (item (1)), GetParam().barPixels);
}

INSTANTIATE_TEST_SUITE_P (Levels,
                          TapListMeter,
                          ::testing::Values (MeterCase{ 0.1f, 21 },         // -20 dB: 60 % of 35
                                             MeterCase{ 0.0031622776f, 0 }, // -50 dB
                                             MeterCase{ 0.001f, 0 },        // below the floor
                                             MeterCase{ 0.0f, 0 },
                                             MeterCase{ 0.5f, 31 }, // -6.02 dB: 30.79 pixels
                                             MeterCase{ 1.0f, 35 },
                                             MeterCase{ 4.0f, 35 })); // above 0 dBFS: full

TEST (TapListMeterWidth, RoundsHalvesToEven)
{
    // -25 dB fills half: 0.5 x 5 = 2.5 and 0.5 x 7 = 3.5 pixels.
    const auto minus25 = std::pow (10.0f, -25.0f / 20.0f);
    EXPECT_EQ (tap::TapListItem::getMeterBarWidth (minus25, 5), 2);
    EXPECT_EQ (tap::TapListItem::getMeterBarWidth (minus25, 7), 4);
    EXPECT_EQ (tap::TapListItem::getMeterBarWidth (1.0f, 0), 0);
}

//==============================================================================================
TEST_F (TapListTest, PaintsTheBlockByRowStateAndTapState)
{
    test::setActive (processor.getTaps()[2], false);
    test::setActive (processor.getTaps()[3], false);
    editor->selectTap (3);

    juce::Image image (juce::Image::ARGB, 392, 40, true);
    const juce::Colour grey (0xff555555);
    const auto over = [grey] (juce::Colour c) { return grey.overlaidWith (c); };

    struct Case
    {
        int row;
        bool selected;
        juce::Colour expected;
    };

    const auto colourOf = [this] (int k) { return processor.getTaps()[static_cast<size_t> (k)].colour; };
    const auto inactive = [] (int k)
    { return juce::Colour::fromHSV (static_cast<float> (k) / 16.0f, 0.2f, 0.3f, 1.0f); };
    const Case cases[] = {
        { 0, false, over (colourOf (0).withAlpha (static_cast<juce::uint8> (0x80))) },
        { 1, true, colourOf (1) },
        { 2, false, over (inactive (2).withAlpha (static_cast<juce::uint8> (0x80))) },
        { 3, true, inactive (3) },
    };

    for (const auto& c : cases)
    {
        image.clear (image.getBounds());
        juce::Graphics g (image);
        list().paintListBoxItem (c.row, g, 392, 40, c.selected);
        EXPECT_TRUE (isClose (image.getPixelAt (10, 10), c.expected)) << "row " << c.row;
        EXPECT_TRUE (isClose (image.getPixelAt (100, 10), grey)) << "row " << c.row;
    }

    // The selected row is the one the list paints at full strength.
    const auto listImage = test::paintToImage (list());
    EXPECT_TRUE (isClose (listImage.getPixelAt (10, 3 * 40 + 10), inactive (3)));
}

TEST_F (TapListTest, PaintsNothingBeyondTheTaps)
{
    juce::Image image (juce::Image::ARGB, 392, 40, true);
    {
        juce::Graphics g (image);
        list().paintListBoxItem (16, g, 392, 40, true);
    }

    for (int y = 0; y < 40; y += 3)
        for (int x = 0; x < 392; x += 3)
            ASSERT_EQ (image.getPixelAt (x, y).getAlpha(), 0);
}

TEST_F (TapListTest, RebindsAReusedItemToItsNewRow)
{
    auto& t3 = processor.getTaps()[3];
    auto& t5 = processor.getTaps()[5];

    auto* reused = list().refreshComponentForRow (5, false, &item (3));
    ASSERT_EQ (reused, &item (3));
    auto& row = *dynamic_cast<tap::TapListItem*> (reused);
    EXPECT_EQ (row.getTapIndex(), 5);

    row.getXSlider().setValue (0.5, juce::sendNotificationSync);
    EXPECT_FLOAT_EQ (t5.x->get(), 0.5f);
    EXPECT_FLOAT_EQ (t3.x->get(), 0.0f);

    // Beyond the taps: the index is kept, nothing is bound.
    row.setTapIndex (16);
    EXPECT_EQ (row.getTapIndex(), 16);
    row.getXSlider().setValue (-0.5, juce::sendNotificationSync);
    EXPECT_FLOAT_EQ (t5.x->get(), 0.5f);

    list().refreshComponentForRow (3, false, &row);
}

TEST_F (TapListTest, ReplacesAComponentThatIsNotAnItem)
{
    auto* created = list().refreshComponentForRow (7, true, new juce::Component());
    auto* madeItem = dynamic_cast<tap::TapListItem*> (created);
    ASSERT_NE (madeItem, nullptr);
    EXPECT_EQ (madeItem->getTapIndex(), 7);
    delete created;
}

TEST_F (TapListTest, DoubleClickSwitchesTheTapInsideAGesture)
{
    struct GestureCount : juce::AudioProcessorParameter::Listener
    {
        int begins = 0, ends = 0;
        void parameterValueChanged (int, float) override {}
        void parameterGestureChanged (int, bool starting) override { (starting ? begins : ends) += 1; }
    } gestures;

    auto& t = processor.getTaps()[4];
    t.active->addListener (&gestures);
    auto& row = item (4);

    row.mouseDoubleClick (test::makeMouseEvent (row, { 20.0f, 20.0f }, juce::ModifierKeys::leftButtonModifier, 2));
    EXPECT_FALSE (t.active->get());
    row.mouseDoubleClick (test::makeMouseEvent (row, { 20.0f, 20.0f }, juce::ModifierKeys::leftButtonModifier, 2));
    EXPECT_TRUE (t.active->get());

    EXPECT_EQ (gestures.begins, 2);
    EXPECT_EQ (gestures.ends, 2);
    t.active->removeListener (&gestures);
}
} // namespace
