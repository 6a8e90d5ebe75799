#include "FactoryPatches.h"

#include <algorithm>
#include <cmath>

namespace presets
{
namespace
{
    // 120 BPM.
    constexpr float eighth = 250.0f;
    constexpr float dottedEighth = 375.0f;
    constexpr float quarter = 500.0f;

    char tapName (int index)
    {
        return static_cast<char> ('A' + index);
    }

    /** The point of the room's outline (ear level or top layer) in a direction: 0 degrees
        is the front, 90 the right. On the outline rather than a circle, so that corner
        directions reach the corner speakers.
    */
    juce::Point<float> onRoomEdge (float degrees)
    {
        const auto angle = juce::degreesToRadians (degrees);
        const auto x = std::sin (angle);
        const auto y = std::cos (angle);
        const auto scale = 1.0f / std::max (std::abs (x), std::abs (y));
        return { x * scale, y * scale };
    }

    //==========================================================================================
    // Echoes

    void slapback (PatchBuilder& p)
    {
        p.tap ('A').input (0, 105.0f, 0.0f).at (-0.6f, 1.0f, 0.0f).output (-3.0f);
        p.tap ('B').input (0, 118.0f, 0.0f).at (0.6f, 1.0f, 0.0f).output (-4.0f);
    }

    void quarterNoteEcho (PatchBuilder& p)
    {
        // One repeating echo in front, with a softer offbeat shadow of every repeat above.
        p.tap ('A').input (0, quarter, 0.0f).from ('A', quarter, -4.0f).at (0.0f, 1.0f, 0.0f).output (-6.0f);
        p.tap ('B').from ('A', eighth, -6.0f).at (0.0f, 0.2f, 1.0f).output (-9.0f);
    }

    void pingPongWide (PatchBuilder& p)
    {
        for (int k = 0; k < 12; ++k)
            p.tap (tapName (k))
                .input (0, eighth * static_cast<float> (k + 1), 0.0f)
                .at (k % 2 == 0 ? -1.0f : 1.0f, 0.5f, 0.0f)
                .output (-6.0f - 2.0f * static_cast<float> (k));
    }

    void dottedEighthWalk (PatchBuilder& p)
    {
        for (int k = 0; k < 8; ++k)
            p.tap (tapName (k))
                .input (0, dottedEighth * static_cast<float> (k + 1), 0.0f)
                .at (k % 2 == 0 ? -0.5f : 0.5f, 1.0f - 2.0f * static_cast<float> (k) / 7.0f, 0.0f)
                .output (-6.0f - 2.0f * static_cast<float> (k));
    }

    void tresilloTaps (PatchBuilder& p)
    {
        // 3 + 3 + 2 eighths, twice, with two ghost notes in between.
        p.tap ('A').input (0, 3 * eighth, 0.0f).at (-1.0f, 1.0f, 0.0f).output (-6.0f);
        p.tap ('B').input (0, 6 * eighth, 0.0f).at (1.0f, -1.0f, 0.0f).output (-8.0f);
        p.tap ('C').input (0, 8 * eighth, 0.0f).at (0.0f, 1.0f, 1.0f).output (-7.0f);
        p.tap ('D').input (0, 11 * eighth, 0.0f).at (-1.0f, -1.0f, 0.0f).output (-11.0f);
        p.tap ('E').input (0, dottedEighth, 0.0f).at (1.0f, 1.0f, 0.0f).output (-16.0f);
        p.tap ('F').input (0, 7.5f * eighth, 0.0f).at (0.0f, -1.0f, 1.0f).output (-18.0f);
    }

    //==========================================================================================
    // Space

    void circleAround (PatchBuilder& p)
    {
        // Eight taps around the listener pass one echo on, clockwise, losing 1 dB per step.
        for (int k = 0; k < 8; ++k)
        {
            const auto position = onRoomEdge (45.0f * static_cast<float> (k));
            auto t = p.tap (tapName (k));
            t.from (tapName ((k + 7) % 8), eighth, -1.0f).at (position.x, position.y, 0.0f).output (-8.0f);

            if (k == 0)
                t.input (0, eighth, 0.0f);
        }
    }

    void risingSpiral (PatchBuilder& p)
    {
        for (int k = 0; k < 12; ++k)
        {
            const auto position = onRoomEdge (45.0f * static_cast<float> (k));
            p.tap (tapName (k))
                .input (0, eighth * static_cast<float> (k + 1), 0.0f)
                .at (position.x, position.y, static_cast<float> (k) / 11.0f)
                .output (-7.0f - static_cast<float> (k));
        }
    }

    void fallingLeaves (PatchBuilder& p)
    {
        // Quarter-note triplets drifting down from the top layer, swaying left and right.
        const float times[] = { 333.0f, 667.0f, 1000.0f, 1333.0f, 1667.0f, 2000.0f, 2333.0f, 2667.0f, 3000.0f };

        for (int k = 0; k < 9; ++k)
        {
            const auto fall = static_cast<float> (k) / 8.0f;
            p.tap (tapName (k))
                .input (0, times[k], 0.0f)
                .at (k % 2 == 0 ? -0.8f : 0.8f, 0.6f - 1.2f * fall, 1.0f - fall)
                .output (-6.0f - std::round (1.5f * static_cast<float> (k)));
        }
    }

    void overheadRain (PatchBuilder& p)
    {
        struct Drop
        {
            float time, x, y, z, level;
        };

        // Irregular times and places all over the top layer, slowly thinning out.
        const Drop drops[] = {
            { 43.0f, -0.7f, 0.4f, 1.0f, -11.0f },    { 97.0f, 0.5f, -0.6f, 1.0f, -9.0f },
            { 151.0f, -0.2f, -0.9f, 0.9f, -12.0f },  { 223.0f, 0.9f, 0.7f, 1.0f, -10.0f },
            { 307.0f, -0.9f, -0.3f, 1.0f, -11.0f },  { 389.0f, 0.2f, 0.2f, 0.85f, -13.0f },
            { 467.0f, 0.6f, -0.1f, 1.0f, -11.0f },   { 571.0f, -0.5f, 0.9f, 1.0f, -12.0f },
            { 683.0f, -0.1f, -0.5f, 0.9f, -14.0f },  { 797.0f, 0.8f, 0.5f, 1.0f, -13.0f },
            { 911.0f, -0.8f, 0.1f, 1.0f, -14.0f },   { 1069.0f, 0.3f, -0.8f, 0.85f, -15.0f },
            { 1223.0f, -0.4f, 0.6f, 1.0f, -16.0f },  { 1409.0f, 0.7f, -0.9f, 1.0f, -17.0f },
            { 1657.0f, -0.6f, -0.7f, 0.9f, -18.0f }, { 1999.0f, 0.1f, 0.8f, 1.0f, -19.0f },
        };

        for (int k = 0; k < 16; ++k)
        {
            const auto& d = drops[k];
            p.tap (tapName (k)).input (0, d.time, 0.0f).at (d.x, d.y, d.z).output (d.level);
        }
    }

    void haasWidener (PatchBuilder& p)
    {
        // Meant as an insert: the direct sound stays in front; each side comes back delayed
        // on the other side, below the echo threshold, so the image widens.
        p.tap ('A').input (0, 0.0f, 0.0f).at (-1.0f, 1.0f, 0.0f).output (-3.0f);
        p.tap ('B').input (1, 0.0f, 0.0f).at (1.0f, 1.0f, 0.0f).output (-3.0f);
        p.tap ('C').input (0, 14.0f, 0.0f).at (1.0f, 0.6f, 0.0f).output (-6.0f);
        p.tap ('D').input (1, 19.0f, 0.0f).at (-1.0f, 0.6f, 0.0f).output (-6.0f);
    }

    void floorAndCeiling (PatchBuilder& p)
    {
        // A quarter-note ping-pong between ear level in front and the top layer behind.
        p.tap ('A').input (0, quarter, 0.0f).from ('B', quarter, -2.0f).at (-0.6f, 0.7f, 0.0f).output (-5.0f);
        p.tap ('B').from ('A', quarter, -2.0f).at (0.6f, -0.3f, 1.0f).output (-5.0f);
    }

    //==========================================================================================
    // Ambient

    void feedbackCloud (PatchBuilder& p)
    {
        // Eight taps at the corners of the room; each hears two others, and the top front
        // pair also hears the front left and right outputs.
        const juce::Point<float> corners[] = { { -1.0f, 1.0f }, { 1.0f, 1.0f }, { 1.0f, -1.0f }, { -1.0f, -1.0f } };
        const float inputTimes[] = { 89.0f, 131.0f, 197.0f, 263.0f, 331.0f, 409.0f, 487.0f, 557.0f };
        const float matrixTimes[] = { 311.0f, 347.0f, 373.0f, 401.0f, 433.0f, 457.0f, 487.0f, 509.0f,
                                      541.0f, 571.0f, 599.0f, 631.0f, 653.0f, 683.0f, 709.0f, 743.0f };

        for (int k = 0; k < 8; ++k)
        {
            const auto corner = corners[k % 4];
            auto t = p.tap (tapName (k));
            t.input (0, inputTimes[k], -3.0f)
                .from (tapName ((k + 5) % 8), matrixTimes[2 * k], -10.0f)
                .from (tapName ((k + 2) % 8), matrixTimes[2 * k + 1], -10.0f)
                .at (corner.x, corner.y, k < 4 ? 0.0f : 1.0f)
                .output (-7.0f);

            if (k == 4 || k == 5)
                t.feedback (k - 4, k == 4 ? 617.0f : 661.0f, -27.0f);
        }
    }

    void diffuseWash (PatchBuilder& p)
    {
        struct Place
        {
            float x, y, z;
        };

        // Every speaker of a 7.1.4 room and four points in between.
        const Place places[] = {
            { -1.0f, 1.0f, 0.0f }, { 0.0f, 1.0f, 0.0f },   { 1.0f, 1.0f, 0.0f },   { -1.0f, 0.0f, 0.0f },
            { 1.0f, 0.0f, 0.0f },  { -1.0f, -1.0f, 0.0f }, { 0.0f, -1.0f, 0.0f },  { 1.0f, -1.0f, 0.0f },
            { -1.0f, 1.0f, 1.0f }, { 1.0f, 1.0f, 1.0f },   { -1.0f, -1.0f, 1.0f }, { 1.0f, -1.0f, 1.0f },
            { 0.0f, 0.0f, 1.0f },  { 0.0f, 0.5f, 0.5f },   { -0.5f, -0.5f, 0.5f }, { 0.5f, -0.5f, 0.5f },
        };
        const float inputTimes[] = { 29.0f,  47.0f,  61.0f,  83.0f,  101.0f, 127.0f, 149.0f, 173.0f,
                                     197.0f, 223.0f, 251.0f, 277.0f, 307.0f, 337.0f, 367.0f, 397.0f };

        for (int k = 0; k < 16; ++k)
        {
            auto t = p.tap (tapName (k));
            t.input (0, inputTimes[k], -6.0f).at (places[k].x, places[k].y, places[k].z).output (-8.0f);

            // Three short links per tap, no two alike in time.
            for (int j = 0; j < 3; ++j)
            {
                const auto source = (k + 3 + 4 * j) % 16;
                const auto time = 45.0f + 17.0f * static_cast<float> ((5 * k + 3 * j) % 13);
                t.from (tapName (source), time, -12.0f);
            }
        }
    }

    void topLayerHalo (PatchBuilder& p)
    {
        // The four top corners pass the sound round slowly above the head; four taps between
        // them answer each corner a moment later.
        const juce::Point<float> corners[] = { { -1.0f, 1.0f }, { 1.0f, 1.0f }, { 1.0f, -1.0f }, { -1.0f, -1.0f } };
        const juce::Point<float> between[] = { { 0.0f, 1.0f }, { 1.0f, 0.0f }, { 0.0f, -1.0f }, { -1.0f, 0.0f } };
        const float ringTimes[] = { 809.0f, 613.0f, 677.0f, 743.0f };
        const float answerTimes[] = { 97.0f, 113.0f, 131.0f, 151.0f };

        for (int k = 0; k < 4; ++k)
        {
            auto corner = p.tap (tapName (k));
            corner.from (tapName ((k + 3) % 4), ringTimes[k], -4.0f)
                .at (corners[k].x, corners[k].y, 1.0f)
                .output (-3.0f);

            p.tap (tapName (4 + k))
                .from (tapName (k), answerTimes[k], -6.0f)
                .at (between[k].x, between[k].y, 1.0f)
                .output (-6.0f);
        }

        p.tap ('A').input (0, 160.0f, -3.0f);
        p.tap ('C').input (0, 290.0f, -6.0f);
    }
} // namespace

const std::vector<FactoryPatch>& getFactoryPatches()
{
    static const std::vector<FactoryPatch> patches = {
        { "Echoes", "Slapback", "two short echoes, 105 ms front left and 118 ms front right, no repeats", slapback },
        { "Echoes",
          "Quarter Note Echo",
          "a repeating quarter-note echo in front, each repeat shadowed an eighth later from above",
          quarterNoteEcho },
        { "Echoes",
          "Ping-Pong Wide",
          "twelve eighth-note echoes bouncing between the left and right walls, 2 dB softer each time",
          pingPongWide },
        { "Echoes",
          "Dotted Eighth Walk",
          "eight dotted-eighth echoes walking in a zig-zag from the front speakers to the rear",
          dottedEighthWalk },
        { "Echoes",
          "Tresillo Taps",
          "a 3-3-2 rhythm of echoes over two bars, each hit from another corner or from above",
          tresilloTaps },
        { "Space",
          "Circle Around",
          "one echo that keeps circling the listener at ear level, an eighth note per step, 1 dB softer per step",
          circleAround },
        { "Space",
          "Rising Spiral",
          "twelve eighth-note echoes turning around the listener while they rise into the top layer",
          risingSpiral },
        { "Space",
          "Falling Leaves",
          "quarter-note triplet echoes swaying left and right as they drift down from the top layer",
          fallingLeaves },
        { "Space",
          "Overhead Rain",
          "sixteen soft drops at irregular times scattered over the top layer for two seconds",
          overheadRain },
        { "Space",
          "Haas Widener",
          "an insert for stereo sources: the direct sound in front, each side 14 or 19 ms later on the other side",
          haasWidener },
        { "Space",
          "Floor and Ceiling",
          "a quarter-note ping-pong between ear level in front and the top layer behind",
          floorAndCeiling },
        { "Ambient",
          "Feedback Cloud",
          "eight taps at the corners of the room feeding each other: a dense cloud that fades over about six "
          "seconds",
          feedbackCloud },
        { "Ambient",
          "Diffuse Wash",
          "all sixteen taps in a short dense network: a reverb-like wash around and above the listener",
          diffuseWash },
        { "Ambient",
          "Top Layer Halo",
          "the four top corners pass the sound round slowly above the head, answered by four taps between them",
          topLayerHalo },
    };

    return patches;
}
} // namespace presets
