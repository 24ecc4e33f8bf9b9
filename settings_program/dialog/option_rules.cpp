#include "dialog/option_rules.h"

#include "resources/dialog_ids.h"

void OnOneJobOnePageClicked(OptionControls& controls)
{
    if (!controls.IsChecked(IDC_ONE_JOB_ONE_PAGE))
        return;
    controls.ShowNotice(kNupPrintMsg);
    // Read after the notice: the state is whatever the controls hold now.
    if (controls.IsChecked(IDC_SORT_PRINT)) {
        controls.ShowNotice(kOneJobOnePageMsg);
        controls.SetChecked(IDC_SORT_PRINT, false);
        controls.UpdatePreview();
    }
}

void OnSortPrintClicked(OptionControls& controls)
{
    // Whichever way sorting was switched: the first-copy choice leaves
    // OneJobOnePage.
    if (controls.IsChecked(IDC_ONE_JOB_ONE_PAGE)) {
        controls.ShowNotice(kSortPrintMsg);
        controls.SetChecked(IDC_ONE_JOB_ONE_PAGE, false);
        controls.SetChecked(IDC_ONE_JOB_N_PAGE, true);
    }
    controls.UpdatePreview();
}
