// The project dialogs: creating, editing, choosing and deleting projects, and the project
// commands of the main window.
#include "app/apphome.h"
#include "app/documentset.h"
#include "app/rcstring.h"
#include "markup/dialogparts.h"
#include "site/newsite.h"
#include "site/sitebrowser.h"
#include "site/sitelogic.h"
#include "site/sitemgr.h"
#include "support/windowfixture.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

using namespace Qt::StringLiterals;
using testutil::ReadBytes;
using testutil::WriteBytes;

namespace {

QString ProjectFile(const QString& title) {
    return ProjectsFolder() + u'/' + title + u".qsf"_s;
}

void WriteProject(const QString& title, const QString& root) {
    WriteBytes(ProjectFile(title), testutil::Cp1251(u"[General]\r\nTitle="_s + title +
                                                    u"\r\nMainPage=index.html\r\n"
                                                    u"RootDir="_s +
                                                    root + u"\r\n"_s));
}

QStringList ProjectFiles() {
    return QDir(ProjectsFolder()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

QStringList ListEntries(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

// An isolated program home with its projects folder, a scripted platform and a site folder.
struct TProjects {
    testutil::TIsolatedHome Home;
    TScriptedPlatform Platform;
    QTemporaryDir Site;
    TProjects() {
        if (!CreateProjectsFolder())
            qWarning("no projects folder");
    }
};

} // namespace

class TestProjectDialogs : public QObject {
    Q_OBJECT

private slots:
    void NewProjectChecks_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("mainPage");
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("storedPage");
        QTest::newRow("blanks only")
            << u"   "_s << u"index.html"_s << LoadStr(sNeedProjectTitle) << QString() << QString();
        QTest::newRow("blanks around")
            << u" Alpha "_s << u"index.html"_s << QString() << u"Alpha.qsf"_s << u"index.html"_s;
        QTest::newRow("php page") << u"P"_s << u"main.php"_s << QString() << u"P.qsf"_s
                                  << u"main.php"_s;
        QTest::newRow("text page stored as index")
            << u"P"_s << u"notes.txt"_s << QString() << u"P.qsf"_s << u"index.html"_s;
        QTest::newRow("page with folder")
            << u"P"_s << u"pages/a.html"_s << LoadStr(sBadMainPageName) << QString() << QString();
        QTest::newRow("title leaving the folder")
            << u"../evil"_s << u"index.html"_s << ProjectTitleProblem(u"a/b"_s) << QString()
            << QString();
    }
    void NewProjectChecks() {
        QFETCH(QString, title);
        QFETCH(QString, mainPage);
        QFETCH(QString, message);
        QFETCH(QString, file);
        QFETCH(QString, storedPage);
        TProjects p;
        TfrmNewSite dialog(false);
        QCOMPARE(dialog.Banner->Title(), u"Создание нового проекта"_s);
        dialog.edSiteTitle->setText(title);
        dialog.edSiteMainPage->setText(mainPage);
        dialog.edRootDir->setText(p.Site.path());
        dialog.btnOkClick();
        if (message.isEmpty()) {
            QVERIFY(p.Platform.Messages().isEmpty());
            QCOMPARE(ProjectFiles(), QStringList{file});
            QCOMPARE(dialog.PendingPath, ProjectFile(file.chopped(4)));
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            TWebSite s;
            s.LoadFromFile(dialog.PendingPath);
            QCOMPARE(s.Title(), title.trimmed());
            QCOMPARE(s.MainPage(), storedPage);
            QCOMPARE(s.RootDir(), p.Site.path());
        } else {
            QCOMPARE(p.Platform.Messages(), QStringList{message});
            QVERIFY(ProjectFiles().isEmpty());
            QVERIFY(dialog.PendingPath.isEmpty());
            QVERIFY(!QFileInfo::exists(p.Home.File(u"evil.qsf"_s)));
        }
    }

    void MainPageKeysRefused() {
        testutil::TIsolatedHome home;
        TfrmNewSite dialog(false);
        dialog.edSiteMainPage->clear();
        QTest::keyClicks(dialog.edSiteMainPage, u"my page/a?b*c|d\"e<f>g\\h.html"_s);
        QCOMPARE(dialog.edSiteMainPage->text(), u"mypageabcdefgh.html"_s);
    }

    void RootDirDefaultsAndIsCreated() {
        TProjects p;
        TfrmNewSite blank(false);
        blank.edSiteTitle->setText(u"Home"_s);
        blank.edRootDir->setText(u"  "_s);
        blank.btnOkClick();
        QCOMPARE(blank.edRootDir->text(), DefaultFolder());
        QTemporaryDir tmp;
        const QString missing = tmp.filePath(u"a/b/site"_s);
        TfrmNewSite dialog(false);
        dialog.edSiteTitle->setText(u"New"_s);
        dialog.edRootDir->setText(missing);
        dialog.btnOkClick();
        QVERIFY(QFileInfo(missing).isDir());
        TWebSite s;
        s.LoadFromFile(ProjectFile(u"New"_s));
        QCOMPARE(s.RootDir(), missing);
        // The folder dialog's choice lands in the field without a trailing separator.
        p.Platform.QueueFolder(tmp.path() + u"/"_s);
        dialog.btnBrowseRootClick();
        QCOMPARE(dialog.edRootDir->text(), tmp.path());
        QCOMPARE(p.Platform.Calls.last().Text,
                 u"Корневой каталог сайта|"
                 u"Выберите каталог, в котором будет размещаться содержимое сайта"_s);
    }

    void DuplicateAndRename() {
        TProjects p;
        WriteProject(u"A"_s, p.Site.path());
        WriteProject(u"Other"_s, p.Site.path());
        const QByteArray otherBytes = ReadBytes(ProjectFile(u"Other"_s));
        // Edits the project "former" (a new one when empty) under the title typed; true when
        // the dialog told nothing.
        const auto edit = [&](const QString& former, const QString& title) {
            p.Platform.Clear();
            TfrmNewSite dialog(!former.isEmpty());
            if (!former.isEmpty())
                dialog.SetProject(former, u"start.htm"_s, p.Site.path());
            dialog.edSiteTitle->setText(title);
            dialog.btnOkClick();
            return p.Platform.Messages().isEmpty();
        };
        QVERIFY(!edit(QString(), u"A"_s));
        QCOMPARE(p.Platform.Messages(), QStringList{LoadStr(sProjectExists)});
        // Editing without a new title writes the same file.
        QVERIFY(edit(u"A"_s, u"A"_s));
        QCOMPARE(ProjectFiles(), (QStringList{u"A.qsf"_s, u"Other.qsf"_s}));
        QVERIFY(ReadBytes(ProjectFile(u"A"_s)).contains("MainPage=start.htm"));
        // Renaming onto another project's title is refused; that project stays as it was.
        QVERIFY(!edit(u"A"_s, u"Other"_s));
        QCOMPARE(p.Platform.Messages(), QStringList{LoadStr(sProjectExists)});
        QCOMPARE(ReadBytes(ProjectFile(u"Other"_s)), otherBytes);
        // Renaming leaves only the new file.
        QVERIFY(edit(u"A"_s, u"B"_s));
        QCOMPARE(ProjectFiles(), (QStringList{u"B.qsf"_s, u"Other.qsf"_s}));
        // A former title that names a file outside the projects folder is never removed.
        WriteBytes(p.Home.File(u"victim.qsf"_s), "keep");
        edit(u"../victim"_s, u"C"_s);
        QCOMPARE(ReadBytes(p.Home.File(u"victim.qsf"_s)), QByteArray("keep"));
        // The edit dialog has its own banner.
        QCOMPARE(TfrmNewSite(true).Banner->Title(), LoadStr(sEditProjectTitle));
    }

    void UnwritableProjectsFolder() {
        testutil::TIsolatedHome home;
        TScriptedPlatform platform;
        QDir(ProjectsFolder()).removeRecursively();
        TfrmNewSite dialog(false);
        dialog.edSiteTitle->setText(u"X"_s);
        dialog.btnOkClick();
        QCOMPARE(platform.Messages().size(), 1);
        QCOMPARE(platform.Calls.first().MsgKind, TMsgKind::Error);
        QVERIFY(dialog.PendingPath.isEmpty());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    void ManagerListAndDelete() {
        TProjects p;
        for (const QString& t : {u"beta"_s, u"Alpha"_s, u"gamma"_s})
            WriteProject(t, p.Site.path());
        TfrmSite dialog;
        QCOMPARE(dialog.windowTitle(), u"Проект"_s);
        QCOMPARE(ListEntries(dialog.cbProject), (QStringList{u"Alpha"_s, u"beta"_s, u"gamma"_s}));
        QCOMPARE(dialog.SelectedProject(), u"Alpha"_s);
        dialog.cbProject->setCurrentRow(2);
        dialog.btnDeleteClick();
        QCOMPARE(ListEntries(dialog.cbProject), (QStringList{u"Alpha"_s, u"beta"_s}));
        QCOMPARE(dialog.SelectedProject(), u"beta"_s);
        QCOMPARE(ProjectFiles(), (QStringList{u"Alpha.qsf"_s, u"beta.qsf"_s}));
        // A file already gone just leaves the list.
        QFile::remove(ProjectFile(u"Alpha"_s));
        dialog.cbProject->setCurrentRow(0);
        dialog.btnDeleteClick();
        QCOMPARE(dialog.SelectedProject(), u"beta"_s);
        dialog.btnDeleteClick();
        QVERIFY(ProjectFiles().isEmpty());
        QVERIFY(!dialog.cbProject->isEnabled());
        QVERIFY(!dialog.btnDelete->isEnabled());
        QVERIFY(p.Platform.Messages().isEmpty());
        QVERIFY(QFileInfo(p.Site.path()).isDir());
    }

    void ManagerOpen() {
        TProjects p;
        WriteProject(u"Good"_s, p.Site.path());
        WriteProject(u"Gone"_s, p.Site.filePath(u"removed"_s));
        TfrmSite dialog;
        // A typed name that is no entry selects nothing, and OK does nothing then.
        QTest::keyClicks(dialog.edProject, u"Nothing"_s);
        QVERIFY(dialog.SelectedProject().isEmpty());
        dialog.btnOKClick();
        QVERIFY(p.Platform.Calls.isEmpty());
        dialog.edProject->clear();
        QTest::keyClicks(dialog.edProject, u"gone"_s);
        QCOMPARE(dialog.SelectedProject(), u"Gone"_s);
        dialog.btnOKClick();
        QCOMPARE(p.Platform.Messages(), QStringList{LoadStr(sProjectRootNotFound)});
        QVERIFY(dialog.PendingPath.isEmpty());
        dialog.cbProject->setCurrentRow(1);
        dialog.btnOKClick();
        QCOMPARE(dialog.PendingPath, ProjectFile(u"Good"_s));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    // ---- the commands of the main window ----

    void OpenProjectKeepsDocuments() {
        TWindowFixture f;
        QTemporaryDir site;
        WriteProject(u"Site"_s, site.path());
        f.Open(f.Page(u"a.html"_s, u"x"_s));
        f.Platform.QueueDialog([](QDialog* d) {
            auto* dlg = qobject_cast<TfrmSite*>(d);
            dlg->btnOKClick();
            return dlg->result();
        });
        f.W->acOpenProject->trigger();
        QCOMPARE(f.W->windowTitle(), u"Quorvane - Site"_s);
        QCOMPARE(f.W->DocumentCount(), 1);
        QVERIFY(f.W->acEditProject->isEnabled());
        QCOMPARE(f.W->ProjectRootDir(), site.path());
        QVERIFY(f.W->PendingPath.isEmpty());
    }

    void OpenProjectCancelledAtSaveQuestion() {
        TWindowFixture f;
        QTemporaryDir one, two;
        WriteProject(u"One"_s, one.path());
        WriteProject(u"Two"_s, two.path());
        f.W->SiteBrowser->wsSite->LoadFromFile(ProjectFile(u"One"_s));
        f.OpenTyped(u"a.html"_s, u"x"_s, u"changed"_s);
        f.Platform.QueueDialog([](QDialog* d) {
            auto* dlg = qobject_cast<TfrmSite*>(d);
            dlg->cbProject->setCurrentRow(1);
            dlg->btnOKClick();
            return dlg->result();
        });
        f.Platform.QueueAnswer(TAnswer::Cancel);
        f.W->acOpenProject->trigger();
        QCOMPARE(f.Platform.Messages().size(), 1); // the save question
        QCOMPARE(f.W->windowTitle(), u"Quorvane - One"_s);
        QCOMPARE(f.W->ProjectRootDir(), one.path());
    }

    void EditProjectRenames() {
        TWindowFixture f;
        QTemporaryDir site;
        WriteProject(u"Old"_s, site.path());
        f.W->SiteBrowser->wsSite->LoadFromFile(ProjectFile(u"Old"_s));
        f.Platform.QueueDialog([&](QDialog* d) {
            auto* dlg = qobject_cast<TfrmNewSite*>(d);
            // The fields come from the open project.
            if (dlg->edSiteTitle->text() != u"Old"_s || dlg->edRootDir->text() != site.path())
                return int(QDialog::Rejected);
            dlg->edSiteTitle->setText(u"New"_s);
            dlg->btnOkClick();
            return dlg->result();
        });
        f.W->acEditProject->trigger();
        QCOMPARE(ProjectFiles(), QStringList{u"New.qsf"_s});
        QCOMPARE(f.W->windowTitle(), u"Quorvane - New"_s);
        // Cancelling leaves the file untouched.
        const QByteArray before = ReadBytes(ProjectFile(u"New"_s));
        f.Platform.QueueDialog([](QDialog* d) {
            auto* dlg = qobject_cast<TfrmNewSite*>(d);
            dlg->edSiteTitle->setText(u"Other"_s);
            dlg->btnCancel->click();
            return dlg->result();
        });
        f.W->acEditProject->trigger();
        QCOMPARE(ProjectFiles(), QStringList{u"New.qsf"_s});
        QCOMPARE(ReadBytes(ProjectFile(u"New"_s)), before);
    }
};

QTEST_MAIN(TestProjectDialogs)
#include "tst_projectdialogs.moc"
