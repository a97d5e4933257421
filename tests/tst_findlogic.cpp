// Matching rules, found lines, replace-all and the files of a project, without a window.
#include "site/findlogic.h"
#include "support/testutil.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace Qt::StringLiterals;
using testutil::Cp1251;
using testutil::ReadBytes;
using testutil::WriteBytes;

using TPositions = QList<qsizetype>;
using TRows = QList<TFoundLine>;

namespace {

// The replace-all loop exactly as the editor runs it one occurrence at a time on a changing
// text: the yardstick for the one-pass ReplaceAll.
QString StepwiseReplaceAll(QString text, qsizetype start, const QString& what, const QString& with,
                           TFindOptions options, int* count) {
    *count = 0;
    TTextMatcher m(what, options);
    for (;;) {
        m.SetText(text);
        const qsizetype p = m.Next(start);
        if (p < 0)
            return text;
        text.replace(p, what.size(), with);
        start = p + with.size();
        ++*count;
    }
}

} // namespace

class TestFindLogic : public QObject {
    Q_OBJECT

private slots:
    void matching_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("what");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<bool>("wholeWord");
        QTest::addColumn<TPositions>("found");
        QTest::newRow("case ignored")
            << u"<TITLE>x</Title>"_s << u"title"_s << false << false << TPositions{1, 10};
        QTest::newRow("cyrillic case ignored")
            << u"Привет ПРИВЕТ привет"_s << u"привет"_s << false << false << TPositions{0, 7, 14};
        QTest::newRow("cyrillic case kept")
            << u"Привет ПРИВЕТ привет"_s << u"привет"_s << true << false << TPositions{14};
        QTest::newRow("yo folds") << u"Ёлка ёлка"_s << u"ёлка"_s << false << false
                                  << TPositions{0, 5};
        QTest::newRow("word before >")
            << u"<td>tab</td>"_s << u"tab"_s << false << true << TPositions{4};
        QTest::newRow("not inside table")
            << u"<table>"_s << u"tab"_s << false << true << TPositions{};
        QTest::newRow("not in tab1") << u"tab1"_s << u"tab"_s << false << true << TPositions{};
        QTest::newRow("ends of text")
            << u"tab x tab"_s << u"tab"_s << false << true << TPositions{0, 6};
        QTest::newRow("word after a longer one")
            << u"tabs tab"_s << u"tab"_s << false << true << TPositions{5};
        QTest::newRow("cyrillic word")
            << u"стол столб"_s << u"стол"_s << false << true << TPositions{0};
        QTest::newRow("overlapping") << u"aaa"_s << u"aa"_s << false << false << TPositions{0, 1};
        QTest::newRow("empty text to find")
            << u"abc"_s << QString() << false << false << TPositions{};
        QTest::newRow("no match across lines")
            << u"a\nb"_s << u"a\nb"_s << false << false << TPositions{};
    }
    void matching() {
        QFETCH(QString, text);
        QFETCH(QString, what);
        QFETCH(bool, matchCase);
        QFETCH(bool, wholeWord);
        QFETCH(TPositions, found);
        TTextMatcher m(what, {matchCase, wholeWord});
        m.SetText(text);
        QCOMPARE(m.All(), found);
        QCOMPARE(m.Next(0), found.value(0, -1));
        // A start past an occurrence skips it.
        if (!found.isEmpty())
            QCOMPARE(m.Next(found.first() + 1), found.value(1, -1));
    }

    void findLines_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("what");
        QTest::addColumn<TRows>("rows");
        const QString banana = u"banana"_s;
        QTest::newRow("three in banana")
            << u"x\nbanana\ny\n"_s << u"a"_s << TRows{{1, banana}, {1, banana}, {1, banana}};
        QTest::newRow("first and last line")
            << u"a1\nb\na2"_s << u"a"_s << TRows{{0, u"a1"_s}, {2, u"a2"_s}};
        QTest::newRow("after empty lines") << u"\n\nfoo\n"_s << u"FOO"_s << TRows{{2, u"foo"_s}};
        QTest::newRow("cyrillic line")
            << u"<p>\nПривет, мир\n</p>"_s << u"МИР"_s << TRows{{1, u"Привет, мир"_s}};
    }
    void findLines() {
        QFETCH(QString, text);
        QFETCH(QString, what);
        QFETCH(TRows, rows);
        QCOMPARE(FindLines(text, what, {}), rows);
    }

    void replaceAll_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("with");
        QTest::addColumn<bool>("wholeWord");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("count");
        QTest::newRow("a to aa ends")
            << u"aaa"_s << 0 << u"a"_s << u"aa"_s << false << u"aaaaaa"_s << 3;
        QTest::newRow("from a start")
            << u"a a a"_s << 2 << u"a"_s << u"b"_s << false << u"a b b"_s << 2;
        QTest::newRow("whole words")
            << u"tab table tab"_s << 0 << u"tab"_s << u"x"_s << true << u"x table x"_s << 2;
        // After "-" became "x" the next "-" follows a letter: no longer a whole word.
        QTest::newRow("word boundary after a replacement")
            << u"--"_s << 0 << u"-"_s << u"x"_s << true << u"x-"_s << 1;
        QTest::newRow("removed") << u"a-a"_s << 0 << u"a"_s << QString() << true << u"-"_s << 2;
        QTest::newRow("empty text to find")
            << u"abc"_s << 0 << QString() << u"y"_s << false << u"abc"_s << 0;
    }
    void replaceAll() {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(QString, what);
        QFETCH(QString, with);
        QFETCH(bool, wholeWord);
        QFETCH(QString, result);
        QFETCH(int, count);
        const TReplaceAllResult r =
            ReplaceAll(text, start, TTextMatcher(what, {false, wholeWord}), with);
        QCOMPARE(r.Text, result);
        QCOMPARE(r.Count, count);
        // The changed span, put in place of the old one, gives the whole new text.
        QCOMPARE(text.left(r.First) + r.Text.mid(r.First, r.NewEnd - r.First) + text.mid(r.OldEnd),
                 result);
        // So do the occurrences, replaced one by one.
        QCOMPARE(r.Positions.size(), count);
        QString applied = text;
        qsizetype shift = 0;
        for (qsizetype p : r.Positions) {
            applied.replace(p + shift, what.size(), with);
            shift += with.size() - what.size();
        }
        QCOMPARE(applied, result);
    }

    // The one-pass replace-all agrees with the editor's loop on many generated cases.
    void replaceAllAgreesWithStepwise() {
        const QString alphabet = u"aAb -яЯ\n1"_s;
        quint32 seed = 12345;
        auto below = [&seed](int n) {
            seed = seed * 1664525u + 1013904223u;
            return int((seed >> 8) % quint32(n));
        };
        auto word = [&](int maxLength) {
            QString s;
            for (int i = below(maxLength + 1); i > 0; --i)
                s += alphabet[below(int(alphabet.size()) - 1)]; // no line break in find texts
            return s;
        };
        for (int round = 0; round < 3000; ++round) {
            QString text;
            for (int i = below(30); i > 0; --i)
                text += alphabet[below(int(alphabet.size()))];
            const QString what = word(3);
            const QString with = word(3);
            const TFindOptions options{below(2) == 0, below(2) == 0};
            const int start = below(int(text.size()) + 2);
            int expectedCount = 0;
            const QString expected =
                StepwiseReplaceAll(text, start, what, with, options, &expectedCount);
            const TReplaceAllResult r = ReplaceAll(text, start, TTextMatcher(what, options), with);
            if (r.Text != expected || r.Count != expectedCount)
                QFAIL(qPrintable(u"text \"%1\" what \"%2\" with \"%3\" start %4 case %5 word %6"_s
                                     .arg(text, what, with)
                                     .arg(start)
                                     .arg(options.MatchCase)
                                     .arg(options.WholeWord)));
        }
    }

    void relativeRowPath() {
        QCOMPARE(RelativeRowPath(u"/s"_s, u"/s/page.html"_s, u'/'), u"page.html"_s);
        QCOMPARE(RelativeRowPath(u"C:\\site"_s, u"C:\\site\\a\\b\\c.htm"_s, u'\\'),
                 u"a\\b\\c.htm"_s);
    }

    void projectTextFiles() {
        QTemporaryDir dir;
        const QString root = dir.path();
        for (const QString& name : {u"page.HTML"_s, u"lib.JS"_s, u"notes.txt"_s, u"NOTES.TXT"_s,
                                    u"README"_s, u"notes.txt.gz"_s, u"image.gif"_s, u"data.csv"_s,
                                    u"news/a.html"_s, u"news/deep/b.css"_s, u".hidden.html"_s,
                                    u".git/config.xml"_s, u"news/.cache/c.html"_s}) {
            QDir().mkpath(QFileInfo(root + u'/' + name).absolutePath());
            WriteBytes(root + u'/' + name, "x");
        }
        QStringList files = ProjectTextFiles(root);
        for (QString& f : files)
            f = RelativeRowPath(root, f, u'/');
        files.sort();
        QCOMPARE(files, (QStringList{u".hidden.html"_s, u"lib.JS"_s, u"news/a.html"_s,
                                     u"news/deep/b.css"_s, u"notes.txt"_s, u"page.HTML"_s}));
        QVERIFY(ProjectTextFiles(root + u"/missing"_s).isEmpty());
        QVERIFY(ProjectTextFiles(QString()).isEmpty());
    }

    void findInFile() {
        QTemporaryDir dir;
        const QString page = dir.filePath(u"a.html"_s);
        WriteBytes(page, Cp1251(u"Первая строка\r\nВТОРАЯ СТРОКА\rтретья\n"_s));
        const TTextMatcher m(u"строка"_s, {});
        QCOMPARE(FindInFile(page, m), (TRows{{0, u"Первая строка"_s}, {1, u"ВТОРАЯ СТРОКА"_s}}));
        // Binary data is not searched, whatever it holds.
        const QString binary = dir.filePath(u"App.class"_s);
        WriteBytes(binary, QByteArray("\xca\xfe\0\0 строка", 10) + Cp1251(u"строка"_s));
        QVERIFY(FindInFile(binary, m).isEmpty());
        QVERIFY(!testutil::ErrorOf([&] { FindInFile(dir.filePath(u"gone.html"_s), m); }).isNull());
    }

    void replaceInFile() {
        QTemporaryDir dir;
        const QString page = dir.filePath(u"a.html"_s);
        WriteBytes(page, Cp1251(u"Мир\nмир\n"_s));
        int count = -1;
        QCOMPARE(ReplaceInFile(page, TTextMatcher(u"МИР"_s, {}), u"свет"_s, &count),
                 TFileReplace::Written);
        QCOMPARE(count, 2);
        QCOMPARE(ReadBytes(page), Cp1251(u"свет\r\nсвет\r\n"_s));
        // Written even without an occurrence.
        const QString notes = dir.filePath(u"notes.txt"_s);
        const TTextMatcher none(u"zzz"_s, {});
        WriteBytes(notes, "one\ntwo");
        QCOMPARE(ReplaceInFile(notes, none, u"y"_s, &count), TFileReplace::Written);
        QCOMPARE(count, 0);
        QCOMPARE(ReadBytes(notes), QByteArray("one\r\ntwo\r\n"));
        // Already as it would be written: left alone.
        QCOMPARE(ReplaceInFile(notes, none, u"y"_s), TFileReplace::Same);
        // A lone CR is one byte short of CR LF: written.
        WriteBytes(notes, "a\rb\r\n");
        QCOMPARE(ReplaceInFile(notes, none, u"y"_s), TFileReplace::Written);
        QCOMPARE(ReadBytes(notes), QByteArray("a\r\nb\r\n"));
        // A page takes a character Windows-1251 lacks as a reference.
        QCOMPARE(ReplaceInFile(page, TTextMatcher(u"свет"_s, {}), u"€→"_s), TFileReplace::Written);
        QCOMPARE(ReadBytes(page), QByteArray("\x88&#8594;\r\n\x88&#8594;\r\n"));
    }

    void replaceInFileLeavesBinaryAndLinks() {
        QTemporaryDir dir;
        const QString binary = dir.filePath(u"App.class"_s);
        const QByteArray bytes("\xca\xfe\xba\xbe\0\x01\r\nabc\n", 12);
        WriteBytes(binary, bytes);
        QCOMPARE(ReplaceInFile(binary, TTextMatcher(u"abc"_s, {}), u"x"_s), TFileReplace::Binary);
        QCOMPARE(ReadBytes(binary), bytes);

        QTemporaryDir outside;
        const QString target = outside.filePath(u"t.html"_s);
        WriteBytes(target, "abc\n");
        const QString link = dir.filePath(u"link.html"_s);
        QVERIFY(QFile::link(target, link));
        QCOMPARE(ReplaceInFile(link, TTextMatcher(u"abc"_s, {}), u"x"_s), TFileReplace::Link);
        QCOMPARE(ReadBytes(target), QByteArray("abc\n"));
    }

    void replaceInFileFailureKeepsFile_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("with");
        QTest::addColumn<bool>("diskFull");
        QTest::newRow("disk full") << u"a.html"_s << u"y"_s << true;
        QTest::newRow("character a script cannot hold") << u"a.js"_s << u"→"_s << false;
    }
    void replaceInFileFailureKeepsFile() {
        QFETCH(QString, name);
        QFETCH(QString, with);
        QFETCH(bool, diskFull);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        const QByteArray bytes = "abc abc abc\r\n";
        WriteBytes(path, bytes);
        if (diskFull)
            SetWriteFaultForTests(3);
        const QString error =
            testutil::ErrorOf([&] { ReplaceInFile(path, TTextMatcher(u"abc"_s, {}), with); });
        SetWriteFaultForTests(-1);
        QVERIFY(!error.isEmpty());
        QCOMPARE(ReadBytes(path), bytes);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{name});
    }
};

QTEST_GUILESS_MAIN(TestFindLogic)
#include "tst_findlogic.moc"
