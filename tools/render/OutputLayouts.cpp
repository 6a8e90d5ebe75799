#include "render/OutputLayouts.h"

#include <initializer_list>

namespace tap::render
{
namespace
{
    using CS = juce::AudioChannelSet;

    CS without (CS set, std::initializer_list<CS::ChannelType> types)
    {
        for (auto type : types)
            set.removeChannel (type);

        return set;
    }

    // JUCE 7 has no factory for the layouts without LFE or with four heights on the 9.1 bed;
    // they are made from their larger relatives, with the same speakers JUCE 8 gives them.
    CS create9point1point4()
    {
        return without (CS::create9point1point6(), { CS::topSideLeft, CS::topSideRight });
    }

    struct NamedLayout
    {
        const char* name;
        CS (*create)();
    };

    const NamedLayout namedLayouts[] = {
        { "stereo", [] { return CS::stereo(); } },
        { "LCR", [] { return CS::createLCR(); } },
        { "LCRS", [] { return CS::createLCRS(); } },
        { "quad", [] { return CS::quadraphonic(); } },
        { "5.0", [] { return CS::create5point0(); } },
        { "5.1", [] { return CS::create5point1(); } },
        { "6.0", [] { return CS::create6point0(); } },
        { "6.1", [] { return CS::create6point1(); } },
        { "7.0", [] { return CS::create7point0(); } },
        { "7.1", [] { return CS::create7point1(); } },
        { "5.0.2", [] { return without (CS::create5point1point2(), { CS::LFE }); } },
        { "5.1.2", [] { return CS::create5point1point2(); } },
        { "5.0.4", [] { return without (CS::create5point1point4(), { CS::LFE }); } },
        { "5.1.4", [] { return CS::create5point1point4(); } },
        { "7.0.2", [] { return CS::create7point0point2(); } },
        { "7.1.2", [] { return CS::create7point1point2(); } },
        { "7.0.4", [] { return CS::create7point0point4(); } },
        { "7.1.4", [] { return CS::create7point1point4(); } },
        { "7.0.6", [] { return without (CS::create7point1point6(), { CS::LFE }); } },
        { "7.1.6", [] { return CS::create7point1point6(); } },
        { "9.0.4", [] { return without (create9point1point4(), { CS::LFE }); } },
        { "9.1.4", [] { return create9point1point4(); } },
        { "9.0.6", [] { return without (CS::create9point1point6(), { CS::LFE }); } },
        { "9.1.6", [] { return CS::create9point1point6(); } },
    };
} // namespace

juce::AudioChannelSet OutputLayouts::fromName (const juce::String& name)
{
    const auto wanted = name.trim();

    if (wanted.equalsIgnoreCase ("quadraphonic"))
        return CS::quadraphonic();

    for (const auto& layout : namedLayouts)
        if (wanted.equalsIgnoreCase (layout.name))
            return layout.create();

    return CS::disabled();
}

juce::StringArray OutputLayouts::getNames()
{
    juce::StringArray names;

    for (const auto& layout : namedLayouts)
        names.add (layout.name);

    return names;
}
} // namespace tap::render
