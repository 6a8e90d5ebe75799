#include "vesk/gui/BaseComponent.h"

namespace vesk
{
BaseComponent::BaseComponent() = default;
BaseComponent::~BaseComponent() = default;

void BaseComponent::cancelPendingRefresh() {}

void BaseComponent::setDefaultColour (int colourId, juce::Colour colour)
{
    // getLookAndFeel walks up the parents and ends at the framework's default.
    if (!getLookAndFeel().isColourSpecified (colourId))
        setColour (colourId, colour);
}
} // namespace vesk
