// Find and replace: the "Поиск" page of the left pane, in the shown page and across the project,
// with the results list below the editor.
#pragma once

#include <QObject>

#include <functional>

#include "site/findlogic.h"

class QCheckBox;
class QLabel;
class QToolButton;
class QTreeWidgetItem;
class QWidget;
class TfrmMain;

class TFindReplace : public QObject {
    Q_OBJECT

public:
    // Builds the search page's controls and binds the find commands.
    explicit TFindReplace(TfrmMain* window);

    // The widgets of the search page (edFindText and edReplaceWith belong to the window).
    QWidget *pnlFindText = nullptr, *pnlReplaceWith = nullptr, *pnlFindButtons = nullptr;
    QLabel *lblFindText = nullptr, *lblReplaceWith = nullptr;
    QCheckBox *chkMatchCase = nullptr, *chkWholeWord = nullptr, *chkFromCursor = nullptr,
              *chkReplaceAll = nullptr, *chkEntireSite = nullptr, *chkReplacePromt = nullptr;
    QToolButton *sbFind = nullptr, *sbReplace = nullptr;

    // The commands.
    void acFindExecute();
    void acReplaceExecute();
    void acFoundFilesExecute();
    // The find field takes the editor's selection, or the word at the caret.
    void tsFindShow();
    // Opens the file of the selected result row at its line.
    void lvSearchResultsDblClick();
    // A project was opened or closed: "По всему проекту" is offered only while one is open.
    void ProjectStateChanged();
    // True while a project-wide find or replace runs.
    bool Busy() const { return FBusy; }

    // How often a project-wide walk lets the window paint and shows its progress (ms).
    int PaintIntervalMs = 100;

    // Row data of the results list: the line of the occurrence (0-based).
    static constexpr int kLineRole = Qt::UserRole + 1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildPage();
    TFindOptions Options() const;
    QString ProjectRoot() const;
    int SearchStart() const;
    void FindInPage();
    void FindInProject();
    void ReplaceInPage();
    void ReplaceInProject();
    void ShowResultsPanel(bool shown);
    // Runs one command with Find and Replace disabled, so neither starts twice.
    void RunExclusive(const std::function<void()>& job);
    // Walks the project's text files with progress in the status bar; the window keeps painting.
    void WalkProject(const QString& progressText,
                     const std::function<void(const QString& path)>& perFile);

    TfrmMain* W;
    bool FBusy = false;
    int FResultsHeight = 150; // the list's height when it was last collapsed
};
