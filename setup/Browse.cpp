#include "SetupDlg.h"

// Choosing another host folder arrives with the folder picker.
void CSetupDlg::OnBrowse() {}
