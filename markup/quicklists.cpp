// The quick-insert lists of the tag toolbar.
#include "app/main2.h"

void TfrmMain::CreateQuickLists() {}
