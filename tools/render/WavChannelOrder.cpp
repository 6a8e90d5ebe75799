#include "render/WavChannelOrder.h"

#include <algorithm>
#include <numeric>

namespace tap::render
{
namespace
{
    using CS = juce::AudioChannelSet;

    /** The mask speaker a processor channel type is written as; unknown when the mask has none. */
    CS::ChannelType wavTypeOf (CS::ChannelType type)
    {
        if (type >= CS::left && type <= CS::topRearRight)
            return type;
        if (type == CS::leftSurroundRear)
            return CS::leftSurround;
        if (type == CS::rightSurroundRear)
            return CS::rightSurround;

        return CS::unknown;
    }
} // namespace

WavChannelOrder WavChannelOrder::forLayout (const juce::AudioChannelSet& layout)
{
    const auto numChannels = layout.size();
    WavChannelOrder order;
    order.processorChannel.resize ((size_t) numChannels);
    std::iota (order.processorChannel.begin(), order.processorChannel.end(), 0);

    std::vector<CS::ChannelType> wavTypes;
    for (int c = 0; c < numChannels; ++c)
        wavTypes.push_back (wavTypeOf (layout.getTypeOfChannel (c)));

    CS mapped;
    for (auto type : wavTypes)
        mapped.addChannel (type);

    const auto representable = !layout.isDiscreteLayout()
        && std::find (wavTypes.begin(), wavTypes.end(), CS::unknown) == wavTypes.end() && mapped.size() == numChannels;

    if (representable)
    {
        order.fileSet = mapped;
        std::sort (order.processorChannel.begin(),
                   order.processorChannel.end(),
                   [&] (int a, int b) { return wavTypes[(size_t) a] < wavTypes[(size_t) b]; });
    }
    else
    {
        order.fileSet = CS::discreteChannels (numChannels);
    }

    for (auto c : order.processorChannel)
        order.processorTypes.add (layout.getTypeOfChannel (c));

    return order;
}
} // namespace tap::render
