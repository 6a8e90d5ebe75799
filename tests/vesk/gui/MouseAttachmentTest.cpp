#include "vesk/gui/MouseAttachment.h"
#include "helpers/GuiTestHelpers.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
using Handler = vesk::MouseAttachment::Handler vesk::MouseAttachment::*;
using Event = void (vesk::MouseAttachment::*) (const juce::MouseEvent&);

struct Pairing
{
    const char* name;
    Handler handler;
    Event event;
};

const Pairing pairings[] = {
    { "down", &vesk::MouseAttachment::onMouseDown, &vesk::MouseAttachment::mouseDown },
    { "move", &vesk::MouseAttachment::onMouseMove, &vesk::MouseAttachment::mouseMove },
    { "drag", &vesk::MouseAttachment::onMouseDrag, &vesk::MouseAttachment::mouseDrag },
    { "up", &vesk::MouseAttachment::onMouseUp, &vesk::MouseAttachment::mouseUp },
    { "enter", &vesk::MouseAttachment::onMouseEnter, &vesk::MouseAttachment::mouseEnter },
    { "exit", &vesk::MouseAttachment::onMouseExit, &vesk::MouseAttachment::mouseExit },
};

TEST (MouseAttachment, EachEventCallsOnlyItsOwnHandler)
{
    juce::Component target;
    vesk::MouseAttachment attachment (target);
    juce::String calls;

    for (const auto& p : pairings)
        attachment.*(p.handler) = [&calls, name = p.name] (const juce::MouseEvent&) { calls << name << " "; };

    const auto e = test::makeMouseEvent (target, { 3.0f, 4.0f });

    for (const auto& p : pairings)
    {
        calls.clear();
        (attachment.*(p.event)) (e);
        EXPECT_EQ (calls, juce::String (p.name) + " ");
    }
}

TEST (MouseAttachment, EventsWithoutHandlersDoNothing)
{
    juce::Component target;
    vesk::MouseAttachment attachment (target);
    const auto e = test::makeMouseEvent (target, { 1.0f, 1.0f });

    for (const auto& p : pairings)
        (attachment.*(p.event)) (e);

    SUCCEED();
}

TEST (MouseAttachment, SurvivesItsTarget)
{
    auto target = std::make_unique<juce::Component>();
    auto attachment = std::make_unique<vesk::MouseAttachment> (*target);
    attachment->onMouseUp = [] (const juce::MouseEvent&) {};

    EXPECT_EQ (attachment->getComponent(), target.get());
    target.reset();
    EXPECT_EQ (attachment->getComponent(), nullptr);

    attachment.reset(); // must not reach the dead target
}
} // namespace
