#include "tap/TapDelayProcessor.h"

#include <gtest/gtest.h>

namespace
{
using tap::TapDelayProcessor;

juce::MemoryBlock save (TapDelayProcessor& p)
{
    juce::MemoryBlock block;
    p.getStateInformation (block);
    return block;
}

void restore (TapDelayProcessor& p, const juce::ValueTree& tree)
{
    juce::MemoryOutputStream out;
    tree.writeToStream (out);
    p.setStateInformation (out.getData(), (int) out.getDataSize());
}

juce::ValueTree paramTree (const char* rootType, std::initializer_list<std::pair<const char*, double>> entries)
{
    juce::ValueTree root (rootType);
    for (const auto& [id, value] : entries)
        root.appendChild (juce::ValueTree ("PARAM", { { "id", id }, { "value", value } }), nullptr);
    return root;
}

float valueOf (TapDelayProcessor& p, const juce::String& id)
{
    return p.getTreeState().getParameter (id)->convertFrom0to1 (p.getTreeState().getParameter (id)->getValue());
}

TEST (StatePersistence, FreshStateRoundTripsIntoAnotherInstance)
{
    TapDelayProcessor a, b;
    const auto block = save (a);

    ASSERT_GE (block.getSize(), 8u);
    EXPECT_EQ (juce::String::fromUTF8 (static_cast<const char*> (block.getData()), 7), "Wendrel");
    EXPECT_EQ (static_cast<const char*> (block.getData())[7], 0);

    b.setStateInformation (block.getData(), (int) block.getSize());
    EXPECT_EQ (b.getTreeState().state.getNumChildren(), 1616);
    for (auto* param : b.getParameters())
        EXPECT_EQ (param->getValue(), param->getDefaultValue()) << param->getName (50);

    EXPECT_EQ (save (a), save (a)) << "saving twice without a change gives the same block";
}

TEST (StatePersistence, ParameterSetJustBeforeASaveIsInTheBlock)
{
    TapDelayProcessor a, b;
    auto* x = a.getTreeState().getParameter ("Tap-C-X");
    x->setValueNotifyingHost (x->convertTo0to1 (0.75f));

    // No message loop runs between the change and the save.
    const auto block = save (a);
    b.setStateInformation (block.getData(), (int) block.getSize());
    EXPECT_FLOAT_EQ (valueOf (b, "Tap-C-X"), 0.75f);
}

TEST (StatePersistence, InvalidDataIsIgnored)
{
    TapDelayProcessor p;
    auto* y = p.getTreeState().getParameter ("Tap-A-Y");
    y->setValueNotifyingHost (y->convertTo0to1 (0.5f));
    const auto before = save (p);

    p.setStateInformation (nullptr, 0);
    const char zeros[64] = {};
    p.setStateInformation (zeros, sizeof (zeros));
    p.setStateInformation (zeros, 0);

    EXPECT_EQ (save (p), before);
    EXPECT_FLOAT_EQ (valueOf (p, "Tap-A-Y"), 0.5f);
}

TEST (StatePersistence, PartialTreeSetsItsValueAndDefaultsTheRest)
{
    TapDelayProcessor p;
    auto* out = p.getTreeState().getParameter ("Tap-D-Output");
    out->setValueNotifyingHost (out->convertTo0to1 (-20.0f));

    restore (p, paramTree ("Wendrel", { { "Tap-B-X", 0.5 } }));

    EXPECT_FLOAT_EQ (valueOf (p, "Tap-B-X"), 0.5f);
    EXPECT_FLOAT_EQ (valueOf (p, "Tap-D-Output"), 0.0f);
    EXPECT_EQ (p.getTreeState().state.getNumChildren(), 1616);
}

TEST (StatePersistence, ForeignRootIsAppliedAndUnknownChildrenAreKept)
{
    TapDelayProcessor p;
    auto tree = paramTree ("SomethingElse", { { "Tap-A-Z", 0.25 }, { "Tap-Q-X", 0.9 } });
    tree.appendChild (juce::ValueTree ("EXTRA", { { "note", "kept" } }), nullptr);
    restore (p, tree);

    EXPECT_FLOAT_EQ (valueOf (p, "Tap-A-Z"), 0.25f);

    const auto reread = juce::ValueTree::readFromData (save (p).getData(), save (p).getSize());
    EXPECT_EQ (reread.getType().toString(), "SomethingElse");
    EXPECT_TRUE (reread.getChildWithName ("EXTRA").isValid());
    EXPECT_TRUE (reread.getChildWithProperty ("id", "Tap-Q-X").isValid());
}

struct ClampCase
{
    const char* id;
    double stored;
    float restored;
};

class StateClamping : public ::testing::TestWithParam<ClampCase>
{
};

TEST_P (StateClamping, ValuesAreClampedAndSnapped)
{
    const auto c = GetParam();
    TapDelayProcessor p;
    restore (p, paramTree ("Wendrel", { { c.id, c.stored } }));
    EXPECT_FLOAT_EQ (valueOf (p, c.id), c.restored) << c.id;
}

INSTANTIATE_TEST_SUITE_P (Cases,
                          StateClamping,
                          ::testing::Values (ClampCase{ "Tap-A-Input-Time-0", 5000.0, 3000.0f },
                                             ClampCase{ "Tap-A-Output", -150.0, -100.0f },
                                             ClampCase{ "Tap-A-Active", 0.4, 0.0f },
                                             ClampCase{ "Tap-A-Active", 0.6, 1.0f },
                                             ClampCase{ "Tap-E-Time-from-B", 250.4, 250.0f }));

TEST (StatePersistence, RestoreKeepsTheUndoHistory)
{
    TapDelayProcessor p;
    auto& undo = p.getUndoManager();
    undo.beginNewTransaction();
    p.getTreeState().state.setProperty ("marker", 1, &undo);
    ASSERT_TRUE (undo.canUndo());

    restore (p, paramTree ("Wendrel", { { "Tap-B-X", 0.5 } }));
    EXPECT_TRUE (undo.canUndo());
}
} // namespace
