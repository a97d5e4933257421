// Editing aids of the source editor: the typed word, line-break keys, the macro, completion
// and the tag attribute editor.
#include "app/main2.h"

void TfrmMain::CreateEditingAids() {}
