// Saves that cannot be completed (a full disk, a projects folder the user may not write) keep
// the previous bytes, leave no temporary file and tell which file was not written; every
// rename into place is followed by a flush of its folder.
#include "app/apphome.h"
#include "app/documentset.h"
#include "app/inifile.h"
#include "markup/ColorTemplates.h"
#include "site/WebSite.h"
#include "site/findreplace.h"
#include "site/newsite.h"
#include "site/sitebrowser.h"
#include "site/sitelogic.h"
#include "support/windowfixture.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryFile>
#include <QtTest>

#include <csignal>
#include <dlfcn.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using testutil::Cp1251;
using testutil::ReadBytes;
using testutil::WriteBytes;

namespace {

// The file whose content is noted at every flush of its folder (null array: no such file).
QString gWatched;
QList<QByteArray> gAtFolderSync;

void NoteFolderSync(int fd) {
    struct stat st {};
    if (gWatched.isEmpty() || ::fstat(fd, &st) != 0 || !S_ISDIR(st.st_mode))
        return;
    const QString dir = QFile::symLinkTarget(u"/proc/self/fd/%1"_s.arg(fd));
    if (dir != QFileInfo(gWatched).absolutePath())
        return;
    QFile f(gWatched);
    gAtFolderSync << (f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray());
}

} // namespace

// Every fsync of the process passes here first (the executable's definition wins over the C
// library's).
extern "C" int fsync(int fd) {
    using TFsync = int (*)(int);
    static const auto real = reinterpret_cast<TFsync>(::dlsym(RTLD_NEXT, "fsync"));
    NoteFolderSync(fd);
    return real(fd);
}

namespace {

// Room on the "disk": every file the cases write is longer, except the one Save All may finish.
constexpr rlim_t kRoom = 8;

// Runs the call on a disk with `room` bytes left: longer writes fail with EFBIG instead of the
// signal that ends the process. False when no limit could be set.
template <class F> bool OnFullDisk(F&& call, rlim_t room = kRoom) {
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    const auto restore = qScopeGuard([&] {
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
    });
    rlimit full = old;
    full.rlim_cur = qMin(room, old.rlim_max);
    const bool active = ::setrlimit(RLIMIT_FSIZE, &full) == 0;
    if (active)
        call();
    return active;
}

QStringList Entries(const QString& dir) {
    return QDir(dir).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// The message that tells the file was not written, or a null text when none does.
QString ToldAbout(const QStringList& messages, const QString& path) {
    const QString head = u"Не удалось записать файл «%1»: "_s.arg(QDir::toNativeSeparators(path));
    for (const QString& m : messages)
        if (m.contains(head))
            return m;
    return {};
}

// Each file holds its old bytes or the whole new ones, never a mix.
void OldOrNew(const QStringList& paths, const QList<QByteArray>& before,
              const QList<QByteArray>& after) {
    for (int i = 0; i < paths.size(); ++i) {
        const QByteArray bytes = ReadBytes(paths[i]);
        QVERIFY2(bytes == before[i] || bytes == after[i], qPrintable(paths[i]));
    }
}

// Exactly one message, telling the file was not written.
void ToldOnce(const QStringList& messages, const QString& path) {
    QCOMPARE(messages.size(), 1);
    QVERIFY2(!ToldAbout(messages, path).isEmpty(), qPrintable(messages.join(u'\n')));
}

QString ProjectFile(const QString& title) {
    return ProjectsFolder() + u'/' + title + u".qsf"_s;
}

QByteArray ProjectBytes(const QString& title, const QString& root) {
    return Cp1251(
        u"[General]\r\nTitle=%1\r\nMainPage=index.html\r\nRootDir=%2\r\n"_s.arg(title, root));
}

// Exit codes of the child that saves a project as another user.
constexpr int kChildDone = 0;
constexpr int kChildNoUser = 3;
constexpr int kChildFolderWritable = 4;
constexpr int kChildNoReport = 5;
constexpr uid_t kNobody = 65534;

} // namespace

class TestWriteFailures : public QObject {
    Q_OBJECT

    std::unique_ptr<TWindowFixture> F;
    TfrmMain* W = nullptr;

    QStringList Messages() const { return F->Platform.Messages(); }

private slots:
    void init() {
        F = std::make_unique<TWindowFixture>();
        W = F->W.get();
        CreateProjectsFolder();
        gWatched.clear();
        gAtFolderSync.clear();
    }
    void cleanup() {
        gWatched.clear();
        QVERIFY2(F->Platform.Unanswered.isEmpty(), qPrintable(F->Platform.Unanswered.join(u'\n')));
        F.reset();
    }

    void saveOnFullDisk() {
        const QString page = F->OpenTyped(u"page.html"_s, u"<p>old</p>"_s, u"new "_s);
        const QByteArray before = ReadBytes(page);
        QVERIFY(OnFullDisk([&] { W->acSave->trigger(); }));
        QCOMPARE(ReadBytes(page), before);
        QCOMPARE(Entries(F->Dir.path()), QStringList{u"page.html"_s});
        ToldOnce(Messages(), page);
        // Nothing was lost: the page still counts as changed and saves once there is room.
        QCOMPARE(W->ModifiedFlags(), QStringList{u"1"_s});
        W->acSave->trigger();
        QCOMPARE(ReadBytes(page), Cp1251(u"new <p>old</p>\r\n"_s));
        QCOMPARE(Entries(F->Dir.path()), QStringList{u"page.html"_s});
    }

    void saveAllOnFullDisk() {
        // The short page fits in the room left, the long ones do not.
        const QString small = F->OpenTyped(u"a.html"_s, u"a"_s, u"b"_s);
        const QString large = F->OpenTyped(u"b.html"_s, u"<p>old</p>"_s, u"new "_s);
        const QString last = F->OpenTyped(u"c.html"_s, u"<p>old</p>"_s, u"new "_s);
        const QStringList paths{small, large, last};
        QList<QByteArray> before;
        for (const QString& p : paths)
            before << ReadBytes(p);
        const QList<QByteArray> after{"ba\r\n", "new <p>old</p>\r\n", "new <p>old</p>\r\n"};
        QVERIFY(OnFullDisk([&] { W->acSaveAll->trigger(); }));
        QCOMPARE(Entries(F->Dir.path()), (QStringList{u"a.html"_s, u"b.html"_s, u"c.html"_s}));
        QVERIFY2(!ToldAbout(Messages(), large).isEmpty(), qPrintable(Messages().join(u'\n')));
        QCOMPARE(ReadBytes(small), after[0]);
        QCOMPARE(ReadBytes(large), before[1]);
        // A page whose file kept its old bytes still counts as changed.
        OldOrNew(paths, before, after);
        const QStringList modified = W->ModifiedFlags();
        for (int i = 0; i < paths.size(); ++i)
            QCOMPARE(modified[i] == u"1"_s, ReadBytes(paths[i]) != after[i]);
    }

    void projectSaveOnFullDisk_data() {
        QTest::addColumn<bool>("edit");
        QTest::newRow("edited project") << true;
        QTest::newRow("new project") << false;
    }
    void projectSaveOnFullDisk() {
        QFETCH(bool, edit);
        const QString root = F->Dir.path();
        const QString existing = ProjectFile(u"Site"_s);
        WriteBytes(existing, ProjectBytes(u"Site"_s, root));
        const QByteArray before = ReadBytes(existing);
        const QString target = edit ? existing : ProjectFile(u"Fresh"_s);
        W->SiteBrowser->wsSite->LoadFromFile(existing);
        bool accepted = true;
        F->Platform.QueueDialog([&](QDialog* d) {
            auto* dlg = qobject_cast<TfrmNewSite*>(d);
            if (!edit) {
                dlg->edSiteTitle->setText(u"Fresh"_s);
                dlg->edRootDir->setText(root);
            }
            dlg->edSiteMainPage->setText(u"main.html"_s);
            dlg->btnOkClick();
            accepted = dlg->result() == QDialog::Accepted;
            return dlg->result();
        });
        QVERIFY(OnFullDisk([&] { (edit ? W->acEditProject : W->acNewProject)->trigger(); }));
        // The dialog stays open on the failure, so nothing else changes either.
        QVERIFY(!accepted);
        QCOMPARE(ReadBytes(existing), before);
        QCOMPARE(Entries(ProjectsFolder()), QStringList{u"Site.qsf"_s});
        ToldOnce(Messages(), target);
        QCOMPARE(W->SiteBrowser->wsSite->MainPage(), u"index.html"_s);
    }

    void templateSaveOnFullDisk() {
        const QString file = TemplatesFilePath();
        {
            TColorTemplates templates;
            templates.AddBuiltInsIfEmpty();
            templates.SaveToFile(file);
        }
        const QByteArray before = ReadBytes(file);
        QVERIFY(before.size() > qsizetype(kRoom));
        const QStringList entries = Entries(F->Home.Path());
        F->Platform.QueueDialog([](QDialog*) { return int(QDialog::Rejected); });
        QVERIFY(OnFullDisk([&] { W->acDefaultPage->trigger(); }));
        QCOMPARE(ReadBytes(file), before);
        QCOMPARE(Entries(F->Home.Path()), entries);
        ToldOnce(Messages(), file);
    }

    void settingsSaveOnFullDisk() {
        const QString file = SettingsFilePath();
        WriteBytes(file, "[Editor]\r\n; kept as it is\r\nWordWrap=1\r\n");
        const QByteArray before = ReadBytes(file);
        const QStringList entries = Entries(F->Home.Path());
        QVERIFY(OnFullDisk([&] { W->close(); }));
        QCOMPARE(ReadBytes(file), before);
        QCOMPARE(Entries(F->Home.Path()), entries);
        QCOMPARE(Messages().size(), 1);
        const QString told = ToldAbout(Messages(), file);
        QVERIFY2(told.startsWith(u"Настройки не сохранены.\n"_s), qPrintable(told));
    }

    void projectReplaceOnFullDisk() {
        const QString root = F->Dir.filePath(u"site"_s);
        QDir().mkpath(root + u"/sub"_s);
        W->ProjectRootDir = [root] { return root; };
        W->FindReplace->ProjectStateChanged();
        // After the replace "a.html" still fits in the room left; the others do not.
        const QStringList paths{root + u"/a.html"_s, root + u"/b.html"_s, root + u"/sub/c.html"_s};
        const QList<QByteArray> before{"one\r\n", "one and one\r\n", "<p>one</p>\r\n"};
        const QList<QByteArray> after{"three\r\n", "three and three\r\n", "<p>three</p>\r\n"};
        for (int i = 0; i < paths.size(); ++i)
            WriteBytes(paths[i], before[i]);
        W->edFindText->setText(u"one"_s);
        W->edReplaceWith->setText(u"three"_s);
        W->FindReplace->chkEntireSite->setChecked(true);
        QVERIFY(OnFullDisk([&] { W->acReplace->trigger(); }));
        QCOMPARE(Messages().size(), 1);
        OldOrNew(paths, before, after);
        int failed = 0;
        for (int i = 0; i < paths.size(); ++i)
            if (!ToldAbout(Messages(), paths[i]).isEmpty()) {
                ++failed;
                QCOMPARE(ReadBytes(paths[i]), before[i]);
            }
        QCOMPARE(failed, 1);
        QCOMPARE(Entries(root), (QStringList{u"a.html"_s, u"b.html"_s, u"sub"_s}));
        QCOMPARE(Entries(root + u"/sub"_s), QStringList{u"c.html"_s});
        QVERIFY(W->acReplace->isEnabled());
    }

    // Copying a file into the project fails silently (the list shows what is on disk); it
    // must never leave a cut-off copy, and a move must keep its source.
    void copyOnFullDisk_data() {
        QTest::addColumn<bool>("move");
        QTest::addColumn<bool>("targetExists");
        QTest::addColumn<int>("size");
        QTest::newRow("copy over a file") << false << true << 100;
        QTest::newRow("copy, large") << false << true << 200000;
        QTest::newRow("copy to a new name") << false << false << 100;
        QTest::newRow("move by copy") << true << false << 100;
    }
    void copyOnFullDisk() {
        QFETCH(bool, move);
        QFETCH(bool, targetExists);
        QFETCH(int, size);
        const QString source = F->Dir.filePath(u"source.jpg"_s);
        const QString folder = F->Dir.filePath(u"to"_s);
        QDir().mkpath(folder);
        const QString target = folder + u"/source.jpg"_s;
        QByteArray bytes(size, Qt::Uninitialized);
        for (int i = 0; i < size; ++i)
            bytes[i] = char(i * 7);
        WriteBytes(source, bytes);
        if (targetExists)
            WriteBytes(target, "old");
        bool done = true;
        // Past the start of the last, short piece of the large copies too.
        QVERIFY(OnFullDisk(
            [&] {
                done = move ? MoveFileByCopy(source, target) : CopyFileReplacing(source, target);
            },
            rlim_t(size - 10)));
        QVERIFY(!done);
        QCOMPARE(ReadBytes(source), bytes);
        QCOMPARE(Entries(folder), targetExists ? QStringList{u"source.jpg"_s} : QStringList());
        if (targetExists)
            QCOMPARE(ReadBytes(target), QByteArray("old"));
    }

    // A projects folder the user may not add files to. Root may write anywhere, so the save is
    // made in a child process that has first become user "nobody" when run as root.
    void readOnlyProjectsFolder_data() {
        QTest::addColumn<bool>("edit");
        QTest::addColumn<bool>("fileWritable");
        QTest::newRow("new project") << false << false;
        QTest::newRow("edited project, file writable") << true << true;
        QTest::newRow("edited project, file read-only") << true << false;
    }
    void readOnlyProjectsFolder() {
        QFETCH(bool, edit);
        QFETCH(bool, fileWritable);
        const bool root = ::geteuid() == 0;
        const QString projects = ProjectsFolder();
        const QString existing = ProjectFile(u"Site"_s);
        const QString siteRoot = F->Dir.path();
        WriteBytes(existing, ProjectBytes(u"Site"_s, siteRoot));
        const QByteArray before = ReadBytes(existing);
        const QString target = edit ? existing : ProjectFile(u"Fresh"_s);
        const QByteArray projectsName = QFile::encodeName(projects);
        const QByteArray existingName = QFile::encodeName(existing);
        // The program home must be reachable by the other user; only its projects folder is
        // closed to new files.
        QVERIFY(::chmod(QFile::encodeName(F->Home.Path()).constData(), 0755) == 0);
        QVERIFY(::chmod(existingName.constData(), fileWritable ? 0644 : 0444) == 0);
        if (root && fileWritable)
            QVERIFY(::chown(existingName.constData(), kNobody, kNobody) == 0);
        QVERIFY(::chmod(projectsName.constData(), 0555) == 0);
        const auto reopen = qScopeGuard([&] { ::chmod(projectsName.constData(), 0755); });
        // Opened here: as "nobody" the child could not open a file of ours.
        QTemporaryFile reportFile;
        QVERIFY(reportFile.open());

        const pid_t pid = ::fork();
        QVERIFY(pid >= 0);
        if (pid == 0) {
            if (root &&
                (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
                ::_exit(kChildNoUser);
            if (::access(projectsName.constData(), W_OK) == 0)
                ::_exit(kChildFolderWritable);
            F->Platform.Clear();
            QByteArray report;
            {
                TfrmNewSite dialog(edit);
                if (edit) {
                    dialog.SetProject(u"Site"_s, u"index.html"_s, siteRoot);
                } else {
                    dialog.edSiteTitle->setText(u"Fresh"_s);
                    dialog.edRootDir->setText(siteRoot);
                }
                dialog.edSiteMainPage->setText(u"main.html"_s);
                dialog.btnOkClick();
                report = QByteArray::number(dialog.result()) + '\n' +
                         F->Platform.Messages().join(QChar(0)).toUtf8();
            }
            const bool sent =
                ::write(reportFile.handle(), report.constData(), report.size()) == report.size();
            ::_exit(sent ? kChildDone : kChildNoReport);
        }
        int status = 0;
        QCOMPARE(::waitpid(pid, &status, 0), pid);
        QVERIFY(WIFEXITED(status));
        if (WEXITSTATUS(status) == kChildNoUser)
            QSKIP("cannot become user nobody to lose root's right to write anywhere");
        if (WEXITSTATUS(status) == kChildFolderWritable)
            QSKIP("this file system lets the user write the folder whatever its permissions");
        QCOMPARE(WEXITSTATUS(status), kChildDone);
        const QByteArray report = ReadBytes(reportFile.fileName());
        const qsizetype lineEnd = report.indexOf('\n');
        QVERIFY(lineEnd > 0);
        QCOMPARE(report.left(lineEnd).toInt(), int(QDialog::Rejected)); // the dialog stays open
        const QStringList messages = QString::fromUtf8(report.mid(lineEnd + 1)).split(QChar(0));
        QCOMPARE(messages.size(), 1);
        const QString told = ToldAbout(messages, target);
        QVERIFY2(told.contains(u"отказано в доступе"_s), qPrintable(messages.join(u'\n')));
        QCOMPARE(ReadBytes(existing), before);
        QCOMPARE(Entries(projects), QStringList{u"Site.qsf"_s});
    }

    // Without a flush of the folder after the rename, a power failure could bring the old file
    // back; every writer flushes it once the new content is in place.
    void folderFlushedAfterRename_data() {
        QTest::addColumn<QString>("writer");
        QTest::newRow("page") << u"page"_s;
        QTest::newRow("settings file") << u"settings"_s;
        QTest::newRow("project file") << u"project"_s;
        QTest::newRow("copy into a project") << u"copy"_s;
    }
    void folderFlushedAfterRename() {
        QFETCH(QString, writer);
        const QString folder = F->Dir.filePath(u"out"_s);
        QDir().mkpath(folder);
        const QString file = folder + u"/target.txt"_s;
        WriteBytes(file, "old\r\n");
        const QString source = F->Dir.filePath(u"source.txt"_s);
        WriteBytes(source, "[S]\r\nK=new\r\n");
        gWatched = file;
        if (writer == u"page"_s) {
            WriteTextFile(file, u"[S]\nK=new\n"_s);
        } else if (writer == u"settings"_s) {
            WriteBytes(file, "[S]\r\nK=old\r\n");
            TIniFile(file).WriteString(u"S", u"K", u"new"_s);
        } else if (writer == u"project"_s) {
            WriteBytes(file, "");
            TWebSite site;
            site.setTitle(u"T"_s);
            site.setMainPage(u"m.html"_s);
            site.setRootDir(u"/r"_s);
            site.SaveToFile(file);
        } else {
            QVERIFY(CopyFileReplacing(source, file));
        }
        gWatched.clear();
        const QByteArray now = ReadBytes(file);
        QVERIFY(now != "old\r\n");
        QVERIFY(!gAtFolderSync.isEmpty());
        QCOMPARE(gAtFolderSync.last(), now);
        QCOMPARE(Entries(folder), QStringList{u"target.txt"_s});
    }
};

QTEST_MAIN(TestWriteFailures)
#include "tst_writefailures.moc"
