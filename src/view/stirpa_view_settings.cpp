// SPDX-License-Identifier: GPL-3.0-or-later
// The Settings command of the view.
#include "stirpa_view.h"

#include "settings_dlg.h"

void CStirpaView::OnSettings()
{
    SettingsDlg dialog(this);
    // The settings go into the chart file's header line, so a change is an edit.
    if (dialog.exec() == QDialog::Accepted && dialog.apply())
        emit modified();
    // The new box size shows at once; the scroll sizes wait for the next Refresh.
    invalidateChart();
}
