#include "sd/Options.h"

namespace sd::SoundMeter
{
float Options::getDecayTime() const noexcept
{
    // A NaN would freeze the bar forever.
    if (std::isnan (decayTime))
        return Options().decayTime;

    return juce::jlimit (minDecayTime, maxDecayTime, decayTime);
}

float Options::getRefreshRate() const noexcept
{
    if (std::isnan (refreshRate))
        return Options().refreshRate;

    return juce::jmax (minRefreshRate, refreshRate);
}

std::vector<SegmentOptions> defaultSegmentOptions()
{
    const auto green = juce::Colour (0xff008000);
    const auto yellow = juce::Colour (0xffffff00);
    const auto red = juce::Colour (0xffff0000);

    return { { -60.0f, -18.0f, 0.0f, 0.5f, green, green },
             { -18.0f, -3.0f, 0.5f, 0.9f, green, yellow },
             { -3.0f, 0.0f, 0.9f, 1.0f, yellow, red } };
}
} // namespace sd::SoundMeter
