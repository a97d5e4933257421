// The named parts of the main window: its widgets and its actions, one pointer each, under the
// names the command table and the subsystems use. TfrmMain derives from both.
#pragma once

#include "widgets/sizedtabs.h"
#include "widgets/wraptoolbar.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QSplitter;
class QStatusBar;
class QTabBar;
class QTabWidget;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QWidget;
class TRichEditEx;

struct TMainWidgets {
    QWidget* pnlMenu = nullptr;
    QWidget* pnlTopMenu = nullptr;
    TWrapToolBar* tbrMain = nullptr;
    QToolButton* tbSiteManagement = nullptr;
    TSizedTabWidget* pcTagMenu = nullptr;
    QWidget *tsText = nullptr, *tsMisc = nullptr, *tsScripts = nullptr, *tsObjects = nullptr,
            *tsOther = nullptr;
    TWrapToolBar *tbrText = nullptr, *tbrFormsTables = nullptr, *tbrScripts = nullptr,
                 *tbrObjects = nullptr, *tbrOther = nullptr;
    QSplitter* splVertical = nullptr;
    TSizedTabWidget* pcNavigator = nullptr;
    QWidget* tsNavigator = nullptr;
    QWidget* tsFind = nullptr;
    QLineEdit* edFindText = nullptr;
    QLineEdit* edReplaceWith = nullptr;
    QWidget* pnlEditor = nullptr;
    QTabBar* tcEditor = nullptr;
    QLabel* lblFileName = nullptr;
    TWrapToolBar* tbrLeft = nullptr;
    TRichEditEx* reSource = nullptr;
    QSplitter* splEditorFind = nullptr;
    QTreeWidget* lvSearchResults = nullptr;
    QStatusBar* sbStatus = nullptr;

    QMenu *miFile = nullptr, *miEdit = nullptr, *miInsert = nullptr, *miView = nullptr,
          *miHelpM = nullptr;
    QMenu *pmSrc = nullptr, *pmSiteDir = nullptr, *pmSite = nullptr, *pmAddClass = nullptr;
    QAction *miCreateDirectory = nullptr, *miDeleteFromSite = nullptr, *miCreateLink = nullptr,
            *miPreviewInBrowser = nullptr, *miAddCSSClass = nullptr;
};

// The actions, by the categories of the command table.
struct TMainActions {
    // File
    QAction *acDefaultPage = nullptr, *acOpen = nullptr, *acSaveAll = nullptr, *acSaveAs = nullptr,
            *acSave = nullptr, *acPrnSetup = nullptr, *acPrint = nullptr, *acPreview = nullptr,
            *acQuit = nullptr, *acMoveFile = nullptr, *acCopyFile = nullptr,
            *acInternalPreview = nullptr;
    // Edit
    QAction *acUndo = nullptr, *acCut = nullptr, *acCopy = nullptr, *acPaste = nullptr,
            *acSelectAll = nullptr, *acFind = nullptr, *acReplace = nullptr, *acOptions = nullptr,
            *acInsertColor = nullptr, *acEditTag = nullptr, *acLinkValidate = nullptr;
    // View
    QAction *acNavigator = nullptr, *acWordWrap = nullptr, *acFoundFiles = nullptr;
    // Insert
    QAction *acOpeningBrackets = nullptr, *acClosingBrackets = nullptr;
    // Help
    QAction *acHelp = nullptr, *acAbout = nullptr;
    // Other
    QAction *acUpdatePage = nullptr, *acClosePage = nullptr;
    // Project
    QAction *acNewProject = nullptr, *acOpenProject = nullptr, *acEditProject = nullptr;
    // Texttags
    QAction *acBold = nullptr, *acItalics = nullptr, *acUnderline = nullptr, *acBr = nullptr,
            *acPreformatted = nullptr, *acParagraph = nullptr, *acFont = nullptr,
            *acCenter = nullptr, *acStyle = nullptr;
    // Lists
    QAction *acUl = nullptr, *acLi = nullptr;
    // Tables
    QAction *acTable = nullptr, *acTr = nullptr, *acTd = nullptr, *acCaption = nullptr;
    // Misc
    QAction *acAnchor = nullptr, *acImage = nullptr, *acMap = nullptr, *acArea = nullptr,
            *acHr = nullptr, *acComment = nullptr, *acForm = nullptr, *acSelect = nullptr,
            *acObject = nullptr, *acParam = nullptr, *acEmbed = nullptr, *acNoembed = nullptr,
            *acApplet = nullptr, *acNoscript = nullptr, *acDiv = nullptr,
            *acShockWaveFlash = nullptr;
    // Frames
    QAction *acFrameset = nullptr, *acFrame = nullptr, *acNoframes = nullptr;
};
