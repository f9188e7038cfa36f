// System cursors and icons, icons of executables.
#include "user_test_support.h"

#include <gtest/gtest.h>

TEST(Cursors, SystemCursorsAreSharedHandles) {
    HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(LoadCursorW(nullptr, IDC_ARROW), arrow);
    EXPECT_NE(LoadCursorW(nullptr, IDC_IBEAM), nullptr);
    EXPECT_NE(LoadIconW(nullptr, IDI_APPLICATION), nullptr);
}

TEST(Icons, NoIconFromAMissingFile) {
    EXPECT_EQ(ExtractIconW(GetModuleHandleW(nullptr), W(u"no-such-file-here.exe"), 0), nullptr);
}
