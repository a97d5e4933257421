// The source editor's own keys in the main window, through real key events: the typed word,
// the "=rand()" macro, the line-break keys, the caret position in the status bar and the
// completion list.
#include "app/RichEditEx.h"
#include "app/main2.h"
#include "app/rcstring.h"
#include "html/completion.h"
#include "html/edittag.h"
#include "support/scriptedplatform.h"
#include "support/testutil.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

class TestEditingAids : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void typedWord_data();
    void typedWord();
    void randMacro_data();
    void randMacro();
    void lineBreakKeys_data();
    void lineBreakKeys();
    void statusPanel();
    void completionOpens_data();
    void completionOpens();
    void completionEnter();
    void completionEnterAfterMovingInList();
    void completionEmptyEntry();
    void completionEscapeAndTab_data();
    void completionEscapeAndTab();
    void completionLeftOtherwise();
    void completionPlacement_data();
    void completionPlacement();
    void noCompletionReadOnly();

private:
    void OpenPage(const QString& text);
    // Types a script into the editor: plain characters, and {L} {R} {U} {D} for the arrows,
    // {E} Escape, {B} Backspace, {N} Enter, {T} Tab.
    void Type(const QString& script);
    QString ListEntries() const;

    std::unique_ptr<testutil::TIsolatedHome> FHome;
    std::unique_ptr<QTemporaryDir> FDir;
    std::unique_ptr<TfrmMain> W;
};

void TestEditingAids::init() {
    FHome = std::make_unique<testutil::TIsolatedHome>();
    FDir = std::make_unique<QTemporaryDir>();
    W = std::make_unique<TfrmMain>();
    W->resize(1000, 700);
    W->show();
    QVERIFY(QTest::qWaitForWindowActive(W.get()));
}

void TestEditingAids::cleanup() {
    W.reset();
    FDir.reset();
    FHome.reset();
}

void TestEditingAids::OpenPage(const QString& text) {
    const QString path = FDir->filePath(u"page.html"_s);
    testutil::WriteBytes(path, testutil::Cp1251(text));
    W->PendingPath = path;
    W->OpenDocument(osGivenPath);
    QCOMPARE(W->DocumentCount(), 1);
    // Reading ends the last line with a line break; the cases want the text exactly.
    W->reSource->SetText(text);
    QVERIFY(!W->reSource->isReadOnly());
    W->reSource->setFocus();
    QTRY_VERIFY(W->reSource->hasFocus());
}

void TestEditingAids::Type(const QString& script) {
    for (qsizetype i = 0; i < script.size(); ++i) {
        QWidget* target = QApplication::focusWidget();
        QVERIFY(target);
        const QChar c = script.at(i);
        if (c == u'{' && i + 2 < script.size() && script.at(i + 2) == u'}') {
            static const QHash<QChar, Qt::Key> keys = {
                {u'L', Qt::Key_Left},   {u'R', Qt::Key_Right},  {u'U', Qt::Key_Up},
                {u'D', Qt::Key_Down},   {u'E', Qt::Key_Escape}, {u'B', Qt::Key_Backspace},
                {u'N', Qt::Key_Return}, {u'T', Qt::Key_Tab},
            };
            QTest::keyClick(target, keys.value(script.at(i + 1)));
            i += 2;
        } else {
            QTest::keyClicks(target, QString(c));
        }
    }
}

QString TestEditingAids::ListEntries() const {
    QStringList entries;
    for (int i = 0; i < W->lbCompletion->count(); ++i)
        entries << W->lbCompletion->item(i)->text();
    return entries.join(u'|');
}

void TestEditingAids::typedWord_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("typedWord");
    QTest::addColumn<QString>("text");
    QTest::newRow("letters") << u"abc"_s << u"abc"_s << u"abc"_s;
    QTest::newRow("a blank empties") << u"ab cd"_s << u"cd"_s << u"ab cd"_s;
    QTest::newRow("tab empties") << u"ab{T}cd"_s << u"cd"_s << u"ab\tcd"_s;
    QTest::newRow("enter empties") << u"ab{N}cd"_s << u"cd"_s << u"ab\ncd"_s;
    QTest::newRow("left drops the last") << u"abc{L}"_s << u"ab"_s << u"abc"_s;
    QTest::newRow("left then typing") << u"alig{L}n"_s << u"alin"_s << u"aling"_s;
    QTest::newRow("left, n and = open nothing") << u"alig{L}n="_s << u"alin="_s << u"alin=g"_s;
    QTest::newRow("up empties") << u"ab{N}cd{U}x"_s << u"x"_s << u"abx\ncd"_s;
    QTest::newRow("right empties") << u"ab{L}{R}c"_s << u"c"_s << u"abc"_s;
    QTest::newRow("down empties") << u"ab{N}cd{U}{D}x"_s << u"x"_s << u"ab\ncdx"_s;
    QTest::newRow("escape leaves its character") << u"ab{E}"_s << u"\x1b"_s << u"ab"_s;
    QTest::newRow("escape then letters") << u"ab{E}cd"_s << QChar(27) + u"cd"_s << u"abcd"_s;
    QTest::newRow("backspace is appended") << u"abc{B}"_s << u"abc\b"_s << u"ab"_s;
}

void TestEditingAids::typedWord() {
    QFETCH(QString, script);
    QFETCH(QString, typedWord);
    QFETCH(QString, text);
    OpenPage(QString());
    Type(script);
    QCOMPARE(W->TypedWord, typedWord);
    QCOMPARE(W->reSource->Text(), text);
    QVERIFY(W->lbCompletion->isHidden());
}

void TestEditingAids::randMacro_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("moveCaretFirst");
    QTest::addColumn<QString>("expected");
    const QString rand = RandText(LoadStr(sRandSentence));
    QTest::newRow("at the line start") << u"=rand(){N}"_s << false << u"first\n"_s + rand + u'\n';
    QTest::newRow("after x") << u"x=rand(){N}"_s << false << u"first\nx=rand()\n"_s;
    QTest::newRow("after a blank") << u"x =rand(){N}"_s << false << u"first\nx "_s + rand + u'\n';
    QTest::newRow("caret moved away since") << u"=rand()"_s << true << u"\nfirst\n=rand()"_s;
}

void TestEditingAids::randMacro() {
    QFETCH(QString, script);
    QFETCH(bool, moveCaretFirst);
    QFETCH(QString, expected);
    QVERIFY(!LoadStr(sRandSentence).isEmpty());
    OpenPage(u"first\n"_s);
    W->reSource->Select(6, 0);
    Type(script);
    if (moveCaretFirst) {
        // A click elsewhere moves the caret without a key; the typed word stays.
        W->reSource->Select(0, 0);
        QCOMPARE(W->TypedWord, u"=rand()"_s);
        Type(u"{N}"_s);
    }
    QCOMPARE(W->reSource->Text(), expected);
    QCOMPARE(W->TypedWord, QString());
}

void TestEditingAids::lineBreakKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("caret");
    const int shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier;
    QTest::newRow("shift+enter") << int(Qt::Key_Return) << shift << u"ab<br />\ncd"_s << 8;
    QTest::newRow("shift+ctrl+enter")
        << int(Qt::Key_Return) << (shift | ctrl) << u"ab<br />cd"_s << 8;
    QTest::newRow("shift+keypad enter")
        << int(Qt::Key_Enter) << (shift | int(Qt::KeypadModifier)) << u"ab<br />\ncd"_s << 8;
    QTest::newRow("plain enter") << int(Qt::Key_Return) << 0 << u"ab\ncd"_s << 3;
}

void TestEditingAids::lineBreakKeys() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, expected);
    QFETCH(int, caret);
    OpenPage(u"abcd"_s);
    W->reSource->Select(2, 0);
    QTest::keyClick(W->reSource, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(W->reSource->Text(), expected);
    QCOMPARE(W->reSource->SelStart(), caret);
    QCOMPARE(W->reSource->SelLength(), 0);
}

void TestEditingAids::statusPanel() {
    OpenPage(u"one\ntwo\nthree"_s);
    W->reSource->Select(0, 0);
    QCOMPARE(W->StatusText(2), u"1:   1 > 1"_s);
    QTest::keyClick(W->reSource, Qt::Key_Down);
    QCOMPARE(W->StatusText(2), u"2:   1 > 5"_s);
    QTest::keyClick(W->reSource, Qt::Key_End);
    QCOMPARE(W->StatusText(2), u"2:   4 > 8"_s);
    QTest::keyClick(W->reSource, Qt::Key_Down);
    QTest::keyClick(W->reSource, Qt::Key_Home);
    QCOMPARE(W->StatusText(2), u"3:   1 > 9"_s);
    QTest::keyClicks(W->reSource, u"xy"_s);
    QCOMPARE(W->StatusText(2), u"3:   3 > 11"_s);
}

void TestEditingAids::completionOpens_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("entries"); // empty: the list stays closed
    QTest::newRow("align") << u"align="_s << u"Left|Center|Right|Justify"_s;
    QTest::newRow("ALIGN") << u"ALIGN="_s << u"Left|Center|Right|Justify"_s;
    QTest::newRow("vAlign") << u"vAlign="_s << u"Top|Middle|Bottom|AbsTop|AbsMiddle|AbsBottom"_s;
    QTest::newRow("class") << u"class="_s << u"big|Small"_s;
    QTest::newRow("Href: the page as it is now")
        << u"Href="_s << u"page.html|new.html"_s; // new.html is not saved yet
    QTest::newRow("SRC") << u"SRC="_s << u"pic.gif"_s;
    QTest::newRow("face") << u"face="_s << u"*fonts"_s;
    QTest::newRow("border") << u"border="_s << QString();
    QTest::newRow("blank before =") << u"align ="_s << QString();
}

void TestEditingAids::completionOpens() {
    QFETCH(QString, typed);
    QFETCH(QString, entries);
    OpenPage(
        u"<style>.big {} .Small {}</style>\n<a href=\"Page.HTML\">x</a><img src=\"Pic.GIF\">\n"_s);
    // A link typed in this session: only a rescan on "=" can know it.
    W->reSource->Select(int(W->reSource->Text().size()), 0);
    W->reSource->ReplaceSelection(u"<a href=\"New.html\">y</a>\n<p "_s);
    const int before = W->reSource->SelStart();
    W->TypedWord.clear();
    QTest::keyClicks(W->reSource, typed);
    // The "=" is typed into the text in every case.
    QCOMPARE(W->reSource->Text().mid(before), typed);
    if (entries.isEmpty()) {
        QVERIFY(W->lbCompletion->isHidden());
        QCOMPARE(QApplication::focusWidget(), W->reSource);
        return;
    }
    QVERIFY(W->lbCompletion->isVisible());
    QCOMPARE(QApplication::focusWidget(), W->lbCompletion);
    QCOMPARE(W->lbCompletion->currentRow(), 0);
    if (entries == u"*fonts") {
        const QStringList fonts = InstalledFontFamilies();
        entries = fonts.isEmpty() ? QString() : fonts.join(u'|');
    }
    QCOMPARE(ListEntries(), entries);
    // The caret remembered before the "=".
    QCOMPARE(W->CompletionCaret, before + int(typed.size()) - 1);
}

void TestEditingAids::completionEnter() {
    OpenPage(u"<p \n"_s);
    W->reSource->Select(3, 0);
    QTest::keyClicks(W->reSource, u"align="_s);
    QVERIFY(W->lbCompletion->isVisible());
    W->lbCompletion->setCurrentRow(1);
    QTest::keyClick(W->lbCompletion, Qt::Key_Return);
    QCOMPARE(W->reSource->Text(), u"<p align=\"Center\" \n"_s);
    QCOMPARE(W->reSource->SelStart(), 18); // after the blank
    QVERIFY(W->lbCompletion->isHidden());
    QCOMPARE(QApplication::focusWidget(), W->reSource);
    QCOMPARE(W->TypedWord, QString());
    // One undo takes the value back out, the "=" stays.
    W->reSource->undo();
    QCOMPARE(W->reSource->Text(), u"<p align=\n"_s);
}

void TestEditingAids::completionEnterAfterMovingInList() {
    OpenPage(u"<td "_s);
    W->reSource->Select(4, 0);
    QTest::keyClicks(W->reSource, u"valign="_s);
    // The list's own keys: Down moves the selection.
    QTest::keyClick(W->lbCompletion, Qt::Key_Down);
    QTest::keyClick(W->lbCompletion, Qt::Key_Down);
    QTest::keyClick(W->lbCompletion, Qt::Key_Enter);
    QCOMPARE(W->reSource->Text(), u"<td valign=\"Bottom\" "_s);
    QVERIFY(W->lbCompletion->isHidden());
}

void TestEditingAids::completionEmptyEntry() {
    OpenPage(u"<p >"_s);
    W->reSource->Select(3, 0);
    QTest::keyClicks(W->reSource, u"class="_s);
    QVERIFY(W->lbCompletion->isVisible());
    QCOMPARE(W->lbCompletion->count(), 1);
    QCOMPARE(W->lbCompletion->item(0)->text(), QString());
    QTest::keyClick(W->lbCompletion, Qt::Key_Return);
    QCOMPARE(W->reSource->Text(), u"<p class=\"\" >"_s);
    QCOMPARE(W->reSource->SelStart(), 9); // directly after the "="
}

void TestEditingAids::completionEscapeAndTab_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("escape") << int(Qt::Key_Escape);
    QTest::newRow("tab") << int(Qt::Key_Tab);
}

void TestEditingAids::completionEscapeAndTab() {
    QFETCH(int, key);
    OpenPage(u"<img >"_s);
    W->reSource->Select(5, 0);
    QTest::keyClicks(W->reSource, u"src="_s);
    QVERIFY(W->lbCompletion->isVisible());
    QTest::keyClick(W->lbCompletion, Qt::Key(key));
    QCOMPARE(W->reSource->Text(), u"<img src=>"_s);
    QCOMPARE(W->reSource->SelStart(), 9);
    QVERIFY(W->lbCompletion->isHidden());
    QCOMPARE(QApplication::focusWidget(), W->reSource);
    // Typing goes on in the editor.
    QTest::keyClicks(QApplication::focusWidget(), u"x"_s);
    QCOMPARE(W->reSource->Text(), u"<img src=x>"_s);
}

void TestEditingAids::completionLeftOtherwise() {
    OpenPage(u"<p >"_s);
    W->reSource->Select(3, 0);
    QTest::keyClicks(W->reSource, u"align="_s);
    QVERIFY(W->lbCompletion->isVisible());
    // A double click closes the list without inserting.
    QListWidgetItem* item = W->lbCompletion->item(2);
    // The list lays its entries out once the event loop turns.
    QTRY_VERIFY(!W->lbCompletion->visualItemRect(item).isEmpty());
    const QRect r = W->lbCompletion->visualItemRect(item);
    // A double click arrives as a click followed by the double-click event.
    QTest::mouseClick(W->lbCompletion->viewport(), Qt::LeftButton, {}, r.center());
    QVERIFY(W->lbCompletion->isVisible());
    QTest::mouseDClick(W->lbCompletion->viewport(), Qt::LeftButton, {}, r.center());
    QVERIFY(W->lbCompletion->isHidden());
    QCOMPARE(W->reSource->Text(), u"<p align=>"_s);
    QCOMPARE(QApplication::focusWidget(), W->reSource);

    // Focus taken by another control: hidden, and the editor has the focus back.
    QTest::keyClicks(W->reSource, u" align="_s);
    QVERIFY(W->lbCompletion->isVisible());
    W->edFindText->setFocus(Qt::MouseFocusReason);
    QVERIFY(W->lbCompletion->isHidden());
    QCOMPARE(QApplication::focusWidget(), W->reSource);
    QCOMPARE(W->reSource->Text(), u"<p align= align=>"_s);
}

void TestEditingAids::completionPlacement_data() {
    QTest::addColumn<int>("lines");
    QTest::newRow("near the top") << 0;
    QTest::newRow("near the bottom") << 200;
}

void TestEditingAids::completionPlacement() {
    QFETCH(int, lines);
    OpenPage(QString(lines, u'\n'));
    W->reSource->Select(lines, 0);
    W->reSource->ensureCursorVisible();
    QTest::keyClicks(W->reSource, u"align="_s);
    QVERIFY(W->lbCompletion->isVisible());
    const QRect list = W->lbCompletion->geometry();
    QCOMPARE(W->lbCompletion->parentWidget(), W->reSource->parentWidget());
    // Wholly inside the editor, at its full size when the editor is large enough.
    QVERIFY(W->reSource->geometry().contains(list));
    QCOMPARE(list.size(), QSize(250, 97));
    // Next to the caret: touching the caret's line from below or from above.
    const QRect caret(W->reSource->viewport()->mapTo(W->lbCompletion->parentWidget(),
                                                     W->reSource->cursorRect().topLeft()),
                      W->reSource->cursorRect().size());
    QVERIFY2(qAbs(list.top() - caret.bottom()) < 20 || qAbs(list.bottom() - caret.bottom()) < 20,
             qPrintable(u"list %1,%2 caret %3,%4"_s.arg(list.top())
                            .arg(list.bottom())
                            .arg(caret.top())
                            .arg(caret.bottom())));
    QVERIFY(list.left() >= caret.left() - 250 && list.left() <= caret.right() + 20);
}

void TestEditingAids::noCompletionReadOnly() {
    OpenPage(u"<p >"_s);
    W->reSource->Select(3, 0);
    W->reSource->setReadOnly(true);
    QTest::keyClicks(W->reSource, u"align="_s);
    QVERIFY(W->lbCompletion->isHidden());
    QCOMPARE(W->reSource->Text(), u"<p >"_s);
    // Nor do the line-break keys and the macro change a read-only page.
    QTest::keyClick(W->reSource, Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(W->reSource->Text(), u"<p >"_s);
}

QTEST_MAIN(TestEditingAids)
#include "tst_editingaids.moc"
