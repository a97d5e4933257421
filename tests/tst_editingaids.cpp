// The source editor's own keys through real key events: the typed word, the "=rand()" macro,
// the line-break keys, the caret position in the status bar and the completion list.
#include "html/editingaids.h"
#include "html/edittag.h"
#include "support/windowfixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestEditingAids : public QObject {
    Q_OBJECT

    std::unique_ptr<TWindowFixture> F;
    TfrmMain* W = nullptr;

    void OpenPage(const QString& text, int caret) {
        F->ShowText(text, caret);
        QCOMPARE(W->DocumentCount(), 1);
        QVERIFY(W->reSource->hasFocus());
    }

    // Types a script into the focused control: plain characters, and {L} {R} {U} {D} for the
    // arrows, {E} Escape, {B} Backspace, {N} Enter, {K} keypad Enter, {T} Tab; {0} puts the
    // caret at the start of the text the way a click does, without a key.
    void Keys(const QString& script) {
        static const QHash<QChar, Qt::Key> keys = {
            {u'L', Qt::Key_Left},   {u'R', Qt::Key_Right},  {u'U', Qt::Key_Up},
            {u'D', Qt::Key_Down},   {u'E', Qt::Key_Escape}, {u'B', Qt::Key_Backspace},
            {u'N', Qt::Key_Return}, {u'K', Qt::Key_Enter},  {u'T', Qt::Key_Tab},
        };
        for (qsizetype i = 0; i < script.size(); ++i) {
            QWidget* target = QApplication::focusWidget();
            QVERIFY(target);
            if (script.at(i) == u'{' && i + 2 < script.size() && script.at(i + 2) == u'}') {
                if (script.at(i + 1) == u'0')
                    W->reSource->Select(0, 0);
                else
                    QTest::keyClick(target, keys.value(script.at(i + 1)));
                i += 2;
            } else {
                QTest::keyClicks(target, QString(script.at(i)));
            }
        }
    }

private slots:
    void init() {
        F = std::make_unique<TWindowFixture>();
        W = F->W.get();
        W->resize(1000, 700);
        QVERIFY(QTest::qWaitForWindowActive(W));
    }
    void cleanup() { F.reset(); }

    void typing_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("typedWord");
        QTest::addColumn<QString>("text");
        QTest::newRow("tab empties") << u"ab{T}cd"_s << u"cd"_s << u"ab\tcd"_s;
        QTest::newRow("enter empties") << u"ab{N}cd"_s << u"cd"_s << u"ab\ncd"_s;
        QTest::newRow("left, n and = open nothing") << u"alig{L}n="_s << u"alin="_s << u"alin=g"_s;
        QTest::newRow("up empties") << u"ab{N}cd{U}x"_s << u"x"_s << u"abx\ncd"_s;
        QTest::newRow("escape leaves its character")
            << u"ab{E}cd"_s << QChar(27) + u"cd"_s << u"abcd"_s;
        QTest::newRow("backspace is appended") << u"abc{B}"_s << u"abc\b"_s << u"ab"_s;
        // "=rand()" and Enter: three lines of five sentences, then Enter's own line break.
        const QString rand =
            (u"Съешь еще этих мягких французских булок, да выпей чаю. "_s.repeated(5) + u'\n')
                .repeated(3);
        QTest::newRow("=rand() at a line start")
            << u"ab{N}=rand(){N}"_s << QString() << u"ab\n"_s + rand + u'\n';
        QTest::newRow("=rand() after x") << u"x=rand(){N}"_s << QString() << u"x=rand()\n"_s;
        QTest::newRow("=rand() after a blank")
            << u"x =rand(){N}"_s << QString() << u"x "_s + rand + u'\n';
        QTest::newRow("=rand(), caret moved away since")
            << u"ab{N}=rand(){0}{N}"_s << QString() << u"\nab\n=rand()"_s;
    }
    void typing() {
        QFETCH(QString, script);
        QFETCH(QString, typedWord);
        QFETCH(QString, text);
        OpenPage(QString(), 0);
        Keys(script);
        QCOMPARE(W->EditingAids->TypedWord, typedWord);
        QCOMPARE(W->reSource->Text(), text);
        QVERIFY(W->EditingAids->lbCompletion->isHidden());
    }

    // "=rand()" and Enter make one undo step, and the next undo brings the typed macro back:
    // no step that changes nothing in between.
    void randIsOneUndoStep() {
        OpenPage(QString(), 0);
        Keys(u"ab{N}=rand()"_s);
        const int stepsBefore = W->reSource->document()->availableUndoSteps();
        Keys(u"{N}"_s);
        // After Enter's line break; the text itself is pinned in typing().
        QCOMPARE(W->reSource->SelStart(), int(W->reSource->Text().size()));
        W->acUndo->trigger();
        QCOMPARE(W->reSource->Text(), u"ab\n"_s);
        W->acUndo->trigger();
        QCOMPARE(W->reSource->Text(), u"ab\n=rand()"_s);
        QCOMPARE(W->reSource->document()->availableUndoSteps(), stepsBefore);
    }

    void lineBreakKeys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("expected");
        const int shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier;
        QTest::newRow("shift+enter") << int(Qt::Key_Return) << shift << u"ab<br />\ncd"_s;
        QTest::newRow("shift+ctrl+enter")
            << int(Qt::Key_Return) << (shift | ctrl) << u"ab<br />cd"_s;
        QTest::newRow("shift+keypad enter")
            << int(Qt::Key_Enter) << (shift | int(Qt::KeypadModifier)) << u"ab<br />\ncd"_s;
    }
    void lineBreakKeys() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, expected);
        OpenPage(u"abcd"_s, 2);
        QTest::keyClick(W->reSource, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(W->reSource->Text(), expected);
        QCOMPARE(W->reSource->SelStart(), 8); // right after "<br />", before any line break
        QCOMPARE(W->reSource->SelLength(), 0);
    }

    void statusPanel() {
        OpenPage(u"one\ntwo\nthree"_s, 0);
        QCOMPARE(W->StatusText(2), u"1:   1 > 1"_s);
        QTest::keyClick(W->reSource, Qt::Key_Down);
        QCOMPARE(W->StatusText(2), u"2:   1 > 5"_s);
        QTest::keyClick(W->reSource, Qt::Key_End);
        F->Type(u"xy"_s);
        QCOMPARE(W->StatusText(2), u"2:   6 > 10"_s);
    }

    void completionOpens_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("entries"); // empty: the list stays closed
        QTest::addColumn<int>("lines");       // blank lines above the tag
        QTest::newRow("align") << u"align="_s << u"Left|Center|Right|Justify"_s << 0;
        QTest::newRow("ALIGN near the bottom")
            << u"ALIGN="_s << u"Left|Center|Right|Justify"_s << 200;
        QTest::newRow("vAlign") << u"vAlign="_s << u"Top|Middle|Bottom|AbsTop|AbsMiddle|AbsBottom"_s
                                << 0;
        QTest::newRow("class") << u"class="_s << u"big|Small"_s << 0;
        QTest::newRow("Href: the page as it is now")
            << u"Href="_s << u"page.html|new.html"_s << 0; // new.html is not saved yet
        QTest::newRow("SRC") << u"SRC="_s << u"pic.gif"_s << 0;
        QTest::newRow("face") << u"face="_s << InstalledFontFamilies().join(u'|') << 0;
        QTest::newRow("blank before =") << u"align ="_s << QString() << 0;
    }
    void completionOpens() {
        QFETCH(QString, typed);
        QFETCH(QString, entries);
        QFETCH(int, lines);
        const QString page =
            u"<style>.big {} .Small {}</style>\n<a href=\"Page.HTML\">x</a><img src=\"Pic.GIF\">\n"_s;
        OpenPage(page, int(page.size()));
        // A link typed in this session: only a rescan on "=" can know it.
        W->reSource->ReplaceSelection(u"<a href=\"New.html\">y</a>\n"_s + QString(lines, u'\n') +
                                      u"<p "_s);
        W->reSource->ensureCursorVisible();
        const int before = W->reSource->SelStart();
        W->EditingAids->TypedWord.clear();
        F->Type(typed);
        // The "=" is typed into the text in every case.
        QCOMPARE(W->reSource->Text().mid(before), typed);
        if (entries.isEmpty()) {
            QVERIFY(W->EditingAids->lbCompletion->isHidden());
            QCOMPARE(QApplication::focusWidget(), W->reSource);
            return;
        }
        QVERIFY(W->EditingAids->lbCompletion->isVisible());
        QCOMPARE(QApplication::focusWidget(), W->EditingAids->lbCompletion);
        QStringList shown;
        for (int i = 0; i < W->EditingAids->lbCompletion->count(); ++i)
            shown << W->EditingAids->lbCompletion->item(i)->text();
        QCOMPARE(shown.join(u'|'), entries);
        // Wholly inside the editor at its full size, touching the caret's line from below or
        // from above.
        const QRect list = W->EditingAids->lbCompletion->geometry();
        QVERIFY(W->reSource->geometry().contains(list));
        QCOMPARE(list.size(), QSize(250, 97));
        const QRect caret(
            W->reSource->viewport()->mapTo(W->EditingAids->lbCompletion->parentWidget(),
                                           W->reSource->cursorRect().topLeft()),
            W->reSource->cursorRect().size());
        QVERIFY(qAbs(list.top() - caret.bottom()) < 20 ||
                qAbs(list.bottom() - caret.bottom()) < 20);
        QVERIFY(list.left() >= caret.left() - 250 && list.left() <= caret.right() + 20);
    }

    void completionKeys_data() {
        QTest::addColumn<QString>("typed"); // after "<p " in "<p >"
        QTest::addColumn<QString>("keys");  // in the list
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        // The list opens on its first entry; the value goes right after the "=".
        QTest::newRow("Enter on the second entry")
            << u"align="_s << u"{D}{N}"_s << u"<p align=\"Center\" >"_s << 18;
        QTest::newRow("keypad Enter")
            << u"valign="_s << u"{D}{D}{K}"_s << u"<p valign=\"Bottom\" >"_s << 19;
        // A page without classes: one empty entry, and the caret right after the "=".
        QTest::newRow("empty entry") << u"class="_s << u"{N}"_s << u"<p class=\"\" >"_s << 9;
        QTest::newRow("Escape") << u"src="_s << u"{E}"_s << u"<p src=>"_s << 7;
    }
    void completionKeys() {
        QFETCH(QString, typed);
        QFETCH(QString, keys);
        QFETCH(QString, text);
        QFETCH(int, caret);
        OpenPage(u"<p >"_s, 3);
        F->Type(typed);
        QVERIFY(W->EditingAids->lbCompletion->isVisible());
        Keys(keys);
        QCOMPARE(W->reSource->Text(), text);
        QCOMPARE(W->reSource->SelStart(), caret);
        QVERIFY(W->EditingAids->lbCompletion->isHidden());
        QCOMPARE(QApplication::focusWidget(), W->reSource);
        const QString typedOnly = u"<p "_s + typed + u'>';
        if (text == typedOnly)
            return;
        QCOMPARE(W->EditingAids->TypedWord, QString());
        // One undo takes the value back out, the "=" stays.
        W->reSource->undo();
        QCOMPARE(W->reSource->Text(), typedOnly);
    }

    void completionLeftOtherwise() {
        OpenPage(u"<p >"_s, 3);
        F->Type(u"align="_s);
        QVERIFY(W->EditingAids->lbCompletion->isVisible());
        // The list lays its entries out once the event loop turns.
        QListWidgetItem* item = W->EditingAids->lbCompletion->item(2);
        QTRY_VERIFY(!W->EditingAids->lbCompletion->visualItemRect(item).isEmpty());
        const QRect r = W->EditingAids->lbCompletion->visualItemRect(item);
        // A double click arrives as a click followed by the double-click event; only the
        // double click closes the list, without inserting.
        QTest::mouseClick(W->EditingAids->lbCompletion->viewport(), Qt::LeftButton, {}, r.center());
        QVERIFY(W->EditingAids->lbCompletion->isVisible());
        QTest::mouseDClick(W->EditingAids->lbCompletion->viewport(), Qt::LeftButton, {},
                           r.center());
        QVERIFY(W->EditingAids->lbCompletion->isHidden());
        QCOMPARE(W->reSource->Text(), u"<p align=>"_s);
        QCOMPARE(QApplication::focusWidget(), W->reSource);
        // Focus taken by another control: hidden, and the editor has the focus back.
        F->Type(u" align="_s);
        QVERIFY(W->EditingAids->lbCompletion->isVisible());
        W->edFindText->setFocus(Qt::MouseFocusReason);
        QVERIFY(W->EditingAids->lbCompletion->isHidden());
        QCOMPARE(QApplication::focusWidget(), W->reSource);
        QCOMPARE(W->reSource->Text(), u"<p align= align=>"_s);
    }

    void noCompletionReadOnly() {
        OpenPage(u"<p >"_s, 3);
        W->reSource->setReadOnly(true);
        F->Type(u"align="_s);
        QVERIFY(W->EditingAids->lbCompletion->isHidden());
        // Nor do the line-break keys change a read-only page.
        QTest::keyClick(W->reSource, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(W->reSource->Text(), u"<p >"_s);
    }
};

QTEST_MAIN(TestEditingAids)
#include "tst_editingaids.moc"
