// The document set behind the editor tabs and the file and edit commands.
#include "app/RichEditEx.h"
#include "app/documentlogic.h"
#include "app/main2.h"
#include "app/platform.h"
#include "app/rcstring.h"
#include "app/textfile.h"
#include "site/toolfunc.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QToolBar>

using namespace Qt::StringLiterals;

namespace {
QString CleanAbsolute(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
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
    return DocumentCount() == 0 ? -1 : tcEditor->currentIndex();
}

int TfrmMain::FindDocument(const QString& path) const {
    const QString p = CleanAbsolute(path);
    for (int i = 0; i < FileNames.size(); ++i)
        if (CleanAbsolute(FileNames[i]).compare(p, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void TfrmMain::SelectDocument(int index) {
    FSelectingByCommand = true;
    tcEditor->setCurrentIndex(index);
    FSelectingByCommand = false;
    tcEditorChange();
}

void TfrmMain::OnTabBarCurrentChanged(int index) {
    if (FSelectingByCommand || index < 0 || index >= DocumentCount())
        return;
    // A switch made by the user: keep what the editor holds, then show the new tab.
    RunCommand([this] {
        tcEditorChanging();
        tcEditorChange();
    });
}

void TfrmMain::StashShownDocument() {
    if (LoadedIndex < 0 || LoadedIndex >= DocumentCount())
        return;
    PageTexts[LoadedIndex] = reSource->Text();
    ModifiedFlags[LoadedIndex] = reSource->Modified() ? u"1"_s : u"0"_s;
}

void TfrmMain::tcEditorChanging() {
    StashShownDocument();
}

void TfrmMain::tcEditorChange() {
    const int i = CurrentIndex();
    if (i < 0)
        return;
    DeletePreviewFile();
    SetStatusText(1, QString());
    AttachChangeHandler(false);
    reSource->clear();
    const bool readOnly = ReadOnlyFlags[i] == u"1"_s;
    reSource->setReadOnly(readOnly);
    if (readOnly)
        SetStatusText(1, LoadStr(sReadOnly));
    SetPreviewFileFor(FileNames[i]);
    reSource->SetText(PageTexts[i]);
    reSource->SetModified(ModifiedFlags[i] == u"1"_s);
    lblFileName->setText(QDir::toNativeSeparators(FileNames[i]));
    AttachChangeHandler(true);
    LoadedIndex = i;
    RescanShownPage(false);
    PendingPath.clear();
    TypedWord.clear();
    acSave->setEnabled(true);
    acSaveAs->setEnabled(true);
    acUpdatePage->setEnabled(true);
    acInternalPreview->setEnabled(true);
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
    path = CleanAbsolute(path);

    int target = FindDocument(path);
    const bool added = target < 0;
    if (!added && target == LoadedIndex && target == CurrentIndex()) {
        // The page is already the one shown: showing it again would reload its stored text over
        // the edits in the editor.
        acSaveAs->setEnabled(true);
        UpdateClosePage();
        return;
    }
    if (!added) {
        // Selecting by command skips the stash of a user switch; keep the edits of the page
        // being left, or they would be lost.
        if (target != LoadedIndex)
            StashShownDocument();
    } else {
        bool readOnly = IsReadOnlyFile(path);
        if (source == osOpenDialog) {
            readOnly = readOnly || dialogReadOnly;
            OpenDialogDir = QFileInfo(path).absolutePath();
            OpenDialogFileName.clear();
            SaveDialogDir = OpenDialogDir;
        }
        const QString text = ReadTextFile(path);
        FileNames << path;
        ReadOnlyFlags << (readOnly ? u"1"_s : u"0"_s);
        PageTexts << text;
        ModifiedFlags << u"0"_s;
        FSelectingByCommand = true;
        tcEditor->addTab(QString());
        SetTabCaption(int(tcEditor->count()) - 1, TabCaptionFor(path));
        FSelectingByCommand = false;
        target = DocumentCount() - 1;
        if (DocumentCount() > 1)
            StashShownDocument();
    }
    SelectDocument(target);
    if (added) {
        ModifiedFlags[target] = u"0"_s;
        reSource->SetModified(false);
    }
    acSaveAs->setEnabled(true);
    UpdateClosePage();
}

void TfrmMain::SetPreviewFileFor(const QString& path) {
    PreviewFile = PreviewFileFor(path);
}

void TfrmMain::DeletePreviewFile() {
    if (!PreviewFile.isEmpty() && QFileInfo::exists(PreviewFile))
        QFile::remove(PreviewFile);
}

void TfrmMain::UpdateSaveAll() {
    acSaveAll->setEnabled(AnyFlagSet(ModifiedFlags));
}

void TfrmMain::UpdateClosePage() {
    acClosePage->setEnabled(DocumentCount() > 1);
}

void TfrmMain::WriteDocument(const QString& path, const QString& text) {
    WriteTextFile(path, text, UnencodablePolicyFor(path));
}

void TfrmMain::reSourceChange() {
    if (reSource->isReadOnly())
        return;
    reSource->SetModified(true);
    acSaveAll->setEnabled(true);
    if (reSource->document()->isUndoAvailable())
        acUndo->setEnabled(true);
    const int i = CurrentIndex();
    if (i >= 0)
        ModifiedFlags[i] = u"1"_s;
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
    cbHeaderStyle->setEnabled(acCopy->isEnabled());
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
    const QString text = reSource->Text();
    WriteDocument(FileNames[i], text);
    PageTexts[i] = text;
    reSource->SetModified(false);
    ModifiedFlags[i] = u"0"_s;
    UpdateSaveAll();
    RescanShownPage(false);
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
    const QString text = reSource->Text();
    WriteDocument(name, text);
    FileNames[i] = name;
    ReadOnlyFlags[i] = u"0"_s;
    ModifiedFlags[i] = u"0"_s;
    PageTexts[i] = text;
    reSource->SetModified(false);
    SaveDialogDir = QFileInfo(name).absolutePath();
    acSave->setEnabled(false);
    reSource->setReadOnly(false);
    SetStatusText(1, QString());
    lblFileName->setText(QDir::toNativeSeparators(name));
    SetTabCaption(i, TabCaptionFor(name));
    SetPreviewFileFor(name);
    UpdateSaveAll();
    RescanShownPage(true);
}

void TfrmMain::acSaveAllExecute() {
    const int shown = CurrentIndex();
    for (int i = 0; i < DocumentCount(); ++i) {
        const QString text = i == shown ? reSource->Text() : PageTexts[i];
        WriteDocument(FileNames[i], text);
        ModifiedFlags[i] = u"0"_s;
        if (i == shown) {
            PageTexts[i] = text;
            reSource->SetModified(false);
        }
    }
    UpdateSaveAll();
}

int TfrmMain::QuerySaveDocument(int index) {
    if (index < 0 || index >= DocumentCount())
        return int(TAnswer::No);
    bool ok = false;
    const int flag = ModifiedFlags[index].toInt(&ok);
    if (ok && flag == 0)
        return int(TAnswer::No);
    return int(AskYesNoCancel(this, FormatStr(sSaveChangesIn, TabCaption(index))));
}

bool TfrmMain::SaveModifiedDocuments() {
    const int shown = CurrentIndex();
    for (int i = 0; i < DocumentCount(); ++i) {
        const auto answer = TAnswer(QuerySaveDocument(i));
        if (answer == TAnswer::Cancel)
            return false;
        if (answer == TAnswer::Yes) {
            if (i == shown) {
                const QString text = reSource->Text();
                WriteDocument(FileNames[i], text);
                PageTexts[i] = text;
                reSource->SetModified(false);
            } else {
                WriteDocument(FileNames[i], PageTexts[i]);
            }
            ModifiedFlags[i] = u"0"_s;
        }
    }
    UpdateSaveAll();
    return true;
}

void TfrmMain::RemoveDocument(int index) {
    if (index < 0 || index >= DocumentCount())
        return;
    FileNames.removeAt(index);
    PageTexts.removeAt(index);
    ModifiedFlags.removeAt(index);
    ReadOnlyFlags.removeAt(index);
    FSelectingByCommand = true;
    tcEditor->removeTab(index);
    FSelectingByCommand = false;
    if (LoadedIndex == index)
        LoadedIndex = -1;
    else if (LoadedIndex > index)
        --LoadedIndex;
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
    AttachChangeHandler(false);
    reSource->clear();
    reSource->SetModified(false);
    AttachChangeHandler(true);
    FileNames.clear();
    ReadOnlyFlags.clear();
    ModifiedFlags.clear();
    PageTexts.clear();
    emit AllDocumentsClosed();
    FSelectingByCommand = true;
    while (tcEditor->count() > 0)
        tcEditor->removeTab(0);
    FSelectingByCommand = false;
    LoadedIndex = -1;
    DeletePreviewFile();
    PreviewFile.clear();
    lblFileName->clear();
    // With no document there is nothing to record typing in.
    reSource->setReadOnly(true);
    for (QAction* a : {acSave, acSaveAs, acSaveAll, acClosePage, acUpdatePage})
        a->setEnabled(false);
}

void TfrmMain::ReloadDocumentTexts() {
    for (int i = 0; i < DocumentCount(); ++i)
        PageTexts[i] = ReadTextFile(FileNames[i]);
    if (DocumentCount() > 0)
        tcEditorChange();
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
    if (FEditTarget == etEditor)
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
