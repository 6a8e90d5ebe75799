#pragma once

#include "vesk/dsp/Panner.h"

#include <vector>

namespace vesk::dsp
{
/** Turns a position in the room into one linear gain per output channel: the ear level
    (z = 0) and the top layer (z = 1) are each panned pairwise over their rows, and the two
    layers are crossfaded by height. Speakers on the bottom layer and the LFE channels get 0.

    A new panner is already prepared for stereo (Left, Right). prepare allocates and belongs
    in the processor's prepare; setPosition and the gain reads are real-time safe and allocate
    nothing. setPosition recomputes only when the position changed (exact comparison).
*/
class LayerPanner
{
public:
    LayerPanner();

    /** Rebuilds both layers for the output layout and recomputes the gains at the stored
        position. Allocates.
    */
    void prepare (const SpeakerLayout& outputLayout);

    /** Recomputes the gains for a position (x, y −1 … 1, z 0 … 1) if it differs from the
        stored one or force is set.
    */
    void setPosition (float newX, float newY, float newZ, bool force = false) noexcept;

    /** One gain per output channel, indexed by channel index; stays valid until the next
        position change or prepare.
    */
    const std::vector<float>& getGains() const noexcept { return gains; }
    int getNumGains() const noexcept { return static_cast<int> (gains.size()); }

    const Yaxis<float>& getEarLevel() const noexcept { return earLevel; }
    const Yaxis<float>& getTopLayer() const noexcept { return topLayer; }

    float getX() const noexcept { return x; }
    float getY() const noexcept { return y; }
    float getZ() const noexcept { return z; }
    int getLaw() const noexcept { return law; }

    /** The channel index of the layout's LFE channel, or −1. */
    int getLfeIndex() const noexcept { return lfeIndex; }

private:
    explicit LayerPanner (const SpeakerLayout& layout);

    Yaxis<float> buildLayer (const SpeakerLayout& layout, float height);
    void addLayer (const Yaxis<float>& layer, float weight) noexcept;

    std::vector<float> gains;
    Yaxis<float> earLevel;
    Yaxis<float> topLayer;
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    int law = 1;
    int lfeIndex = -1;
    float lfeGain = 0.0f;
};
} // namespace vesk::dsp
