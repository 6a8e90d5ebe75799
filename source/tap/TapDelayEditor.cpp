#include "tap/TapDelayEditor.h"

#include "tap/TapDelayProcessor.h"
#include "tap/WendrelLogo.h"

#include <array>

namespace tap
{
namespace
{
    const juce::Colour backgroundColour (0xff000000);
    const juce::Colour topBarColour (0xff555555);
    const juce::Colour logoColour (0xffc0c0c0);

    constexpr int logoMargin = 5;
    constexpr int logoHeight = 38;
    constexpr int buttonTop = 53;
    constexpr int buttonWidth = 80;
    constexpr int orbitButtonWidth = 65;
    constexpr int buttonHeight = 25;

    /** The right column's grey: the top bar's channels scaled by 5/7 and truncated. */
    juce::Colour getRightColumnColour()
    {
        constexpr float factor = 0.71428573f;
        const auto scale = [] (juce::uint8 channel) { return static_cast<juce::uint8> (channel * factor); };
        return juce::Colour (scale (topBarColour.getRed()),
                             scale (topBarColour.getGreen()),
                             scale (topBarColour.getBlue()),
                             topBarColour.getAlpha());
    }
} // namespace

TapDelayEditor::TapDelayEditor (TapDelayProcessor& owner)
    : juce::AudioProcessorEditor (owner)
    , processor (owner)
    , tapList (*this)
    , tapDetails (owner)
    , meters (sd::SoundMeter::Options())
    , presetComponent (&owner.getPresetManager())
    , blankAttachment (this, [this] { frameStep(); })
{
    // The scene editor has installed its default colours itself.
    meters.setName ("meters_panel");

    logo = WendrelLogo::create();
    if (logo != nullptr)
        logo->replaceColour (juce::Colours::black, logoColour);

    sceneEditor.setScene (&processor.getScene());

    addAndMakeVisible (sceneEditor);
    addAndMakeVisible (presetComponent);
    tapList.setRowHeight (TapList::rowHeight);
    tapList.updateContent();
    addAndMakeVisible (tapList);
    addAndMakeVisible (tapDetails);
    addAndMakeVisible (meters);

    tapList.onSelect = [this] (int index) { selectTap (index); };

    setUpViewButton (topButton, "Top", vesk::SceneEditor::Top);
    setUpViewButton (rearButton, "Rear", vesk::SceneEditor::Rear);
    setUpViewButton (sideButton, "Side", vesk::SceneEditor::Side);
    setUpViewButton (orbitButton, "Orbit", vesk::SceneEditor::Orbit);

    sceneEditor.onViewModeChanged = [this] (vesk::SceneEditor::ViewMode mode) { viewModeChanged (mode); };

    // Handled by the message loop: the window opens in the Top view once it runs.
    topButton.triggerClick();

    setResizable (true, true);
    setSize (initialWidth, initialHeight);
    selectTap (0);
}

TapDelayEditor::~TapDelayEditor() = default;

void TapDelayEditor::setUpViewButton (juce::TextButton& button,
                                      const juce::String& text,
                                      vesk::SceneEditor::ViewMode mode)
{
    button.setToggleable (true);
    // The default look-and-feel lights a button only a shade darker than it is off; its
    // slider colour makes the view mode shown readable at a glance.
    button.setColour (juce::TextButton::buttonOnColourId, getLookAndFeel().findColour (juce::Slider::thumbColourId));
    button.setButtonText (text);
    button.onClick = [this, mode] { sceneEditor.setViewMode (mode); };
    addAndMakeVisible (button);
}

juce::TextButton* TapDelayEditor::getViewButton (vesk::SceneEditor::ViewMode mode) noexcept
{
    switch (mode)
    {
        case vesk::SceneEditor::Orbit: return &orbitButton;
        case vesk::SceneEditor::Top: return &topButton;
        case vesk::SceneEditor::Side: return &sideButton;
        case vesk::SceneEditor::Rear: return &rearButton;
    }

    return nullptr;
}

void TapDelayEditor::viewModeChanged (vesk::SceneEditor::ViewMode mode)
{
    topButton.setToggleState (mode == vesk::SceneEditor::Top, juce::dontSendNotification);
    sideButton.setToggleState (mode == vesk::SceneEditor::Side, juce::dontSendNotification);
    rearButton.setToggleState (mode == vesk::SceneEditor::Rear, juce::dontSendNotification);
    orbitButton.setToggleState (mode == vesk::SceneEditor::Orbit, juce::dontSendNotification);
}

//==============================================================================================
void TapDelayEditor::selectTap (int index)
{
    // Pressed objects and list rows only ever ask for 0 to 15; anything else would reach
    // beyond the taps.
    if (!juce::isPositiveAndBelow (index, TapDelayProcessor::numTaps))
        return;

    tapList.selectRow (index, true);
    tapDetails.setTap (index);

    const auto& objects = sceneEditor.getObjects();
    if (static_cast<size_t> (index) < objects.size())
        objects[static_cast<size_t> (index)]->toFront (false);
}

//==============================================================================================
void TapDelayEditor::frameStep()
{
    std::array<float, TapDelayProcessor::numLevelCells> levels{};
    auto& cells = processor.getOutputLevels();

    for (size_t i = 0; i < levels.size(); ++i)
        levels[i] = cells[i].exchange (0.0f);

    if (meters.getNumChannels() != TapDelayProcessor::numLevelCells)
        updateMeterFormat();

    const auto numMetered = juce::jmin (TapDelayProcessor::numLevelCells, meters.getNumChannels());

    for (int i = 0; i < numMetered; ++i)
        meters.setInputLevel (i, levels[static_cast<size_t> (i)]);

    // The meters themselves skip the ballistics while any of their parents is hidden or the
    // window minimised; asking only for visibility keeps them running off screen.
    if (meters.isVisible() && meters.getNumChannels() > 0)
        meters.refresh (false);

    sceneEditor.repaint();
}

void TapDelayEditor::updateMeterFormat()
{
    const auto& channelSet = processor.getSpec().outputLayout.channelSet;

    // An unchanged format costs the meters nothing; a new channel count rebuilds and lays them out.
    if (channelSet.size() > 0)
        meters.setChannelFormat (channelSet, {});

    resized();
}

//==============================================================================================
void TapDelayEditor::paint (juce::Graphics& g)
{
    const auto width = getWidth();
    const auto height = getHeight();

    g.fillAll (backgroundColour);
    g.setColour (topBarColour);
    g.fillRect (0, 0, width, topBarHeight);
    g.setColour (getRightColumnColour());
    g.fillRect (width - rightColumnWidth, topBarHeight, rightColumnWidth, height - topBarHeight);

    if (logo == nullptr)
        return;

    const auto bounds = logo->getDrawableBounds();
    if (bounds.getWidth() <= 0.0f || bounds.getHeight() <= 0.0f)
        return;

    // Fills (5, 5, width - 10, 38) as far as the aspect ratio allows: left-aligned, centred
    // vertically.
    const auto available = static_cast<float> (juce::jmax (width - 2 * logoMargin, 0));
    const auto s = juce::jmin (available / bounds.getWidth(), static_cast<float> (logoHeight) / bounds.getHeight());
    const auto margin = static_cast<float> (logoMargin);
    const auto transform = juce::AffineTransform::scale (s).translated (
        margin - s * bounds.getX(),
        (static_cast<float> (logoHeight) - s * bounds.getHeight()) * 0.5f + margin - s * bounds.getY());
    logo->draw (g, 1.0f, transform);
}

void TapDelayEditor::resized()
{
    const auto width = getWidth();
    const auto height = getHeight();
    const auto top = juce::jmin (height, topBarHeight);
    const auto below = height - top;
    const auto rw = juce::jmin (width, rightColumnWidth);
    const auto sw = width - rw;
    const auto dh = juce::jmin (below, detailsHeight);

    presetComponent.setBounds (sw + 5, 5, juce::jmax (rw - 10, 0), juce::jmax (top - 10, 0));
    tapDetails.setBounds (sw, top + below - dh, rw, dh);
    tapList.setBounds (sw, top, rw, below - dh);

    const auto half = sw / 2;
    topButton.setBounds (half - 170, buttonTop, buttonWidth, buttonHeight);
    sideButton.setBounds (half - 85, buttonTop, buttonWidth, buttonHeight);
    rearButton.setBounds (half, buttonTop, buttonWidth, buttonHeight);
    orbitButton.setBounds (half + 85, buttonTop, orbitButtonWidth, buttonHeight);

    sceneEditor.setBounds (0, top, sw, below);

    const auto mw = juce::jmin (sw, sd::SoundMeter::MetersComponent::getPreferredWidth (meters.getNumChannels()));
    const auto mh = juce::jmin (below, sd::SoundMeter::MetersComponent::preferredHeight);
    meters.setBounds (sw - mw, height - mh, mw, mh);

    if (auto* scene = sceneEditor.getScene())
        scene->updateObjectPositions (sceneEditor);
}
} // namespace tap
