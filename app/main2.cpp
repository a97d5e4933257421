#include "app/main2.h"

#include "app/RichEditEx.h"
#include "app/actiontable.h"
#include "app/apphome.h"
#include "app/documentset.h"
#include "app/icons.h"
#include "app/platform.h"
#include "app/preview.h"
#include "app/rcstring.h"
#include "app/settings.h"
#include "app/startup.h"
#include "app/tagcommands.h"
#include "app/textfile.h"
#include "html/HTMLParser.h"
#include "html/editingaids.h"
#include "html/navigator.h"
#include "markup/elements.h"
#include "markup/pagedesign.h"
#include "markup/quicklists.h"
#include "site/findreplace.h"
#include "site/sitebrowser.h"
#include "site/toolfunc.h"
#include "widgets/wraptoolbar.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextDocumentLayout>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TfrmMain::TfrmMain(const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent), Arguments(arguments) {
    setObjectName(u"frmMain"_s);
    Documents = new TDocumentSet(this);
    Documents->setObjectName(u"Documents"_s);
    CreateActions();
    QuickLists = new TQuickLists(this);
    CreateLayout();
    CreateMenus();
    BindDocumentCommands();
    TagCommands = new TTagCommands(this);
    HpParser = new THTMLParser(this);
    HpParser->setObjectName(u"HpParser"_s);
    HpParser->setPageEditor(reSource);
    HpParser->setLightMode(false);
    HpParser->setTag(0);
    Navigator = new TNavigator(this);
    EditingAids = new TEditingAids(this);
    ElementDialogs = new TElementDialogs(this);
    SiteBrowser = new TSiteBrowser(this);
    FindReplace = new TFindReplace(this);
    PageDesign = new TPageDesign(this);
    Preview = new TPreview(this);
    FormCreate();
}

TfrmMain::~TfrmMain() {
    // The widgets are destroyed after this body, when the window is no longer a TfrmMain: no
    // signal or event filter of theirs may reach its handlers any more.
    // Nor may they reach a subsystem (or its filters), whose handlers use the window.
    QList<QObject*> own;
    for (QObject* o : findChildren<QObject*>())
        if (!o->isWidgetType())
            own << o;
    for (QWidget* w : findChildren<QWidget*>()) {
        QObject::disconnect(w, nullptr, this, nullptr);
        w->removeEventFilter(this);
        for (QObject* o : std::as_const(own)) {
            QObject::disconnect(w, nullptr, o, nullptr);
            w->removeEventFilter(o);
        }
    }
    // The documents go before the editor does: it must not be left showing one of them.
    reSource->setDocument(FBlankDocument);
}

void TfrmMain::RunCommand(const std::function<void()>& command) {
    try {
        command();
    } catch (const EFileError& e) {
        ShowError(this, e.Message());
    } catch (const std::exception& e) {
        // Nothing else should escape a command; if it does, say so rather than end the run.
        ShowError(this, u"Внутренняя ошибка: %1"_s.arg(QString::fromLocal8Bit(e.what())));
    }
}

void TfrmMain::Bind(QAction* action, const std::function<void()>& handler) {
    connect(action, &QAction::triggered, this, [this, handler] { RunCommand(handler); });
}

QAction* TfrmMain::ActionByName(const QString& name) const {
    for (QAction* a : FActions)
        if (a->objectName() == name)
            return a;
    return nullptr;
}

void TfrmMain::CreateActions() {
    for (const TActionRow& row : ActionTable()) {
        auto* a = new QAction(this);
        a->setObjectName(QString::fromLatin1(row.Name));
        const QString caption = QString::fromUtf16(row.Caption);
        const QString hint = QString::fromUtf16(row.Hint);
        a->setText(caption.isEmpty() ? hint : caption);
        a->setIconText(caption.isEmpty() ? hint : caption);
        a->setToolTip(hint.isEmpty() ? QString(caption).remove(u'&') : hint);
        a->setStatusTip(hint);
        a->setProperty("Category", QString::fromUtf16(row.Category));
        a->setProperty("Caption", caption);
        a->setProperty("Hint", hint);
        if (row.Keys[0] != 0)
            a->setShortcut(QKeySequence(QString::fromLatin1(row.Keys), QKeySequence::PortableText));
        a->setIcon(CommandIcon(QString::fromLatin1(row.Icon)));
        this->*(row.Member) = a;
        addAction(a); // shortcuts work wherever the focus is
        FActions << a;
    }
    acMoveFile->setData(-1000);
    acCopyFile->setData(1000);
    acNavigator->setCheckable(true);
    acNavigator->setChecked(true);
    acWordWrap->setCheckable(true);
    acPreview->setEnabled(false);
    acClosePage->setEnabled(false);
    acInternalPreview->setEnabled(false);
    for (QAction* a : {acUndo, acCut, acCopy, acPaste, acSelectAll})
        a->setData(int(etEditor));
}

namespace {

// Toolbars wrap their buttons onto a further row or column instead of hiding them, so every
// command stays reachable at the window's smallest size.
TWrapToolBar* MakeToolBar(const QString& name, QWidget* parent,
                          Qt::Orientation o = Qt::Horizontal) {
    auto* tb = new TWrapToolBar(o, parent);
    tb->setObjectName(name);
    return tb;
}

} // namespace

void TfrmMain::CreateLayout() {
    setWindowTitle(u"Quorvane"_s);
    setMinimumSize(700, 400);
    auto* central = new QWidget(this);
    auto* root = new QVBoxLayout(central);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);
    setCentralWidget(central);

    // Top panel: the main toolbar and the tag toolbar pages.
    pnlMenu = new QWidget(central);
    pnlMenu->setObjectName(u"pnlMenu"_s);
    // 60 pixels high while the toolbars fit in it; taller when a narrow window wraps them.
    pnlMenu->setMinimumHeight(60);
    auto* top = new QHBoxLayout(pnlMenu);
    top->setContentsMargins(2, 0, 2, 0);
    top->setSpacing(4);
    pnlTopMenu = new QWidget(pnlMenu);
    pnlTopMenu->setObjectName(u"pnlTopMenu"_s);
    pnlTopMenu->setFixedWidth(185); // the main toolbar in two rows
    auto* topLeft = new QVBoxLayout(pnlTopMenu);
    topLeft->setContentsMargins(0, 0, 0, 0);
    tbrMain = MakeToolBar(u"tbrMain"_s, pnlTopMenu);
    tbrMain->addAction(acDefaultPage);
    tbrMain->addSeparator();
    tbrMain->addActions({acOpen, acSave, acSaveAll});
    tbrMain->addSeparator();
    tbrMain->addActions({acCut, acCopy, acPaste});
    tbrMain->addSeparator();
    tbrMain->addActions({acUndo, acOptions, acNavigator, acWordWrap});
    tbrMain->addSeparator();
    tbSiteManagement = new QToolButton(tbrMain);
    tbSiteManagement->setObjectName(u"tbSiteManagement"_s);
    tbSiteManagement->setToolTip(u"Управление проектами"_s);
    tbSiteManagement->setIcon(CommandIcon(u"project"_s));
    tbSiteManagement->setPopupMode(QToolButton::MenuButtonPopup);
    connect(tbSiteManagement, &QToolButton::clicked, acOpenProject, &QAction::trigger);
    tbrMain->addWidget(tbSiteManagement);
    topLeft->addWidget(tbrMain, 0, Qt::AlignVCenter);
    top->addWidget(pnlTopMenu, 0);

    pcTagMenu = new TSizedTabWidget(pnlMenu);
    pcTagMenu->setObjectName(u"pcTagMenu"_s);
    pcTagMenu->setDocumentMode(true);
    pcTagMenu->SizedTabBar()->SetTabHeight(19);
    auto addPage = [this](QWidget*& page, TWrapToolBar*& bar, const QString& ts, const QString& tbr,
                          const QString& caption) {
        page = new QWidget(pcTagMenu);
        page->setObjectName(ts);
        auto* l = new QHBoxLayout(page);
        l->setContentsMargins(0, 0, 0, 0);
        bar = MakeToolBar(tbr, page);
        l->addWidget(bar);
        pcTagMenu->addTab(page, caption);
    };
    addPage(tsText, tbrText, u"tsText"_s, u"tbrText"_s, u"Текст"_s);
    addPage(tsMisc, tbrFormsTables, u"tsMisc"_s, u"tbrFormsTables"_s, u"Формы и таблицы"_s);
    addPage(tsScripts, tbrScripts, u"tsScripts"_s, u"tbrScripts"_s, u"Сценарии"_s);
    addPage(tsObjects, tbrObjects, u"tsObjects"_s, u"tbrObjects"_s, u"Объекты"_s);
    addPage(tsOther, tbrOther, u"tsOther"_s, u"tbrOther"_s, u"Прочее"_s);

    tbrText->addWidget(QuickLists->cbHeaderStyle);
    tbrText->addSeparator();
    tbrText->addActions({acBold, acItalics, acUnderline, acFont});
    tbrText->addSeparator();
    tbrText->addActions({acBr, acPreformatted, acCenter, acParagraph});
    tbrText->addSeparator();
    tbrText->addActions({acStyle, acHr, acUl, acLi});
    tbrText->addSeparator();
    tbrText->addActions({acAnchor, acDiv});
    tbrText->addSeparator();
    tbrText->addAction(acImage);

    tbrFormsTables->addWidget(QuickLists->cbFormElement);
    tbrFormsTables->addActions({acForm, acSelect});
    tbrFormsTables->addSeparator();
    tbrFormsTables->addActions({acTable, acTr, acTd, acCaption});

    tbrScripts->addWidget(QuickLists->cbScriptType);
    tbrScripts->addActions({acNoscript, acApplet});
    tbrScripts->addSeparator();
    tbrScripts->addWidget(QuickLists->cbColdFusion);

    tbrObjects->addWidget(QuickLists->cbActiveSP);
    tbrObjects->addSeparator();
    tbrObjects->addActions({acObject, acParam});
    tbrObjects->addSeparator();
    tbrObjects->addActions({acEmbed, acNoembed});
    tbrObjects->addSeparator();
    tbrObjects->addAction(acShockWaveFlash);

    tbrOther->addActions({acFrameset, acFrame, acNoframes});
    tbrOther->addSeparator();
    tbrOther->addWidget(QuickLists->cbServerVars);
    tbrOther->addSeparator();
    tbrOther->addWidget(QuickLists->cbSpecChars);
    tbrOther->addSeparator();
    tbrOther->addAction(acComment);
    tbrOther->addSeparator();
    tbrOther->addActions({acMap, acArea});
    top->addWidget(pcTagMenu, 1);
    root->addWidget(pnlMenu);

    // Left pane and editor area.
    splVertical = new QSplitter(Qt::Horizontal, central);
    splVertical->setObjectName(u"splVertical"_s);
    splVertical->setHandleWidth(2);
    splVertical->setChildrenCollapsible(false);
    pcNavigator = new TSizedTabWidget(splVertical);
    pcNavigator->setObjectName(u"pcNavigator"_s);
    // The caption's line with 3 pixels above and below; the width follows the pane's.
    pcNavigator->SizedTabBar()->SetTabHeight(pcNavigator->fontMetrics().height() + 6);
    tsNavigator = new QWidget(pcNavigator);
    tsNavigator->setObjectName(u"tsNavigator"_s);
    auto* navLayout = new QVBoxLayout(tsNavigator);
    navLayout->setContentsMargins(0, 0, 0, 0);
    navLayout->setSpacing(0);
    pcNavigator->addTab(tsNavigator, u"Навигатор"_s);
    tsFind = new QWidget(pcNavigator);
    tsFind->setObjectName(u"tsFind"_s);
    auto* findLayout = new QVBoxLayout(tsFind);
    findLayout->setContentsMargins(2, 2, 2, 2);
    edFindText = new QLineEdit(tsFind);
    edFindText->setObjectName(u"edFindText"_s);
    edReplaceWith = new QLineEdit(tsFind);
    edReplaceWith->setObjectName(u"edReplaceWith"_s);
    // The page's controls are laid out by the find subsystem (site/findreplace.cpp).
    pcNavigator->addTab(tsFind, u"Поиск"_s);
    pcNavigator->setMinimumWidth(120);
    pcNavigator->resize(220, pcNavigator->height());

    pnlEditor = new QWidget(splVertical);
    pnlEditor->setObjectName(u"pnlEditor"_s);
    auto* ed = new QVBoxLayout(pnlEditor);
    ed->setContentsMargins(0, 0, 0, 0);
    ed->setSpacing(0);
    tcEditor = new QTabBar(pnlEditor);
    tcEditor->setObjectName(u"tcEditor"_s);
    tcEditor->setExpanding(false);
    tcEditor->setDocumentMode(true);
    tcEditor->setContextMenuPolicy(Qt::CustomContextMenu);
    ed->addWidget(tcEditor);
    lblFileName = new QLabel(pnlEditor);
    lblFileName->setObjectName(u"lblFileName"_s);
    lblFileName->setContentsMargins(4, 2, 4, 2);
    lblFileName->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Names are shown as they are: a folder called "<img src=...>" is no markup to render.
    lblFileName->setTextFormat(Qt::PlainText);
    ed->addWidget(lblFileName);

    splEditorFind = new QSplitter(Qt::Vertical, pnlEditor);
    splEditorFind->setObjectName(u"splEditorFind"_s);
    auto* work = new QWidget(splEditorFind);
    auto* workLayout = new QHBoxLayout(work);
    workLayout->setContentsMargins(0, 0, 0, 0);
    workLayout->setSpacing(0);
    tbrLeft = MakeToolBar(u"tbrLeft"_s, work, Qt::Vertical);
    tbrLeft->addActions({acBold, acItalics, acUnderline, acFont, acAnchor, acImage, acHr, acForm,
                         acTable, acFrameset, acInsertColor, acEditTag});
    workLayout->addWidget(tbrLeft);
    reSource = new TRichEditEx(work);
    reSource->setObjectName(u"reSource"_s);
    FBlankDocument = new QTextDocument(this);
    FBlankDocument->setDocumentLayout(new QPlainTextDocumentLayout(FBlankDocument));
    reSource->setDocument(FBlankDocument);
    reSource->setFrameShape(QFrame::NoFrame);
    reSource->setMinimumSize(400, 100);
    reSource->setTabChangesFocus(false);
    reSource->setContextMenuPolicy(Qt::CustomContextMenu);
    reSource->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    reSource->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QFont font(u"Courier New"_s);
    font.setStyleHint(QFont::Monospace);
    font.setPointSize(10);
    reSource->setFont(font);
    workLayout->addWidget(reSource, 1);
    lvSearchResults = new QTreeWidget(splEditorFind);
    lvSearchResults->setObjectName(u"lvSearchResults"_s);
    lvSearchResults->setHeaderLabels({u"Файл"_s, u"Строка"_s});
    lvSearchResults->setRootIsDecorated(false);
    lvSearchResults->header()->resizeSection(0, 300);
    lvSearchResults->header()->resizeSection(1, 300);
    lvSearchResults->setMinimumHeight(10);
    splEditorFind->addWidget(work);
    splEditorFind->addWidget(lvSearchResults);
    splEditorFind->setStretchFactor(0, 1);
    ed->addWidget(splEditorFind, 1);

    splVertical->addWidget(pcNavigator);
    splVertical->addWidget(pnlEditor);
    splVertical->setStretchFactor(1, 1);
    splVertical->setSizes({220, 800});
    root->addWidget(splVertical, 1);

    sbStatus = statusBar();
    sbStatus->setObjectName(u"sbStatus"_s);
    const int widths[3] = {500, 100, 100};
    for (int i = 0; i < 3; ++i) {
        sbPanels[i] = new QLabel(sbStatus);
        sbPanels[i]->setObjectName(u"sbPanel%1"_s.arg(i));
        sbPanels[i]->setTextFormat(Qt::PlainText);
        sbPanels[i]->setMinimumWidth(widths[i]);
        sbPanels[i]->setFrameShape(QFrame::StyledPanel);
        sbPanels[i]->setFrameShadow(QFrame::Sunken);
        if (i == 1)
            sbPanels[i]->setAlignment(Qt::AlignCenter);
        sbStatus->addWidget(sbPanels[i], i == 0 ? 1 : 0);
    }

    connect(tcEditor, &QTabBar::currentChanged, this, &TfrmMain::OnTabBarCurrentChanged);
    connect(reSource, &QPlainTextEdit::textChanged, this, [this] {
        if (FChangeHandlerAttached)
            reSourceChange();
    });
    connect(reSource, &QPlainTextEdit::cursorPositionChanged, this,
            &TfrmMain::reSourceSelectionChange);
    connect(reSource, &QPlainTextEdit::selectionChanged, this, &TfrmMain::reSourceSelectionChange);
    connect(splVertical, &QSplitter::splitterMoved, this, &TfrmMain::splVerticalMoved);
    reSource->installEventFilter(this);
    edFindText->installEventFilter(this);
    edReplaceWith->installEventFilter(this);
    setAcceptDrops(true);
}

void TfrmMain::CreateMenus() {
    QMenuBar* mmMain = menuBar();
    mmMain->setObjectName(u"mmMain"_s);
    miFile = mmMain->addMenu(u"&Файл"_s);
    miFile->setObjectName(u"miFile"_s);
    miFile->addActions({acDefaultPage, acOpen, acSave, acSaveAs, acSaveAll});
    miFile->addSeparator();
    miFile->addActions({acPrnSetup, acPrint, acPreview});
    miFile->addSeparator();
    miFile->addAction(acQuit);

    miEdit = mmMain->addMenu(u"&Правка"_s);
    miEdit->setObjectName(u"miEdit"_s);
    miEdit->addAction(acUndo);
    miEdit->addSeparator();
    miEdit->addActions({acCut, acCopy, acPaste, acSelectAll});
    miEdit->addSeparator();
    miEdit->addAction(acEditTag);
    miEdit->addSeparator();
    miEdit->addAction(acOptions);

    miInsert = mmMain->addMenu(u"&Вставка"_s);
    miInsert->setObjectName(u"miInsert"_s);
    miInsert->addActions({acOpeningBrackets, acClosingBrackets});

    miView = mmMain->addMenu(u"В&ид"_s);
    miView->setObjectName(u"miView"_s);
    miView->addActions({acNavigator, acWordWrap});
    miView->addSeparator();
    miView->addAction(acFoundFiles);

    miHelpM = mmMain->addMenu(u"&?"_s);
    miHelpM->setObjectName(u"miHelpM"_s);
    miHelpM->addAction(acHelp);
    miHelpM->addSeparator();
    miHelpM->addAction(acAbout);

    pmSrc = new QMenu(this);
    pmSrc->setObjectName(u"pmSrc"_s);
    pmSrc->addActions({acCut, acCopy, acPaste, acSelectAll});
    pmSrc->addSeparator();
    pmSrc->addAction(acClosePage);
    pmSrc->addSeparator();
    pmSrc->addAction(acOptions);
    auto popup = [this](QWidget* w, const QPoint& pos) { pmSrc->popup(w->mapToGlobal(pos)); };
    connect(reSource, &QWidget::customContextMenuRequested, this,
            [this, popup](const QPoint& p) { popup(reSource->viewport(), p); });
    connect(tcEditor, &QWidget::customContextMenuRequested, this,
            [this, popup](const QPoint& p) { popup(tcEditor, p); });

    pmSiteDir = new QMenu(this);
    pmSiteDir->setObjectName(u"pmSiteDir"_s);
    miCreateDirectory = pmSiteDir->addAction(u"Создать каталог"_s);
    miCreateDirectory->setObjectName(u"miCreateDirectory"_s);
    miDeleteFromSite = pmSiteDir->addAction(u"Удалить"_s);
    miDeleteFromSite->setObjectName(u"miDeleteFromSite"_s);
    miCreateLink = pmSiteDir->addAction(u"Создать ссылку"_s);
    miCreateLink->setObjectName(u"miCreateLink"_s);
    pmSiteDir->addSeparator();
    pmSiteDir->addActions({acCopyFile, acMoveFile});
    pmSiteDir->addSeparator();
    miPreviewInBrowser = pmSiteDir->addAction(u"Просмотр в браузере"_s);
    miPreviewInBrowser->setObjectName(u"miPreviewInBrowser"_s);

    pmSite = new QMenu(this);
    pmSite->setObjectName(u"pmSite"_s);
    pmSite->addAction(acEditProject);
    pmSite->addSeparator();
    // The same command as "Определить", under the caption the project menu gives it.
    auto* miNewProject = pmSite->addAction(u"Новый проект"_s);
    miNewProject->setObjectName(u"miNewProject"_s);
    connect(miNewProject, &QAction::triggered, acNewProject, &QAction::trigger);
    connect(acNewProject, &QAction::changed, miNewProject,
            [this, miNewProject] { miNewProject->setEnabled(acNewProject->isEnabled()); });
    tbSiteManagement->setMenu(pmSite);

    pmAddClass = new QMenu(this);
    pmAddClass->setObjectName(u"pmAddClass"_s);
    miAddCSSClass = pmAddClass->addAction(u"Определить класс CSS"_s);
    miAddCSSClass->setObjectName(u"miAddCSSClass"_s);
}

void TfrmMain::FormCreate() {
    Startup = new TStartup(this);
    // The quick-insert lists show their caption entry; the heading list waits for a selection.
    QuickLists->Reset();
    EditingAids->TypedWord.clear();
    for (QAction* a : {acSaveAll, acSave, acSaveAs, acUpdatePage, acUndo, acClosePage})
        a->setEnabled(false);
    acEditProject->setEnabled(false);
    splEditorFind->setSizes({10000, 10});
    splEditorFind->handle(1)->setEnabled(false);
    setWindowIcon(QApplication::windowIcon());
    pcTagMenu->setCurrentWidget(tsText);
    pcNavigator->setCurrentWidget(tsNavigator);
    splVerticalMoved();
    // The empty workspace: nothing to type into until a document is open.
    pcTagMenu->setEnabled(false);
    tbrLeft->setEnabled(false);
    miEdit->setEnabled(false);
    miInsert->setEnabled(false);
    reSource->setEnabled(true);
    reSource->setReadOnly(true);
    CreateProjectsFolder();
    const TSettings settings = Startup->ReadSettings();

    const QString arg = Arguments.value(0);
    if (!arg.isEmpty() && QFileInfo(arg).isFile() && IsHtmlFile(arg))
        RunCommand([this] { OpenDocument(osCommandLine); });

    acWordWrap->setChecked(settings.IsWordWrap);
    ApplyWrapMode();
    acNavigator->setChecked(settings.NavVisible);
    pcNavigator->setVisible(acNavigator->isChecked());
    reSource->setFocus();
    acCut->setEnabled(false);
    acCopy->setEnabled(false);
    acUndo->setEnabled(reSource->document()->isUndoAvailable());
}

int TfrmMain::DocumentCount() const {
    return Documents->Count();
}

QStringList TfrmMain::FileNames() const {
    return Documents->FileNames();
}

QStringList TfrmMain::ReadOnlyFlags() const {
    return Documents->ReadOnlyFlags();
}

QStringList TfrmMain::ModifiedFlags() const {
    return Documents->ModifiedFlags();
}

QStringList TfrmMain::PageTexts() const {
    QStringList texts;
    for (int i = 0; i < Documents->Count(); ++i)
        texts << Documents->At(i)->Text();
    return texts;
}

void TfrmMain::SetStatusText(int panel, const QString& text) {
    if (panel >= 0 && panel < 3)
        sbPanels[panel]->setText(text);
}

QString TfrmMain::StatusText(int panel) const {
    return panel >= 0 && panel < 3 ? sbPanels[panel]->text() : QString();
}

void TfrmMain::acNavigatorExecute() {
    acNavigator->setChecked(!acNavigator->isChecked());
    pcNavigator->setVisible(acNavigator->isChecked());
}

void TfrmMain::acWordwrapExecute() {
    const int start = reSource->SelStart();
    const int length = reSource->SelLength();
    acWordWrap->setChecked(!acWordWrap->isChecked());
    ApplyWrapMode();
    reSource->Select(start, length);
}

void TfrmMain::splVerticalMoved() {
    // The site browser's one column fills the list without a horizontal scroll bar.
    if (Navigator && Navigator->lvSite)
        Navigator->lvSite->setColumnWidth(0, qMax(Navigator->lvSite->width() - 20, 0));
    // The two pages of the left pane share its width (the bar lays out again only when the width
    // really changed).
    const int w = (pcNavigator->width() - 4) / 2;
    pcNavigator->SizedTabBar()->SetTabWidth(qMax(w - 2, 40));
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (watched == reSource)
            reSourceEnter();
        else if (watched == edFindText)
            SetEditTarget(etFindText);
        else if (watched == edReplaceWith)
            SetEditTarget(etReplaceWith);
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::reSourceEnter() {
    EditingAids->HideCompletionList();
    SetEditTarget(etEditor);
}

void TfrmMain::SetEditTarget(int target) {
    FEditTarget = target;
    for (QAction* a : {acUndo, acCut, acCopy, acPaste, acSelectAll})
        a->setData(target);
}

int TfrmMain::EditTarget() const {
    return FEditTarget;
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    bool allowed = false;
    RunCommand([&] { allowed = SaveModifiedDocuments(); });
    if (!allowed) {
        event->ignore();
        return;
    }
    Startup->FormClose();
    Documents->DeleteAllPreviewFiles();
    event->accept();
}

void TfrmMain::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TfrmMain::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    event->acceptProposedAction();
    RunCommand([this, paths] { DropFiles(paths); });
}

void TfrmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    Startup->FormShow();
}
