// Input filters for the dialogs' edit fields: a typed character that the field's filter rejects
// is discarded as if the key had not been pressed.
#pragma once

#include "site/toolfunc.h"

class QLineEdit;

// Attaches the filter to the edit (a second call replaces the first). Every typed character
// passes through it, Backspace included, so Backspace does nothing in such a field; Delete,
// the clipboard, cursor movement, shortcuts and the dialog keys (Enter, Esc, Tab) are not
// affected. The filter lives as long as the edit.
void InstallInputFilter(QLineEdit* edit, TInputFilter filter);
