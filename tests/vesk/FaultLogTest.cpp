#include "vesk/FaultLog.h"
#include "helpers/CerrCapture.h"

#include "presets/PresetFixture.h"

#include <iostream>
#include <sstream>

namespace
{
using testing_helpers::CerrCapture;

TEST (FaultLog, WritesOneMarkedLine)
{
    CerrCapture capture;
    vesk::logFault ("Could not write [x]");
    vesk::logFault (juce::String::fromUTF8 ("Gr\xc3\xbc\xc3\x9f"
                                            "e"));
    EXPECT_EQ (capture.text(),
               "FAULT!|Could not write [x]!\nFAULT!|Gr\xc3\xbc\xc3\x9f"
               "e!\n");
}

/** A manager that compares product names, as a subclass may ask for. */
class CheckingManager : public vesk::PresetManager
{
public:
    CheckingManager (tap::TapDelayProcessor& p, vesk::PresetFolders folders)
        : vesk::PresetManager (p.getTreeState(), tap::getWendrelProductInfo(), "tappreset", {}, std::move (folders))
    {
        checkProductName = true;
        updatePresetLists (juce::dontSendNotification);
    }
};

using ProductCheck = presets_test::PresetFixture;

TEST_F (ProductCheck, ForeignProductIsReportedAndLeftOut)
{
    const auto own = presets_test::writePreset (user.getChildFile ("own.tappreset"), "Own");
    const auto other = presets_test::writePreset (user.getChildFile ("other.tappreset"), "Other", {}, "Wendrell");

    CerrCapture capture;
    CheckingManager m (processor, { factory, user });

    EXPECT_EQ (m.getUserPresetCount(), 1);
    EXPECT_TRUE (m.findPresetNode ("preset_file_path", own.getFullPathName()).isValid());
    EXPECT_FALSE (m.findPresetNode ("preset_file_path", other.getFullPathName()).isValid());
    EXPECT_EQ (capture.text(), "FAULT!|Product name mismatch. [Wendrell] should have been [Wendrel]!\n");
}
} // namespace
