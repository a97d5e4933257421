#include "site/sitebrowser.h"

#include "app/RichEditEx.h"
#include "app/documentset.h"
#include "app/icons.h"
#include "app/main2.h"
#include "app/rcstring.h"
#include "app/textfile.h"
#include "html/navigator.h"
#include "markup/elements.h"
#include "site/newsite.h"
#include "site/selectfile.h"
#include "site/sitelogic.h"
#include "site/sitemgr.h"
#include "site/toolfunc.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalBlocker>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <cerrno>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

// Item data: the kind (the icon index of the list) and the entry's name on disk.
constexpr int KindRole = Qt::UserRole;
constexpr int NameRole = Qt::UserRole + 1;

QString IconKey(TSiteItemKind kind) {
    switch (kind) {
    case sikDirectory:
        return u"folder"_s;
    case sikPage:
        return u"page"_s;
    case sikPicture:
        return u"picture"_s;
    case sikOther:
        break;
    }
    return u"file"_s;
}

TSiteItemKind KindOf(const QTreeWidgetItem* item) {
    return TSiteItemKind(item->data(0, KindRole).toInt());
}

void SetEntry(QTreeWidgetItem* item, const QString& name, TSiteItemKind kind) {
    item->setText(0, name);
    item->setIcon(0, CommandIcon(IconKey(kind)));
    item->setData(0, KindRole, int(kind));
    item->setData(0, NameRole, name);
    item->setFlags(item->flags() | Qt::ItemIsEditable);
}

} // namespace

TSiteBrowser::TSiteBrowser(TfrmMain* window) : QObject(window), W(window) {
    setObjectName(u"SiteBrowser"_s);
    wsSite = new TWebSite(this);
    wsSite->setObjectName(u"wsSite"_s);
    wsSite->setAutoList(true);
    connect(wsSite, &TWebSite::OnLoad, this, &TSiteBrowser::wsSiteLoad);
    connect(wsSite, &TWebSite::OnChangeDirectory, this, &TSiteBrowser::wsSiteChangeDirectory);
    connect(wsSite, &TWebSite::OnCreateDirectory, this, &TSiteBrowser::wsSiteChangeDirectory);
    connect(wsSite, &TWebSite::OnListDirectory, this,
            [this](TWebSite*, const QString& name, TDirectoryFileType type) {
                wsSiteListDirectory(name, type);
            });
    connect(wsSite, &TWebSite::OnDirectoryListed, this, &TSiteBrowser::wsSiteDirectoryListed);

    // The settings every job of the window's scanner runs with; each job sets the rest.
    dsDelete.setMask(u"*"_s);
    dsDelete.setAttributes(fteReadOnly | fteHidden);
    dsDelete.setRecursiveScan(true);
    dsDelete.setOnlyDirectories(false);
    dsDelete.setPrimaryTarget(stFiles);

    BuildWidgets();
    BindCommands();

    W->SiteEntryPath = [this] {
        return SelectedName.isEmpty() ? QString() : wsSite->EntryPath(SelectedName);
    };
    W->ProjectRootDir = [this] {
        return FLoaded && wsSite->Active() ? wsSite->RootDir() : QString();
    };
}

void TSiteBrowser::BuildWidgets() {
    // The navigator keeps the upper pane of its splitter for the site list; without it the
    // browser goes to the top of the navigator page.
    QWidget* pane = W->Navigator && W->Navigator->pnlSite ? W->Navigator->pnlSite : W->tsNavigator;
    tbrLevelUp = new QToolBar(pane);
    tbrLevelUp->setObjectName(u"tbrLevelUp"_s);
    tbrLevelUp->setIconSize(QSize(16, 16));
    tbSiteLevelUp = new QToolButton(tbrLevelUp);
    tbSiteLevelUp->setObjectName(u"tbSiteLevelUp"_s);
    tbSiteLevelUp->setToolTip(u"На уровень вверх"_s);
    tbSiteLevelUp->setIcon(CommandIcon(u"up"_s));
    tbSiteLevelUp->setEnabled(false);
    tbrLevelUp->addWidget(tbSiteLevelUp);

    lvSite = W->Navigator ? W->Navigator->lvSite : nullptr;
    if (!lvSite) {
        lvSite = new QTreeWidget(pane);
        lvSite->setObjectName(u"lvSite"_s);
    }
    lvSite->setColumnCount(1);
    lvSite->setHeaderLabels({QString()});
    lvSite->setRootIsDecorated(false);
    lvSite->setUniformRowHeights(true);
    lvSite->setSelectionMode(QAbstractItemView::SingleSelection);
    lvSite->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    lvSite->setContextMenuPolicy(Qt::CustomContextMenu);
    lvSite->installEventFilter(this);

    if (auto* layout = qobject_cast<QVBoxLayout*>(pane->layout())) {
        layout->insertWidget(0, tbrLevelUp);
        if (layout->indexOf(lvSite) < 0)
            layout->insertWidget(1, lvSite, 1);
    }

    connect(tbSiteLevelUp, &QToolButton::clicked, this,
            [this] { W->RunCommand([this] { tbSiteLevelUpClick(); }); });
    connect(lvSite, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { W->RunCommand([this, item] { lvSiteClick(item); }); });
    connect(lvSite, &QTreeWidget::itemSelectionChanged, this, &TSiteBrowser::lvSiteChange);
    connect(lvSite, &QTreeWidget::itemChanged, this,
            [this](QTreeWidgetItem* item) { W->RunCommand([this, item] { lvSiteEdited(item); }); });
    connect(lvSite, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        lvSiteContextPopup();
        W->pmSiteDir->popup(lvSite->viewport()->mapToGlobal(p));
    });
}

void TSiteBrowser::BindCommands() {
    W->Bind(W->miCreateDirectory, [this] { miCreateDirectoryClick(); });
    W->Bind(W->miDeleteFromSite, [this] { miDeleteFromSiteClick(); });
    W->Bind(W->miCreateLink, [this] { miCreateLinkClick(); });
    W->Bind(W->miPreviewInBrowser, [this] { miPreviewInBrowserClick(); });
    W->Bind(W->acCopyFile, [this] { acCopyFileExecute(W->acCopyFile->data().toInt()); });
    W->Bind(W->acMoveFile, [this] { acCopyFileExecute(W->acMoveFile->data().toInt()); });
    W->Bind(W->acNewProject, [this] { acNewProjectExecute(); });
    W->Bind(W->acOpenProject, [this] { acOpenProjectExecute(); });
    W->Bind(W->acEditProject, [this] { acEditProjectExecute(); });
}

bool TSiteBrowser::eventFilter(QObject* watched, QEvent* event) {
    // While a caption is edited in place, Delete belongs to the edit box, not to the files:
    // only a key typed in the list itself deletes.
    if (watched == lvSite && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete &&
        !lvSite->findChild<QLineEdit*>(QString(), Qt::FindChildrenRecursively)) {
        W->RunCommand([this] { miDeleteFromSiteClick(); });
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void TSiteBrowser::SetSiteActive(bool active) {
    if (active && !wsSite->Active())
        lvSite->clear();
    wsSite->setActive(active);
}

// ---- site model events ------------------------------------------------------------------

void TSiteBrowser::wsSiteLoad() {
    FLoaded = true;
    W->setWindowTitle(u"Quorvane - "_s + wsSite->Title());
    lvSite->clear();
    SelectedName.clear();
    // A loaded project starts at its root, where there is no level to go up to.
    tbSiteLevelUp->setEnabled(false);
    W->acEditProject->setEnabled(true);
    W->acPreview->setEnabled(true);
}

void TSiteBrowser::wsSiteChangeDirectory() {
    lvSite->clear();
    SelectedName.clear();
    tbSiteLevelUp->setEnabled(!wsSite->CurrentSubDir().isEmpty());
}

void TSiteBrowser::wsSiteListDirectory(const QString& name, TDirectoryFileType type) {
    if (name == u"."_s || name == u".."_s)
        return;
    const QSignalBlocker block(lvSite);
    SetEntry(new QTreeWidgetItem(lvSite), name, SiteItemKind(name, type));
}

void TSiteBrowser::wsSiteDirectoryListed() {
    const QSignalBlocker block(lvSite);
    QList<TSiteItem> items;
    for (int i = 0; i < lvSite->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = lvSite->topLevelItem(i);
        items.append({item->data(0, NameRole).toString(), KindOf(item)});
    }
    SortSiteItems(items);
    lvSite->clear();
    for (const TSiteItem& i : items)
        SetEntry(new QTreeWidgetItem(lvSite), i.Name, i.Kind);
    lvSite->setHeaderLabels({SiteListHeader(wsSite->CurrentSubDir())});
}

// ---- the list -------------------------------------------------------------------------

void TSiteBrowser::lvSiteClick(QTreeWidgetItem* item) {
    if (!item)
        return;
    const QString name = item->data(0, NameRole).toString();
    if (KindOf(item) == sikDirectory) {
        wsSite->ChangeDirectory(name);
    } else if (IsHtmlFile(name)) {
        SelectedName = name;
        W->OpenDocument(osSiteBrowser);
    }
}

void TSiteBrowser::lvSiteChange() {
    const QList<QTreeWidgetItem*> selected = lvSite->selectedItems();
    if (!selected.isEmpty())
        SelectedName = selected.first()->data(0, NameRole).toString();
}

void TSiteBrowser::tbSiteLevelUpClick() {
    wsSite->ChangeDirectory(u".."_s);
}

void TSiteBrowser::lvSiteEdited(QTreeWidgetItem* item) {
    const QString oldName = item->data(0, NameRole).toString();
    const QString newName = item->text(0);
    if (newName == oldName)
        return;
    const auto keepOld = [&] {
        const QSignalBlocker block(lvSite);
        item->setText(0, oldName);
    };
    if (!IsAcceptableNewName(newName)) {
        keepOld();
        return;
    }
    const QString from = wsSite->EntryPath(oldName), to = wsSite->EntryPath(newName);
    int error = 0;
    // rename() would silently replace a file of the new name.
    const QFileInfo target(to);
    if (target.exists() || target.isSymLink())
        error = EEXIST;
    else if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()))
        error = errno;
    if (error != 0) {
        keepOld();
        ShowError(W, u"Не удалось переименовать «%1» в «%2»: %3."_s.arg(oldName, newName,
                                                                        SystemErrorText(error)));
        return;
    }
    const TSiteItemKind kind =
        KindOf(item) == sikDirectory ? sikDirectory : SiteItemKind(newName, dftFile);
    const QSignalBlocker block(lvSite);
    SetEntry(item, newName, kind);
    if (SelectedName == oldName)
        SelectedName = newName;
}

QTreeWidgetItem* TSiteBrowser::TargetItem() const {
    const QList<QTreeWidgetItem*> selected = lvSite->selectedItems();
    return selected.isEmpty() ? lvSite->currentItem() : selected.first();
}

void TSiteBrowser::lvSiteContextPopup() {
    const bool active = FLoaded && wsSite->Active();
    const QTreeWidgetItem* focused = lvSite->currentItem();
    const bool selected = !lvSite->selectedItems().isEmpty();
    const bool focusedFile = focused && KindOf(focused) != sikDirectory;
    W->miCreateDirectory->setEnabled(active);
    W->miDeleteFromSite->setEnabled(selected);
    W->miCreateLink->setEnabled(selected);
    W->miPreviewInBrowser->setEnabled(active && focusedFile);
    W->acCopyFile->setEnabled(focusedFile);
    W->acMoveFile->setEnabled(focusedFile);
}

// ---- commands -------------------------------------------------------------------------

void TSiteBrowser::miCreateDirectoryClick() {
    if (!FLoaded)
        return;
    const auto answer =
        Platform().InputBox(W, LoadStr(sNewSubdirCaption), LoadStr(sNewSubdirPrompt), QString());
    const QString name = answer.value_or(QString()).trimmed();
    if (name.isEmpty() || !IsValidDirName(name)) {
        ShowInfo(W, FormatStr(sBadDirName, name));
        return;
    }
    if (QFileInfo(wsSite->EntryPath(name)).isDir()) {
        ShowInfo(W, LoadStr(sDirExists));
        return;
    }
    wsSite->CreateDirectory(name);
}

void TSiteBrowser::miDeleteFromSiteClick() {
    QTreeWidgetItem* item = TargetItem();
    if (!FLoaded || !item)
        return;
    const QString name = item->data(0, NameRole).toString();
    const QString path = CollapseSeparators(wsSite->EntryPath(name));
    const bool folder = KindOf(item) == sikDirectory && !QFileInfo(path).isSymLink();
    // The scanner serves one job at a time (find and replace use it too).
    if (folder && dsDelete.Scanning())
        return;
    // Nothing deleted here can be brought back, and a stray Delete key in the list would take a
    // whole folder with it: the user confirms first.
    const QString question =
        folder ? u"Удалить каталог «%1» со всем его содержимым?"_s : u"Удалить «%1»?"_s;
    if (AskYesNo(W, question.arg(name)) != TAnswer::Yes)
        return;
    if (KindOf(item) == sikDirectory) {
        if (QFileInfo(path).isSymLink()) {
            // A link to a folder: the link goes, never what it names.
            QFile::remove(path);
        } else if (dsDelete.setRootDir(path)) {
            dsDelete.setClearAll(true);
            dsDelete.OnProcessDirectory = [this](TDirectoryScanner*, const QString& dir,
                                                 const QString& entry, quint8,
                                                 TDirectoryFileType type) {
                if (type == dftDirectory)
                    W->SetStatusText(
                        0, FormatStr(sDeletingDirectory, dir + QDir::separator() + entry));
            };
            dsDelete.OnScanComplete = [this](TDirectoryScanner* sender) {
                W->SetStatusText(0, QString());
                QDir().rmdir(sender->RootDir());
            };
            dsDelete.Scan();
        }
        delete item;
        return;
    }
    if (!QFile::remove(path)) {
        ShowWarning(W, FormatStr(sCannotDelete, name));
        return;
    }
    RemoveDeletedFileDocument(path);
    delete item;
}

void TSiteBrowser::RemoveDeletedFileDocument(const QString& path) {
    const int index = W->FindDocument(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    if (index < 0)
        return;
    W->RemoveDocument(index);
    const int count = W->DocumentCount();
    if (count > 0) {
        W->SelectDocument(index < count ? index : count - 1);
    } else {
        W->lblFileName->clear();
        W->PendingPath.clear();
    }
}

void TSiteBrowser::miCreateLinkClick() {
    const QList<QTreeWidgetItem*> selected = lvSite->selectedItems();
    if (!FLoaded || selected.isEmpty())
        return;
    const QString path =
        CollapseSeparators(wsSite->EntryPath(selected.first()->data(0, NameRole).toString()));
    W->PendingPath = path;
    if (W->FindDocument(path) < 0)
        W->ElementDialogs->CreateLinkToFile(path);
    W->PendingPath.clear();
}

void TSiteBrowser::acCopyFileExecute(int tag) {
    const QTreeWidgetItem* item = lvSite->currentItem();
    if (!FLoaded || !item || KindOf(item) == sikDirectory)
        return;
    const TSelectFileMode mode = tag == sfmMove ? sfmMove : sfmCopy;
    const QString source =
        CollapseSeparators(wsSite->EntryPath(item->data(0, NameRole).toString()));
    const QString shown = W->Documents->CurrentPath();
    const QString browseFolder = shown.isEmpty() ? QString() : QFileInfo(shown).absolutePath();
    TfrmSelectFile dialog(mode, source, browseFolder, wsSite->RootDir(), W);
    if (Platform().ExecDialog(&dialog) != QDialog::Accepted)
        return;
    // A moved file leaves the current folder wherever it went, so the list changes then too.
    if (dialog.NeedsRefresh() || (mode == sfmMove && !QFileInfo::exists(source)))
        Refresh();
}

void TSiteBrowser::Refresh() {
    lvSite->clear();
    SelectedName.clear();
    wsSite->ListDirectory();
}

void TSiteBrowser::miPreviewInBrowserClick() {
    const QTreeWidgetItem* item = lvSite->currentItem();
    if (!FLoaded || !item)
        return;
    const QString path = wsSite->EntryPath(item->data(0, NameRole).toString());
    Platform().MessageBox(W, TMsgKind::Information, QDir::toNativeSeparators(path), TButtons::Ok,
                          u"Quorvane"_s);
    Platform().OpenWithShell(QUrl::fromLocalFile(path));
}

// ---- projects -------------------------------------------------------------------------

void TSiteBrowser::acNewProjectExecute() {
    TfrmNewSite dialog(false, W);
    Platform().ExecDialog(&dialog);
    const QString path = dialog.PendingPath;
    if (path.isEmpty() || !W->SaveModifiedDocuments())
        return;
    W->CloseAllDocuments();
    wsSite->LoadFromFile(path);
    W->PendingPath.clear();
    SetSiteActive(true);
}

void TSiteBrowser::acOpenProjectExecute() {
    TfrmSite dialog(W);
    Platform().ExecDialog(&dialog);
    const QString path = dialog.PendingPath;
    W->PendingPath.clear();
    if (path.isEmpty() || !W->SaveModifiedDocuments())
        return;
    wsSite->LoadFromFile(path);
    SetSiteActive(true);
}

void TSiteBrowser::acEditProjectExecute() {
    if (!FLoaded)
        return;
    TfrmNewSite dialog(true, W);
    dialog.SetProject(wsSite->Title(), wsSite->MainPage(), wsSite->RootDir());
    Platform().ExecDialog(&dialog);
    if (dialog.PendingPath.isEmpty())
        return;
    wsSite->LoadFromFile(dialog.PendingPath);
    W->PendingPath.clear();
}
