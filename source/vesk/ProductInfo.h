#pragma once

#include <juce_core/juce_core.h>

namespace vesk
{
/** A product's identity as the library's parts see it. The preset manager reads the name,
    version and company; the remaining texts travel with the record for whoever wants them.
*/
struct ProductInfo
{
    juce::String name;
    juce::String version;
    juce::String description;
    juce::String company;
    juce::String copyright;
    juce::String website;
    juce::String supportEmail;
    juce::String spareText1;
    juce::String spareText2;
};
} // namespace vesk
