// The command table of the main window: every action with its caption, hint, keys and category.
#pragma once

#include "app/main2.h"

#include <QString>
#include <span>

struct TActionRow {
    QAction* TfrmMain::*Member;
    const char* Name;
    const char16_t* Category;
    const char16_t* Caption; // empty: the action shows only its icon
    const char16_t* Hint;
    const char* Keys; // QKeySequence portable text, empty for none
    const char* Icon; // icon key (see icons.h)
};

std::span<const TActionRow> ActionTable();
