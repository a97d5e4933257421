// The site browser and the projects: the site model, the list of the current project folder
// in the left pane, its file commands and the project dialogs.
#pragma once

#include "site/DirectoryScanner.h"
#include "site/WebSite.h"

#include <QObject>

class QToolBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TfrmMain;

class TSiteBrowser : public QObject {
    Q_OBJECT

public:
    // Builds the browser above the navigator's lists and binds the project commands.
    explicit TSiteBrowser(TfrmMain* window);

    // The open project (AutoList on) and the scanner that deletes folders.
    TWebSite* wsSite = nullptr;
    TDirectoryScanner dsDelete;

    QToolBar* tbrLevelUp = nullptr;
    QToolButton* tbSiteLevelUp = nullptr;
    QTreeWidget* lvSite = nullptr;

    // The caption of the item last selected; the site browser's entry for OpenDocument.
    QString SelectedName;
    // Whether a project was loaded in this run.
    bool ProjectLoaded() const { return FLoaded; }
    // The new-document wizard's "not in the project": switches the site off or on again (the
    // list is emptied before the site lists itself again).
    void SetSiteActive(bool active);
    // Empties the list and lists the current folder again.
    void Refresh();

    // ---- site model events
    void wsSiteLoad();
    void wsSiteChangeDirectory();
    void wsSiteListDirectory(const QString& name, TDirectoryFileType type);
    void wsSiteDirectoryListed();

    // ---- the list and its commands
    void lvSiteClick(QTreeWidgetItem* item);
    void lvSiteChange();
    void lvSiteEdited(QTreeWidgetItem* item);
    void lvSiteContextPopup();
    void tbSiteLevelUpClick();
    void miCreateDirectoryClick();
    void miDeleteFromSiteClick();
    void miCreateLinkClick();
    void acCopyFileExecute(int tag);
    void miPreviewInBrowserClick();

    // ---- project commands
    void acNewProjectExecute();
    void acOpenProjectExecute();
    void acEditProjectExecute();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildWidgets();
    void BindCommands();
    QTreeWidgetItem* TargetItem() const;
    void RemoveDeletedFileDocument(const QString& path);

    TfrmMain* W;
    bool FLoaded = false;
};
