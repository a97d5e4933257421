// Looking at the page: the embedded preview (F12), the test in the default browser (F9),
// printing and printer setup, and the help window.
#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <memory>

class QAction;
class QPrinter;
class QTabBar;
class QTemporaryDir;
class QTextBrowser;
class QWidget;
class TBrowserView;
class TfrmMain;

class TPreview : public QObject {
    Q_OBJECT

public:
    // Builds the editor/preview strip and binds the preview, print and help commands.
    explicit TPreview(TfrmMain* window);
    ~TPreview() override;

    // "Редактор" (0) / "Просмотр" (1) below the editor.
    QTabBar* tsEditPreview = nullptr;
    // The embedded browser's widget: made on the first preview, when its module is loaded, so
    // start-up never loads it. Without the module it is a notice saying so.
    QWidget* wbPreview = nullptr;
    // The help window while it is open.
    QPointer<QWidget> frmHelp;
    QPointer<QTextBrowser> hbHelp;

    // Where F1 looks for the help file, in order (the program's folder first).
    QStringList HelpSearchFolders;

    bool InPreview() const { return FInPreview; }
    // The file the browser was last asked to show.
    QString ShownFile() const { return FShownFile; }
    // The printer that Ctrl+P prints on and the printer setup changes; made on first use.
    QPrinter* Printer();

    void acInternalPreviewExecute();
    // Switches to tab t; false (and no change) when it is refused.
    bool tsEditPreviewChange(int t);
    void acPreviewExecute();
    void acPrintExecute();
    void acPrnSetupExecute();
    void acHelpExecute();

private:
    QList<QAction*> EditingActions() const;
    void EnsureBrowser();
    void ShowEditor();
    void ShowPreview();
    // Writes the editor's text where the browser can read it; returns that file or an empty text.
    QString WritePreviewFile();
    QString WritePrivateCopy(const QString& text);
    void DropPrivateCopy();
    void OnTabChanged(int index);
    void DocumentSwitched();
    void LeavePreviewWhenEmpty();

    TfrmMain* W;
    TBrowserView* FBrowser = nullptr; // the browser behind wbPreview; null without the module
    bool FInPreview = false;
    bool FRevertingTab = false;
    bool FEditMenuEnabled = true;
    bool FInsertMenuEnabled = true;
    QString FShownFile;
    std::unique_ptr<QTemporaryDir> FPrivateDir;
    std::unique_ptr<QPrinter> FPrinter;
    QList<QPointer<QAction>> FHiddenActions; // hidden for the preview, shown again after it
};
