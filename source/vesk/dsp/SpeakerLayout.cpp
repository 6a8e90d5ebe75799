#include "vesk/dsp/SpeakerLayout.h"

namespace vesk::dsp
{
namespace
{
    struct Position
    {
        float x, y, z;
    };

    bool positionOf (int type, Position& p) noexcept
    {
        using CS = juce::AudioChannelSet;

        switch (type)
        {
            case CS::left: p = { -1.0f, 1.0f, 0.0f }; return true;
            case CS::right: p = { 1.0f, 1.0f, 0.0f }; return true;
            case CS::centre: p = { 0.0f, 1.0f, 0.0f }; return true;
            case CS::LFE: p = { 0.0f, 1.0f, 0.0f }; return true;
            case CS::leftSurround: p = { -1.0f, -1.0f, 0.0f }; return true;
            case CS::rightSurround: p = { 1.0f, -1.0f, 0.0f }; return true;
            case CS::leftCentre: p = { -0.5f, 0.0f, 0.0f }; return true;
            case CS::rightCentre: p = { 0.5f, 0.0f, 0.0f }; return true;
            case CS::centreSurround: p = { 0.0f, -1.0f, 0.0f }; return true;
            case CS::leftSurroundSide: p = { -1.0f, 0.0f, 0.0f }; return true;
            case CS::rightSurroundSide: p = { 1.0f, 0.0f, 0.0f }; return true;
            case CS::topMiddle: p = { 0.0f, 0.0f, 1.0f }; return true;
            case CS::topFrontLeft: p = { -1.0f, 1.0f, 1.0f }; return true;
            case CS::topFrontCentre: p = { 0.0f, 1.0f, 1.0f }; return true;
            case CS::topFrontRight: p = { 1.0f, 1.0f, 1.0f }; return true;
            case CS::topRearLeft: p = { -1.0f, -1.0f, 1.0f }; return true;
            case CS::topRearCentre: p = { 0.0f, -1.0f, 1.0f }; return true;
            case CS::topRearRight: p = { 1.0f, -1.0f, 1.0f }; return true;
            case CS::LFE2: p = { 0.0f, 1.0f, 0.0f }; return true;
            case CS::leftSurroundRear: p = { -1.0f, -1.0f, 0.0f }; return true;
            case CS::rightSurroundRear: p = { 1.0f, -1.0f, 0.0f }; return true;
            case CS::wideLeft: p = { -1.0f, 0.68f, 0.0f }; return true;
            case CS::wideRight: p = { 1.0f, 0.68f, 0.0f }; return true;
            case CS::topSideLeft: p = { -1.0f, 0.0f, 1.0f }; return true;
            case CS::topSideRight: p = { 1.0f, 0.0f, 1.0f }; return true;
            case CS::bottomFrontLeft: p = { -1.0f, 1.0f, -1.0f }; return true;
            case CS::bottomFrontCentre: p = { 0.0f, 1.0f, -1.0f }; return true;
            case CS::bottomFrontRight: p = { 1.0f, 1.0f, -1.0f }; return true;
            case CS::proximityLeft: p = { -1.0f, 1.0f, 0.0f }; return true;
            case CS::proximityRight: p = { 1.0f, 1.0f, 0.0f }; return true;
            case CS::bottomSideLeft: p = { -1.0f, 0.0f, -1.0f }; return true;
            case CS::bottomSideRight: p = { 1.0f, 0.0f, -1.0f }; return true;
            case CS::bottomRearLeft: p = { -1.0f, -1.0f, -1.0f }; return true;
            case CS::bottomRearCentre: p = { 0.0f, -1.0f, -1.0f }; return true;
            case CS::bottomRearRight: p = { 1.0f, -1.0f, -1.0f }; return true;
            default: return false;
        }
    }
} // namespace

Speaker Speaker::forChannelType (juce::AudioChannelSet::ChannelType type, int index) noexcept
{
    Speaker s;
    s.type = static_cast<int> (type);
    s.index = index;

    Position p{ 0.0f, 0.0f, 0.0f };
    if (positionOf (s.type, p))
    {
        s.x = p.x;
        s.y = p.y;
        s.z = p.z;
    }

    s.pans = !(type == juce::AudioChannelSet::LFE || type == juce::AudioChannelSet::LFE2);
    return s;
}

SpeakerLayout::SpeakerLayout (const juce::AudioChannelSet& set)
    : channelSet (set)
{
    speakers.reserve (static_cast<size_t> (set.size()));

    for (int i = 0; i < set.size(); ++i)
        speakers.push_back (Speaker::forChannelType (set.getTypeOfChannel (i), i));
}
} // namespace vesk::dsp
