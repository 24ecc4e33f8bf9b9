// The settings dialog's options: the preview picture and icons they show,
// the click rules between first-copy choice and sorting, and how they are
// read from and written to the print settings file.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "dialog/dialog_settings.h"
#include "dialog/option_rules.h"
#include "dialog/preview_choice.h"
#include "dialog/preview_ids.h"
#include "resources/dialog_ids.h"

namespace {

DialogOptions Layout(int horizontal, int vertical, int printSize, bool landscape)
{
    DialogOptions options;
    options.horizontal = horizontal;
    options.vertical = vertical;
    options.printSize = printSize;
    options.landscape = landscape;
    return options;
}

// ---------------------------------------------------------------- preview

TEST(PreviewChoice, EveryCombinationShowsItsOwnPicture)
{
    std::set<int> indexes;
    std::set<int> ids;
    for (int l = 0; l < 2; ++l)
        for (int s = 0; s < 2; ++s)
            for (int v = 0; v < 3; ++v)
                for (int h = 0; h < 3; ++h) {
                    const int index = PreviewIndex(h, v, s, l == 1);
                    ASSERT_GE(index, 0);
                    ASSERT_LT(index, kPreviewBitmapCount);
                    indexes.insert(index);
                    ids.insert(PreviewBitmapId(index));
                    // Turning the page changes only the orientation.
                    EXPECT_EQ(PreviewIndex(h, v, s, l == 0), l == 1 ? index - 18 : index + 18);
                }
    EXPECT_EQ(indexes.size(), 36u);
    EXPECT_EQ(ids.size(), 36u);
    EXPECT_EQ(*ids.begin(), 12003);
    EXPECT_EQ(*ids.rbegin(), 12043);

    struct Example {
        int h, v, s;
        bool landscape;
        int index, id;
    } const examples[] = {
        {0, 0, 0, false, 0, 12020},   // left, top, fit, portrait
        {2, 2, 1, true, 35, 12043},   // right, bottom, full, landscape
        {1, 1, 0, true, 22, 12034},   // centre, middle, fit, landscape
        {2, 2, 1, false, 17, 12003},  // right, bottom, full, portrait
    };
    for (const Example& e : examples) {
        const PreviewState state = ComputePreviewState(Layout(e.h, e.v, e.s, e.landscape));
        EXPECT_EQ(state.previewIndex, e.index) << e.id;
        EXPECT_EQ(state.bitmapId, e.id);
    }

    // A list without a selection, or a position it does not have: no picture.
    const int unselected[][3] = {{-1, 0, 0}, {0, -1, 0}, {0, 0, -1}, {3, 0, 0}, {0, 3, 0}, {0, 0, 2}};
    for (const auto& u : unselected)
        EXPECT_EQ(PreviewBitmapId(PreviewIndex(u[0], u[1], u[2], true)), 0) << u[0] << u[1] << u[2];
    EXPECT_EQ(PreviewBitmapId(36), 0);
}

TEST(PreviewChoice, FullSizeForcesAutoRotateAndTheIconsFollowSorting)
{
    DialogOptions options = Layout(1, 2, 1, false);
    options.sorted = true;
    PreviewState state = ComputePreviewState(options);
    EXPECT_TRUE(state.checkAutoRotate);
    EXPECT_FALSE(state.enableAutoRotate);
    for (const IconVisibility& icon : state.icons) {
        const bool sortedIcon = icon.controlId == IDC_SORTED_SET1 || icon.controlId == IDC_SORTED_SET2;
        EXPECT_EQ(icon.visible, sortedIcon) << icon.controlId;
    }

    // Back to fit: AutoRotate available again, its check left to the user.
    options.printSize = 0;
    options.sorted = false;
    state = ComputePreviewState(options);
    EXPECT_FALSE(state.checkAutoRotate);
    EXPECT_TRUE(state.enableAutoRotate);
    std::set<int> shown;
    for (const IconVisibility& icon : state.icons)
        if (icon.visible)
            shown.insert(icon.controlId);
    EXPECT_EQ(shown, (std::set<int>{IDC_UNSORTED_PAGE1, IDC_UNSORTED_PAGE2, IDC_UNSORTED_PAGE3}));

    // Nothing selected in PrintSize: picture and AutoRotate untouched even
    // for a full-size position, the icons still follow.
    options = Layout(2, 2, -1, true);
    options.sorted = true;
    state = ComputePreviewState(options);
    EXPECT_EQ(state.previewIndex, kNoPreview);
    EXPECT_EQ(state.bitmapId, 0);
    EXPECT_FALSE(state.checkAutoRotate);
    EXPECT_TRUE(state.enableAutoRotate);
    EXPECT_TRUE(state.icons[3].visible && state.icons[4].visible && !state.icons[0].visible);
}

// ----------------------------------------------------------- click rules

// The dialog's first-copy radio buttons and sort box as a user clicks them,
// recording every notice, change and preview update in order.
class FakeOptionDialog : public OptionControls {
public:
    std::map<int, bool> checks{{IDC_ONE_JOB_ONE_PAGE, false}, {IDC_ONE_JOB_N_PAGE, false},
                               {IDC_SORT_PRINT, false}};
    std::vector<std::string> events;

    FakeOptionDialog(bool onePage, bool nPage, bool sorted)
    {
        checks[IDC_ONE_JOB_ONE_PAGE] = onePage;
        checks[IDC_ONE_JOB_N_PAGE] = nPage;
        checks[IDC_SORT_PRINT] = sorted;
    }

    bool IsChecked(int controlId) override { return checks.at(controlId); }
    void SetChecked(int controlId, bool checked) override
    {
        checks.at(controlId) = checked;
        events.push_back("set " + std::to_string(controlId) + (checked ? " on" : " off"));
    }
    void ShowNotice(const char* textKey) override { events.push_back(textKey); }
    void UpdatePreview() override
    {
        DialogOptions options;
        options.sorted = checks.at(IDC_SORT_PRINT);
        const bool sortedShown = ComputePreviewState(options).icons[3].visible;
        events.push_back(sortedShown ? "preview, sorted icons" : "preview, unsorted icons");
    }

    // A click on a radio button checks it and clears its partner before the
    // notification arrives; the sort box toggles itself.
    void ClickOneJobOnePage()
    {
        checks[IDC_ONE_JOB_ONE_PAGE] = true;
        checks[IDC_ONE_JOB_N_PAGE] = false;
        OnOneJobOnePageClicked(*this);
    }
    void ClickOneJobNPage()
    {
        checks[IDC_ONE_JOB_N_PAGE] = true;
        checks[IDC_ONE_JOB_ONE_PAGE] = false;
    }
    void ClickSortPrint()
    {
        checks[IDC_SORT_PRINT] = !checks[IDC_SORT_PRINT];
        OnSortPrintClicked(*this);
    }
    bool BothChosen() const { return checks.at(IDC_ONE_JOB_ONE_PAGE) && checks.at(IDC_SORT_PRINT); }
};

using Events = std::vector<std::string>;

TEST(OptionRules, ChoosingOneJobOnePageWarnsEveryTimeAndSwitchesSortingOff)
{
    FakeOptionDialog dialog(false, true, false);
    dialog.ClickOneJobOnePage();
    dialog.ClickOneJobOnePage();
    EXPECT_EQ(dialog.events, (Events{"NupPrintMsg", "NupPrintMsg"}));

    FakeOptionDialog sorting(false, true, true);
    sorting.ClickOneJobOnePage();
    EXPECT_EQ(sorting.events, (Events{"NupPrintMsg", "OneJobOnePageMsg", "set 11001 off",
                                      "preview, unsorted icons"}));
    EXPECT_TRUE(sorting.checks[IDC_ONE_JOB_ONE_PAGE]);
    EXPECT_FALSE(sorting.checks[IDC_SORT_PRINT]);

    // A notification while the button is not checked changes nothing.
    FakeOptionDialog unchecked(false, false, true);
    OnOneJobOnePageClicked(unchecked);
    EXPECT_TRUE(unchecked.events.empty());
    EXPECT_TRUE(unchecked.checks[IDC_SORT_PRINT]);
}

TEST(OptionRules, SwitchingSortingMovesTheFirstCopyChoiceToOneJobNPage)
{
    FakeOptionDialog dialog(true, false, false);
    dialog.ClickSortPrint();
    EXPECT_EQ(dialog.events, (Events{"SortPrintMsg", "set 11008 off", "set 11009 on",
                                     "preview, sorted icons"}));
    EXPECT_TRUE(dialog.checks[IDC_SORT_PRINT]) << "sorting stays on";

    // Loaded with both chosen: the click clears sorting by its own toggle
    // and still moves the first-copy choice.
    FakeOptionDialog loaded(true, false, true);
    loaded.ClickSortPrint();
    EXPECT_EQ(loaded.events, (Events{"SortPrintMsg", "set 11008 off", "set 11009 on",
                                     "preview, unsorted icons"}));
    EXPECT_FALSE(loaded.checks[IDC_SORT_PRINT]);
    EXPECT_TRUE(loaded.checks[IDC_ONE_JOB_N_PAGE]);

    // OneJobNPage chosen: only the icons follow, and choosing it says nothing.
    FakeOptionDialog quiet(false, true, false);
    quiet.ClickSortPrint();
    quiet.ClickSortPrint();
    quiet.ClickOneJobNPage();
    EXPECT_EQ(quiet.events, (Events{"preview, sorted icons", "preview, unsorted icons"}));
}

TEST(OptionRules, NoClicksMakeSortingAndOneJobOnePageBothChosen)
{
    // Every state of the three controls reachable by clicks, from every
    // state where the two are not both chosen.
    using State = std::tuple<bool, bool, bool>;
    std::set<State> seen;
    std::vector<State> pending;
    for (int bits = 0; bits < 8; ++bits) {
        const State s{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0};
        if (!(std::get<0>(s) && std::get<2>(s)) && seen.insert(s).second)
            pending.push_back(s);
    }
    while (!pending.empty()) {
        const State from = pending.back();
        pending.pop_back();
        for (int click = 0; click < 3; ++click) {
            FakeOptionDialog dialog(std::get<0>(from), std::get<1>(from), std::get<2>(from));
            if (click == 0)
                dialog.ClickOneJobOnePage();
            else if (click == 1)
                dialog.ClickOneJobNPage();
            else
                dialog.ClickSortPrint();
            ASSERT_FALSE(dialog.BothChosen()) << "click " << click << " from " << std::get<0>(from)
                                              << std::get<1>(from) << std::get<2>(from);
            const State to{dialog.checks[IDC_ONE_JOB_ONE_PAGE], dialog.checks[IDC_ONE_JOB_N_PAGE],
                           dialog.checks[IDC_SORT_PRINT]};
            if (seen.insert(to).second)
                pending.push_back(to);
        }
    }
    EXPECT_EQ(seen.size(), 6u) << "the two states with both chosen stay unreachable";
}

// ------------------------------------------------------ loading and saving

// The print settings file as the dialog reads it, recording what was asked.
struct FakeSettingsFile {
    std::map<std::pair<std::string, std::string>, std::string> values;
    std::vector<std::string> asked;

    void Set(const char* section, const char* key, const char* value) { values[{section, key}] = value; }

    DialogOptions Load()
    {
        return DialogOptionsFromSettings([this](const char* section, const char* key) {
            asked.push_back(std::string(section) + "/" + key);
            const auto found = values.find({section, key});
            return found == values.end() ? std::string() : found->second;
        });
    }
    void Save(const DialogOptions& options)
    {
        for (const SettingWrite& write : DialogSettingWrites(options))
            values[{write.section, write.key}] = write.value;
    }
    std::string Get(const char* key) const
    {
        for (const auto& entry : values)
            if (entry.first.second == key)
                return entry.second;
        return "(missing)";
    }
};

std::vector<std::string> Written(const DialogOptions& options)
{
    std::vector<std::string> lines;
    for (const SettingWrite& write : DialogSettingWrites(options))
        lines.push_back(std::string(write.section) + "/" + write.key + "=" + write.value);
    return lines;
}

TEST(DialogSettings, SavesTheSixKeysInTheirOrder)
{
    DialogOptions options = Layout(2, 2, 1, true);
    options.oneJobNPage = options.sorted = options.framePrinting = options.autoRotate = true;
    EXPECT_EQ(Written(options), (std::vector<std::string>{
                                    "Velora Config/PrintAfterReceivedAllData=1",
                                    "Print Setting/SortSetting=1",
                                    "Print Setting/PrintPosSetting=8",
                                    "Print Setting/PrintSizeSetting=1",
                                    "Print Setting/PageFramePrintSetting=1",
                                    "Print Setting/AutoRotatePrintSetting=1",
                                }));

    options = Layout(1, 0, 0, false);
    options.oneJobOnePage = true;
    std::vector<std::string> values;
    for (const SettingWrite& write : DialogSettingWrites(options))
        values.push_back(write.value);
    EXPECT_EQ(values, (std::vector<std::string>{"0", "0", "3", "0", "0", "0"}));

    // Neither first-copy button chosen writes 0; both (never shown so)
    // counts as OneJobOnePage.
    options.oneJobOnePage = false;
    EXPECT_EQ(DialogSettingWrites(options)[0].value, "0");
    options.oneJobOnePage = options.oneJobNPage = true;
    EXPECT_EQ(DialogSettingWrites(options)[0].value, "0");
}

TEST(DialogSettings, AMissingFileShowsZeroForEveryOptionAndIsReadInWriteOrder)
{
    FakeSettingsFile file;
    const DialogOptions options = file.Load();
    EXPECT_EQ(file.asked, (std::vector<std::string>{
                              "Velora Config/PrintAfterReceivedAllData", "Print Setting/SortSetting",
                              "Print Setting/PrintPosSetting", "Print Setting/PrintSizeSetting",
                              "Print Setting/PageFramePrintSetting", "Print Setting/AutoRotatePrintSetting"}));
    EXPECT_TRUE(options.oneJobOnePage);
    EXPECT_FALSE(options.oneJobNPage || options.sorted || options.framePrinting || options.autoRotate);
    EXPECT_EQ(options.horizontal, 0);
    EXPECT_EQ(options.vertical, 0);
    EXPECT_EQ(options.printSize, 0);
    EXPECT_FALSE(options.landscape);

    // Whatever finding the file throws reaches the dialog.
    EXPECT_THROW(DialogOptionsFromSettings([](const char*, const char*) -> std::string {
                     throw std::runtime_error("no settings folder");
                 }),
                 std::runtime_error);
}

TEST(DialogSettings, EveryPositionAndSizeReadsBackAsItWasSaved)
{
    for (int position = 0; position <= 8; ++position)
        for (int size = 0; size <= 1; ++size) {
            FakeSettingsFile file;
            const std::string p = std::to_string(position), s = std::to_string(size);
            file.Set("Print Setting", "PrintPosSetting", p.c_str());
            file.Set("Print Setting", "PrintSizeSetting", s.c_str());
            file.Save(file.Load());
            EXPECT_EQ(file.Get("PrintPosSetting"), p);
            EXPECT_EQ(file.Get("PrintSizeSetting"), s);
        }

    FakeSettingsFile file;
    file.Set("Print Setting", "PrintPosSetting", "5");
    DialogOptions options = file.Load();
    EXPECT_EQ(options.horizontal, 1) << "centre";
    EXPECT_EQ(options.vertical, 2) << "bottom";
    file.Set("Print Setting", "PrintPosSetting", " +7 mm");
    options = file.Load();
    EXPECT_EQ(options.horizontal, 2) << "right";
    EXPECT_EQ(options.vertical, 1) << "middle";
}

TEST(DialogSettings, PositionsAndSizesTheListsLackSelectNothingAndSaveTheLibraryDefault)
{
    struct Case {
        const char* stored;
        int horizontal, vertical;
    } const positions[] = {
        {"9", -1, 0},  {"10", -1, 1}, {"-1", 0, -1},  {"-2", 0, -1},
        {"-3", -1, 0}, {"-4", -1, -1}, {"300", -1, 0}, {"99999999999", 0, 0},
    };
    for (const Case& c : positions) {
        FakeSettingsFile file;
        file.Set("Print Setting", "PrintPosSetting", c.stored);
        const DialogOptions options = file.Load();
        EXPECT_EQ(options.horizontal, c.horizontal) << c.stored;
        EXPECT_EQ(options.vertical, c.vertical) << c.stored;
        file.Save(options);
        EXPECT_EQ(file.Get("PrintPosSetting"), c.horizontal < 0 || c.vertical < 0 ? "4" : "0")
            << c.stored;
    }

    for (const char* stored : {"2", "-1", "7"}) {
        FakeSettingsFile file;
        file.Set("Print Setting", "PrintSizeSetting", stored);
        const DialogOptions options = file.Load();
        EXPECT_EQ(options.printSize, -1) << stored;
        EXPECT_EQ(ComputePreviewState(options).previewIndex, kNoPreview);
        file.Save(options);
        EXPECT_EQ(file.Get("PrintSizeSetting"), "1") << stored;
    }
}

TEST(DialogSettings, ChecksReadAnyNonZeroAndSaveOne)
{
    FakeSettingsFile file;
    file.Set("Velora Config", "PrintAfterReceivedAllData", "2");
    file.Set("Print Setting", "SortSetting", "2");
    file.Set("Print Setting", "PageFramePrintSetting", "-3");
    file.Set("Print Setting", "AutoRotatePrintSetting", "yes");
    DialogOptions options = file.Load();
    EXPECT_FALSE(options.oneJobOnePage) << "2 chooses neither first-copy button";
    EXPECT_FALSE(options.oneJobNPage);
    EXPECT_TRUE(options.sorted);
    EXPECT_TRUE(options.framePrinting);
    EXPECT_FALSE(options.autoRotate) << "no digits reads as 0";
    file.Save(options);
    EXPECT_EQ(file.Get("PrintAfterReceivedAllData"), "0");
    EXPECT_EQ(file.Get("SortSetting"), "1");
    EXPECT_EQ(file.Get("PageFramePrintSetting"), "1");
    EXPECT_EQ(file.Get("AutoRotatePrintSetting"), "0");

    file.Set("Velora Config", "PrintAfterReceivedAllData", " 1");
    options = file.Load();
    EXPECT_TRUE(options.oneJobNPage && !options.oneJobOnePage);
}

TEST(DialogSettings, LoadedStatesThatClicksWouldNotAllowAreKeptUntilTheUserActs)
{
    // OneJobOnePage with sorting: both shown and saved as loaded.
    FakeSettingsFile file;
    file.Set("Velora Config", "PrintAfterReceivedAllData", "0");
    file.Set("Print Setting", "SortSetting", "1");
    file.Save(file.Load());
    EXPECT_EQ(file.Get("PrintAfterReceivedAllData"), "0");
    EXPECT_EQ(file.Get("SortSetting"), "1");

    // Full size with AutoRotate off: the preview checks AutoRotate, so OK
    // saves it on.
    file.Set("Print Setting", "PrintSizeSetting", "1");
    file.Set("Print Setting", "AutoRotatePrintSetting", "0");
    DialogOptions options = file.Load();
    EXPECT_FALSE(options.autoRotate);
    const PreviewState state = ComputePreviewState(options);
    EXPECT_TRUE(state.checkAutoRotate);
    EXPECT_FALSE(state.enableAutoRotate);
    options.autoRotate = options.autoRotate || state.checkAutoRotate;
    file.Save(options);
    EXPECT_EQ(file.Get("AutoRotatePrintSetting"), "1");
}

}  // namespace
