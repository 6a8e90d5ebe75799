#include "vesk/dsp/Panner.h"

#include "vesk/dsp/ApproximatelyEqual.h"

#include <algorithm>
#include <cmath>

namespace vesk::dsp
{
namespace
{
    template <typename SampleType>
    void addTo (std::vector<SampleType>& gains, int channel, SampleType amount) noexcept
    {
        if (channel >= 0 && static_cast<size_t> (channel) < gains.size())
            gains[static_cast<size_t> (channel)] += amount;
    }
} // namespace

//==============================================================================================
template <typename SampleType>
PannerBase<SampleType>::PannerBase (const SpeakerLayout& layout)
    : speakers (layout.speakers)
    , channelSet (layout.channelSet)
{
}

template <typename SampleType>
void PannerBase<SampleType>::setCentreLevel (SampleType newCentreLevel)
{
    centreLevel = newCentreLevel;
}

template <typename SampleType>
void PannerBase<SampleType>::setLaw (int newLaw)
{
    law = newLaw;
}

template <typename SampleType>
void PannerBase<SampleType>::addMember (const Speaker& speaker)
{
    members.push_back (speaker);
    update();
}

template <typename SampleType>
SampleType PannerBase<SampleType>::lawWeight (int lawCode, SampleType fraction) noexcept
{
    const auto halfPi = static_cast<SampleType> (1.5707964f);
    const auto half = static_cast<SampleType> (0.5);

    switch (lawCode)
    {
        case 1: return std::sin (fraction * halfPi);
        case 2: return std::sqrt (fraction);
        case 3: return (std::sin (fraction * halfPi) + fraction) * half;
        case 4: return (std::sqrt (fraction) + fraction) * half;
        case 5: return fraction > half ? SampleType (1) : (fraction < half ? SampleType (0) : half);
        default: return fraction;
    }
}

template <typename SampleType>
typename PannerBase<SampleType>::Bracket PannerBase<SampleType>::bracket (SampleType v) const noexcept
{
    if (coordinates.empty())
        return {};

    const auto last = static_cast<int> (coordinates.size()) - 1;

    // Written as "not above" so that NaN takes the first member instead of running off the end.
    if (!(v > coordinates.front()))
        return { 0, 0, SampleType (1), SampleType (0) };

    if (v >= coordinates.back())
        return { last, last, SampleType (1), SampleType (0) };

    const auto hi =
        static_cast<int> (std::lower_bound (coordinates.begin(), coordinates.end(), v) - coordinates.begin());
    const auto lo = hi - 1;
    const auto span = coordinates[static_cast<size_t> (hi)] - coordinates[static_cast<size_t> (lo)];
    const auto t = span > SampleType (0) ? (v - coordinates[static_cast<size_t> (lo)]) / span : SampleType (0);

    return { lo, hi, lawWeight (law, SampleType (1) - t), lawWeight (law, t) };
}

//==============================================================================================
template <typename SampleType>
void Xaxis<SampleType>::update()
{
    auto& sorted = this->members;
    std::sort (sorted.begin(), sorted.end(), [] (const Speaker& a, const Speaker& b) { return a.x < b.x; });

    this->coordinates.clear();
    centreIndex = -1;

    for (size_t i = 0; i < sorted.size(); ++i)
    {
        this->coordinates.push_back (static_cast<SampleType> (sorted[i].x));

        if (centreIndex < 0 && vesk::approximatelyEqual (sorted[i].x, 0.0f)
            && vesk::approximatelyEqual (sorted[i].y, 1.0f))
            centreIndex = static_cast<int> (i);
    }
}

template <typename SampleType>
void Xaxis<SampleType>::addGains (std::vector<SampleType>& gains, SampleType x, SampleType weight) const noexcept
{
    const auto& row = this->members;

    if (!(weight > SampleType (0)) || row.empty())
        return;

    const auto b = this->bracket (x);
    const auto& low = row[static_cast<size_t> (b.lo)];
    const auto& high = row[static_cast<size_t> (b.hi)];
    const auto level = this->centreLevel;

    if (level < SampleType (1) && centreIndex >= 0 && row.size() >= 3)
    {
        const auto one = SampleType (1);
        addTo (gains, low.index, b.wLo * weight * (b.lo == centreIndex ? level : one));
        addTo (gains, high.index, b.wHi * weight * (b.hi == centreIndex ? level : one));

        const auto spill = PannerBase<SampleType>::lawWeight (this->law, SampleType (0.5)) * (one - level);
        auto extra = SampleType (0);

        if (b.hi == centreIndex)
            extra = spill * b.wHi * weight;
        else if (b.lo == centreIndex)
            extra = spill * b.wLo * weight;

        addTo (gains, row.front().index, extra);
        addTo (gains, row.back().index, extra);
        return;
    }

    addTo (gains, low.index, b.wLo * weight);

    if (high.index != low.index)
        addTo (gains, high.index, b.wHi * weight);
}

//==============================================================================================
template <typename SampleType>
void Yaxis<SampleType>::setCentreLevel (SampleType newCentreLevel)
{
    PannerBase<SampleType>::setCentreLevel (newCentreLevel);

    for (auto& row : rows)
        row.setCentreLevel (newCentreLevel);
}

template <typename SampleType>
void Yaxis<SampleType>::setLaw (int newLaw)
{
    PannerBase<SampleType>::setLaw (newLaw);

    for (auto& row : rows)
        row.setLaw (newLaw);
}

template <typename SampleType>
void Yaxis<SampleType>::update()
{
    auto& sorted = this->members;
    rows.clear();
    std::sort (sorted.begin(), sorted.end(), [] (const Speaker& a, const Speaker& b) { return a.y < b.y; });

    this->coordinates.clear();

    for (const auto& member : sorted)
    {
        this->coordinates.push_back (static_cast<SampleType> (member.y));
        rows.push_back (buildRow (member));
    }
}

template <typename SampleType>
Xaxis<SampleType> Yaxis<SampleType>::buildRow (const Speaker& member) const
{
    SpeakerLayout layout;
    layout.speakers = this->speakers;
    layout.channelSet = this->channelSet;

    Xaxis<SampleType> row (layout);
    row.setLaw (this->law);
    row.setCentreLevel (this->centreLevel);

    for (const auto& speaker : this->speakers)
    {
        // Non-panning speakers would take a place in the row and then be silenced, losing
        // whatever the row gave them (an LFE where a layout has no centre).
        if (!speaker.pans || !vesk::approximatelyEqual (speaker.y, member.y)
            || !vesk::approximatelyEqual (speaker.z, member.z))
            continue;

        const auto& rowMembers = row.getMembers();
        const auto sameX = std::any_of (rowMembers.begin(),
                                        rowMembers.end(),
                                        [&] (const Speaker& s) { return vesk::approximatelyEqual (s.x, speaker.x); });

        if (!sameX)
            row.addMember (speaker);
    }

    return row;
}

template class PannerBase<float>;
template class Xaxis<float>;
template class Yaxis<float>;
template class PannerBase<double>;
template class Xaxis<double>;
template class Yaxis<double>;
} // namespace vesk::dsp
