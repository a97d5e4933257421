// The page navigator: the scanner's lists of the shown page, and link validation.
#include "app/main2.h"

void TfrmMain::CreateNavigator() {}
