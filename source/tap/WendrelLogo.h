#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

namespace tap
{
/** The product logo: the name "Wendrel" as outline paths in a 105 × 23 view box, drawn in
    black so that the editor can recolour it.
*/
struct WendrelLogo
{
    /** The logo as SVG text. */
    static const char* const svg;

    /** A new drawable of the logo, still black; null if the text could not be parsed. */
    static std::unique_ptr<juce::Drawable> create();
};
} // namespace tap
