// The element dialogs: each command scans the page's head (so the class lists are current),
// shows its dialog modally and lets the dialog insert its markup through the window's insertion
// core. The markup itself comes from the QtCore composers in markup/elementlogic.h.
#pragma once

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
    // The site browser's "Создать ссылку": the hyperlink dialog in file-link mode for a file.
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

private:
    TfrmMain* W;
};
