#include "vesk/dsp/SpeakerLayout.h"

#include <gtest/gtest.h>

namespace
{
using CS = juce::AudioChannelSet;

// Hosts and the framework order 7.1.4 by channel type, not as create7point1point4 lists it.
TEST (SpeakerLayout, FollowsTheChannelOrderOfSevenOneFour)
{
    const vesk::dsp::SpeakerLayout layout{ CS::create7point1point4() };
    const std::vector<CS::ChannelType> order{ CS::left,
                                              CS::right,
                                              CS::centre,
                                              CS::LFE,
                                              CS::leftSurroundSide,
                                              CS::rightSurroundSide,
                                              CS::topFrontLeft,
                                              CS::topFrontRight,
                                              CS::topRearLeft,
                                              CS::topRearRight,
                                              CS::leftSurroundRear,
                                              CS::rightSurroundRear };

    ASSERT_EQ (layout.size(), static_cast<int> (order.size()));
    for (int i = 0; i < layout.size(); ++i)
    {
        const auto& speaker = layout.speakers[static_cast<size_t> (i)];
        EXPECT_EQ (layout.channelSet.getTypeOfChannel (i), order[static_cast<size_t> (i)]);
        EXPECT_EQ (speaker.type, order[static_cast<size_t> (i)]);
        EXPECT_EQ (speaker.index, i);
        EXPECT_EQ (speaker.pans, speaker.type != CS::LFE);
    }

    const auto& topRearRight = layout.speakers[9];
    EXPECT_EQ (topRearRight.x, 1.0f);
    EXPECT_EQ (topRearRight.y, -1.0f);
    EXPECT_EQ (topRearRight.z, 1.0f);
}
} // namespace
