// The source editor's own operations: the word at the caret, loading files, the exact text.
#include "app/RichEditEx.h"
#include "support/testutil.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestRichEditEx : public QObject {
    Q_OBJECT

private slots:
    void wordAtCaret_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("start");
        QTest::newRow("empty text") << QString() << 0 << QString() << 0;
        QTest::newRow("after a word that starts the text") << u"abc def"_s << 3 << u"abc"_s << 0;
        QTest::newRow("inside") << u"abc def"_s << 5 << u"def"_s << 4;
        QTest::newRow("before") << u"abc def"_s << 4 << u"def"_s << 4;
        QTest::newRow("between two blanks") << u"ab  cd"_s << 3 << QString() << 0;
        QTest::newRow("Cyrillic letters") << u"<b>Привет</b>"_s << 5 << u"Привет"_s << 3;
        QTest::newRow("Ё is no letter") << u"ЁЖ"_s << 2 << u"Ж"_s << 1;
        QTest::newRow("at the very end") << u"x yz"_s << 4 << u"yz"_s << 2;
        QTest::newRow("digits count") << u"h1 42"_s << 5 << u"42"_s << 3;
    }
    void wordAtCaret() {
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(QString, word);
        QFETCH(int, start);
        int got = -5;
        QCOMPARE(WordAtPosition(text, caret, &got), word);
        QCOMPARE(got, start);
        TRichEditEx editor;
        editor.SetText(text);
        editor.Select(caret, 0);
        got = -5;
        QCOMPARE(editor.GetWordAtCaret(&got), word);
        QCOMPARE(got, start);
    }

    void loadFile() {
        QTemporaryDir dir;
        const QString page = dir.filePath(u"p.html"_s);
        testutil::WriteBytes(page, "\xCF\xF0\xE8\xE2\xE5\xF2\r\n");
        TRichEditEx editor;
        QSignalSpy missing(&editor, &TRichEditEx::OnFileNotFound);
        editor.LoadFile(page);
        QCOMPARE(editor.Text(), u"Привет\n"_s);
        QCOMPARE(editor.LoadedFileName(), page);
        editor.LoadFile(dir.filePath(u"none.html"_s));
        QCOMPARE(missing.count(), 1);
        QCOMPARE(editor.Text(), u"Привет\n"_s); // a missing file changes nothing
        QCOMPARE(editor.LoadedFileName(), page);
        editor.LoadFile(QString());
        QCOMPARE(editor.Text(), QString());
        QCOMPARE(editor.LoadedFileName(), QString());
    }

    void textKeepsNonBreakingSpaces() {
        TRichEditEx editor;
        editor.SetText(u"a\u00A0b\nc"_s);
        QCOMPARE(editor.Text(), u"a\u00A0b\nc"_s);
        QCOMPARE(editor.property("pageText").toString(), u"a\u00A0b\nc"_s);
    }

    void replaceSelectionIsOneUndoStep() {
        TRichEditEx editor;
        editor.SetText(u"one two"_s);
        editor.Select(4, 3);
        editor.ReplaceSelection(u"2\n2"_s);
        QCOMPARE(editor.Text(), u"one 2\n2"_s);
        QCOMPARE(editor.SelStart(), 7);
        editor.undo();
        QCOMPARE(editor.Text(), u"one two"_s);
    }
};

QTEST_MAIN(TestRichEditEx)
#include "tst_richeditex.moc"
