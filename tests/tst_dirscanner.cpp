#include "site/DirectoryScanner.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

// Creates the files and folders named (a name ending in "/" is a folder) below root.
void MakeTree(const QString& root, const QStringList& names) {
    for (const QString& name : names) {
        const QString path = root + u'/' + name;
        if (name.endsWith(u'/')) {
            QVERIFY(QDir().mkpath(path));
        } else {
            QDir().mkpath(QFileInfo(path).path());
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("x");
        }
    }
}

// Every event of a walk as "level:kind:dir-below-root/name", the completion as "done".
struct TRecorder {
    QString Root;
    QStringList Events;
    void Attach(TDirectoryScanner& s) {
        s.OnProcessDirectory = [this](TDirectoryScanner*, const QString& dir, const QString& name,
                                      quint8 level, TDirectoryFileType type) {
            QString rel = dir.mid(Root.size());
            Events << u"%1:%2:%3/%4"_s.arg(level).arg(type == dftFile ? u"f"_s : u"d"_s, rel, name);
        };
        s.OnScanComplete = [this](TDirectoryScanner* sender) {
            Events << (sender->Scanning() ? u"done while scanning"_s : u"done"_s);
        };
    }
};

// The scanner as the main window sets it up for its jobs.
void WindowSettings(TDirectoryScanner& s) {
    s.setMask(u"*"_s);
    s.setAttributes(fteReadOnly | fteHidden);
    s.setRecursiveScan(true);
    s.setOnlyDirectories(false);
    s.setPrimaryTarget(stFiles);
}

// A tree in a temporary folder and a scanner on it (or on a folder `sub` of it), set up as the
// main window sets it up.
struct TWalk {
    QTemporaryDir Tmp;
    TDirectoryScanner S;
    TRecorder R;
    explicit TWalk(const QStringList& names, bool clearAll = false, const QString& sub = {}) {
        MakeTree(Tmp.path(), names);
        WindowSettings(S);
        S.setClearAll(clearAll);
        R.Root = Path() + sub;
        if (!S.setRootDir(R.Root))
            qWarning("root refused");
        R.Attach(S);
    }
    QString Path() const { return Tmp.path(); }
};

QStringList Sorted(QStringList list) {
    list.sort();
    return list;
}

QStringList TreeBelow(const QString& root) {
    QStringList result;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        result << it.next().mid(root.size() + 1);
    return Sorted(result);
}

} // namespace

class TestDirScanner : public QObject {
    Q_OBJECT

private slots:
    void MaskMatching_data() {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("matches");
        QTest::newRow("star, dotless name") << u"*"_s << u"README"_s << true;
        QTest::newRow("star-dot-star, dotless name") << u"*.*"_s << u"README"_s << true;
        QTest::newRow("star-dot-star, dotted name") << u"*.*"_s << u".htaccess"_s << true;
        QTest::newRow("extension ignores case") << u"*.htm"_s << u"INDEX.HTM"_s << true;
        QTest::newRow("longer extension") << u"*.htm"_s << u"a.html"_s << false;
        QTest::newRow("question mark one char") << u"?.gif"_s << u"b.gif"_s << true;
        QTest::newRow("question mark not two") << u"?.gif"_s << u"bb.gif"_s << false;
        QTest::newRow("question mark not none") << u"a?"_s << u"a"_s << false;
        QTest::newRow("backtracking star") << u"*a*b"_s << u"xaxxab"_s << true;
        QTest::newRow("star needs tail") << u"*a*b"_s << u"xaxxa"_s << false;
        QTest::newRow("cyrillic ignores case") << u"стр*"_s << u"Страница.html"_s << true;
        QTest::newRow("bracket is literal") << u"[a].htm"_s << u"a.htm"_s << false;
        QTest::newRow("bracket literal match") << u"[a].htm"_s << u"[A].htm"_s << true;
    }
    void MaskMatching() {
        QFETCH(QString, mask);
        QFETCH(QString, name);
        QFETCH(bool, matches);
        QCOMPARE(MaskMatches(mask, name), matches);
    }

    void PropertyRules_data() {
        QTest::addColumn<QString>("rootSuffix");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("storedSuffix");
        QTest::newRow("existing") << u"/sub"_s << true << u"/sub"_s;
        QTest::newRow("trailing separator dropped") << u"/sub/"_s << true << u"/sub"_s;
        // These folders exist: refused for the character alone.
        QTest::newRow("question mark") << u"/sub?"_s << false << QString();
        QTest::newRow("star") << u"/*"_s << false << QString();
        QTest::newRow("pipe") << u"/a|b"_s << false << QString();
        QTest::newRow("missing") << u"/none"_s << false << QString();
        QTest::newRow("a file") << u"/file.txt"_s << false << QString();
    }
    void PropertyRules() {
        QFETCH(QString, rootSuffix);
        QFETCH(bool, accepted);
        QFETCH(QString, storedSuffix);
        QTemporaryDir tmp;
        MakeTree(tmp.path(), {u"sub/"_s, u"sub?/"_s, u"*/"_s, u"a|b/"_s, u"file.txt"_s});
        TDirectoryScanner s;
        QVERIFY(s.setRootDir(tmp.path()));
        QCOMPARE(s.setRootDir(tmp.path() + rootSuffix), accepted);
        QCOMPARE(s.RootDir(), accepted ? tmp.path() + storedSuffix : tmp.path());
        QVERIFY(!s.setRootDir(QString()));
    }

    void MaskRule_data() {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("pattern") << u"*.htm"_s << true;
        QTest::newRow("question") << u"a?.*"_s << true;
        for (const QString& c : {u"/"_s, u"<"_s, u">"_s, u"\\"_s, u"|"_s})
            QTest::addRow("with %s", qPrintable(c)) << u"a"_s + c + u"*"_s << false;
    }
    void MaskRule() {
        QFETCH(QString, mask);
        QFETCH(bool, accepted);
        TDirectoryScanner s;
        QVERIFY(s.setMask(u"*"_s));
        QCOMPARE(s.setMask(mask), accepted);
        QCOMPARE(s.Mask(), accepted ? mask : u"*"_s);
    }

    void ClearAllForcesFilesFirst() {
        TDirectoryScanner s;
        s.setPrimaryTarget(stDirectories);
        s.setClearAll(true);
        QCOMPARE(s.PrimaryTarget(), stFiles);
        QVERIFY(s.ClearAll());
        s.setPrimaryTarget(stDirectories);
        QVERIFY(!s.ClearAll());
        s.setClearAll(false);
        QCOMPARE(s.PrimaryTarget(), stDirectories);
    }

    void EventOrder_data() {
        QTest::addColumn<int>("target");
        QTest::addColumn<QStringList>("expected");
        // The two root files come in the file system's order; the test sorts that pair.
        QTest::newRow("files first") << int(stFiles)
                                     << QStringList{u"0:f:/a.html"_s, u"0:f:/c.css"_s,
                                                    u"0:d:/img"_s, u"1:f:/img/b.gif"_s, u"done"_s};
        QTest::newRow("directories first")
            << int(stDirectories)
            << QStringList{u"0:d:/img"_s, u"1:f:/img/b.gif"_s, u"0:f:/a.html"_s, u"0:f:/c.css"_s,
                           u"done"_s};
    }
    void EventOrder() {
        QFETCH(int, target);
        QFETCH(QStringList, expected);
        TWalk w({u"a.html"_s, u"c.css"_s, u"img/b.gif"_s});
        w.S.setPrimaryTarget(TScanTarget(target));
        w.S.Scan();
        QStringList got = w.R.Events;
        const int pair = target == stFiles ? 0 : 2;
        if (got.size() == expected.size())
            std::sort(got.begin() + pair, got.begin() + pair + 2);
        QCOMPARE(got, expected);
        QVERIFY(!w.S.Scanning());
    }

    void FilterAndShape_data() {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<bool>("recursive");
        QTest::addColumn<bool>("onlyDirs");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("everything")
            << u"*"_s << true << true << false
            << QStringList{u"0:d:/d"_s,       u"0:f:/.hid"_s,      u"0:f:/a.htm"_s,
                           u"0:f:/b.HTM"_s,   u"0:f:/c.html"_s,    u"1:d:/d/e"_s,
                           u"1:f:/d/x.htm"_s, u"2:f:/d/e/y.htm"_s, u"done"_s};
        QTest::newRow("mask still enters folders")
            << u"*.htm"_s << true << true << false
            << QStringList{u"0:d:/d"_s,       u"0:f:/a.htm"_s,     u"0:f:/b.HTM"_s, u"1:d:/d/e"_s,
                           u"1:f:/d/x.htm"_s, u"2:f:/d/e/y.htm"_s, u"done"_s};
        QTest::newRow("hidden files left out")
            << u"*"_s << false << true << false
            << QStringList{u"0:d:/d"_s,   u"0:f:/a.htm"_s,   u"0:f:/b.HTM"_s,     u"0:f:/c.html"_s,
                           u"1:d:/d/e"_s, u"1:f:/d/x.htm"_s, u"2:f:/d/e/y.htm"_s, u"done"_s};
        QTest::newRow("not recursive")
            << u"*.*"_s << true << false << false
            << QStringList{u"0:d:/d"_s,     u"0:f:/.hid"_s,   u"0:f:/a.htm"_s,
                           u"0:f:/b.HTM"_s, u"0:f:/c.html"_s, u"done"_s};
        QTest::newRow("directories only")
            << u"*"_s << true << true << true << QStringList{u"0:d:/d"_s, u"1:d:/d/e"_s, u"done"_s};
    }
    void FilterAndShape() {
        QFETCH(QString, mask);
        QFETCH(bool, hidden);
        QFETCH(bool, recursive);
        QFETCH(bool, onlyDirs);
        QFETCH(QStringList, expected);
        // A dot-named folder is never entered, whatever the attributes.
        TWalk w({u"a.htm"_s, u"b.HTM"_s, u"c.html"_s, u".hid"_s, u"d/x.htm"_s, u"d/e/y.htm"_s,
                 u".git/z.htm"_s});
        QVERIFY(w.S.setMask(mask));
        w.S.setAttributes(hidden ? TFileAttributes(fteHidden) : TFileAttributes());
        w.S.setRecursiveScan(recursive);
        w.S.setOnlyDirectories(onlyDirs);
        w.S.Scan();
        QCOMPARE(w.R.Events.last(), u"done"_s);
        QCOMPARE(Sorted(w.R.Events), Sorted(expected));
    }

    // Clearing removes all it walks, the root last, but no dot-named folder.
    void ClearAll_data() {
        QTest::addColumn<QStringList>("tree");
        QTest::addColumn<QStringList>("left"); // empty: the root is gone too
        QTest::newRow("everything") << QStringList{u"a.html"_s, u".htaccess"_s, u"img/b.gif"_s,
                                                   u"img/x/y/z.txt"_s, u"empty/"_s}
                                    << QStringList();
        QTest::newRow("dot folders kept")
            << QStringList{u"a/b/.cache/keep.txt"_s, u"a/b/gone.txt"_s, u"a/gone.txt"_s,
                           u"other/gone.txt"_s}
            << QStringList{u"a"_s, u"a/b"_s, u"a/b/.cache"_s, u"a/b/.cache/keep.txt"_s};
    }
    void ClearAll() {
        QFETCH(QStringList, tree);
        QFETCH(QStringList, left);
        TWalk w(tree, true);
        bool rootRemoved = false;
        w.S.OnScanComplete = [&](TDirectoryScanner* sender) {
            rootRemoved = QDir().rmdir(sender->RootDir());
        };
        w.S.Scan();
        QCOMPARE(rootRemoved, left.isEmpty());
        if (!rootRemoved)
            QCOMPARE(TreeBelow(w.Path()), left);
    }

    void DeletingNeverReachesThroughLinks() {
        TWalk w({u"site/a.html"_s, u"site/sub/b.html"_s, u"outside/keep.html"_s,
                 u"outside/deep/keep2.html"_s, u"lonely.txt"_s},
                true, u"/site"_s);
        const QString site = w.Path() + u"/site"_s, outside = w.Path() + u"/outside"_s;
        QVERIFY(QFile::link(outside, site + u"/dirlink"_s));
        QVERIFY(QFile::link(outside, site + u"/sub/dirlink2"_s));
        QVERIFY(QFile::link(w.Path() + u"/lonely.txt"_s, site + u"/filelink.txt"_s));
        QVERIFY(QFile::link(w.Path() + u"/nowhere"_s, site + u"/dangling"_s));
        w.S.Scan();
        for (const QString& event : {u"0:d:/dirlink"_s, u"0:f:/filelink.txt"_s, u"0:f:/dangling"_s})
            QVERIFY2(w.R.Events.contains(event), qPrintable(event));
        QVERIFY(!w.R.Events.contains(u"1:f:/dirlink/keep.html"_s));
        QCOMPARE(TreeBelow(site), QStringList());
        QCOMPARE(TreeBelow(outside),
                 (QStringList{u"deep"_s, u"deep/keep2.html"_s, u"keep.html"_s}));
        QVERIFY(QFileInfo::exists(w.Path() + u"/lonely.txt"_s));
    }

    void LinkLoopEnds() {
        TWalk w({u"a/b/page.html"_s});
        QVERIFY(QFile::link(w.Path() + u"/a"_s, w.Path() + u"/a/b/up"_s));
        w.S.Scan();
        QCOMPARE(Sorted(w.R.Events), Sorted({u"0:d:/a"_s, u"1:d:/a/b"_s, u"2:f:/a/b/page.html"_s,
                                             u"2:d:/a/b/up"_s, u"done"_s}));
    }

    void ScanFromHandlerIsIgnored() {
        TWalk w({u"a.html"_s, u"d/b.html"_s});
        TDirectoryScanner& s = w.S;
        int events = 0, completions = 0;
        s.OnProcessDirectory = [&](TDirectoryScanner* sender, const QString&, const QString&,
                                   quint8, TDirectoryFileType) {
            ++events;
            QVERIFY(sender->Scanning());
            sender->Scan();
        };
        s.OnScanComplete = [&](TDirectoryScanner*) { ++completions; };
        s.Scan();
        QCOMPARE(events, 3);
        QCOMPARE(completions, 1);
        // A later start runs again.
        s.Scan();
        QCOMPARE(events, 6);
        QCOMPARE(completions, 2);
    }

    void FailingHandlerEndsTheWalk() {
        TWalk w({u"a.html"_s, u"d/b.html"_s});
        TDirectoryScanner& s = w.S;
        int completions = 0;
        s.OnProcessDirectory = [](TDirectoryScanner*, const QString&, const QString& name, quint8,
                                  TDirectoryFileType) {
            if (name == u"b.html")
                throw std::runtime_error("cannot read");
        };
        s.OnScanComplete = [&](TDirectoryScanner*) { ++completions; };
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, s.Scan());
        QVERIFY(!s.Scanning());
        QCOMPARE(completions, 0);
        s.OnProcessDirectory = nullptr;
        s.Scan();
        QCOMPARE(completions, 1);
    }
};

QTEST_GUILESS_MAIN(TestDirScanner)
#include "tst_dirscanner.moc"
