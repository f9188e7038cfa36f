// The test programs' entry point. On the native build every test is also checked for leaked
// GDI objects through the layer's own counts.
#include <gtest/gtest.h>

#include <array>

#ifndef _WIN32
#include <layer/gdi_objects.h>

namespace {

class GdiLeakCheck : public testing::EmptyTestEventListener {
public:
    void OnTestStart(const testing::TestInfo&) override { before_ = snapshot(); }
    void OnTestEnd(const testing::TestInfo& info) override {
        const auto after = snapshot();
        static const char* const names[] = {"DC", "bitmap", "pen", "brush", "font", "region", "palette"};
        for (size_t i = 0; i < after.size(); ++i) {
            // Fewer is fine (a test may tear the library down); more is a leak.
            EXPECT_LE(after[i], before_[i]) << info.test_suite_name() << "." << info.name() << " leaves "
                                            << (after[i] - before_[i]) << " GDI " << names[i] << " object(s) alive";
        }
    }

private:
    static std::array<int, 7> snapshot() {
        std::array<int, 7> counts{};
        for (int i = 0; i < 7; ++i) counts[i] = layer::live_gdi_objects(static_cast<layer::GdiType>(i));
        return counts;
    }
    std::array<int, 7> before_{};
};

} // namespace
#endif

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
#ifndef _WIN32
    testing::UnitTest::GetInstance()->listeners().Append(new GdiLeakCheck);
#endif
    return RUN_ALL_TESTS();
}
