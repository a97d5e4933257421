// The source editor's own operations: the word at the caret, loading files, the exact text.
#include "app/RichEditEx.h"
#include "support/testutil.h"
#include "support/windowfixture.h"

#include <QClipboard>
#include <QGuiApplication>
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

    // A read-only page is read with the keys as with the mouse: the caret moves, text selects and
    // copies; Ctrl+C and Ctrl+A are the window's commands. Setting read-only again, as each switch
    // of pages does, keeps it so.
    void readOnlyNavigates() {
        TWindowFixture f;
        TfrmMain* w = f.W.get();
        QVERIFY(QTest::qWaitForWindowActive(w));
        f.ShowText(u"one two\nthree"_s, 0);
        TRichEditEx* editor = w->reSource;
        editor->setReadOnly(true);
        editor->setReadOnly(true);
        QVERIFY(editor->hasFocus());
        QTest::keyClick(editor, Qt::Key_Right);
        QCOMPARE(editor->SelStart(), 1);
        QTest::keyClick(editor, Qt::Key_Down);
        QCOMPARE(editor->textCursor().blockNumber(), 1);
        QTest::keyClick(editor, Qt::Key_Up);
        QTest::keyClick(editor, Qt::Key_End, Qt::ShiftModifier);
        QCOMPARE(editor->SelText(), u"ne two"_s);
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(editor, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), u"ne two"_s);
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(editor->SelText(), u"one two\nthree"_s);
        QTest::keyClicks(editor, u"x"_s);
        QCOMPARE(editor->Text(), u"one two\nthree"_s);
        // Back to editable: typing works again.
        editor->setReadOnly(false);
        editor->Select(0, 0);
        QTest::keyClicks(editor, u"x"_s);
        QCOMPARE(editor->Text(), u"xone two\nthree"_s);
    }

    // Only the edits are refused on a read-only page, the undo of earlier ones included.
    void readOnlyRefusesEdits_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        const int ctrl = Qt::ControlModifier;
        QTest::newRow("letter") << int(Qt::Key_X) << 0;
        QTest::newRow("backspace") << int(Qt::Key_Backspace) << 0;
        QTest::newRow("cut") << int(Qt::Key_X) << ctrl;
        QTest::newRow("paste") << int(Qt::Key_V) << ctrl;
        QTest::newRow("undo") << int(Qt::Key_Z) << ctrl;
    }
    void readOnlyRefusesEdits() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        TRichEditEx editor;
        editor.SetText(u"one two"_s);
        editor.show();
        editor.setFocus();
        editor.Select(0, 3);
        editor.ReplaceSelection(u"1"_s); // something to undo
        QGuiApplication::clipboard()->setText(u"pasted"_s);
        editor.setReadOnly(true);
        editor.Select(2, 3);
        QTest::keyClick(&editor, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(editor.Text(), u"1 two"_s);
        QCOMPARE(QGuiApplication::clipboard()->text(), u"pasted"_s); // nothing was cut
    }
};

QTEST_MAIN(TestRichEditEx)
#include "tst_richeditex.moc"
