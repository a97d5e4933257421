#include "widgets/inputfilter.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

// Types the text character by character as a keyboard would (keyClicks takes Latin-1 only).
static void TypeText(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        const QChar upper = c.toUpper();
        const auto key = upper.unicode() < 0x80 ? Qt::Key(upper.unicode()) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Press, widget, key, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, key, QString(c), Qt::NoModifier);
    }
}

class TestInputFilter : public QObject {
    Q_OBJECT

private slots:
    void TypedCharacters_data() {
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::newRow("number") << int(TInputFilter::Number) << u"1a2%3 "_s << u"123"_s;
        QTest::newRow("size") << int(TInputFilter::Size) << u"100%px"_s << u"100%"_s;
        QTest::newRow("name") << int(TInputFilter::Name) << u"my-Таблица_1!ё"_s << u"myТаблица_1"_s;
        QTest::newRow("mime") << int(TInputFilter::MimeType) << u"text/plain; x"_s
                              << u"text/plainx"_s;
    }
    void TypedCharacters() {
        QFETCH(int, filter);
        QFETCH(QString, typed);
        QFETCH(QString, text);
        QLineEdit edit;
        InstallInputFilter(&edit, TInputFilter(filter));
        TypeText(&edit, typed);
        QCOMPARE(edit.text(), text);
    }

    // Backspace is swallowed; Delete, the arrows, Return and Ctrl+A still work.
    void EditingKeys() {
        QLineEdit edit;
        InstallInputFilter(&edit, TInputFilter::Number);
        QSignalSpy returns(&edit, &QLineEdit::returnPressed);
        TypeText(&edit, u"123"_s);
        QTest::keyClick(&edit, Qt::Key_Backspace);
        QCOMPARE(edit.text(), u"123"_s);
        QTest::keyClick(&edit, Qt::Key_Home);
        QTest::keyClick(&edit, Qt::Key_Delete);
        QCOMPARE(edit.text(), u"23"_s);
        QTest::keyClick(&edit, Qt::Key_Right);
        TypeText(&edit, u"5"_s);
        QCOMPARE(edit.text(), u"253"_s);
        QTest::keyClick(&edit, Qt::Key_Return);
        QCOMPARE(returns.count(), 1);
        QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&edit, Qt::Key_Delete);
        QCOMPARE(edit.text(), QString());
    }

    void PasteIsNotFiltered() {
        QLineEdit edit;
        InstallInputFilter(&edit, TInputFilter::Number);
        QGuiApplication::clipboard()->setText(u"12px"_s);
        if (QGuiApplication::clipboard()->text() != u"12px"_s)
            QSKIP("no clipboard on this platform");
        QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit.text(), u"12px"_s);
    }

    void SecondInstallReplacesTheFilter() {
        QLineEdit edit;
        InstallInputFilter(&edit, TInputFilter::Number);
        InstallInputFilter(&edit, TInputFilter::Size);
        TypeText(&edit, u"50%a"_s);
        QCOMPARE(edit.text(), u"50%"_s);
    }
};

QTEST_MAIN(TestInputFilter)
#include "tst_inputfilter.moc"
