// The site browser in the main window: listing, walking, opening pages and the file commands.
#include "app/apphome.h"
#include "app/documentset.h"
#include "app/rcstring.h"
#include "site/newsite.h"
#include "site/selectfile.h"
#include "site/sitebrowser.h"
#include "support/windowfixture.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

using namespace Qt::StringLiterals;
using testutil::ReadBytes;
using testutil::WriteBytes;

namespace {

QStringList Items(const QTreeWidget* list) {
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        out << list->topLevelItem(i)->text(0);
    return out;
}

// A window with a project whose root holds the given files ("x/" is a folder).
struct TSiteWindow : TWindowFixture {
    QString Root;
    TSiteBrowser* B = nullptr;

    explicit TSiteWindow(const QStringList& files) {
        Root = Dir.filePath(u"site"_s);
        QDir().mkpath(Root);
        for (const QString& name : files)
            Make(name);
        B = W->SiteBrowser;
        const QString project = ProjectsFolder() + u"/Site.qsf"_s;
        WriteBytes(project, ("[General]\r\nTitle=Site\r\nRootDir=" + Root.toUtf8() + "\r\n"));
        B->wsSite->LoadFromFile(project);
        B->SetSiteActive(true);
    }
    void Make(const QString& name) {
        const QString path = Root + u'/' + name;
        if (name.endsWith(u'/')) {
            QDir().mkpath(path);
        } else {
            QDir().mkpath(QFileInfo(path).path());
            WriteBytes(path, "<p>" + name.toUtf8() + "</p>\r\n");
        }
    }
    QStringList Items() const { return ::Items(B->lvSite); }
    QTreeWidgetItem* Item(const QString& name) const {
        const auto found = B->lvSite->findItems(name, Qt::MatchExactly);
        return found.isEmpty() ? nullptr : found.first();
    }
    void Select(const QString& name) {
        QTreeWidgetItem* item = Item(name);
        QVERIFY(item);
        B->lvSite->setCurrentItem(item);
    }
    // "Удалить из сайта" on the named entry, answering the question with answer.
    void Delete(const QString& name, TAnswer answer = TAnswer::Yes) {
        Select(name);
        Platform.QueueAnswer(answer);
        W->miDeleteFromSite->trigger();
    }
    void DoubleClick(const QString& name) {
        QTreeWidgetItem* item = Item(name);
        QVERIFY(item);
        emit B->lvSite->itemDoubleClicked(item, 0);
    }
    QString Header() const { return B->lvSite->headerItem()->text(0); }
    QStringList Tabs() const {
        QStringList out;
        for (const QString& f : W->FileNames())
            out << QFileInfo(f).fileName();
        return out;
    }
};

} // namespace

class TestSiteBrowser : public QObject {
    Q_OBJECT

private slots:
    void NoProject() {
        TWindowFixture f;
        TSiteBrowser* b = f.W->SiteBrowser;
        QCOMPARE(b->lvSite->topLevelItemCount(), 0);
        QVERIFY(!b->tbSiteLevelUp->isEnabled());
        QCOMPARE(b->tbSiteLevelUp->toolTip(), u"На уровень вверх"_s);
        QVERIFY(f.W->ProjectRootDir().isEmpty());
        b->lvSiteContextPopup();
        QVERIFY(!f.W->miCreateDirectory->isEnabled());
        QVERIFY(!f.W->miPreviewInBrowser->isEnabled());
        QVERIFY(!f.W->acCopyFile->isEnabled());
        QCOMPARE(f.W->windowTitle(), u"Quorvane"_s);
    }

    // New project through the dialog, the list shows its root, a page opens from the list.
    void NewProjectListAndOpen() {
        TWindowFixture f;
        const QString root = f.Dir.filePath(u"web"_s);
        f.Page(u"web/index.html"_s, u"<html>главная</html>"_s);
        f.Page(u"web/logo.gif"_s, u"GIF89a"_s);
        f.Page(u"web/img/a.png"_s, QString());
        f.Platform.QueueDialog([&](QDialog* d) {
            auto* dlg = qobject_cast<TfrmNewSite*>(d);
            dlg->edSiteTitle->setText(u"Мой сайт"_s);
            f.Platform.QueueFolder(root);
            dlg->btnBrowseRoot->click();
            dlg->btnOk->click();
            return dlg->result();
        });
        f.W->acNewProject->trigger();
        QVERIFY(f.Platform.Unanswered.isEmpty());
        QCOMPARE(f.W->windowTitle(), u"Quorvane - Мой сайт"_s);
        TSiteBrowser* b = f.W->SiteBrowser;
        QCOMPARE(Items(b->lvSite), (QStringList{u"img"_s, u"index.html"_s, u"logo.gif"_s}));
        QCOMPARE(b->lvSite->headerItem()->text(0), u"[ Корневой каталог ]"_s);
        QCOMPARE(f.W->ProjectRootDir(), root);
        emit b->lvSite->itemDoubleClicked(b->lvSite->topLevelItem(1), 0);
        QCOMPARE(f.W->DocumentCount(), 1);
        QCOMPARE(f.W->Documents->CurrentPath(), root + u"/index.html"_s);
        QCOMPARE(f.W->reSource->Text(), u"<html>главная</html>\n"_s);
    }

    void Sorting() {
        TSiteWindow f({u"b.txt"_s, u"a.html"_s, u"pics/"_s, u"logo.gif"_s, u"c.htm"_s, u".svn/"_s});
        const QStringList items = f.Items();
        QStringList pages = items.mid(1, 2);
        pages.sort();
        QCOMPARE(items.size(), 5);
        QCOMPARE(items[0], u"pics"_s);
        QCOMPARE(pages, (QStringList{u"a.html"_s, u"c.htm"_s}));
        QCOMPARE(items.mid(3), (QStringList{u"logo.gif"_s, u"b.txt"_s}));
    }

    void OpenAndWalk() {
        TSiteWindow f({u"a.html"_s, u"logo.gif"_s, u"docs/inner/deep.html"_s});
        f.DoubleClick(u"logo.gif"_s);
        QCOMPARE(f.W->DocumentCount(), 0);
        f.DoubleClick(u"a.html"_s);
        QCOMPARE(f.Tabs(), QStringList{u"a.html"_s});
        // A second double-click selects the tab without reading the file again.
        f.W->reSource->SetText(u"edited"_s);
        f.DoubleClick(u"a.html"_s);
        QCOMPARE(f.W->DocumentCount(), 1);
        QCOMPARE(f.W->reSource->Text(), u"edited"_s);
        f.DoubleClick(u"docs"_s);
        QCOMPARE(f.Header(), u"docs"_s);
        QVERIFY(f.B->tbSiteLevelUp->isEnabled());
        f.DoubleClick(u"inner"_s);
        QCOMPARE(f.Header(), u"docs/inner"_s);
        QCOMPARE(f.Items(), QStringList{u"deep.html"_s});
        f.B->tbSiteLevelUp->click();
        f.B->tbSiteLevelUp->click();
        QCOMPARE(f.Header(), u"[ Корневой каталог ]"_s);
        QVERIFY(!f.B->tbSiteLevelUp->isEnabled());
        QCOMPARE(f.Items().size(), 3);
    }

    void CreateDirectory_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QVariant>("answer"); // a null variant: the input box was cancelled
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("header");
        QTest::newRow("below docs")
            << u"docs"_s << QVariant(u" new "_s) << QString() << u"docs/new"_s;
        QTest::newRow("existing") << QString() << QVariant(u"docs"_s) << LoadStr(sDirExists)
                                  << u"[ Корневой каталог ]"_s;
        QTest::newRow("cancelled")
            << QString() << QVariant() << u" не является допустимым именем каталога."_s
            << u"[ Корневой каталог ]"_s;
        QTest::newRow("invalid") << QString() << QVariant(u"a..b"_s)
                                 << u"a..b не является допустимым именем каталога."_s
                                 << u"[ Корневой каталог ]"_s;
    }
    void CreateDirectory() {
        QFETCH(QString, start);
        QFETCH(QVariant, answer);
        QFETCH(QString, message);
        QFETCH(QString, header);
        TSiteWindow f({u"docs/a.html"_s, u"b.html"_s});
        if (!start.isEmpty())
            f.DoubleClick(start);
        f.Platform.QueueInput(answer.isNull() ? std::nullopt
                                              : std::optional<QString>(answer.toString()));
        f.W->miCreateDirectory->trigger();
        QCOMPARE(f.Platform.Messages(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(f.Header(), header);
        if (message.isEmpty()) {
            QVERIFY(QFileInfo(f.Root + u"/docs/new"_s).isDir());
            QCOMPARE(f.Items(), QStringList());
            QVERIFY(f.B->tbSiteLevelUp->isEnabled());
        }
    }

    void DeleteOpenFile_data() {
        QTest::addColumn<int>("deleted");
        QTest::addColumn<QStringList>("tabs");
        QTest::addColumn<QString>("shown");
        QTest::newRow("middle shows the next")
            << 1 << QStringList{u"p0.html"_s, u"p2.html"_s} << u"p2.html"_s;
        QTest::newRow("last shows the one before")
            << 2 << QStringList{u"p0.html"_s, u"p1.html"_s} << u"p1.html"_s;
        QTest::newRow("not open") << 3 << QStringList{u"p0.html"_s, u"p1.html"_s, u"p2.html"_s}
                                  << u"p0.html"_s;
    }
    void DeleteOpenFile() {
        QFETCH(int, deleted);
        QFETCH(QStringList, tabs);
        QFETCH(QString, shown);
        TSiteWindow f({u"p0.html"_s, u"p1.html"_s, u"p2.html"_s, u"p3.html"_s});
        for (int i = 0; i < 3; ++i)
            f.DoubleClick(u"p%1.html"_s.arg(i));
        f.W->SelectDocument(deleted == 3 ? 0 : deleted);
        const QString name = u"p%1.html"_s.arg(deleted);
        f.Delete(name);
        QVERIFY(!QFileInfo::exists(f.Root + u'/' + name));
        QVERIFY(!f.Item(name));
        QCOMPARE(f.Tabs(), tabs);
        QCOMPARE(QFileInfo(f.W->Documents->CurrentPath()).fileName(), shown);
        QVERIFY(f.W->reSource->Text().contains(shown));
        QCOMPARE(f.Platform.Messages(), QStringList{u"Удалить «%1»?"_s.arg(name)});
    }

    // Deleting the only open page empties the editor; a file already gone is warned about.
    void DeleteOnlyDocumentAndMissingFile() {
        TSiteWindow f({u"a.html"_s, u"b.html"_s});
        f.DoubleClick(u"a.html"_s);
        f.Select(u"a.html"_s);
        // The Delete key in the list deletes too.
        f.Platform.QueueAnswer(TAnswer::Yes);
        QTest::keyClick(f.B->lvSite, Qt::Key_Delete);
        QCOMPARE(f.W->DocumentCount(), 0);
        QCOMPARE(f.W->reSource->Text(), QString());
        QCOMPARE(f.W->lblFileName->text(), QString());
        QVERIFY(f.W->PendingPath.isEmpty());
        f.Platform.Clear();
        QFile::remove(f.Root + u"/b.html"_s);
        f.Delete(u"b.html"_s);
        QCOMPARE(f.Platform.Messages(),
                 (QStringList{u"Удалить «b.html»?"_s, u"Невозможно удалить b.html"_s}));
        QCOMPARE(f.Platform.Calls.last().MsgKind, TMsgKind::Warning);
        QVERIFY(f.Item(u"b.html"_s));
    }

    void DeleteDirectoryNeverLeavesIt() {
        TSiteWindow f({u"sub/a.html"_s, u"sub/deeper/b.html"_s});
        const QString outside = f.Dir.filePath(u"outside"_s);
        f.Page(u"outside/keep.html"_s, u"keep"_s);
        QVERIFY(QFile::link(outside, f.Root + u"/sub/deeper/link"_s));
        QVERIFY(QFile::link(outside, f.Root + u"/toplink"_s));
        f.B->Refresh();
        // "Нет" keeps the folder and everything in it.
        f.Delete(u"sub"_s, TAnswer::No);
        QVERIFY(QFileInfo::exists(f.Root + u"/sub/deeper/b.html"_s));
        QVERIFY(f.Item(u"sub"_s));
        f.Delete(u"sub"_s);
        QCOMPARE(f.Platform.Messages().first(), u"Удалить каталог «sub» со всем его содержимым?"_s);
        QVERIFY(!QFileInfo::exists(f.Root + u"/sub"_s));
        QVERIFY(!f.Item(u"sub"_s));
        QVERIFY(f.W->StatusText(0).isEmpty());
        QVERIFY(QFileInfo::exists(outside + u"/keep.html"_s));
        // A listed link to a folder: the link goes, what it names stays.
        f.Delete(u"toplink"_s);
        QVERIFY(!QFileInfo(f.Root + u"/toplink"_s).isSymLink());
        QVERIFY(QFileInfo::exists(outside + u"/keep.html"_s));
        QVERIFY(!f.B->dsDelete.Scanning());
    }

    void Rename_data() {
        QTest::addColumn<QString>("newName");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("error");
        QTest::newRow("plain") << u"b.html"_s << u"b.html"_s << false;
        QTest::newRow("slash") << u"x/b.html"_s << u"a.html"_s << false;
        QTest::newRow("taken") << u"taken.html"_s << u"a.html"_s << true;
    }
    void Rename() {
        QFETCH(QString, newName);
        QFETCH(QString, caption);
        QFETCH(bool, error);
        TSiteWindow f({u"a.html"_s, u"taken.html"_s});
        f.DoubleClick(u"a.html"_s);
        const QByteArray takenBytes = ReadBytes(f.Root + u"/taken.html"_s);
        f.Item(u"a.html"_s)->setText(0, newName);
        QVERIFY(f.Item(caption));
        QCOMPARE(f.Platform.Messages().size(), error ? 1 : 0);
        QCOMPARE(ReadBytes(f.Root + u"/taken.html"_s), takenBytes);
        QVERIFY(QFileInfo::exists(f.Root + u'/' + caption));
        if (caption != u"a.html"_s)
            QVERIFY(!QFileInfo::exists(f.Root + u"/a.html"_s));
        // The open page keeps the path it was opened from.
        QCOMPARE(f.W->Documents->CurrentPath(), f.Root + u"/a.html"_s);
    }

    void DeleteKeyWhileEditingEditsText() {
        TSiteWindow f({u"a.html"_s});
        f.Select(u"a.html"_s);
        f.B->lvSite->editItem(f.Item(u"a.html"_s), 0);
        QLineEdit* editor = nullptr;
        QTRY_VERIFY((editor = f.B->lvSite->findChild<QLineEdit*>()) != nullptr);
        editor->setCursorPosition(0);
        QTest::keyClick(editor, Qt::Key_Delete);
        QCOMPARE(editor->text(), u".html"_s);
        // Delete reaching the list while the edit box is open does not delete the file either.
        QTest::keyClick(f.B->lvSite, Qt::Key_Delete);
        QVERIFY(QFileInfo::exists(f.Root + u"/a.html"_s));
    }

    void CopyAndMove_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("destination"); // below the temporary folder
        QTest::addColumn<QByteArray>("target");   // what the target holds afterwards
        QTest::addColumn<bool>("sourceKept");
        QTest::addColumn<bool>("refreshed");
        QTest::newRow("copy replaces")
            << int(sfmCopy) << u"site/sub"_s << QByteArray("<p>a.html</p>\r\n") << true << true;
        // The target folder lies in the project: the list is listed again even so.
        QTest::newRow("move refuses an existing file")
            << int(sfmMove) << u"site/sub"_s << QByteArray("old") << true << true;
        QTest::newRow("copy outside keeps the list")
            << int(sfmCopy) << u"elsewhere/new"_s << QByteArray("<p>a.html</p>\r\n") << true
            << false;
        QTest::newRow("move outside")
            << int(sfmMove) << u"elsewhere"_s << QByteArray("<p>a.html</p>\r\n") << false << true;
    }
    void CopyAndMove() {
        QFETCH(int, mode);
        QFETCH(QString, destination);
        QFETCH(QByteArray, target);
        QFETCH(bool, sourceKept);
        QFETCH(bool, refreshed);
        TSiteWindow f({u"a.html"_s, u"sub/"_s});
        WriteBytes(f.Root + u"/sub/a.html"_s, "old");
        f.Select(u"a.html"_s);
        // A file that appears after the listing shows only when the list is refreshed.
        f.Make(u"late.html"_s);
        const QString folder = f.Dir.filePath(destination);
        f.Platform.QueueDialog([&](QDialog* d) {
            auto* dlg = qobject_cast<TfrmSelectFile*>(d);
            if (dlg->btnOK->isEnabled())
                return int(QDialog::Rejected);
            dlg->edDestination->setText(u"  "_s + folder + u"//"_s);
            dlg->btnOK->click();
            return dlg->result();
        });
        (mode == sfmCopy ? f.W->acCopyFile : f.W->acMoveFile)->trigger();
        QCOMPARE(f.Platform.Calls.first().Proposed,
                 mode == sfmCopy ? u"Копирование файла"_s : u"Перемещение файла"_s);
        QCOMPARE(ReadBytes(folder + u"/a.html"_s), target);
        QCOMPARE(QFileInfo::exists(f.Root + u"/a.html"_s), sourceKept);
        QCOMPARE(bool(f.Item(u"late.html"_s)), refreshed);
    }

    void SelectFileDialog() {
        TSiteWindow f({u"a.html"_s});
        TfrmSelectFile dialog(sfmMove, f.Root + u"/a.html"_s, u"/start"_s, f.Root);
        QCOMPARE(dialog.edSource->text(), f.Root);
        QVERIFY(!dialog.btnOK->isEnabled());
        QVERIFY(dialog.btnCancel->isDefault());
        dialog.edDestination->setText(u"   "_s);
        QVERIFY(!dialog.btnOK->isEnabled());
        f.Platform.QueueFolder(u"/picked"_s);
        dialog.btnBrowse->click();
        QCOMPARE(dialog.edDestination->text(), u"/picked"_s);
        QVERIFY(dialog.btnOK->isEnabled());
        const TPlatformCall call = f.Platform.Calls.last();
        QCOMPARE(call.Text, u"Выбор папки|Выберите папку, в которую следует переместить a.html"_s);
        QCOMPARE(call.Proposed, u"/start"_s);
    }

    void CreateLinkOnOpenPageDoesNothing() {
        TSiteWindow f({u"a.html"_s});
        f.DoubleClick(u"a.html"_s);
        f.Select(u"a.html"_s);
        f.Platform.Clear();
        f.W->miCreateLink->trigger();
        QVERIFY(f.Platform.Calls.isEmpty());
        QVERIFY(f.W->PendingPath.isEmpty());
        QCOMPARE(f.W->reSource->Text(), u"<p>a.html</p>\n"_s);
    }

    void PreviewInBrowser() {
        TSiteWindow f({u"docs/a.html"_s});
        f.DoubleClick(u"docs"_s);
        f.Select(u"a.html"_s);
        f.B->lvSiteContextPopup();
        QVERIFY(f.W->miPreviewInBrowser->isEnabled());
        QVERIFY(f.W->acCopyFile->isEnabled());
        f.W->miPreviewInBrowser->trigger();
        const QString path = f.Root + u"/docs/a.html"_s;
        QCOMPARE(f.Platform.Messages(), QStringList{path});
        QCOMPARE(f.Platform.Calls.last().Kind, u"shell"_s);
        QCOMPARE(f.Platform.Calls.last().Text, QUrl::fromLocalFile(path).toString());
    }

    void InactiveSiteListsFolders() {
        TSiteWindow f({u"a.html"_s, u"sub/"_s});
        f.B->SetSiteActive(false);
        f.B->Refresh();
        QCOMPARE(f.Items(), QStringList{u"sub"_s});
        f.B->lvSiteContextPopup();
        QVERIFY(!f.W->miCreateDirectory->isEnabled());
        f.B->SetSiteActive(true);
        QCOMPARE(f.Items(), (QStringList{u"sub"_s, u"a.html"_s}));
    }
};

QTEST_MAIN(TestSiteBrowser)
#include "tst_sitebrowser.moc"
