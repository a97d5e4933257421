// The element dialogs: each command scans the page's head (so the class lists are current),
// shows its dialog modally and lets the dialog insert its markup through the window's insertion
// core. The markup itself comes from the QtCore composers beside them (markup/*logic.h).
#pragma once

#include "markup/dialogparts.h"

#include <QObject>
#include <QStringList>

class TfrmMain;

class TElementDialogs : public QObject {
    Q_OBJECT

public:
    // Binds every command to its action of the window.
    explicit TElementDialogs(TfrmMain* window);

    // Links, pictures, maps and frames (markup/elements.cpp).
    void acAnchorExecute();
    void acImageExecute();
    void acMapExecute();
    void acAreaExecute();
    void acFramesetExecute();
    void acFrameExecute();
    // The site browser's "Создать ссылку": the hyperlink dialog in file-link mode for a file
    // (a full path). PendingPath holds the path while the dialog is shown and is emptied after.
    void CreateLinkToFile(const QString& path);

    // Tables, lists, forms, selects, fonts, Flash movies and parameters (markup/blockcommands.cpp).
    void acTableExecute();
    void acTdExecute();
    void acUlExecute();
    void acFormExecute();
    void acSelectExecute();
    void acFontExecute();
    void acShockWaveFlashExecute();
    void acParamExecute();

    // The launch step every dialog shares: the page's head is scanned again and its CSS classes
    // are returned for the class list.
    QStringList ScanClasses();
    // The file of the shown page (empty for a page never saved).
    QString PageFile() const;

    // The launch step with what a dialog needs from the window: the class list, the page's file,
    // the selection and the window's insertion core.
    TElementContext Launch();

private:
    // The hyperlink dialog in mode 0 (normal) or 1 (file-link, linkedFile its fixed source).
    void ShowAnchor(int mode, const QString& linkedFile);
    TfrmMain* W;
};
