// StretchBlt: which source pixels each destination pixel takes when growing, shrinking and
// mirroring, in the three stretching modes; results as the reference platform gives them.
#include "gdi_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace gdi_test;

namespace {

constexpr int row_width = 40;

// One row: source pixels 0..11, destination '.' where untouched.
std::string stretch_row(int mode, int source_x, int source_width, int x, int width, RECT* clip = nullptr) {
    Surface dest(row_width, 1, 0xEE), source(12, 1);
    for (int i = 0; i < 12; ++i) source.at(i, 0) = static_cast<std::uint32_t>(i);
    SetStretchBltMode(dest.dc(), mode);
    Owned<HRGN> region(clip ? CreateRectRgnIndirect(clip) : nullptr);
    if (clip) SelectClipRgn(dest.dc(), region);
    EXPECT_TRUE(StretchBlt(dest.dc(), x, 0, width, 1, source.dc(), source_x, 0, source_width, 1, SRCCOPY));
    return dest.picture(0xEE);
}

std::string padded(const std::string& prefix) { return prefix + std::string(row_width - prefix.size(), '.'); }

struct Row {
    int source_x, source_width, x, width;
    const char* expected;
};

TEST(StretchRows, DeletingScansSamplesPixelCentres) {
    const Row rows[] = {
        {0, 1, 0, 4, "0000"},         {0, 3, 0, 4, "0112"},      {0, 4, 0, 6, "001223"},
        {0, 5, 0, 13, "0001122233444"}, {0, 2, 0, 7, "0000111"},  {0, 4, 0, 1, "2"},
        {0, 4, 0, 2, "13"},           {0, 4, 0, 3, "023"},       {0, 5, 0, 3, "124"},
        {0, 10, 0, 4, "2479"},        {0, 12, 0, 2, "5b"},       {0, 12, 2, 5, "..1469b"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(stretch_row(COLORONCOLOR, r.source_x, r.source_width, r.x, r.width), padded(r.expected))
            << r.source_width << " to " << r.width;
}

TEST(StretchRows, NegativeExtentsRunBackwards) {
    const Row rows[] = {
        {0, 4, 2, 6, "..001223"},  {3, -4, 7, -6, "..011233"}, {3, -4, 2, 6, "..332110"},
        {0, 4, 7, -6, "..322100"}, {0, 4, 2, 7, "..0011233"}, {3, -4, 8, -7, "..0012233"},
        {11, -12, 6, -5, "..0257a"}, {0, 12, 6, -5, "..b9641"}, {11, -12, 2, 5, "..a7520"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(stretch_row(COLORONCOLOR, r.source_x, r.source_width, r.x, r.width), padded(r.expected))
            << r.source_x << "," << r.source_width << " to " << r.x << "," << r.width;
}

TEST(StretchRows, SourcePixelsOffTheSurfaceLeaveTheDestination) {
    const Row rows[] = {
        {-3, 8, 2, 16, "........0011223344"},
        {6, 10, 2, 15, "..667889aab"},
        {6, 10, 2, 4, "..8ab"}, // a run cut by the surface keeps its last pixel on it
        {-3, 8, 2, 5, "....124"},
        {-5, 20, 2, 9, "....1357ab"},
        {10, -8, 2, 16, "..aa99887766554433"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(stretch_row(COLORONCOLOR, r.source_x, r.source_width, r.x, r.width), padded(r.expected))
            << r.source_x << "," << r.source_width << " to " << r.x << "," << r.width;
}

TEST(StretchRows, ClippingCutsWithoutMovingPixels) {
    struct Case {
        Row row;
        RECT clip;
    };
    const Case cases[] = {
        {{0, 5, 2, 13, ".........23344"}, {9, 0, 14, 1}},
        {{0, 5, 14, -13, ".......22211"}, {7, 0, 12, 1}},
        {{-5, 20, 2, 9, ".......7ab"}, {7, 0, 12, 1}},
        {{6, 10, 2, 15, ".......9aab"}, {7, 0, 12, 1}},
    };
    for (Case c : cases)
        EXPECT_EQ(stretch_row(COLORONCOLOR, c.row.source_x, c.row.source_width, c.row.x, c.row.width, &c.clip),
                  padded(c.row.expected));
}

// Each source pixel lacks one bit; after an AND the missing bits name the pixels combined.
std::vector<std::vector<int>> combined_groups(int mode, int source_width, int width) {
    Surface dest(width, 1), source(source_width, 1);
    for (int i = 0; i < source_width; ++i)
        source.at(i, 0) = mode == WHITEONBLACK ? (1u << i) : (~(1u << i) & 0xFFFFFFu);
    SetStretchBltMode(dest.dc(), mode);
    StretchBlt(dest.dc(), 0, 0, width, 1, source.dc(), 0, 0, source_width, 1, SRCCOPY);
    std::vector<std::vector<int>> groups;
    for (int x = 0; x < width; ++x) {
        const std::uint32_t bits = mode == WHITEONBLACK ? dest.at(x, 0) : (~dest.at(x, 0) & 0xFFFFFFu);
        groups.emplace_back();
        for (int i = 0; i < source_width; ++i)
            if (bits & (1u << i)) groups.back().push_back(i);
    }
    return groups;
}

TEST(StretchRows, ShrinkingCombinesRunsOfPixels) {
    using Groups = std::vector<std::vector<int>>;
    struct Case {
        int source_width, width;
        Groups groups;
    };
    const Case cases[] = {
        {2, 1, {{0}}}, // a single destination pixel never takes the last source pixel
        {5, 1, {{0, 1, 2, 3}}},
        {3, 2, {{0, 1}, {2}}},
        {5, 3, {{0, 1}, {2}, {3, 4}}},
        {7, 4, {{0, 1}, {2, 3}, {4}, {5, 6}}},
        {12, 5, {{0, 1}, {2, 3, 4}, {5, 6}, {7, 8, 9}, {10, 11}}},
        {11, 8, {{0}, {1, 2}, {3}, {4, 5}, {6}, {7}, {8, 9}, {10}}},
    };
    for (int mode : {BLACKONWHITE, WHITEONBLACK})
        for (const Case& c : cases)
            EXPECT_EQ(combined_groups(mode, c.source_width, c.width), c.groups)
                << "mode " << mode << ": " << c.source_width << " to " << c.width;
}

TEST(StretchRows, TheOperationAppliesAfterCombining) {
    Surface dest(1, 1, 0xFF), source(3, 1);
    source.at(0, 0) = 0xF0;
    source.at(1, 0) = 0xCC;
    source.at(2, 0) = 0xAA;
    StretchBlt(dest.dc(), 0, 0, 1, 1, source.dc(), 0, 0, 3, 1, SRCINVERT);
    EXPECT_EQ(dest.at(0, 0), 0xFFu ^ (0xF0u & 0xCCu));
    StretchBlt(dest.dc(), 0, 0, 1, 1, source.dc(), 0, 0, 3, 1, NOTSRCCOPY);
    EXPECT_EQ(dest.at(0, 0), ~(0xF0u & 0xCCu));
}

TEST(StretchBlocks, BothAxesCombine) {
    Surface dest(2, 2, 0xEE), source(4, 4);
    for (int i = 0; i < 16; ++i) source.pixels()[i] = ~(1u << i) & 0xFFFFu;
    StretchBlt(dest.dc(), 0, 0, 2, 2, source.dc(), 0, 0, 4, 4, SRCCOPY);
    // Each destination pixel ANDs a 2 by 2 block.
    EXPECT_EQ(~dest.at(0, 0) & 0xFFFFu, 0x0033u);
    EXPECT_EQ(~dest.at(1, 0) & 0xFFFFu, 0x00CCu);
    EXPECT_EQ(~dest.at(0, 1) & 0xFFFFu, 0x3300u);
    EXPECT_EQ(~dest.at(1, 1) & 0xFFFFu, 0xCC00u);
}

} // namespace
