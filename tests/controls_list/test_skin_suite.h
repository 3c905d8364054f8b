#pragma once
// A fixture base for the skinned controls' tests: each suite writes the test
// skin into a scratch folder of its own, made the image folder, and removes
// it at the end.

#include <gtest/gtest.h>

#include <memory>

#include "tests/controls_list/test_skin.h"
#include "tests/ui/harness/ui_harness.h"

namespace uitest {

class TestSkinSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_skin = std::make_unique<ScratchFolder>(L"skin");
        ASSERT_TRUE(WriteTestSkin(s_skin->Path()));
    }
    static void TearDownTestSuite() { s_skin.reset(); }

private:
    static inline std::unique_ptr<ScratchFolder> s_skin;
};

}  // namespace uitest
