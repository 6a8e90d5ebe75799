#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

// Every test runs with the framework's message manager initialised, as a host would have it.
int main (int argc, char** argv)
{
    ::testing::InitGoogleTest (&argc, argv);
    juce::ScopedJuceInitialiser_GUI juce;
    return RUN_ALL_TESTS();
}
