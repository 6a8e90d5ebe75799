#include "EditorTestHelpers.h"
#include "tap/TapRoutePages.h"

#include <gtest/gtest.h>

namespace
{
enum Tab
{
    inputTab = 0,
    tapsTab = 1,
    fxTab = 2,
    feedbackTab = 3
};

class TapDetailsTest : public test::EditorFixture
{
protected:
    tap::TapDetails& details() { return editor->getTapDetails(); }

    tap::TapRoutePage& page (Tab tab)
    {
        details().setCurrentTabIndex (tab);
        auto* shown = dynamic_cast<tap::TapRoutePage*> (details().getTabContentComponent (tab));
        EXPECT_NE (shown, nullptr);
        return *shown;
    }

    static std::vector<std::string> namesOf (tap::TapRoutePage& shown)
    {
        std::vector<std::string> names;
        for (auto& strip : shown.getStrips())
            names.push_back (strip->getStripName().toStdString());
        return names;
    }

    /** A drag on a slider from one point to another, as the pointer would make it. */
    static void drag (juce::Slider& slider, juce::Point<float> from, juce::Point<float> to)
    {
        slider.mouseDown (test::makeMouseEvent (slider, from));
        auto event = test::makeMouseEvent (slider, to);
        slider.mouseDrag (event.withNewPosition (to));
        slider.mouseUp (event);
    }
};

TEST_F (TapDetailsTest, HasTheFourTabsInLightGrey)
{
    const juce::StringArray expected{ "Input", "Taps", "FX", "Feedback" };
    EXPECT_EQ (details().getTabNames(), expected);

    for (int i = 0; i < 4; ++i)
        EXPECT_EQ (details().getTabBackgroundColour (i), juce::Colour (0xffd3d3d3));

    EXPECT_EQ (details().getTabContentComponent (fxTab)->getNumChildComponents(), 0);
}

TEST_F (TapDetailsTest, NamesTheOnlyStripOfAMonoInputInput)
{
    EXPECT_EQ (namesOf (page (inputTab)), std::vector<std::string>{ "Input" });
}

TEST (TapDetailsStereo, NamesTheStripsOfAStereoInputByChannel)
{
    tap::TapDelayProcessor processor;
    auto layout = processor.getBusesLayout();
    layout.inputBuses.getReference (0) = juce::AudioChannelSet::stereo();
    ASSERT_TRUE (processor.setBusesLayout (layout));

    tap::TapDetails details (processor);
    details.setSize (400, 240);
    details.setTap (2);

    auto* input = dynamic_cast<tap::TapRoutePage*> (details.getTabContentComponent (inputTab));
    ASSERT_NE (input, nullptr);
    ASSERT_EQ (input->getStrips().size(), 2u);
    EXPECT_EQ (input->getStrips()[0]->getStripName(), "Left");
    EXPECT_EQ (input->getStrips()[1]->getStripName(), "Right");

    // The strips are bound to tap C's input routes 0 and 1.
    input->getStrips()[1]->getGainBar().setValue (-6.0, juce::sendNotificationSync);
    EXPECT_FLOAT_EQ (processor.getTaps()[2].inputs[1].gain->get(), -6.0f);
}

TEST_F (TapDetailsTest, ShowsTwelveFeedbackStripsForSevenOneFourScrolledSideways)
{
    auto& feedback = page (feedbackTab);
    // JUCE's order of the 7.1.4 channels; names of 9 characters or more are abbreviated.
    const std::vector<std::string> expected{ "Left", "Right", "Centre", "LFE", "Lss", "Rss",
                                             "Tfl",  "Tfr",   "Trl",    "Trr", "Lrs", "Rrs" };
    EXPECT_EQ (namesOf (feedback), expected);

    // Inside the tab bar and the outline of 1.
    EXPECT_EQ (feedback.getBounds(), juce::Rectangle<int> (1, 30, 398, 209));
    EXPECT_EQ (feedback.getContent().getWidth(), 840);
    EXPECT_EQ (feedback.getContent().getHeight(), 209 - feedback.getViewport().getScrollBarThickness() - 2);
    EXPECT_TRUE (feedback.getViewport().getHorizontalScrollBar().isVisible());
    EXPECT_FALSE (feedback.getViewport().getVerticalScrollBar().isVisible());
    EXPECT_EQ (feedback.getStrips()[11]->getBounds().getX(), 770);
    EXPECT_EQ (feedback.getStrips()[11]->getWidth(), 70);
}

TEST_F (TapDetailsTest, ShowsEveryTapOnTheTapsPageInItsColour)
{
    editor->selectTap (0);
    auto& matrix = page (tapsTab);
    ASSERT_EQ (matrix.getStrips().size(), 16u);

    for (size_t k = 0; k < 16; ++k)
    {
        EXPECT_EQ (matrix.getStrips()[k]->getStripName(), processor.getTaps()[k].name);
        EXPECT_EQ (matrix.getStrips()[k]->getStripColour(), processor.getTaps()[k].colour);
    }

    // Strip A of tap A is its route from itself.
    matrix.getStrips()[0]->getTimeBar().setValue (250.0, juce::sendNotificationSync);
    EXPECT_FLOAT_EQ (processor.getTaps()[0].matrix[0].time->get(), 250.0f);
    EXPECT_EQ (matrix.getContent().getWidth(), 16 * 70);
}

TEST_F (TapDetailsTest, KeepsTheOpenTabWhenAnotherTapIsSelected)
{
    processor.getTaps()[2].feedback[4].gain->setValueNotifyingHost (
        processor.getTaps()[2].feedback[4].gain->convertTo0to1 (-12.0f));
    details().setCurrentTabIndex (feedbackTab);

    auto* row = editor->getTapList().getComponentForRowNumber (2);
    row->mouseDown (test::makeMouseEvent (*row, { 20.0f, 20.0f }));

    EXPECT_EQ (details().getCurrentTabIndex(), feedbackTab);
    auto* shown = dynamic_cast<tap::TapRoutePage*> (details().getCurrentContentComponent());
    ASSERT_NE (shown, nullptr);
    EXPECT_EQ (shown->getTapIndex(), 2);
    EXPECT_DOUBLE_EQ (shown->getStrips()[4]->getGainSlider().getValue(), -12.0);
}

TEST_F (TapDetailsTest, PaintsTheBadgeInTheTapsColour)
{
    editor->selectTap (9);
    const auto image = test::paintToImage (details());
    // Badge (325, 5, 70, 20): sampled off its text, which is centred.
    EXPECT_EQ (image.getPixelAt (330, 15), processor.getTaps()[9].colour);
    EXPECT_EQ (image.getPixelAt (392, 8), processor.getTaps()[9].colour);
}

TEST_F (TapDetailsTest, BeginsOneUndoTransactionPerStripGesture)
{
    auto& undo = processor.getUndoManager();
    auto* gain = processor.getTaps()[0].feedback[0].gain;
    auto& strip = *page (feedbackTab).getStrips()[0];
    auto& slider = strip.getGainSlider();
    ASSERT_GT (slider.getHeight(), 50);

    flushParameters();
    undo.clearUndoHistory();
    const auto start = gain->get();

    // Two drags on the vertical gain slider, each to its own value.
    const auto x = static_cast<float> (slider.getWidth()) * 0.5f;
    drag (slider,
          { x, static_cast<float> (slider.getHeight()) - 2.0f },
          { x, static_cast<float> (slider.getHeight()) * 0.5f });
    flushParameters();
    const auto afterFirst = gain->get();
    drag (slider, { x, static_cast<float> (slider.getHeight()) * 0.5f }, { x, 2.0f });
    flushParameters();
    const auto afterSecond = gain->get();

    ASSERT_NE (afterFirst, start);
    ASSERT_NE (afterSecond, afterFirst);
    EXPECT_EQ (undo.getUndoDescriptions().size(), 2);

    ASSERT_TRUE (undo.undo());
    EXPECT_FLOAT_EQ (gain->get(), afterFirst);
    ASSERT_TRUE (undo.undo());
    EXPECT_FLOAT_EQ (gain->get(), start);
    EXPECT_FALSE (undo.canUndo());
}
} // namespace

namespace
{
TEST (TapRoutePageNames, AbbreviatesNamesOfNineCharactersOrMore)
{
    using Set = juce::AudioChannelSet;
    struct Case
    {
        Set::ChannelType type;
        const char* expected;
    };

    const Case cases[] = {
        { Set::centre, "Centre" },      // 6 characters
        { Set::wideLeft, "Wl" },        // "Wide Left": exactly 9
        { Set::topMiddle, "Tm" },       // "Top Middle"
        { Set::discreteChannel0, "1" }, // "Discrete 1"
    };

    for (const auto& c : cases)
    {
        Set set;
        set.addChannel (c.type);
        EXPECT_EQ (tap::TapRoutePage::getChannelStripName (set, 0), c.expected) << c.expected;
    }
}
} // namespace
