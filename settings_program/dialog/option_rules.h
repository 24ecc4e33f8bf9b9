// The rules that keep the first-copy choice and sorted printing apart: a
// sorted job is only printed once it is complete, so "print while the pages
// arrive" (OneJobOnePage) and sorting never stay chosen together by a click.
// The rules read the controls afresh each time and keep no state.
#pragma once

// Text keys of the notices, section "Language" of "Tessary.cfg".
constexpr const char* kNupPrintMsg = "NupPrintMsg";
constexpr const char* kOneJobOnePageMsg = "OneJobOnePageMsg";
constexpr const char* kSortPrintMsg = "SortPrintMsg";

// What the rules read and change in the dialog, and the notices they show.
class OptionControls {
public:
    virtual ~OptionControls() = default;
    virtual bool IsChecked(int controlId) = 0;
    virtual void SetChecked(int controlId, bool checked) = 0;
    // Shows the text of textKey and returns once the user has closed it.
    virtual void ShowNotice(const char* textKey) = 0;
    virtual void UpdatePreview() = 0;
};

// A click on OneJobOnePage (11008): when it is chosen, NupPrintMsg every
// time; if sorting is on as well, OneJobOnePageMsg, sorting off and the
// preview updated.
void OnOneJobOnePageClicked(OptionControls& controls);

// A click on SortPrint (11001), after the box has toggled itself: when
// OneJobOnePage is chosen, SortPrintMsg and the choice moves to OneJobNPage
// (11009); then the preview is updated.
void OnSortPrintClicked(OptionControls& controls);
