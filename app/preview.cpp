#include "app/preview.h"

#include "app/RichEditEx.h"
#include "app/browserview.h"
#include "app/documentset.h"
#include "app/main2.h"
#include "app/previewlogic.h"
#include "app/rcstring.h"
#include "app/textfile.h"
#include "site/WebSite.h"
#include "site/sitebrowser.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLibrary>
#include <QMenu>
#include <QOpenGLContext>
#include <QPrintDialog>
#include <QPrinter>
#include <QSet>
#include <QSurfaceFormat>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidgetAction>

using namespace Qt::StringLiterals;

Q_GUI_EXPORT QOpenGLContext* qt_gl_global_share_context();
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);

namespace {

const QString kPreviewName = u"tmp_no0.html"_s;

// Qt WebEngine renders through a context that shares with the application's global OpenGL
// context, which Qt makes at start only when asked before the application object exists. Made
// here, on the first preview, it costs the start nothing. (Exported by Qt GUI; the declaration is
// in its private header.)
void EnsureSharedOpenGLContext() {
    if (qt_gl_global_share_context())
        return;
    // As Qt makes it at start: set even when it cannot be made (no OpenGL, as on an offscreen
    // platform); the browser then draws in software, but it needs the object all the same.
    auto* context = new QOpenGLContext(qApp);
    context->setFormat(QSurfaceFormat::defaultFormat());
    context->create();
    qt_gl_set_global_share_context(context);
    // Contexts made from now on (the browser's view) share with it. Qt warns that the attribute
    // comes late, which is the point here; that one warning is kept out of the output.
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& where, const QString& message) {
            if (previous && !message.contains(u"AA_ShareOpenGLContexts"_s))
                previous(type, where, message);
        });
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    qInstallMessageHandler(previous);
}

// The browser module: beside the program in the build folder, in lib/quorvane/ once installed,
// and by its build path for what runs from folders of its own (tests, benchmarks). The library
// stays loaded to the end.
TCreateBrowserView LoadBrowserModule(QString* why) {
    const QString home = QCoreApplication::applicationDirPath();
    QStringList candidates{home + u"/libquorvane_browser.so"_s};
#ifdef QUORVANE_BROWSER_INSTALLED
    candidates << QDir::cleanPath(home + u'/' + QStringLiteral(QUORVANE_BROWSER_INSTALLED));
#endif
#ifdef QUORVANE_BROWSER_MODULE
    candidates << QStringLiteral(QUORVANE_BROWSER_MODULE);
#endif
    EnsureSharedOpenGLContext();
    QString error;
    for (const QString& path : std::as_const(candidates)) {
        if (!QFile::exists(path))
            continue;
        QLibrary module(path);
        if (const auto create =
                reinterpret_cast<TCreateBrowserView>(module.resolve(kCreateBrowserViewSymbol)))
            return create;
        error = module.errorString();
    }
    *why = error.isEmpty() ? u"не найден модуль браузера libquorvane_browser.so."_s
                           : u"не загружается модуль браузера (%1)."_s.arg(error);
    return nullptr;
}

} // namespace

TPreview::TPreview(TfrmMain* window) : QObject(window), W(window) {
    setObjectName(u"Preview"_s);
    HelpSearchFolders = HelpFolders(QCoreApplication::applicationDirPath());

    // The strip sits at the bottom of the editor area, below the search results.
    tsEditPreview = new QTabBar(W->pnlEditor);
    tsEditPreview->setObjectName(u"tsEditPreview"_s);
    tsEditPreview->setShape(QTabBar::RoundedSouth);
    tsEditPreview->setDrawBase(false);
    tsEditPreview->setExpanding(false);
    QFont small = tsEditPreview->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    tsEditPreview->setFont(small);
    tsEditPreview->addTab(u"Редактор"_s);
    tsEditPreview->addTab(u"Просмотр"_s);
    tsEditPreview->setCurrentIndex(0);
    if (auto* box = qobject_cast<QBoxLayout*>(W->pnlEditor->layout()))
        box->addWidget(tsEditPreview);
    connect(tsEditPreview, &QTabBar::currentChanged, this, &TPreview::OnTabChanged);

    W->Bind(W->acInternalPreview, [this] { acInternalPreviewExecute(); });
    W->Bind(W->acPreview, [this] { acPreviewExecute(); });
    W->Bind(W->acPrint, [this] { acPrintExecute(); });
    W->Bind(W->acPrnSetup, [this] { acPrnSetupExecute(); });
    W->Bind(W->acHelp, [this] { acHelpExecute(); });

    // A switch of document keeps the mode; the private copy of the previous page goes.
    connect(W->Documents, &TDocumentSet::CurrentChanged, this, [this] { DocumentSwitched(); });
    connect(W->Documents, &TDocumentSet::DocumentRemoved, this,
            [this] { LeavePreviewWhenEmpty(); });
    connect(W->Documents, &TDocumentSet::Cleared, this, [this] { LeavePreviewWhenEmpty(); });
}

// The window detaches its widgets' signals before they go; the help window is its child.
TPreview::~TPreview() = default;

QPrinter* TPreview::Printer() {
    if (!FPrinter)
        FPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return FPrinter.get();
}

// ---- editor and preview -------------------------------------------------------------------

void TPreview::acInternalPreviewExecute() {
    tsEditPreview->setCurrentIndex(tsEditPreview->currentIndex() == 0 ? 1 : 0);
}

void TPreview::OnTabChanged(int index) {
    if (FRevertingTab)
        return;
    bool allowed = false;
    W->RunCommand([&] { allowed = tsEditPreviewChange(index); });
    if (!allowed) {
        FRevertingTab = true;
        tsEditPreview->setCurrentIndex(FInPreview ? 1 : 0);
        FRevertingTab = false;
    }
}

bool TPreview::tsEditPreviewChange(int t) {
    if (W->DocumentCount() == 0)
        return false;
    if (t == 0)
        ShowEditor();
    else
        ShowPreview();
    return true;
}

QList<QAction*> TPreview::EditingActions() const {
    // The commands of the hidden toolbars and the disabled menus, except those the File, View
    // and Help menus still offer. Lists and buttons placed as widgets go with their toolbar.
    QSet<QAction*> stay;
    for (QMenu* menu : {W->miFile, W->miView, W->miHelpM}) {
        const auto actions = menu->actions();
        for (QAction* a : actions)
            stay.insert(a);
    }
    QList<QAction*> out;
    for (QWidget* holder : std::initializer_list<QWidget*>{
             W->tbrMain, W->tbrText, W->tbrFormsTables, W->tbrScripts, W->tbrObjects, W->tbrOther,
             W->tbrLeft, W->miEdit, W->miInsert}) {
        if (!holder)
            continue;
        const auto actions = holder->actions();
        for (QAction* a : actions) {
            if (a->isSeparator() || a->menu() || qobject_cast<QWidgetAction*>(a) ||
                stay.contains(a) || out.contains(a))
                continue;
            out << a;
        }
    }
    return out;
}

void TPreview::ShowEditor() {
    for (QAction* a : std::as_const(FHiddenActions))
        if (a)
            a->setVisible(true);
    FHiddenActions.clear();
    W->pnlMenu->setVisible(true);
    W->tbrLeft->setVisible(true);
    // The menus come back as they were: without a document they stay off.
    if (FInPreview) {
        W->miEdit->setEnabled(FEditMenuEnabled);
        W->miInsert->setEnabled(FInsertMenuEnabled);
    }
    if (wbPreview)
        wbPreview->hide();
    W->reSource->show();
    FInPreview = false;
}

void TPreview::ShowPreview() {
    const QString file = WritePreviewFile();
    W->pnlMenu->setVisible(false);
    W->tbrLeft->setVisible(false);
    if (!FInPreview) {
        FEditMenuEnabled = W->miEdit->isEnabled();
        FInsertMenuEnabled = W->miInsert->isEnabled();
        // An action out of sight has no shortcut either: Ctrl+B and the like insert nothing
        // into the hidden editor.
        const auto actions = EditingActions();
        for (QAction* a : actions) {
            if (a->isVisible()) {
                a->setVisible(false);
                FHiddenActions << a;
            }
        }
    }
    W->miEdit->setEnabled(false);
    W->miInsert->setEnabled(false);
    EnsureBrowser();
    FShownFile = file;
    // Without the module the notice in the browser's place says why nothing is shown.
    if (FBrowser && file.isEmpty())
        FBrowser->SetHtml(QString());
    else if (FBrowser)
        FBrowser->Load(QUrl::fromLocalFile(file));
    W->reSource->hide();
    wbPreview->show();
    FInPreview = true;
}

void TPreview::EnsureBrowser() {
    if (wbPreview)
        return;
    QWidget* area = W->reSource->parentWidget();
    QString why;
    if (const auto create = LoadBrowserModule(&why))
        FBrowser = create(area);
    if (FBrowser) {
        wbPreview = FBrowser->Widget();
    } else {
        auto* notice = new QLabel(u"Просмотр недоступен: %1"_s.arg(why), area);
        notice->setAlignment(Qt::AlignCenter);
        notice->setWordWrap(true);
        wbPreview = notice;
    }
    wbPreview->setObjectName(u"wbPreview"_s);
    wbPreview->hide();
    if (auto* box = qobject_cast<QBoxLayout*>(area->layout()))
        box->insertWidget(box->indexOf(W->reSource) + 1, wbPreview, 1);
}

QString TPreview::WritePreviewFile() {
    const QString text = W->reSource->toPlainText();
    const QString target = W->Documents->PreviewFile();
    DropPrivateCopy();
    // Beside the page, relative links and pictures resolve. Only a copy this run wrote is ever
    // replaced there: a link, a folder or someone's own file of that name is left alone.
    if (!target.isEmpty() && MayWritePreviewAt(target, W->Documents->WrotePreviewFile(target))) {
        try {
            W->Documents->WritePreviewFile(text);
            return target;
        } catch (const EFileError&) {
            // A folder that cannot be written: the private copy below still shows the text.
        }
    }
    return WritePrivateCopy(text);
}

QString TPreview::WritePrivateCopy(const QString& text) {
    FPrivateDir = std::make_unique<QTemporaryDir>(QDir::tempPath() + u"/quorvane-preview-XXXXXX"_s);
    if (!FPrivateDir->isValid()) {
        FPrivateDir.reset();
        return {};
    }
    const QString file = FPrivateDir->filePath(kPreviewName);
    try {
        ReplaceWithPage(file, text);
    } catch (const EFileError&) {
        // Nothing can be written at all: the browser shows an empty page, without a message.
        return {};
    }
    return file;
}

void TPreview::DropPrivateCopy() {
    FPrivateDir.reset();
}

void TPreview::DocumentSwitched() {
    DropPrivateCopy();
    if (!FInPreview)
        return;
    // Opening a page turns the menus on; in preview they stay off until the editor returns.
    FEditMenuEnabled = FEditMenuEnabled || W->miEdit->isEnabled();
    FInsertMenuEnabled = FInsertMenuEnabled || W->miInsert->isEnabled();
    W->miEdit->setEnabled(false);
    W->miInsert->setEnabled(false);
}

void TPreview::LeavePreviewWhenEmpty() {
    if (W->DocumentCount() > 0 || !FInPreview)
        return;
    // With no page left there is nothing to preview: back to the (empty) editor.
    FRevertingTab = true;
    tsEditPreview->setCurrentIndex(0);
    FRevertingTab = false;
    ShowEditor();
    DropPrivateCopy();
}

// ---- browser test -------------------------------------------------------------------------

void TPreview::acPreviewExecute() {
    const QString root = W->ProjectRootDir ? W->ProjectRootDir() : QString();
    if (root.isEmpty())
        return;
    Platform().OpenWithShell(BrowserTestUrl(root, W->SiteBrowser->wsSite->MainPage()));
}

// ---- printing -----------------------------------------------------------------------------

void TPreview::acPrintExecute() {
    if (W->DocumentCount() == 0)
        return;
    QPrinter* printer = Printer();
    const bool toFile = printer->outputFormat() == QPrinter::PdfFormat;
    if (toFile ? printer->outputFileName().isEmpty() : !printer->isValid()) {
        ShowWarning(W, u"Принтер не найден: установите принтер или выберите печать в файл в "
                       u"окне «Настройка принтера»."_s);
        return;
    }
    W->ScanShownPage();
    printer->setDocName(PrintJobTitle(W->HpParser->PageTitle()));
    W->reSource->print(printer);
}

void TPreview::acPrnSetupExecute() {
    QPrintDialog dialog(Printer(), W);
    dialog.setObjectName(u"dlgPrnsetup"_s);
    dialog.setWindowTitle(u"Настройка принтера"_s);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    Platform().ExecDialog(&dialog);
}

// ---- help ---------------------------------------------------------------------------------

void TPreview::acHelpExecute() {
    const QString file = FindHelpFile(HelpSearchFolders);
    if (file.isEmpty()) {
        ShowWarning(W, u"Не найден файл справки.\nУбедитесь, что он находится в той же папке, что "
                       u"и программа."_s);
        return;
    }
    if (!frmHelp) {
        // A window of its own beside the editor, not a dialog: it stays open while one works.
        frmHelp = new QWidget(W, Qt::Window);
        frmHelp->setObjectName(u"frmHelp"_s);
        frmHelp->setAttribute(Qt::WA_DeleteOnClose);
        frmHelp->setWindowTitle(u"Справка Quorvane"_s);
        frmHelp->resize(760, 600);
        auto* layout = new QVBoxLayout(frmHelp);
        layout->setContentsMargins(0, 0, 0, 0);
        hbHelp = new QTextBrowser(frmHelp);
        hbHelp->setObjectName(u"hbHelp"_s);
        hbHelp->setOpenExternalLinks(true);
        layout->addWidget(hbHelp);
    }
    // Always on the table of contents, also when the window was already open elsewhere.
    hbHelp->setSource(QUrl::fromLocalFile(file), QTextDocument::HtmlResource);
    hbHelp->scrollToAnchor(u"contents"_s);
    frmHelp->show();
    frmHelp->raise();
    frmHelp->activateWindow();
}
