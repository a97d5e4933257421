// The page navigator: the scanner's lists of the shown page in the left pane, the scan's
// progress in the status bar, the tab named after the page title, and link validation.
#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QListWidget;
class QProgressBar;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QWidget;
class TfrmMain;

class TNavigator : public QObject {
    Q_OBJECT

public:
    // Builds its widgets on the window's navigator page and hooks the window's scanner.
    explicit TNavigator(TfrmMain* window);

    // Upper half of the navigator page: the site browser's area (filled by the site browser).
    QWidget* pnlSite = nullptr;
    QTreeWidget* lvSite = nullptr;
    // Lower half: the refresh button, the kinds toolbar and the element list.
    QWidget* pnlUpdateBtn = nullptr;
    QToolButton* sbUpdatePage = nullptr;
    QToolBar* tbrLinksMenu = nullptr;
    QToolButton *tbPageAnchors = nullptr, *tbPageImages = nullptr, *tbPageObjects = nullptr,
                *tbPageEmbeds = nullptr, *tbPageFrames = nullptr, *tbPageClasses = nullptr;
    QListWidget* lvContent = nullptr;
    // The scan's progress in the status bar; visible only while a scan runs.
    QProgressBar* pbParse = nullptr;
    // The CSS class editor, shown modally by "Определить класс CSS" (filled by its owner).
    std::function<void()> ShowClassEditor;

    void acUpdatePageExecute();
    void acLinkValidateExecute();
    void HpParserBeforeParse(QObject* sender);
    void HpParserParse(QObject* sender, quint8 percentDone);
    void HpParserAfterParse(QObject* sender);
    void tbPageImagesClick(QToolButton* sender);
    void tvPageContentClick();
    void pmAddClassPopup();
    void lvContentDblClick();
    void tsNavigatorShow() {}
    // The shown page changed: scan it (the tab switch, Save and Save As hook).
    void NavigatorRescan(bool fileNameAssigned);
    // The path of the shown document, empty without one.
    QString ActiveDocumentPath() const;

private:
    void CreateWidgets();
    void FindClass(const QString& name);
    void OpenNavigatorTarget(const QString& path);
    void SelectFound(const QString& text, int extra);

    TfrmMain* W;
    int FParsePercent = -1;               // the last percent for which messages were processed
    int FShownPercent = -1;               // the last percent the indicator was given
    QElapsedTimer FParseClock;            // time since messages were last processed in a scan
    int FContentKind = -1;                // the kind of entries lvContent shows
    bool FNavigatorRescanPending = false; // the shown page changed while a scan ran
    quint64 FContentGeneration = 0;       // counts rebuilds of the element list
    QString FLinksCheckedFor;             // the page whose list's marks are current
    struct TKeptMarks {
        QStringList Entries;
        QList<int> Kinds;
    };
    QHash<QString, TKeptMarks> FKeptMarks; // the last checked marks of each page and kind
};
