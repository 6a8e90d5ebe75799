#include "vesk/dsp/LayerPanner.h"

#include "vesk/dsp/ApproximatelyEqual.h"

#include <algorithm>
#include <cmath>

namespace vesk::dsp
{
LayerPanner::LayerPanner()
    : LayerPanner (SpeakerLayout{ juce::AudioChannelSet::stereo() })
{
}

LayerPanner::LayerPanner (const SpeakerLayout& layout)
    : earLevel (layout)
    , topLayer (layout)
{
    prepare (layout);
}

void LayerPanner::prepare (const SpeakerLayout& outputLayout)
{
    lfeIndex = -1;
    earLevel = buildLayer (outputLayout, 0.0f);
    topLayer = buildLayer (outputLayout, 1.0f);
    gains.resize (outputLayout.speakers.size(), 0.0f);
    setPosition (x, y, z, true);
}

Yaxis<float> LayerPanner::buildLayer (const SpeakerLayout& layout, float height)
{
    Yaxis<float> layer (layout);

    for (const auto& speaker : layout.speakers)
    {
        if (!speaker.pans)
        {
            if (speaker.type == juce::AudioChannelSet::LFE)
                lfeIndex = speaker.index;

            continue;
        }

        const auto& ys = layer.getCoordinates();
        const auto sameY =
            std::any_of (ys.begin(), ys.end(), [&] (float c) { return vesk::approximatelyEqual (c, speaker.y); });

        if (vesk::approximatelyEqual (speaker.z, height) && !sameY)
            layer.addMember (speaker);
    }

    return layer;
}

void LayerPanner::setPosition (float newX, float newY, float newZ, bool force) noexcept
{
    if (!force && newX == x && newY == y && newZ == z)
        return;

    x = newX;
    y = newY;
    z = std::max (newZ, 0.0f);
    std::fill (gains.begin(), gains.end(), 0.0f);

    auto top = 0.0f;
    auto ear = 1.0f;

    if (!topLayer.getRows().empty())
    {
        const auto a = std::abs (newZ - 1.0f);
        top = PannerBase<float>::lawWeight (law, 1.0f - a);
        ear = PannerBase<float>::lawWeight (law, a);
    }

    addLayer (earLevel, ear);
    addLayer (topLayer, top);

    if (lfeIndex >= 0 && lfeIndex < getNumGains())
        gains[static_cast<size_t> (lfeIndex)] = lfeGain;
}

void LayerPanner::addLayer (const Yaxis<float>& layer, float weight) noexcept
{
    const auto& members = layer.getMembers();

    if (!(weight > 0.0f) || members.empty())
        return;

    const auto b = layer.bracket (y);
    const auto& rows = layer.getRows();
    rows[static_cast<size_t> (b.lo)].addGains (gains, x, b.wLo * weight);

    if (members[static_cast<size_t> (b.hi)].index != members[static_cast<size_t> (b.lo)].index && b.wHi > 0.0f)
        rows[static_cast<size_t> (b.hi)].addGains (gains, x, b.wHi * weight);
}
} // namespace vesk::dsp
