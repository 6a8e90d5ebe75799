#include "PatchBuilder.h"

namespace presets
{
namespace
{
    void set (juce::RangedAudioParameter* parameter, float plainValue)
    {
        parameter->setValueNotifyingHost (parameter->convertTo0to1 (plainValue));
    }

    size_t indexOf (char name)
    {
        jassert (name >= 'A' && name < 'A' + tap::TapDelayProcessor::numTaps);
        return static_cast<size_t> (name - 'A');
    }

    void setRoute (tap::TapRoute& route, float milliseconds, float decibels)
    {
        set (route.time, milliseconds);
        set (route.gain, decibels);
    }
} // namespace

TapPatch::TapPatch (tap::Tap& tapToSetUp)
    : t (tapToSetUp)
{
}

TapPatch& TapPatch::at (float x, float y, float z)
{
    set (t.x, x);
    set (t.y, y);
    set (t.z, z);
    return *this;
}

TapPatch& TapPatch::output (float decibels)
{
    set (t.output, decibels);
    return *this;
}

TapPatch& TapPatch::input (int channel, float milliseconds, float decibels)
{
    setRoute (t.inputs[static_cast<size_t> (channel)], milliseconds, decibels);
    return *this;
}

TapPatch& TapPatch::from (char source, float milliseconds, float decibels)
{
    setRoute (t.matrix[indexOf (source)], milliseconds, decibels);
    return *this;
}

TapPatch& TapPatch::feedback (int channel, float milliseconds, float decibels)
{
    setRoute (t.feedback[static_cast<size_t> (channel)], milliseconds, decibels);
    return *this;
}

//==============================================================================================
PatchBuilder::PatchBuilder (tap::TapDelayProcessor& processorToSetUp)
    : processor (processorToSetUp)
{
    for (auto& t : processor.getTaps())
        t.active->setValueNotifyingHost (0.0f);
}

TapPatch PatchBuilder::tap (char name)
{
    auto& t = processor.getTaps()[indexOf (name)];
    t.active->setValueNotifyingHost (1.0f);
    return TapPatch (t);
}
} // namespace presets
