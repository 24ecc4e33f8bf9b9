// The settings dialog's layout table and the widening of the dialog when a
// text does not fit its control.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "dialog/display_scale.h"
#include "dialog/dispose_layout.h"
#include "dialog/dispose_table.h"

namespace {

bool SameRect(const DisposeRect& a, const DisposeRect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(DisposeTable, EveryControlOnceAndTheComboItemsInOrder)
{
    ASSERT_EQ(kDisposeTableCount, 51u);
    std::set<int> ids;
    std::map<int, std::vector<std::string>> items;
    int comboId = 0;
    for (const DisposeRow& row : DisposeTable) {
        ASSERT_NE(row.controlId, 0) << "rows missing from the table";
        ids.insert(row.controlId);
        if (row.code == kDisposeKeepWidth || row.code == kDisposeScaledNoKey) {
            EXPECT_EQ(row.textKey, nullptr) << row.controlId;
        }
        if (row.textKey != nullptr) {
            EXPECT_NE(DisposeTextFor(row.code), DisposeText::Invalid) << row.textKey;
        }
        if (row.code == kDisposeScaledNoKey) {
            comboId = row.controlId;
            items[comboId];
        } else if (row.code == kDisposeListItem) {
            ASSERT_NE(row.textKey, nullptr);
            EXPECT_EQ(row.controlId, comboId) << row.textKey << " follows another control";
            EXPECT_EQ(row.margin, 20);
            items[row.controlId].push_back(row.textKey);
        } else {
            comboId = 0;
        }
    }
    EXPECT_EQ(ids.size(), 43u);
    const std::map<int, std::vector<std::string>> expected = {
        {1136, {}},
        {1137, {}},
        {1138, {}},
        {11014, {"HorizontalCmbLeft", "HorizontalCmbCenter", "HorizontalCmbRight"}},
        {11015, {"VerticalCmbTop", "VerticalCmbCenter", "VerticalCmbBottom"}},
        {11016, {"PrintSizeCmbFit", "PrintSizeCmbFull"}},
    };
    EXPECT_EQ(items, expected);
    EXPECT_STREQ(DisposeTable[0].textKey, "PrinterGroupName");
    EXPECT_STREQ(DisposeTable[15].textKey, "PapaerTrayName");
    EXPECT_STREQ(DisposeTable[20].textKey, "PrintLandScape");
    EXPECT_STREQ(DisposeTable[50].textKey, "PrinterHelpBtn");
}

TEST(DisposeScale, TextsThatFitMoveNothing)
{
    DisposeScale scale(622);
    scale.Consider(100, 90, 10);    // exactly fills the control
    scale.Consider(100, 20, 0);
    scale.Consider(0, 500, 20);     // a control without width is not compared
    scale.Consider(-5, 500, 20);
    EXPECT_EQ(scale.Factor(), 1.0);
    EXPECT_FALSE(scale.MovesAnything());
}

TEST(DisposeScale, LargestRatioCountsAndRowsWithoutTextNeverDo)
{
    DisposeScale scale(400);
    scale.Consider(100, 110, 10);   // 1.2
    scale.Consider(100, 130, 10);   // 1.4
    scale.Consider(100, 120, 10);   // 1.3: smaller than what was met
    EXPECT_DOUBLE_EQ(scale.Factor(), 1.4);

    DisposeScale keyless(400);
    const DisposeRow noText = {1099, nullptr, kDisposeScaled, 0};
    const DisposeRow text = {1056, "PrintPortrait", kDisposeScaled, 20};
    keyless.ConsiderRow(noText, 100, 150);
    EXPECT_FALSE(keyless.MovesAnything());
    keyless.ConsiderRow(text, 100, 100);   // the margin makes it overflow
    EXPECT_DOUBLE_EQ(keyless.Factor(), 1.2);
}

TEST(DisposeScale, DialogNeverEndsWiderThan640Pixels)
{
    DisposeScale scale(500);
    EXPECT_DOUBLE_EQ(scale.Limit(), 1.28);
    scale.Consider(100, 200, 0);
    EXPECT_DOUBLE_EQ(scale.Factor(), 1.28);
    const DisposeRect wide = DisposeDialogRect({0, 0, 500, 400}, scale.Factor(), 1280, 1024);
    EXPECT_EQ(wide.right - wide.left, 640);

    // Already wider than the limit: any overflow narrows it to the limit.
    DisposeScale narrowing(801);
    narrowing.Consider(100, 101, 0);
    EXPECT_DOUBLE_EQ(narrowing.Factor(), 640.0 / 801);
    EXPECT_TRUE(narrowing.MovesAnything());
    const DisposeRect narrowed = DisposeDialogRect({7, 3, 808, 403}, narrowing.Factor(), 1280, 1024);
    EXPECT_NEAR(narrowed.right - narrowed.left, 640, 1);
    EXPECT_EQ(narrowed.bottom - narrowed.top, 400);
}

TEST(DisposeLayout, RatioOneAndAHalfWidensEverythingButPicturesAndCentres)
{
    DisposeScale scale(400);
    scale.Consider(100, 140, 10);
    ASSERT_DOUBLE_EQ(scale.Factor(), 1.5);
    const double f = scale.Factor();

    const DisposeRect dialog = DisposeDialogRect({100, 50, 500, 350}, f, 1280, 1024);
    EXPECT_TRUE(SameRect(dialog, {340, 362, 940, 662}));
    const DisposeRect onSmallScreen = DisposeDialogRect({100, 50, 500, 350}, f, 500, 200);
    EXPECT_TRUE(SameRect(onSmallScreen, {0, 0, 600, 300}));

    const struct {
        int code;
        DisposeRect old;
        DisposeRect expected;
    } cases[] = {
        {kDisposeScaled, {20, 10, 120, 30}, {30, 10, 180, 30}},
        {kDisposeScaledNoKey, {7, 40, 13, 200}, {10, 40, 19, 200}},   // 10.5, 19.5 truncated
        {kDisposeScaled, {-7, 0, 3, 8}, {-10, 0, 4, 8}},               // toward zero
        {kDisposeKeepWidth, {213, 138, 245, 170}, {319, 138, 351, 170}},
    };
    for (const auto& c : cases) {
        DisposeRect scaled = {};
        EXPECT_EQ(DisposeScaledRect(c.code, f, c.old, scaled), DisposeMove::Move);
        EXPECT_TRUE(SameRect(scaled, c.expected)) << "code " << c.code << " left " << c.old.left
                                                  << " gave " << scaled.left << ".." << scaled.right;
    }
}

TEST(DisposeLayout, ListItemsAreSkippedAndUnknownCodesRefused)
{
    const DisposeRect old = {1, 2, 3, 4};
    for (int code : {int(kDisposeListItem), 1, 12, 19, 21, 30, -1}) {
        DisposeRect scaled = {9, 9, 9, 9};
        const DisposeMove expected = code == kDisposeListItem ? DisposeMove::Skip : DisposeMove::Invalid;
        EXPECT_EQ(DisposeScaledRect(code, 1.5, old, scaled), expected) << code;
        EXPECT_TRUE(SameRect(scaled, {9, 9, 9, 9})) << code;
    }
    EXPECT_EQ(DisposeTextFor(kDisposeScaled), DisposeText::WindowText);
    EXPECT_EQ(DisposeTextFor(kDisposeScaledNoKey), DisposeText::WindowText);
    EXPECT_EQ(DisposeTextFor(kDisposeListItem), DisposeText::ListItem);
    EXPECT_EQ(DisposeTextFor(kDisposeKeepWidth), DisposeText::Invalid);
    EXPECT_EQ(DisposeTextFor(21), DisposeText::Invalid);
}

}  // namespace

// At a display scale the width limit grows with the dialog's units: the
// same texts widen the same dialog by the same factor, and the dialog
// stops at 640 pixels times the scale. The pictures follow the dialog's
// vertical growth, measured on its template font.
TEST(DisposeLayoutAtScale, TheWidthLimitAndPictureSizesFollowTheDialogsFont)
{
    const struct {
        int widthNow, heightNow;  // template font's units now (at 100 %: 6, 13)
        double limit;             // the widened dialog's largest width
        int preview, icon;        // picture sizes
    } scales[] = {{6, 13, 640.0, 120, 32}, {7, 15, 640.0 * 7 / 6, 138, 37},
                  {9, 19, 960.0, 175, 47}, {12, 26, 1280.0, 240, 64}};
    for (const auto& s : scales) {
        SCOPED_TRACE(s.heightNow);
        const DisplayScale scale = DisplayScaleFromFont(s.widthNow, s.heightNow, 6, 13);
        EXPECT_EQ(scale.IsUnscaled(), s.heightNow == 13);
        EXPECT_EQ(ScaledPictureSize(120, scale), s.preview);
        EXPECT_EQ(ScaledPictureSize(32, scale), s.icon);
        // A dialog 500 pixels wide at 100 %, as wide in the dialog's units here.
        const int width = static_cast<int>(500 * scale.across);
        DisposeScale dispose(width, kDisposeMaxDialogWidth * scale.across);
        dispose.Consider(100, 190, 20);  // needs 2.1 times its control
        EXPECT_NEAR(dispose.Factor() * width, s.limit, 1e-6);
        DisposeScale fits(width, kDisposeMaxDialogWidth * scale.across);
        fits.Consider(100, 100, 20);  // needs 1.2 times its control: below the limit
        EXPECT_DOUBLE_EQ(fits.Factor(), 1.2);
    }
    // No font to measure: nothing is scaled.
    EXPECT_TRUE(DisplayScaleFromFont(0, 0, 6, 13).IsUnscaled());
    EXPECT_TRUE(DisplayScaleFromFont(9, 19, 0, -1).IsUnscaled());
}
