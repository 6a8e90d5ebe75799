#pragma once

#include "vesk/dsp/SpeakerLayout.h"

#include <vector>

namespace vesk::dsp
{
/** The common part of the pairwise panners: a list of member speakers ordered along one axis,
    between which a position is crossfaded by a law.

    Laws: 0 (and any code above 5) linear, 1 sine (the default, power-preserving), 2 square
    root, 3 the mean of sine and linear, 4 the mean of square root and linear, 5 nearest.

    Building (addMember, update) allocates and belongs in prepare; bracket is real-time safe.
*/
template <typename SampleType>
class PannerBase
{
public:
    /** Two neighbouring member positions and their crossfade weights. */
    struct Bracket
    {
        int lo = 0;
        int hi = 0;
        SampleType wLo = 0;
        SampleType wHi = 0;
    };

    /** Copies the layout's speakers and channel set; no members yet. */
    explicit PannerBase (const SpeakerLayout& layout);
    virtual ~PannerBase() = default;

    virtual void setCentreLevel (SampleType newCentreLevel);
    virtual void setLaw (int newLaw);

    /** Rebuilds the derived lists after the members changed. */
    virtual void update() = 0;

    /** Appends a member and runs update. Allocates. */
    void addMember (const Speaker& speaker);

    /** The members around v along the axis and their weights under the law. Below the first
        coordinate (and for NaN) the first member takes weight 1, above the last the last one.
    */
    Bracket bracket (SampleType v) const noexcept;

    /** A law applied to one crossfade fraction (0 … 1). */
    static SampleType lawWeight (int law, SampleType fraction) noexcept;

    const std::vector<Speaker>& getSpeakers() const noexcept { return speakers; }
    const juce::AudioChannelSet& getChannelSet() const noexcept { return channelSet; }
    const std::vector<Speaker>& getMembers() const noexcept { return members; }
    const std::vector<SampleType>& getCoordinates() const noexcept { return coordinates; }
    int getLaw() const noexcept { return law; }
    SampleType getCentreLevel() const noexcept { return centreLevel; }

protected:
    PannerBase (const PannerBase&) = default;
    PannerBase (PannerBase&&) noexcept = default;
    PannerBase& operator= (const PannerBase&) = default;
    PannerBase& operator= (PannerBase&&) noexcept = default;

    std::vector<Speaker> speakers;
    juce::AudioChannelSet channelSet;
    std::vector<Speaker> members;
    std::vector<SampleType> coordinates;
    int law = 1;
    SampleType centreLevel = 1;
};

//==============================================================================================
/** One row of speakers, panned along x.

    With a centre level below 1 and a front-centre member in a row of at least three, the
    centre's missing share goes to the row's outermost speakers.
*/
template <typename SampleType>
class Xaxis : public PannerBase<SampleType>
{
public:
    using PannerBase<SampleType>::PannerBase;

    /** Orders the members by x and finds the front-centre member. */
    void update() override;

    /** Adds the row's gains for x, scaled by weight, into gains (indexed by channel index).
        Real-time safe; indices outside gains are ignored.
    */
    void addGains (std::vector<SampleType>& gains, SampleType x, SampleType weight) const noexcept;

    /** The front-centre member's position in the row, or −1. */
    int getCentreIndex() const noexcept { return centreIndex; }

private:
    int centreIndex = -1;
};

//==============================================================================================
/** One layer of speakers: its members, one per distinct y, panned along y, each heading a row
    (an Xaxis) of the speakers at that y and the member's height.

    Speakers that do not pan (the LFE channels) never join a row. update allocates.
*/
template <typename SampleType>
class Yaxis : public PannerBase<SampleType>
{
public:
    using PannerBase<SampleType>::PannerBase;

    /** Stores the level here and in every row. */
    void setCentreLevel (SampleType newCentreLevel) override;

    /** Stores the law here and in every row. */
    void setLaw (int newLaw) override;

    /** Orders the members by y and rebuilds one row per member. */
    void update() override;

    /** One row per member, in the order of the coordinates. */
    const std::vector<Xaxis<SampleType>>& getRows() const noexcept { return rows; }

private:
    Xaxis<SampleType> buildRow (const Speaker& member) const;

    std::vector<Xaxis<SampleType>> rows;
};

extern template class PannerBase<float>;
extern template class Xaxis<float>;
extern template class Yaxis<float>;
extern template class PannerBase<double>;
extern template class Xaxis<double>;
extern template class Yaxis<double>;
} // namespace vesk::dsp
