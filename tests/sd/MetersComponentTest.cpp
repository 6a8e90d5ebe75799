#include "MeterTestSupport.h"

#include "sd/MeterFont.h"
#include "sd/MetersComponent.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
using namespace sd::SoundMeter;
using namespace sd::SoundMeter::test;

const juce::StringArray typeNames714{ "Left",
                                      "Right",
                                      "Centre",
                                      "LFE",
                                      "Left Surround Side",
                                      "Right Surround Side",
                                      "Top Front Left",
                                      "Top Front Right",
                                      "Top Rear Left",
                                      "Top Rear Right",
                                      "Left Surround Rear",
                                      "Right Surround Rear" };

const juce::StringArray abbreviations714{
    "L", "R", "C", "Lfe", "Lss", "Rss", "Tfl", "Tfr", "Trl", "Trr", "Lrs", "Rrs"
};

float measure (const juce::String& text, float fontHeight = MeterFont::height)
{
    juce::GlyphArrangement glyphs;
    glyphs.addLineOfText (MeterFont::make (fontHeight), text, 0.0f, 0.0f);
    return glyphs.getBoundingBox (0, -1, true).getWidth();
}

// A 7.1.4 panel of 510 × 300: twelve meters 40 pixels wide, the scale strip in the last 30.
class MetersPanel : public ::testing::Test
{
protected:
    MetersPanel()
    {
        meters.setClock (clock.function());
        meters.setVisible (true);
        meters.setChannelFormat (juce::AudioChannelSet::create7point1point4());
        meters.setSize (510, 300);
    }

    juce::StringArray headerTexts() const
    {
        juce::StringArray texts;

        for (int i = 0; i < meters.getNumChannels(); ++i)
            texts.add (meters.getMeterChannel (i)->getHeaderText());

        return texts;
    }

    void feed (const std::vector<float>& peaks, juce::uint32 atMs)
    {
        for (size_t i = 0; i < peaks.size(); ++i)
            meters.setInputLevel ((int) i, peaks[i]);

        clock.now = atMs;
        meters.refresh (false);
    }

    ManualClock clock;
    MetersComponent meters;
};

//==============================================================================================
TEST_F (MetersPanel, SevenOneFourGivesTwelveMetersInChannelOrder)
{
    ASSERT_EQ (meters.getNumChannels(), 12);

    for (int i = 0; i < 12; ++i)
    {
        EXPECT_EQ (meters.getMeterChannel (i)->getTypeName(), typeNames714[i]);
        EXPECT_EQ (meters.getMeterChannel (i)->getAbbreviatedTypeName(), abbreviations714[i]);
    }

    EXPECT_EQ (meters.getMeterChannel (12), nullptr);
    EXPECT_EQ (meters.getMeterChannel (-1), nullptr);
}

TEST_F (MetersPanel, HeadersShowTypeNamesWhenWideEnoughElseAbbreviations)
{
    EXPECT_EQ (headerTexts(), abbreviations714);

    meters.setSize (12 * 200 + 30, 300);
    EXPECT_EQ (headerTexts(), typeNames714);

    meters.setChannelNames ({ "A", "", "Feedback return channel" });
    meters.setSize (510, 300);
    auto expected = abbreviations714;
    expected.set (0, "A"); // a name that fits wins; one that does not falls back
    EXPECT_EQ (headerTexts(), expected);
}

//==============================================================================================
TEST (MetersWidth, PreferredWidthIs25PerMeterPlus25)
{
    EXPECT_EQ (MetersComponent::getPreferredWidth (12), 325);
    EXPECT_EQ (MetersComponent::getPreferredWidth (2), 75);
    EXPECT_EQ (MetersComponent::getPreferredWidth (0), 25);
}

TEST_F (MetersPanel, MinimumWidthCountsTheWidestTypeName)
{
    auto widest = 20.0f;

    for (const auto& name : typeNames714)
        widest = std::max (widest, measure (name));

    EXPECT_GT (widest, 20.0f);
    EXPECT_EQ (meters.getMinimumWidth(), 2 * 12 + (int) (widest * 12.0f) + 35);

    MetersComponent stereo;
    stereo.setChannelFormat (juce::AudioChannelSet::stereo());
    EXPECT_EQ (stereo.getMinimumWidth(), 2 * 2 + (int) (std::max (20.0f, measure ("Right")) * 2.0f) + 35);
}

TEST_F (MetersPanel, AtTheEditorsSizeTheMetersAreMinimalBarsAcrossTheWidth)
{
    meters.setSize (MetersComponent::getPreferredWidth (12), MetersComponent::preferredHeight);

    EXPECT_TRUE (meters.isMinimalModeActive());
    EXPECT_TRUE (meters.getLabelStrip().getBounds().isEmpty());

    for (int i = 0; i < 12; ++i)
    {
        const auto* meter = meters.getMeterChannel (i);
        EXPECT_EQ (meter->getBounds(), juce::Rectangle<int> (27 * i, 0, 27, 100)) << i;
        EXPECT_EQ (meter->getMeterBounds(), juce::Rectangle<int> (1, 0, 25, 100)) << i;
    }
}

//==============================================================================================
struct MinimalCase
{
    int width, height;
    bool minimal;
};

TEST_F (MetersPanel, MinimalModeBelow20PixelsPerMeterOrWhenLow)
{
    const auto valueTextWidth = measure ("-9.99");
    const auto narrowestFull = std::max (20, (int) std::ceil (valueTextWidth));

    const MinimalCase cases[] = {
        { 12 * 40 + 30, 300, false },
        { 12 * 19 + 30, 300, true },
        { 12 * 20 + 29, 300, true },
        { 12 * narrowestFull + 30, 300, false },
        { 12 * (narrowestFull - 1) + 30, 300, true },
        { 12 * 40 + 30, 150, false },
        { 12 * 40 + 30, 149, true },
    };

    for (const auto& c : cases)
    {
        meters.setSize (c.width, c.height);
        EXPECT_EQ (meters.isMinimalModeActive(), c.minimal) << c.width << "x" << c.height;

        for (int i = 0; i < 12; ++i)
        {
            const auto* meter = meters.getMeterChannel (i);
            EXPECT_EQ (meter->isMinimalModeActive(), c.minimal);
            EXPECT_EQ (meter->getHeaderBounds().isEmpty(), c.minimal);
            EXPECT_EQ (meter->getWidth(), c.minimal ? c.width / 12 : (c.width - 30) / 12);
        }

        EXPECT_EQ (meters.getLabelStrip().getBounds().isEmpty(), c.minimal);
    }
}

TEST_F (MetersPanel, AutoMinimalOffKeepsHeadersOnANarrowPanel)
{
    auto options = meters.getOptions();
    options.autoMinimal = false;
    meters.setOptions (options);
    meters.setSize (12 * 15 + 30, 100);

    EXPECT_FALSE (meters.isMinimalModeActive());
    EXPECT_EQ (meters.getMeterChannel (0)->getHeaderBounds(), juce::Rectangle<int> (0, 0, 15, 25));
}

struct StripCase
{
    LabelStripPosition position;
    int firstMeterX, meterWidth;
    juce::Rectangle<int> strip;
};

TEST_F (MetersPanel, StripSitsBesideTheMetersOnTheChosenSide)
{
    const StripCase cases[] = {
        { LabelStripPosition::right, 0, 40, { 480, 0, 30, 300 } },
        { LabelStripPosition::left, 30, 40, { 0, 0, 30, 300 } },
        { LabelStripPosition::none, 0, 42, {} },
    };

    for (const auto& c : cases)
    {
        meters.setLabelStripPosition (c.position);
        EXPECT_EQ (meters.getMeterChannel (0)->getX(), c.firstMeterX);
        EXPECT_EQ (meters.getMeterChannel (11)->getX(), c.firstMeterX + 11 * c.meterWidth);
        EXPECT_EQ (meters.getMeterChannel (0)->getWidth(), c.meterWidth);
        EXPECT_EQ (meters.getLabelStrip().getBounds(), c.strip);
    }
}

//==============================================================================================
TEST_F (MetersPanel, ScaleStripLabelsLineUpWithTheTicks)
{
    auto& strip = meters.getLabelStrip();
    // The first meter's meter rectangle spans rows 25 … 275.
    EXPECT_EQ (strip.getMeterBounds(), juce::Rectangle<int> (0, 25, 30, 250));
    EXPECT_FLOAT_EQ (strip.getLabelFontHeight(), 15.0f);

    const auto labels = strip.getTickLabels();
    juce::StringArray texts;

    for (const auto& label : labels)
        texts.add (label.text);

    texts.sort (true);
    EXPECT_EQ (texts, juce::StringArray ({ "-12", "-18", "-3", "-30", "-40", "-50", "-6", "-9", "0" }));

    const struct
    {
        const char* text;
        float top;
    } expected[] = {
        { "0", 25.0f - 7.5f },
        { "-6", 25.0f + 25.0f + 0.2f * 100.0f - 7.5f },
        { "-30", 25.0f + 125.0f + (12.0f / 42.0f) * 125.0f - 7.5f },
    };

    for (const auto& e : expected)
    {
        const auto found = std::find_if (labels.begin(), labels.end(), [&] (auto& l) { return l.text == e.text; });
        ASSERT_NE (found, labels.end()) << e.text;
        EXPECT_NEAR (found->bounds.getY(), e.top, 1.0e-3f) << e.text;
        EXPECT_FLOAT_EQ (found->bounds.getX(), 2.0f);
        EXPECT_FLOAT_EQ (found->bounds.getWidth(), 26.0f);
        EXPECT_FLOAT_EQ (found->bounds.getHeight(), 15.0f);
    }
}

TEST_F (MetersPanel, ScaleLabelsCountFromTheNominalLevel)
{
    auto options = meters.getOptions();
    options.nominalLevel = -18.0f;
    meters.setOptions (options);

    juce::StringArray texts;

    for (const auto& label : meters.getLabelStrip().getTickLabels())
        texts.add (label.text);

    texts.sort (true);
    EXPECT_EQ (texts, juce::StringArray ({ "-12", "-22", "-32", "0", "12", "15", "18", "6", "9" }));
}

//==============================================================================================
TEST_F (MetersPanel, DoubleClicksClearOneChannelOrAll)
{
    feed (std::vector<float> (12, 1.0f), 1000);
    feed (std::vector<float> (12, 0.0f), 2000);

    auto* third = meters.getMeterChannel (2);
    doubleClick (*third, { 20.0f, 100.0f });
    EXPECT_FLOAT_EQ (third->getPeakHoldLevel(), -96.0f);
    EXPECT_FLOAT_EQ (meters.getMeterChannel (1)->getPeakHoldLevel(), 0.0f);

    doubleClick (meters, { 500.0f, 100.0f }); // the panel itself, by the strip
    for (int i = 0; i < 12; ++i)
        EXPECT_FLOAT_EQ (meters.getMeterChannel (i)->getPeakHoldLevel(), -96.0f) << i;

    EXPECT_EQ (meters.getComponentAt (500, 100), &meters) << "a double click on the strip reaches the panel";
}

//==============================================================================================
TEST_F (MetersPanel, ChannelFormatRebuildsOnlyWhenTheCountChanges)
{
    auto* first = meters.getMeterChannel (0);

    meters.setChannelFormat (juce::AudioChannelSet::discreteChannels (12));
    EXPECT_EQ (meters.getMeterChannel (0), first) << "same count: the meters stay";
    EXPECT_EQ (meters.getMeterChannel (0)->getChannelType(), juce::AudioChannelSet::discreteChannel0);

    meters.setChannelFormat (juce::AudioChannelSet());
    EXPECT_EQ (meters.getNumChannels(), 12) << "an empty layout changes nothing";

    meters.setChannelFormat (juce::AudioChannelSet::stereo());
    ASSERT_EQ (meters.getNumChannels(), 2);
    EXPECT_EQ (meters.getMeterChannel (1)->getTypeName(), "Right");
    EXPECT_EQ (meters.getMeterChannel (1)->getBounds(), juce::Rectangle<int> (240, 0, 240, 300));

    // New meters run on the panel's clock too.
    feed ({ 1.0f, 1.0f }, 3000);
    feed ({ 0.0f, 0.0f }, 4000);
    EXPECT_NEAR (meters.getMeterChannel (1)->getLevel(), -20.0f, 1.0e-3f);

    meters.setInputLevel (2, 1.0f);
    meters.setInputLevel (-1, 1.0f);
}

//==============================================================================================
enum class ColourSource
{
    defaults,
    lookAndFeel,
    panel,
    channelOverLookAndFeel
};

struct ColourCase
{
    ColourSource source;
    juce::uint32 peakLine;
};

class MeterColoursTest : public MetersPanel, public ::testing::WithParamInterface<ColourCase>
{
protected:
    ~MeterColoursTest() override { meters.setLookAndFeel (nullptr); }

    juce::LookAndFeel_V4 lookAndFeel;
};

TEST_P (MeterColoursTest, AColourSetOnTheComponentOrItsLookAndFeelWins)
{
    const auto c = GetParam();

    if (c.source != ColourSource::defaults && c.source != ColourSource::panel)
    {
        lookAndFeel.setColour (MeterChannel::peakHoldColourId, juce::Colour (0xff0000ff));
        meters.setLookAndFeel (&lookAndFeel);
    }

    if (c.source == ColourSource::panel)
        meters.setColour (MetersComponent::peakHoldColourId, juce::Colour (0xffff00ff));

    if (c.source == ColourSource::channelOverLookAndFeel)
        meters.getMeterChannel (0)->setColour (MeterChannel::peakHoldColourId, juce::Colour (0xff00ffff));

    feed (std::vector<float> (12, 1.0f), 1000);
    feed (std::vector<float> (12, 0.0f), 4000); // bars down to −60 dB, peak lines at the top

    const auto image = snapshot (meters);
    EXPECT_EQ (image.getPixelAt (20, 26), juce::Colour (c.peakLine)) << image.getPixelAt (20, 26).toString();
}

INSTANTIATE_TEST_SUITE_P (Sources,
                          MeterColoursTest,
                          ::testing::Values (ColourCase{ ColourSource::defaults, 0xffff0000 },
                                             ColourCase{ ColourSource::lookAndFeel, 0xff0000ff },
                                             ColourCase{ ColourSource::panel, 0xffff00ff },
                                             ColourCase{ ColourSource::channelOverLookAndFeel, 0xff00ffff }));

TEST_F (MetersPanel, BackgroundAndTextColoursComeFromTheLookAndFeel)
{
    const auto defaults = snapshot (meters);
    EXPECT_EQ (defaults.getPixelAt (2, 2), juce::Colour (0xff000000)) << "panel background";
    EXPECT_EQ (defaults.getPixelAt (460, 60), juce::Colour (0xff000000)) << "meter background";
    EXPECT_EQ (MeterColours::getDefault (MeterColours::tickMarkColourId), juce::Colour (0x80c4c4c4));
    EXPECT_EQ (MeterColours::getDefault (MeterColours::textColourId), juce::Colour (0xff9f9f9f));
    EXPECT_EQ (MeterColours::getDefault (MeterColours::inactiveColourId), juce::Colour (0xff808080));

    juce::LookAndFeel_V4 lookAndFeel;
    lookAndFeel.setColour (MeterColours::backgroundColourId, juce::Colour (0xff102030));
    lookAndFeel.setColour (MeterColours::textColourId, juce::Colour (0xff00ff00));
    meters.setLookAndFeel (&lookAndFeel);

    const auto image = snapshot (meters);
    EXPECT_EQ (image.getPixelAt (2, 2), juce::Colour (0xff102030));
    EXPECT_EQ (image.getPixelAt (460, 60), juce::Colour (0xff102030));

    // Some pixel of the "-6" label is drawn fully in the text colour.
    auto greenPixels = 0;

    for (int y = 62; y < 78; ++y)
        for (int x = 482; x < 510; ++x)
            greenPixels += image.getPixelAt (x, y) == juce::Colour (0xff00ff00) ? 1 : 0;

    EXPECT_GT (greenPixels, 0);
    meters.setLookAndFeel (nullptr);
}

TEST_F (MetersPanel, AnInactiveChannelShowsTheInactiveColour)
{
    meters.getMeterChannel (11)->setActive (false);
    EXPECT_EQ (snapshot (meters).getPixelAt (460, 60), juce::Colour (0xff808080));
}

//==============================================================================================
TEST_F (MetersPanel, PaintsTwelveMetersWithSignalIntoPngs)
{
    const std::vector<float> peaks{ 1.0f, 0.7f, 0.5f, 0.35f, 0.25f, 0.12f, 0.06f, 0.03f, 0.01f, 0.003f, 0.8f, 0.2f };
    feed (peaks, 1000);
    std::vector<float> later;

    for (auto p : peaks)
        later.push_back (p * 0.3f);

    feed (later, 1400); // bars fall 8 dB below the peak lines

    const auto folder = juce::File (WENDREL_TEST_OUTPUT_DIR);
    ASSERT_TRUE (folder.createDirectory());

    const struct
    {
        int width, height;
        const char* file;
    } shots[] = {
        { 510, 300, "meters-7.1.4-full.png" },
        { MetersComponent::getPreferredWidth (12), MetersComponent::preferredHeight, "meters-7.1.4-editor.png" }
    };

    for (const auto& shot : shots)
    {
        meters.setSize (shot.width, shot.height);
        const auto file = folder.getChildFile (shot.file);
        file.deleteFile();
        juce::FileOutputStream stream (file);
        ASSERT_TRUE (stream.openedOk());
        juce::PNGImageFormat png;
        ASSERT_TRUE (png.writeImageToStream (snapshot (meters), stream));
        stream.flush();
        EXPECT_GT (file.getSize(), 1000) << shot.file;
    }
}
} // namespace
