// The site model, project files and the site browser's pure rules and file moves.
#include "app/rcstring.h"
#include "site/WebSite.h"
#include "site/sitelogic.h"
#include "support/testutil.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using testutil::ReadBytes;
using testutil::WriteBytes;

namespace {

void MakeTree(const QString& root, const QStringList& names) {
    for (const QString& name : names) {
        const QString path = root + u'/' + name;
        if (name.endsWith(u'/')) {
            QDir().mkpath(path);
        } else {
            QDir().mkpath(QFileInfo(path).path());
            WriteBytes(path, name.toUtf8());
        }
    }
}

// Every event of a site model, in order, as short texts.
struct TSiteLog {
    QStringList Events;
    explicit TSiteLog(TWebSite& s) {
        QObject::connect(&s, &TWebSite::OnSetRoot, [this] { Events << u"root"_s; });
        QObject::connect(&s, &TWebSite::OnCreateDirectory, [this] { Events << u"created"_s; });
        QObject::connect(&s, &TWebSite::OnChangeDirectory, [this] { Events << u"changed"_s; });
        QObject::connect(&s, &TWebSite::OnListDirectory,
                         [this](TWebSite*, const QString& name, TDirectoryFileType type) {
                             Events << (type == dftDirectory ? u"d:"_s : u"f:"_s) + name;
                         });
        QObject::connect(&s, &TWebSite::OnDirectoryListed, [this] { Events << u"listed"_s; });
        QObject::connect(&s, &TWebSite::OnLoad, [this] { Events << u"load"_s; });
    }
};

// A tree in a temporary folder and a site model on its root.
struct TSite {
    QTemporaryDir Tmp;
    TWebSite S;
    explicit TSite(const QStringList& names) {
        MakeTree(Tmp.path(), names);
        S.setRootDir(Tmp.path());
    }
    QString At(const QString& name) const { return Tmp.filePath(name); }
};

} // namespace

class TestWebSite : public QObject {
    Q_OBJECT

private slots:
    void LevelUp_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("event");
        QTest::newRow("three levels") << u"a/b/c"_s << u"a/b"_s << true;
        QTest::newRow("one level") << u"a"_s << QString() << true;
        QTest::newRow("at the root") << QString() << QString() << false;
    }
    void LevelUp() {
        QFETCH(QString, start);
        QFETCH(QString, after);
        QFETCH(bool, event);
        TSite site({u"a/b/c/"_s});
        TWebSite& s = site.S;
        for (const QString& component : start.split(u'/', Qt::SkipEmptyParts))
            s.ChangeDirectory(component);
        QCOMPARE(s.CurrentSubDir(), start);
        QSignalSpy spy(&s, &TWebSite::OnChangeDirectory);
        s.ChangeDirectory(u".."_s);
        QCOMPARE(s.CurrentSubDir(), after);
        QCOMPARE(spy.size(), event ? 1 : 0);
    }

    void EnterRefused_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing") << u"nothere"_s;
        QTest::newRow("plain file") << u"a.html"_s;
        QTest::newRow("two components") << u"d/e"_s;
        QTest::newRow("dot") << u"."_s;
        QTest::newRow("empty") << QString();
    }
    void EnterRefused() {
        QFETCH(QString, name);
        TSite site({u"a.html"_s, u"d/e/"_s});
        TWebSite& s = site.S;
        QSignalSpy spy(&s, &TWebSite::OnChangeDirectory);
        s.ChangeDirectory(name);
        QCOMPARE(s.CurrentSubDir(), QString());
        QCOMPARE(spy.size(), 0);
    }

    void RootResetsCurrentFolder() {
        TSite site({u"a/b/"_s, u"other/"_s});
        TWebSite& s = site.S;
        const QTemporaryDir& tmp = site.Tmp;
        s.setAutoList(true);
        s.ChangeDirectory(u"a"_s);
        s.ChangeDirectory(u"b"_s);
        QCOMPARE(s.CurrentSubDir(), u"a/b"_s);
        QCOMPARE(s.EntryPath(u"x.html"_s), tmp.path() + u"/a/b/x.html"_s);
        TSiteLog log(s);
        s.setRootDir(tmp.path() + u"/other"_s);
        QCOMPARE(s.CurrentSubDir(), QString());
        QCOMPARE(log.Events, (QStringList{u"root"_s, u"listed"_s}));
        // A missing folder is ignored silently.
        s.setRootDir(tmp.path() + u"/none"_s);
        QCOMPARE(s.RootDir(), tmp.path() + u"/other"_s);
        QCOMPARE(log.Events.size(), 2);
    }

    void MainPageRule_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("taken");
        QTest::newRow("php3") << u"start.php3"_s << true;
        QTest::newRow("upper case") << u"Index.HTML"_s << true;
        QTest::newRow("shtml") << u"page.shtml"_s << true;
        QTest::newRow("text file") << u"readme.txt"_s << false;
        QTest::newRow("with folder") << u"pages/index.html"_s << false;
        QTest::newRow("with colon") << u"a:b.htm"_s << false;
        QTest::newRow("no extension") << u"index"_s << false;
    }
    void MainPageRule() {
        QFETCH(QString, value);
        QFETCH(bool, taken);
        TWebSite s;
        QCOMPARE(s.MainPage(), u"index.html"_s);
        s.setMainPage(value);
        QCOMPARE(s.MainPage(), taken ? value : u"index.html"_s);
    }

    // Inactive, only folders are listed; activation with AutoList lists again with the files, in
    // the file system's order, and a second activation does nothing. ".svn" is never listed.
    void Listing() {
        TSite site({u"sub/"_s, u".svn/"_s, u"a.html"_s, u".htaccess"_s});
        TWebSite& s = site.S;
        TSiteLog log(s);
        s.ListDirectory();
        QCOMPARE(log.Events, (QStringList{u"d:sub"_s, u"listed"_s}));
        s.setAutoList(true);
        log.Events.clear();
        s.setActive(true);
        s.setActive(true);
        QStringList files = log.Events.mid(1, 2);
        files.sort();
        QCOMPARE(log.Events.value(0) + log.Events.value(3), u"d:sublisted"_s);
        QCOMPARE(files, (QStringList{u"f:.htaccess"_s, u"f:a.html"_s}));
        QCOMPARE(log.Events.size(), 4);
    }

    // A valid name is created, or entered when it exists, and listed; an invalid one does nothing.
    void CreateDirectory_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("after");
        QTest::newRow("new") << u"new"_s << u"new"_s;
        QTest::newRow("invalid name") << u"-x"_s << QString();
        QTest::newRow("with a slash") << u"a/b"_s << QString();
        QTest::newRow("existing folder") << u"docs"_s << u"docs"_s;
    }
    void CreateDirectory() {
        QFETCH(QString, name);
        QFETCH(QString, after);
        TSite site({u"docs/"_s});
        TWebSite& s = site.S;
        s.setAutoList(true);
        TSiteLog log(s);
        s.CreateDirectory(name);
        QCOMPARE(s.CurrentSubDir(), after);
        QCOMPARE(log.Events,
                 after.isEmpty() ? QStringList() : (QStringList{u"created"_s, u"listed"_s}));
        if (!after.isEmpty())
            QVERIFY(QFileInfo(site.At(after)).isDir());
    }

    void ProjectFileRoundTrip() {
        QTemporaryDir tmp;
        MakeTree(tmp.path(), {u"site/"_s});
        const QString file = tmp.filePath(u"Мой сайт.qsf"_s);
        // Other lines of an existing file stay as they were; values are replaced in place.
        WriteBytes(file, testutil::Cp1251(u"; мой комментарий\r\n[General]\r\nTitle=old\r\n"
                                          u"Extra=1\r\n"_s));
        TWebSite s;
        s.setTitle(u"Мой сайт"_s);
        s.setMainPage(u"main.php"_s);
        s.setRootDir(tmp.filePath(u"site"_s));
        QSignalSpy saved(&s, &TWebSite::OnSave);
        s.SaveToFile(file);
        QCOMPARE(saved.size(), 1);
        QCOMPARE(ReadBytes(file),
                 testutil::Cp1251(u"; мой комментарий\r\n[General]\r\nTitle=Мой сайт\r\nExtra=1\r\n"
                                  u"MainPage=main.php\r\nRootDir="_s +
                                  tmp.filePath(u"site"_s) + u"\r\n"_s));

        TWebSite loaded;
        loaded.setAutoList(true);
        TSiteLog log(loaded);
        loaded.LoadFromFile(file);
        QCOMPARE(loaded.Title(), u"Мой сайт"_s);
        QCOMPARE(loaded.MainPage(), u"main.php"_s);
        QCOMPARE(loaded.RootDir(), tmp.filePath(u"site"_s));
        QVERIFY(loaded.Active());
        QCOMPARE(log.Events, (QStringList{u"load"_s, u"listed"_s}));
        // A file that cannot be written is a file error, not a silent loss.
        QVERIFY(
            !testutil::ErrorOf([&] { s.SaveToFile(tmp.filePath(u"missing/x.qsf"_s)); }).isEmpty());
    }

    void LoadRules() {
        TSite site({u"a/b/"_s});
        TWebSite& s = site.S;
        const QTemporaryDir& tmp = site.Tmp;
        s.ChangeDirectory(u"a"_s);
        s.setMainPage(u"start.htm"_s);
        // A missing file changes nothing.
        s.LoadFromFile(tmp.filePath(u"none.qsf"_s));
        QVERIFY(!s.Active());
        QCOMPARE(s.CurrentSubDir(), u"a"_s);
        // A page that is no page leaves the main page; the root is taken as stored.
        const QString file = tmp.filePath(u"p.qsf"_s);
        WriteBytes(file, "[General]\r\nTitle=P\r\nMainPage=notes.txt\r\nRootDir=/nowhere\r\n");
        s.LoadFromFile(file);
        QCOMPARE(s.MainPage(), u"start.htm"_s);
        QCOMPARE(s.RootDir(), u"/nowhere"_s);
        QCOMPARE(s.CurrentSubDir(), QString());
        QVERIFY(s.Active());
        // Without a MainPage key the page is index.html.
        WriteBytes(file, "[General]\r\nTitle=P\r\n");
        s.LoadFromFile(file);
        QCOMPARE(s.MainPage(), u"index.html"_s);
    }

    // The path rules for both separators; each table entry is one case.
    void PathRules() {
        const QChar win = u'\\', nix = u'/';
        const struct {
            QString root, sub;
            QChar sep;
            QString path;
        } entries[] = {
            {u"c:"_s, QString(), win, u"c:\\n.htm"_s},
            {u"c:\\site"_s, u"img/icons"_s, win, u"c:\\site\\img\\icons\\n.htm"_s},
            {u"/s"_s, u"a/b"_s, nix, u"/s/a/b/n.htm"_s},
            {u"/"_s, u"a"_s, nix, u"/a/n.htm"_s}, // the file system root
        };
        for (const auto& e : entries)
            QCOMPARE(SiteEntryPath(e.root, e.sub, u"n.htm"_s, e.sep), e.path);
        const struct {
            QString typed;
            QChar sep;
            QString folder;
        } destinations[] = {
            {u"  c:/site//img "_s, win, u"c:\\site\\img\\"_s},
            {u"c:\\a\\"_s, win, u"c:\\a\\"_s},
            {u"\\\\server\\share"_s, win, u"\\server\\share\\"_s}, // network path reduced
            {u"/home//u/site/"_s, nix, u"/home/u/site/"_s},
        };
        for (const auto& d : destinations)
            QCOMPARE(DestinationFolder(d.typed, d.sep), d.folder);
        // Inside /w/site, whatever the case; a sibling with the same start is not.
        for (const QString& in : {u"/w/Site/img/"_s, u"/w/site/"_s, u"/W/SITE/x/"_s})
            QVERIFY2(FolderIsInsideRoot(in, u"/w/site"_s, nix), qPrintable(in));
        for (const QString& out : {u"/w/site2/"_s, u"/tmp/"_s})
            QVERIFY2(!FolderIsInsideRoot(out, u"/w/site"_s, nix), qPrintable(out));
    }

    void ProjectTitles_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("plain") << u"Мой сайт"_s << true;
        QTest::newRow("blanks around") << u"  Alpha  "_s << true;
        QTest::newRow("dots inside") << u"v1.2"_s << true;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("blanks only") << u"   "_s << false;
        QTest::newRow("slash leaves the folder") << u"../evil"_s << false;
        QTest::newRow("backslash") << u"a\\b"_s << false;
        QTest::newRow("colon") << u"a:b"_s << false;
        QTest::newRow("star") << u"a*"_s << false;
        QTest::newRow("dot") << u"."_s << false;
        QTest::newRow("two dots") << u" .. "_s << false;
        QTest::newRow("line break") << u"a\nb"_s << false;
    }
    void ProjectTitles() {
        QFETCH(QString, title);
        QFETCH(bool, accepted);
        const QString problem = ProjectTitleProblem(title);
        QCOMPARE(problem.isEmpty(), accepted);
        if (title.trimmed().isEmpty())
            QCOMPARE(problem, LoadStr(sNeedProjectTitle));
        if (accepted)
            QCOMPARE(ProjectFilePath(u"/p"_s, title), u"/p/"_s + title.trimmed() + u".qsf"_s);
    }

    void StoredProjectList() {
        QTemporaryDir tmp;
        MakeTree(tmp.path(), {u"beta.qsf"_s, u"Alpha.qsf"_s, u".hidden.qsf"_s, u"notes.txt"_s,
                              u"folder.qsf/"_s, u"x.qsf.bak"_s});
        QCOMPARE(StoredProjects(tmp.path()), (QStringList{u".hidden"_s, u"Alpha"_s, u"beta"_s}));
        QCOMPARE(IndexAfterRemoval(2, 2), 1);
        QCOMPARE(IndexAfterRemoval(0, 2), 0);
        QCOMPARE(IndexAfterRemoval(0, 0), -1);
    }

    void CopyReplaces() {
        TSite t({u"a.html"_s, u"dest/"_s, u"outside.txt"_s});
        WriteBytes(t.At(u"dest/a.html"_s), "old");
        QVERIFY(CopyFileReplacing(t.At(u"a.html"_s), t.At(u"dest/a.html"_s)));
        QCOMPARE(ReadBytes(t.At(u"dest/a.html"_s)), QByteArray("a.html"));
        // A link at the target name is replaced; the file it named is untouched.
        QVERIFY(QFile::link(t.At(u"outside.txt"_s), t.At(u"dest/b.html"_s)));
        QVERIFY(CopyFileReplacing(t.At(u"a.html"_s), t.At(u"dest/b.html"_s)));
        QVERIFY(!QFileInfo(t.At(u"dest/b.html"_s)).isSymLink());
        QCOMPARE(ReadBytes(t.At(u"outside.txt"_s)), QByteArray("outside.txt"));
        // Onto itself: the file stays whole.
        QVERIFY(CopyFileReplacing(t.At(u"a.html"_s), t.At(u"a.html"_s)));
        QCOMPARE(ReadBytes(t.At(u"a.html"_s)), QByteArray("a.html"));
    }

    // Both ways of moving: an existing target is refused, a failed copy keeps the source.
    void Move_data() {
        QTest::addColumn<bool>("byCopy");
        QTest::newRow("rename") << false;
        QTest::newRow("copy and delete") << true;
    }
    void Move() {
        QFETCH(bool, byCopy);
        const auto move = byCopy ? MoveFileByCopy : MoveFileSafely;
        TSite t({u"a.html"_s, u"dest/a.html"_s, u"b.html"_s});
        QVERIFY(!move(t.At(u"a.html"_s), t.At(u"dest/a.html"_s)));
        QCOMPARE(ReadBytes(t.At(u"a.html"_s)), QByteArray("a.html"));
        QCOMPARE(ReadBytes(t.At(u"dest/a.html"_s)), QByteArray("dest/a.html"));
        QVERIFY(!move(t.At(u"a.html"_s), t.At(u"none/a.html"_s)));
        QCOMPARE(ReadBytes(t.At(u"a.html"_s)), QByteArray("a.html"));
        QCOMPARE(QDir(t.Tmp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 (QStringList{u"a.html"_s, u"b.html"_s, u"dest"_s}));
        QVERIFY(move(t.At(u"b.html"_s), t.At(u"dest/b.html"_s)));
        QVERIFY(!QFileInfo::exists(t.At(u"b.html"_s)));
        QCOMPARE(ReadBytes(t.At(u"dest/b.html"_s)), QByteArray("b.html"));
    }

    void MoveAcrossFileSystems() {
        QTemporaryDir here;
        QTemporaryDir there(u"/dev/shm/quorvane-XXXXXX"_s);
        if (!there.isValid() ||
            QStorageInfo(here.path()).device() == QStorageInfo(there.path()).device())
            QSKIP("no second file system to move to");
        MakeTree(here.path(), {u"a.html"_s});
        QVERIFY(MoveFileSafely(here.filePath(u"a.html"_s), there.filePath(u"a.html"_s)));
        QVERIFY(!QFileInfo::exists(here.filePath(u"a.html"_s)));
        QCOMPARE(ReadBytes(there.filePath(u"a.html"_s)), QByteArray("a.html"));
    }
};

QTEST_GUILESS_MAIN(TestWebSite)
#include "tst_website.moc"
