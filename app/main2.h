// The main window: the document set behind the editor tabs, the commands, menus and toolbars.
// Its handlers live beside the subsystem that owns them (app/documents.cpp, app/tagcommands.cpp,
// html/navigator.cpp, ...); this header is the one place that lists them.
#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <functional>

#include "app/mainframe.h"
#include "app/platform.h"
#include "html/HTMLParser.h"

// The widget classes of the window's named parts are declared in app/mainframe.h.
class QComboBox;
class QDragEnterEvent;
class QDropEvent;
class QListWidget;
class TDocument;
class TDocumentSet;
class QTextDocument;
class TStartup;
class TNavigator;
class TEditingAids;
class TQuickLists;
class TTagCommands;
class TElementDialogs;
class TSiteBrowser;
class TFindReplace;
class TPageDesign;
class TPreview;

// Where OpenDocument takes its path from.
enum TOpenSource { osOpenDialog, osSiteBrowser, osGivenPath, osCommandLine };

// Edit targets of the five edit commands.
enum TEditTarget { etEditor = 0, etFindText = 1, etReplaceWith = 2 };

class TfrmMain : public QMainWindow, public TMainWidgets, public TMainActions {
    Q_OBJECT

public:
    explicit TfrmMain(const QStringList& arguments = {}, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // Runs one command: a file failure (EFileError) stops it and shows the system's message.
    // Every action handler goes through here, so no exception crosses the event loop.
    void RunCommand(const std::function<void()>& command);

    // ---- document set -----------------------------------------------------------------
    void OpenDocument(TOpenSource source);
    int FindDocument(const QString& path) const;
    void tcEditorChanging();
    void tcEditorChange();
    int QuerySaveDocument(int index); // TAnswer as int: Yes, No or Cancel
    bool SaveModifiedDocuments();
    void RemoveDocument(int index);
    void CloseAllDocuments();
    void ReloadDocumentTexts();
    int DocumentCount() const;
    int CurrentIndex() const;
    // The caption of a document's tab, as shown (an "&" stays an "&").
    void SetTabCaption(int index, const QString& caption);
    QString TabCaption(int index) const;
    // Selects a tab by command (no stash) and shows it.
    void SelectDocument(int index);

    // The open documents: the one truth about them. The lists below are views of it.
    TDocumentSet* Documents = nullptr;
    QStringList FileNames() const;
    QStringList ReadOnlyFlags() const;
    QStringList ModifiedFlags() const;
    QStringList PageTexts() const;
    // Shows the next (step 1) or previous (-1) tab, wrapping round.
    void ShowNextDocument(int step);
    // Documents with a line longer than this are shown without word wrap.
    static constexpr qsizetype kLongestWrappedLine = 20000;
    QString PendingPath;
    // Initial folders of the open, Save As and picture dialogs.
    QString OpenDialogDir;
    QString SaveDialogDir;
    QString PicsDialogDir;
    QString OpenDialogFileName;
    QStringList Arguments;
    // Hooks that later parts of the window fill in: the site browser's selected entry path and
    // the new-document wizard (which leaves the new page's path in PendingPath).
    std::function<QString()> SiteEntryPath;
    std::function<void()> ShowWizard;
    // The open project's root folder; empty while no project is open.
    std::function<QString()> ProjectRootDir;
    // The name/value dialog for a form input element: false when cancelled.
    std::function<bool(const QString& type, QString* name, QString* value)> AskInputNameValue;

    // ---- insertion core ----------------------------------------------------------------
    void InsertText(const QString& text, int k, bool lineBreak);
    void InsertTagPair(const QString& tag);
    void InsertBlockTagPair(const QString& tag);
    void InsertInputTag(const QString& type);

    // ---- widgets (the named ones are in app/mainframe.h) ----------------------------------
    // The quick-insert lists on the tag toolbars (markup/quicklists.h).
    TQuickLists* QuickLists = nullptr;
    QLabel* sbPanels[3] = {nullptr, nullptr, nullptr};
    void SetStatusText(int panel, const QString& text);
    QString StatusText(int panel) const;

    // Every action by its name, for the command table's tests and for binding.
    QList<QAction*> Actions() const { return FActions; }
    QAction* ActionByName(const QString& name) const;
    // Binds an action's handler through RunCommand.
    void Bind(QAction* action, const std::function<void()>& handler);

    // ---- page analysis -----------------------------------------------------------------------
    // The page scanner, owned for the whole run; it reads the editor's text.
    THTMLParser* HpParser = nullptr;
    // Scans the shown page unless the scanner's lists already come from its current text.
    void ScanShownPage(bool force = false);
    // The navigator in the left pane (html/navigator.h).
    TNavigator* Navigator = nullptr;
    // ---- end of navigator ------------------------------------------------------------------

    // The tag commands without a dialog (app/tagcommands.h).
    TTagCommands* TagCommands = nullptr;
    // Completion, the typed word, the macro and the tag editor (html/editingaids.h).
    TEditingAids* EditingAids = nullptr;

    // Settings carried between runs, options and about (app/startup.h).
    TStartup* Startup = nullptr;
    // The element dialogs (markup/elements.h), the site browser and projects
    // (site/sitebrowser.h), find and replace (site/findreplace.h).
    TElementDialogs* ElementDialogs = nullptr;
    TSiteBrowser* SiteBrowser = nullptr;
    TFindReplace* FindReplace = nullptr;
    // The wizard, colour templates, style block and class editor (markup/pagedesign.h).
    TPageDesign* PageDesign = nullptr;
    // Preview, browser test, printing and help (app/preview.h).
    TPreview* Preview = nullptr;

public slots:
    // ---- commands of the document workspace ---------------------------------------------
    void acDefaultPageExecute();
    void acOpenExecute();
    void acSaveExecute();
    void acSaveAsExecute();
    void acSaveAllExecute();
    void acClosePageExecute();
    void acQuitExecute();
    void acUndoExecute();
    void acCutExecute();
    void acCopyExecute();
    void acPasteExecute();
    void acSelectAllExecute();
    void reSourceChange();
    void reSourceSelectionChange();
    void reSourceEnter();
    // Files dropped on the window, in the order delivered.
    void DropFiles(const QStringList& paths);

    // ---- view ----------------------------------------------------------------------------
    void acNavigatorExecute();
    void acWordwrapExecute();
    void splVerticalMoved();

signals:
    // The shown page changed (switch, Save, Save As): the scanner hook rescans it.
    void ShownPageChanged(bool fileNameAssigned);
    // CloseAllDocuments emptied the document set (the navigator empties its lists).
    void AllDocumentsClosed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Parts of the window built by the subsystems that own them (each in its own file):
    // html/navigator.cpp, html/editingaids.cpp, markup/quicklists.cpp.

    void FormCreate();
    void CreateActions();
    void CreateLayout();
    void CreateMenus();
    void BindDocumentCommands();
    void UpdateSaveAll();
    void UpdateClosePage();
    void KeepShownViewState();
    void ForgetShownDocument();
    void OnDocumentAdded(int index);
    void OnDocumentRemoved(int index);
    void OnDocumentsCleared();
    void OnDocumentModifiedChanged(int index, bool modified);
    void ApplyWrapMode();
    void ReportReferences(int references);
    void SetEditTarget(int target);
    int EditTarget() const;
    QWidget* EditTargetWidget() const;
    void RescanShownPage(bool fileNameAssigned);
    void AttachChangeHandler(bool attached) { FChangeHandlerAttached = attached; }
    void OnTabBarCurrentChanged(int index);

    QList<QAction*> FActions;
    TDocument* FShown = nullptr;             // the document the editor shows
    QTextDocument* FBlankDocument = nullptr; // shown while no document is
    bool FChangeHandlerAttached = true;
    bool FSelectingByCommand = false;
    int FEditTarget = etEditor;
    TOpenFileResult FOpenDialogResult;

    // ---- page analysis ----
    const TDocument* FScanned = nullptr; // the document, text revision and scan number of
    quint64 FScannedRevision = 0;        // the last full scan of the shown page
    quint64 FScannedNumber = 0;
    struct TKeptScan {
        quint64 Revision = 0;
        THTMLParser::TSnapshot Results;
    };
    QHash<const TDocument*, TKeptScan> FScanResults; // each document's last full scan
};
