#include "tap/WendrelLogo.h"

#include <cstring>

namespace tap
{
// Geometric letters: stems 3 units wide, round bowls of radius 7.5 on a 15-unit x-height,
// ascenders and the capital 23 units high.
const char* const WendrelLogo::svg =
    "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 105 23\" width=\"105\" height=\"23\">"
    "<path fill=\"#000000\" d=\"M0 0 L3.3 0 L7.1 16.6 L10.7 3.2 L13.3 3.2 L16.9 16.6 L20.7 0 L24 0 L18.5 23 L15.5 23 L12 9.9 L8.5 23 L5.5 23 Z\"/>"
    "<path fill=\"#000000\" d=\"M40.5 16.7 A7.5 7.5 0 1 0 38.85 20.32 L36.55 18.39 A4.5 4.5 0 0 1 28.76 16.7 Z M28.76 14.3 A4.5 4.5 0 0 1 37.44 14.3 Z\"/>"
    "<path fill=\"#000000\" d=\"M42.2 23 L42.2 14.5 A6.5 6.5 0 0 1 55.2 14.5 L55.2 23 L52.2 23 L52.2 14.5 A3.5 3.5 0 0 0 45.2 14.5 L45.2 23 Z\"/>"
    "<path fill=\"#000000\" d=\"M56.8 15.5 A7.5 7.5 0 1 1 71.8 15.5 A7.5 7.5 0 1 1 56.8 15.5 Z M59.8 15.5 A4.5 4.5 0 1 0 68.8 15.5 A4.5 4.5 0 1 0 59.8 15.5 Z M68.8 0 H71.8 V23 H68.8 Z\"/>"
    "<path fill=\"#000000\" d=\"M73.4 23 L73.4 14 A6 6 0 0 1 79.4 8 L82.4 8 L82.4 11 L79.4 11 A3 3 0 0 0 76.4 14 L76.4 23 Z\"/>"
    "<path fill=\"#000000\" d=\"M98.9 16.7 A7.5 7.5 0 1 0 97.25 20.32 L94.95 18.39 A4.5 4.5 0 0 1 87.16 16.7 Z M87.16 14.3 A4.5 4.5 0 0 1 95.84 14.3 Z\"/>"
    "<path fill=\"#000000\" d=\"M100.6 0 H103.6 V23 H100.6 Z\"/>"
    "</svg>";

std::unique_ptr<juce::Drawable> WendrelLogo::create()
{
    return juce::Drawable::createFromImageData (svg, std::strlen (svg));
}
} // namespace tap
