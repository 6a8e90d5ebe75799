#include "tap/WendrelProduct.h"

namespace tap
{
vesk::ProductInfo getWendrelProductInfo()
{
    vesk::ProductInfo info;
    info.name = "Wendrel";
    info.version = "0.2.0";
    info.description = "Immersive Tap Delay.";
    info.company = "Quentara Audio";
    info.copyright = juce::String::fromUTF8 ("\xc2\xa9 2026 Quentara Audio");
    info.website = "https://quentara.audio";
    info.supportEmail = "support@quentara.audio";
    return info;
}
} // namespace tap
