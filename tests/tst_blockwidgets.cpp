// The colour button with its palette and the arrows-only number field.
#include "support/scriptedplatform.h"
#include "widgets/colorbutton.h"
#include "widgets/spinedit.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

#include <limits>

using namespace Qt::StringLiterals;

class TestBlockWidgets : public QObject {
    Q_OBJECT

private slots:
    // Red lives in the low byte of a colour value; distinct bytes pin the order both ways.
    void colorConversion() {
        QCOMPARE(ToQColor(0x336699), QColor(0x99, 0x66, 0x33));
        QCOMPARE(FromQColor(QColor(0x99, 0x66, 0x33)), TColor(0x336699));
    }

    // Every colour of the palette has a swatch of its own; a click on one is a pick.
    void paletteSwatches() {
        const QList<TColor>& colors = TColorButton::PaletteColors();
        QVERIFY(colors.contains(0x000000) && colors.contains(0xFFFFFF) &&
                colors.contains(0x0000FF));
        QCOMPARE(QSet<TColor>(colors.begin(), colors.end()).size(), colors.size());
        TColorButton button;
        for (int i = 0; i < colors.size(); ++i)
            QVERIFY(button.Palette()->findChild<QToolButton*>(u"swatch"_s + QString::number(i)));
        QSignalSpy spy(&button, &TColorButton::OnChange);
        button.setColor(0xFFFFFF);
        QCOMPARE(spy.count(), 0); // a preset is no pick
        const int index = int(colors.indexOf(0x0000FF));
        button.Palette()->findChild<QToolButton*>(u"swatch"_s + QString::number(index))->click();
        QCOMPARE(button.Color(), TColor(0x0000FF));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).value<TColor>(), TColor(0x0000FF));
    }

    void otherColor_data() {
        QTest::addColumn<std::optional<QColor>>("answer");
        QTest::addColumn<uint>("result");
        QTest::addColumn<int>("emitted");
        QTest::newRow("picked") << std::optional<QColor>(QColor(0x12, 0x34, 0x56)) << uint(0x563412)
                                << 1;
        QTest::newRow("cancelled") << std::optional<QColor>() << uint(0xFFFFFF) << 0;
        QTest::newRow("invalid") << std::optional<QColor>(QColor()) << uint(0xFFFFFF) << 0;
    }
    void otherColor() {
        QFETCH(std::optional<QColor>, answer);
        QFETCH(uint, result);
        QFETCH(int, emitted);
        TScriptedPlatform platform;
        platform.QueueColor(answer);
        TColorButton button;
        button.setColor(0xFFFFFF);
        QSignalSpy spy(&button, &TColorButton::OnChange);
        QAction* other = button.Palette()->findChild<QAction*>(u"actOtherColor"_s);
        QVERIFY(other);
        QCOMPARE(other->text(), u"Другой цвет…"_s);
        other->trigger();
        QCOMPARE(button.Color(), TColor(result));
        QCOMPARE(spy.count(), emitted);
        QVERIFY(platform.Unanswered.isEmpty());
    }

    // Typed characters never change the number; the arrow keys and buttons do.
    void spinTypingIgnored() {
        TSpinEdit spin;
        spin.setValue(1);
        spin.show();
        QVERIFY(QTest::qWaitForWindowExposed(&spin));
        QTest::keyClicks(&spin, u"57"_s);
        QTest::keyClick(&spin, Qt::Key_Backspace);
        QTest::keyClick(&spin, Qt::Key_Delete);
        QCOMPARE(spin.value(), 1);
        QCOMPARE(spin.text(), u"1"_s);
        QTest::keyClick(&spin, Qt::Key_Up);
        QCOMPARE(spin.value(), 2);
        QTest::keyClick(&spin, Qt::Key_Down);
        QTest::keyClick(&spin, Qt::Key_Down);
        QCOMPARE(spin.value(), 0);
    }

    void spinLimits_data() {
        QTest::addColumn<bool>("limited");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("steps");
        QTest::addColumn<int>("result");
        QTest::newRow("unlimited down") << false << 1 << -3 << -2;
        QTest::newRow("unlimited up") << false << 1 << 1000 << 1001;
        QTest::newRow("held at the top") << true << 2 << 5 << 3;
        QTest::newRow("held at the bottom") << true << 2 << -5 << 1;
    }
    void spinLimits() {
        QFETCH(bool, limited);
        QFETCH(int, start);
        QFETCH(int, steps);
        QFETCH(int, result);
        TSpinEdit spin;
        spin.setValue(start);
        if (limited)
            spin.SetLimits(1, 3);
        QCOMPARE(spin.HasLimits(), limited);
        spin.stepBy(steps);
        QCOMPARE(spin.value(), result);
    }

    // New limits move the value inside; cleared ones leave it there.
    void spinLimitsMoveTheValueInside() {
        TSpinEdit spin;
        spin.setValue(7);
        spin.SetLimits(1, 2);
        QCOMPARE(spin.value(), 2);
        spin.ClearLimits();
        QVERIFY(!spin.HasLimits());
        QCOMPARE(spin.minimum(), std::numeric_limits<int>::min());
        QCOMPARE(spin.maximum(), std::numeric_limits<int>::max());
        QCOMPARE(spin.value(), 2);
    }
};

QTEST_MAIN(TestBlockWidgets)
#include "tst_blockwidgets.moc"
