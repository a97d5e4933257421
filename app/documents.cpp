// The document set behind the editor tabs and the file and edit commands.
#include "app/RichEditEx.h"
#include "app/documentlogic.h"
#include "app/documentset.h"
#include "app/main2.h"
#include "app/platform.h"
#include "app/rcstring.h"
#include "app/textfile.h"
#include "html/HTMLParser.h"
#include "html/editingaids.h"
#include "markup/quicklists.h"
#include "site/toolfunc.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolBar>

using namespace Qt::StringLiterals;

namespace {
QIcon ModifiedTabIcon() {
    // A filled dot, the usual mark of unsaved edits.
    static const QIcon icon = [] {
        QIcon result;
        for (int size : {16, 32}) {
            QPixmap pm(size, size);
            pm.fill(Qt::transparent);
            QPainter p(&pm);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0x3d, 0xae, 0xe9));
            const qreal r = size * 0.22;
            p.drawEllipse(QPointF(size / 2.0, size / 2.0), r, r);
            p.end();
            result.addPixmap(pm);
        }
        return result;
    }();
    return icon;
}
} // namespace

void TfrmMain::BindDocumentCommands() {
    Bind(acDefaultPage, [this] { acDefaultPageExecute(); });
    Bind(acOpen, [this] { acOpenExecute(); });
    Bind(acSave, [this] { acSaveExecute(); });
    Bind(acSaveAs, [this] { acSaveAsExecute(); });
    Bind(acSaveAll, [this] { acSaveAllExecute(); });
    Bind(acClosePage, [this] { acClosePageExecute(); });
    Bind(acQuit, [this] { acQuitExecute(); });
    Bind(acUndo, [this] { acUndoExecute(); });
    Bind(acCut, [this] { acCutExecute(); });
    Bind(acCopy, [this] { acCopyExecute(); });
    Bind(acPaste, [this] { acPasteExecute(); });
    Bind(acSelectAll, [this] { acSelectAllExecute(); });
    connect(Documents, &TDocumentSet::DocumentAdded, this, &TfrmMain::OnDocumentAdded);
    connect(Documents, &TDocumentSet::DocumentRemoved, this, &TfrmMain::OnDocumentRemoved);
    connect(Documents, &TDocumentSet::Cleared, this, &TfrmMain::OnDocumentsCleared);
    connect(Documents, &TDocumentSet::ModifiedChanged, this, &TfrmMain::OnDocumentModifiedChanged);
    connect(Documents, &TDocumentSet::CurrentChanged, this,
            [this] { RunCommand([this] { tcEditorChange(); }); });
    // Tab switching by keys, in both directions and wrapping round.
    const std::pair<QKeySequence, int> switches[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1},
    };
    for (const auto& [keys, step] : switches) {
        auto* s = new QShortcut(keys, this);
        s->setContext(Qt::WindowShortcut);
        connect(s, &QShortcut::activated, this,
                [this, step] { RunCommand([this, step] { ShowNextDocument(step); }); });
    }
    // The two View switches are checkable so menus show their mark; the handlers set the mark
    // themselves, so undo Qt's own toggle before they run (connected first, so called first).
    for (QAction* a : {acNavigator, acWordWrap})
        connect(
            a, &QAction::triggered, this, [a](bool checked) { a->setChecked(!checked); },
            Qt::DirectConnection);
    Bind(acNavigator, [this] { acNavigatorExecute(); });
    Bind(acWordWrap, [this] { acWordwrapExecute(); });
}

void TfrmMain::SetTabCaption(int index, const QString& caption) {
    // A tab shows "&" as a shortcut mark unless it is doubled.
    tcEditor->setTabText(index, QString(caption).replace(u'&', u"&&"_s));
}

QString TfrmMain::TabCaption(int index) const {
    return tcEditor->tabText(index).replace(u"&&"_s, u"&"_s);
}

int TfrmMain::CurrentIndex() const {
    return Documents->CurrentIndex();
}

int TfrmMain::FindDocument(const QString& path) const {
    return Documents->Find(path);
}

void TfrmMain::SelectDocument(int index) {
    Documents->SetCurrent(index);
}

void TfrmMain::OnTabBarCurrentChanged(int index) {
    if (FSelectingByCommand || index < 0 || index >= DocumentCount())
        return;
    // A switch made by the user.
    RunCommand([this, index] { Documents->SetCurrent(index); });
}

void TfrmMain::OnDocumentAdded(int index) {
    FSelectingByCommand = true;
    tcEditor->insertTab(index, QString());
    SetTabCaption(index, TabCaptionFor(Documents->At(index)->Path()));
    FSelectingByCommand = false;
    UpdateClosePage();
}

void TfrmMain::OnDocumentRemoved(int index) {
    FSelectingByCommand = true;
    tcEditor->removeTab(index);
    FSelectingByCommand = false;
    if (FShown && Documents->IndexOf(FShown) < 0)
        ForgetShownDocument();
    if (FScanned && Documents->IndexOf(FScanned) < 0)
        FScanned = nullptr;
    for (auto it = FScanResults.begin(); it != FScanResults.end();)
        it = Documents->IndexOf(it.key()) < 0 ? FScanResults.erase(it) : std::next(it);
    UpdateSaveAll();
    UpdateClosePage();
}

void TfrmMain::OnDocumentModifiedChanged(int index, bool modified) {
    // The caption stays the page's title; the mark says the text differs from the file.
    tcEditor->setTabIcon(index, modified ? ModifiedTabIcon() : QIcon());
    UpdateSaveAll();
}

void TfrmMain::KeepShownViewState() {
    if (!FShown)
        return;
    const QTextCursor c = reSource->textCursor();
    FShown->CaretAnchor = c.anchor();
    FShown->CaretPosition = c.position();
    FShown->ScrollX = reSource->horizontalScrollBar()->value();
    FShown->ScrollY = reSource->verticalScrollBar()->value();
}

void TfrmMain::ForgetShownDocument() {
    // The editor must never hold a document that is about to go: give it a blank one.
    AttachChangeHandler(false);
    reSource->setDocument(FBlankDocument);
    AttachChangeHandler(true);
    FShown = nullptr;
}

void TfrmMain::tcEditorChanging() {
    KeepShownViewState();
}

void TfrmMain::tcEditorChange() {
    const int i = CurrentIndex();
    TDocument* d = Documents->At(i);
    if (!d)
        return;
    if (FShown != d)
        KeepShownViewState();
    FSelectingByCommand = true;
    tcEditor->setCurrentIndex(i);
    FSelectingByCommand = false;
    Documents->DeletePreviewFile();
    SetStatusText(1, QString());
    AttachChangeHandler(false);
    // The wrap mode first: laying a long line out wrapped, only to undo it, costs minutes.
    FShown = d;
    ApplyWrapMode();
    if (reSource->document() != d->TextDocument()) {
        // Setting the font lays the whole text out again: only when it really changed.
        if (d->TextDocument()->defaultFont() != reSource->font())
            d->TextDocument()->setDefaultFont(reSource->font());
        reSource->setDocument(d->TextDocument());
        QTextCursor c(d->TextDocument());
        c.setPosition(qMin(d->CaretAnchor, d->TextDocument()->characterCount() - 1));
        c.setPosition(qMin(d->CaretPosition, d->TextDocument()->characterCount() - 1),
                      QTextCursor::KeepAnchor);
        reSource->setTextCursor(c);
        reSource->horizontalScrollBar()->setValue(d->ScrollX);
        reSource->verticalScrollBar()->setValue(d->ScrollY);
    }
    reSource->setReadOnly(d->ReadOnly());
    if (d->ReadOnly())
        SetStatusText(1, LoadStr(sReadOnly));
    Documents->SetPreviewFileFor(d->Path());
    lblFileName->setText(QDir::toNativeSeparators(d->Path()));
    AttachChangeHandler(true);
    RescanShownPage(false);
    if (FShown->LongestLine() > kLongestWrappedLine && acWordWrap->isChecked())
        SetStatusText(0, u"Очень длинные строки: перенос по словам для этого документа выключен"_s);
    PendingPath.clear();
    EditingAids->TypedWord.clear();
    acSave->setEnabled(true);
    acSaveAs->setEnabled(true);
    acUpdatePage->setEnabled(true);
    acInternalPreview->setEnabled(true);
    acUndo->setEnabled(d->TextDocument()->isUndoAvailable());
    UpdateSaveAll();
    UpdateClosePage();
    reSourceSelectionChange();
}

void TfrmMain::RescanShownPage(bool fileNameAssigned) {
    emit ShownPageChanged(fileNameAssigned);
}

void TfrmMain::OpenDocument(TOpenSource source) {
    QString path;
    bool dialogReadOnly = false;
    switch (source) {
    case osOpenDialog:
        path = FOpenDialogResult.FileName;
        dialogReadOnly = FOpenDialogResult.ReadOnly;
        break;
    case osSiteBrowser:
        path = SiteEntryPath ? SiteEntryPath() : QString();
        break;
    case osGivenPath:
        path = PendingPath;
        break;
    case osCommandLine:
        path = Arguments.value(0);
        break;
    }
    pcTagMenu->setEnabled(true);
    miEdit->setEnabled(true);
    miInsert->setEnabled(true);
    tbrLeft->setEnabled(true);

    // Paths compare without regard to case; the file is read and written under the name it has
    // on disk, whatever case the caller spelt it in.
    if (!path.isEmpty())
        path = FindPathNoCase(path);
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        if (source != osGivenPath)
            ShowWarning(this, LoadStr(sFileNotFound));
        return;
    }
    path = CleanAbsolutePath(path);

    int target = FindDocument(path);
    if (target >= 0 && target == CurrentIndex() && FShown == Documents->At(target)) {
        // The page is already the one shown.
        acSaveAs->setEnabled(true);
        UpdateClosePage();
        return;
    }
    if (target < 0) {
        bool readOnly = IsReadOnlyFile(path);
        if (source == osOpenDialog) {
            readOnly = readOnly || dialogReadOnly;
            OpenDialogDir = QFileInfo(path).absolutePath();
            OpenDialogFileName.clear();
            SaveDialogDir = OpenDialogDir;
        }
        const TDocument* d = Documents->Open(path, readOnly);
        target = DocumentCount() - 1;
        SelectDocument(target);
        if (d->Binary())
            ShowWarning(this, FormatStr(sBinaryOpened, QDir::toNativeSeparators(path)));
    } else {
        SelectDocument(target);
    }
    acSaveAs->setEnabled(true);
    UpdateClosePage();
}

void TfrmMain::UpdateSaveAll() {
    acSaveAll->setEnabled(Documents->AnyModified());
}

void TfrmMain::UpdateClosePage() {
    acClosePage->setEnabled(DocumentCount() > 1);
}

void TfrmMain::ReportReferences(int references) {
    SetStatusText(0, references > 0 ? FormatStr(sReferencesWritten, QString::number(references))
                                    : QString());
}

void TfrmMain::reSourceChange() {
    if (reSource->isReadOnly() || !FShown)
        return;
    reSource->SetModified(true);
    acSaveAll->setEnabled(true);
    if (reSource->document()->isUndoAvailable())
        acUndo->setEnabled(true);
}

void TfrmMain::reSourceSelectionChange() {
    const QTextCursor c = reSource->textCursor();
    const int pos = c.selectionStart();
    const QTextBlock block = reSource->document()->findBlock(pos);
    const int line = block.blockNumber() + 1;
    const int column = pos - block.position() + 1;
    SetStatusText(2, u"%1:   %2 > %3"_s.arg(line).arg(column).arg(pos + 1));
    const bool selected = c.hasSelection();
    acCopy->setEnabled(selected);
    acCut->setEnabled(selected);
    QuickLists->SelectionChanged(acCopy->isEnabled());
}

void TfrmMain::acDefaultPageExecute() {
    PendingPath.clear();
    if (ShowWizard)
        ShowWizard();
    if (!PendingPath.isEmpty())
        OpenDocument(osGivenPath);
    PendingPath.clear();
}

void TfrmMain::acOpenExecute() {
    TOpenFileRequest req;
    req.Title = u"Открыть файл"_s;
    req.Filter = QString::fromUtf16(kOpenDialogFilter);
    req.DefaultExt = u"html"_s;
    req.InitialDir = OpenDialogDir;
    req.FileName = OpenDialogFileName;
    req.OfferReadOnly = true;
    const auto chosen = Platform().OpenFile(this, req);
    if (!chosen)
        return;
    FOpenDialogResult = *chosen;
    OpenDocument(osOpenDialog);
}

void TfrmMain::acSaveExecute() {
    const int i = CurrentIndex();
    if (i < 0)
        return;
    const int references = Documents->Save(i);
    UpdateSaveAll();
    RescanShownPage(false);
    ReportReferences(references);
}

void TfrmMain::acSaveAsExecute() {
    const int i = CurrentIndex();
    if (i < 0)
        return;
    const QChar sep = QDir::separator();
    TSaveFileRequest req;
    req.Title = u"Сохранить файл как..."_s;
    req.Filter = QString::fromUtf16(kSaveAsDialogFilter);
    req.DefaultExt = u"html"_s;
    req.InitialDir = SaveDialogDir;
    req.FileName = ProposedSaveAsName(SaveDialogDir, sep);
    req.ConfirmOverwrite = true;
    const QString folder = SaveDialogDir;
    req.OnTypeChange = [folder, sep](int type) { return SaveAsTypeChangeName(folder, type, sep); };
    const auto chosen = Platform().SaveFile(this, req);
    if (!chosen || chosen->isEmpty())
        return;
    const QString name = *chosen;
    const int references = Documents->SaveAs(i, name);
    SaveDialogDir = QFileInfo(name).absolutePath();
    acSave->setEnabled(false);
    reSource->setReadOnly(false);
    SetStatusText(1, QString());
    lblFileName->setText(QDir::toNativeSeparators(name));
    SetTabCaption(i, TabCaptionFor(name));
    Documents->SetPreviewFileFor(name);
    UpdateSaveAll();
    RescanShownPage(true);
    ReportReferences(references);
}

void TfrmMain::acSaveAllExecute() {
    int references = 0;
    for (int i = 0; i < DocumentCount(); ++i) {
        // A file of binary data was opened for reading only and is never written back.
        if (Documents->At(i)->Binary())
            continue;
        references += Documents->Save(i);
    }
    UpdateSaveAll();
    ReportReferences(references);
}

int TfrmMain::QuerySaveDocument(int index) {
    const TDocument* d = Documents->At(index);
    if (!d || !d->Modified() || d->Binary())
        return int(TAnswer::No);
    return int(AskYesNoCancel(this, FormatStr(sSaveChangesIn, TabCaption(index))));
}

bool TfrmMain::SaveModifiedDocuments() {
    int references = 0;
    for (int i = 0; i < DocumentCount(); ++i) {
        const auto answer = TAnswer(QuerySaveDocument(i));
        if (answer == TAnswer::Cancel)
            return false;
        if (answer == TAnswer::Yes)
            references += Documents->Save(i);
    }
    UpdateSaveAll();
    ReportReferences(references);
    return true;
}

void TfrmMain::RemoveDocument(int index) {
    Documents->Remove(index);
}

void TfrmMain::acClosePageExecute() {
    const int i = CurrentIndex();
    if (i < 0)
        return;
    const auto answer = TAnswer(QuerySaveDocument(i));
    if (answer == TAnswer::Cancel)
        return;
    if (answer == TAnswer::Yes)
        acSaveExecute();
    RemoveDocument(i);
    if (DocumentCount() > 0)
        SelectDocument(i == 0 ? 0 : i - 1);
    UpdateClosePage();
}

void TfrmMain::CloseAllDocuments() {
    Documents->DeletePreviewFile();
    ForgetShownDocument();
    Documents->Clear();
}

void TfrmMain::OnDocumentsCleared() {
    ForgetShownDocument();
    FScanned = nullptr;
    FScanResults.clear();
    emit AllDocumentsClosed();
    FSelectingByCommand = true;
    while (tcEditor->count() > 0)
        tcEditor->removeTab(0);
    FSelectingByCommand = false;
    Documents->SetPreviewFileFor(QString());
    lblFileName->clear();
    // With no document there is nothing to record typing in.
    reSource->setReadOnly(true);
    for (QAction* a : {acSave, acSaveAs, acSaveAll, acClosePage, acUpdatePage})
        a->setEnabled(false);
}

void TfrmMain::ReloadDocumentTexts() {
    Documents->ReloadAll();
    if (DocumentCount() > 0)
        tcEditorChange();
}

void TfrmMain::ShowNextDocument(int step) {
    const int n = DocumentCount();
    if (n < 2)
        return;
    Documents->SetCurrent(((CurrentIndex() + step) % n + n) % n);
}

void TfrmMain::ApplyWrapMode() {
    // Laying out a line of a megabyte or more with wrapping takes minutes: such a document is
    // shown without wrapping, and the status bar says why.
    const bool longLines = FShown && FShown->LongestLine() > kLongestWrappedLine;
    const bool wrap = acWordWrap->isChecked() && !longLines;
    reSource->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TfrmMain::acQuitExecute() {
    close();
}

QWidget* TfrmMain::EditTargetWidget() const {
    switch (FEditTarget) {
    case etEditor:
        return reSource;
    case etFindText:
        return edFindText;
    case etReplaceWith:
        return edReplaceWith;
    default:
        return nullptr;
    }
}

void TfrmMain::acUndoExecute() {
    // A read-only page is never changed, not even back to an earlier text.
    if (FEditTarget == etEditor && !reSource->isReadOnly())
        reSource->undo();
    else if (auto* e = qobject_cast<QLineEdit*>(EditTargetWidget()))
        e->undo();
}

void TfrmMain::acCutExecute() {
    if (FEditTarget == etEditor)
        reSource->cut();
    else if (auto* e = qobject_cast<QLineEdit*>(EditTargetWidget()))
        e->cut();
}

void TfrmMain::acCopyExecute() {
    if (FEditTarget == etEditor)
        reSource->copy();
    else if (auto* e = qobject_cast<QLineEdit*>(EditTargetWidget()))
        e->copy();
}

void TfrmMain::acPasteExecute() {
    const QString clip = QApplication::clipboard()->text();
    if (!clip.isNull()) {
        if (FEditTarget == etEditor)
            reSource->paste();
        else if (auto* e = qobject_cast<QLineEdit*>(EditTargetWidget()))
            e->paste();
    }
    acPaste->setEnabled(!clip.isEmpty());
}

void TfrmMain::acSelectAllExecute() {
    if (FEditTarget == etEditor)
        reSource->selectAll();
    else if (auto* e = qobject_cast<QLineEdit*>(EditTargetWidget()))
        e->selectAll();
}

void TfrmMain::DropFiles(const QStringList& paths) {
    PendingPath.clear();
    for (const QString& p : paths) {
        if (!IsHtmlFile(p))
            continue;
        PendingPath = p;
        OpenDocument(osGivenPath);
    }
}

void TfrmMain::ScanShownPage(bool force) {
    TDocument* d = Documents->Current();
    if (!d)
        return;
    // The lists of the last full scan stand while the text they came from is unchanged and no
    // other scan (a head scan, another file) has replaced them since.
    if (!force && FScanned == d && FScannedRevision == d->Revision() &&
        FScannedNumber == HpParser->ScanCount())
        return;
    if (HpParser->IsParsing())
        return;
    // Back on a page whose text has not changed since its last scan: its lists are put back
    // instead of scanning it again.
    const auto kept = FScanResults.constFind(d);
    // The lists stand for the text as it was when the scan began: an edit made while a long
    // scan lets the window work leaves them stale, and the next request scans again.
    const quint64 revision = d->Revision();
    const QPointer<TDocument> scanned(d);
    if (!force && kept != FScanResults.constEnd() && kept->Revision == revision &&
        kept->Results.FileName == d->Path())
        HpParser->Restore(kept->Results);
    else {
        // A forced scan (the refresh command) reads the whole page, as the user asks.
        if (force)
            d->ScanChunks()->Invalidate();
        HpParser->ParseSource(d->ScanChunks(), TDocumentText(d->TextDocument()));
    }
    if (!scanned)
        return;
    FScanned = d;
    FScannedRevision = revision;
    FScannedNumber = HpParser->ScanCount();
    if (d->Revision() == revision)
        FScanResults.insert(d, {revision, HpParser->Snapshot()});
}
