#pragma once

namespace tap
{
/** Whatever shows one tap at a time (the plug-in editor): a pressed tap object finds the
    nearest ancestor component implementing this and selects its tap there.

    Message thread only.
*/
class TapSelector
{
public:
    virtual ~TapSelector() = default;

    /** Shows tap `index` (0 to 15) as the selected one, even when it already is. */
    virtual void selectTap (int index) = 0;
};
} // namespace tap
