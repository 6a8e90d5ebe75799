#include "EditorTestHelpers.h"
#include "TapSceneTestHelpers.h"

#include <gtest/gtest.h>

namespace
{
using RenderEditor = test::EditorFixture;

TEST_F (RenderEditor, WritesTheDefaultWindow)
{
    editor->frameStep();
    EXPECT_TRUE (test::writePng (test::paintToImage (*editor), "editor-default"));
}
} // namespace
