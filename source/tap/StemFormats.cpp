#include "tap/StemFormats.h"

#include "tap/TapDelayProcessor.h"

namespace tap
{
namespace
{
    using CS = juce::AudioChannelSet;

    // JUCE 7 has no factory for the formats below; they are the named ones without their LFE or
    // with the wide speakers added, as the hosts define them.
    CS without (CS set, CS::ChannelType type)
    {
        set.removeChannel (type);
        return set;
    }

    CS withWides (CS set)
    {
        set.addChannel (CS::wideLeft);
        set.addChannel (CS::wideRight);
        return set;
    }

    std::vector<StemFormat> makeStemFormats()
    {
        const auto nine1four = withWides (CS::create7point1point4());

        return {
            { "Mono", CS::mono() },
            { "Stereo", CS::stereo() },
            { "LCR", CS::createLCR() },
            { "LCRS", CS::createLCRS() },
            { "Quad", CS::quadraphonic() },
            { "5.0", CS::create5point0() },
            { "5.1", CS::create5point1() },
            { "6.0", CS::create6point0() },
            { "6.1", CS::create6point1() },
            { "7.0 SDDS", CS::create7point0SDDS() },
            { "7.1 SDDS", CS::create7point1SDDS() },
            { "7.0", CS::create7point0() },
            { "7.1", CS::create7point1() },
            { "7.0.2", CS::create7point0point2() },
            { "7.1.2", CS::create7point1point2() },
            { "Ambisonics 1", CS::ambisonic (1) },
            { "Ambisonics 2", CS::ambisonic (2) },
            { "Ambisonics 3", CS::ambisonic (3) },
            { "5.0.2", without (CS::create5point1point2(), CS::LFE) },
            { "5.1.2", CS::create5point1point2() },
            { "5.0.4", without (CS::create5point1point4(), CS::LFE) },
            { "5.1.4", CS::create5point1point4() },
            { "7.0.4", CS::create7point0point4() },
            { "7.1.4", CS::create7point1point4() },
            { "7.0.6", without (CS::create7point1point6(), CS::LFE) },
            { "7.1.6", CS::create7point1point6() },
            { "9.0.4", without (nine1four, CS::LFE) },
            { "9.1.4", nine1four },
            { "9.0.6", without (CS::create9point1point6(), CS::LFE) },
            { "9.1.6", CS::create9point1point6() },
        };
    }
} // namespace

const std::vector<StemFormat>& getStemFormats()
{
    static const auto formats = makeStemFormats();
    return formats;
}

std::vector<StemPair> getAcceptedStemPairs()
{
    std::vector<StemPair> pairs;

    for (const auto& out : getStemFormats())
        for (const auto& in : getStemFormats())
            if (TapDelayProcessor::isLayoutAccepted (in.channelSet, out.channelSet))
                pairs.push_back ({ in, out });

    return pairs;
}
} // namespace tap
