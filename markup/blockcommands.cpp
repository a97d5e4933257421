#include "markup/elements.h"

#include "app/main2.h"

// Filled in with their dialogs.
void TElementDialogs::acTableExecute() {}
void TElementDialogs::acTdExecute() {}
void TElementDialogs::acUlExecute() {}
void TElementDialogs::acFormExecute() {}
void TElementDialogs::acSelectExecute() {}
void TElementDialogs::acFontExecute() {}
void TElementDialogs::acShockWaveFlashExecute() {}
void TElementDialogs::acParamExecute() {}
