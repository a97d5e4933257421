// A main window on an isolated program home with pages in a temporary folder.
#pragma once

#include "app/RichEditEx.h"
#include "app/main2.h"
#include "support/scriptedplatform.h"
#include "support/testutil.h"

#include <QTemporaryDir>

#include <memory>

// Types each character as a key press and release carrying that text, as a keyboard would
// (QTest::keyClicks takes Latin-1 only).
void TypeText(QWidget* widget, const QString& text);

class TWindowFixture {
public:
    TWindowFixture();
    ~TWindowFixture();

    // Writes a page (UTF-8 text, stored as Windows-1251 with CR LF) and returns its path.
    QString Page(const QString& name, const QString& text);
    // Opens a file the way dropped files and other windows do.
    void Open(const QString& path);
    void Type(const QString& text);
    // Writes a page, opens it and types into it; returns its path.
    QString OpenTyped(const QString& name, const QString& text, const QString& typed);
    // Opens a page holding exactly the text (no final line break added) with the caret at
    // the given position.
    void ShowText(const QString& text, int caret);

    testutil::TIsolatedHome Home;
    QTemporaryDir Dir;
    TScriptedPlatform Platform;
    std::unique_ptr<TfrmMain> W;
};
