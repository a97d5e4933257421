// The name/value dialog in its three modes: captions, presets, the empty-name refusal, the
// exchange slot. tst_quicklistswindow shows it through the platform layer.
#include "markup/ctrl.h"
#include "support/scriptedplatform.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(TCtrlMode)

class TestCtrl : public QObject {
    Q_OBJECT

private slots:
    // Each mode's captions and presets; a blank name is refused with the mode's own message, a
    // corrected one is trimmed and the value kept as typed.
    void modes_data() {
        QTest::addColumn<TCtrlMode>("mode");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("nameLabel");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("blank");
        QTest::addColumn<QString>("message");
        QTest::newRow("element") << TCtrlMode::Element << u"Элемент TEXT"_s << u"Имя:"_s
                                 << u"text1"_s << u"_emptyparam"_s << u"   "_s
                                 << u"Необходимо указать имя элемента"_s;
        QTest::newRow("attribute")
            << TCtrlMode::Attribute << u"Добавление атрибута тега"_s << u"Имя:"_s << QString()
            << QString() << u"\t"_s << u"Необходимо указать имя атрибута"_s;
        QTest::newRow("list item")
            << TCtrlMode::ListItem << u"Добавление элемента выпадающего списка"_s << u"Текст:"_s
            << QString() << QString() << QString() << u"Необходимо ввести текст элемента"_s;
    }

    void modes() {
        QFETCH(TCtrlMode, mode);
        QFETCH(QString, caption);
        QFETCH(QString, nameLabel);
        QFETCH(QString, name);
        QFETCH(QString, value);
        QFETCH(QString, blank);
        QFETCH(QString, message);
        TScriptedPlatform platform;
        TfrmCtrl dlg(mode, u"text"_s);
        QCOMPARE(dlg.windowTitle(), caption);
        QCOMPARE(dlg.lblName->text(), nameLabel);
        QCOMPARE(dlg.edName->text(), name);
        QCOMPARE(dlg.edValue->text(), value);
        QCOMPARE(dlg.lblBanner->text(), u"Элемент и\nассоциированное с ним значение"_s);
        QVERIFY(dlg.btnOk->isDefault());
        QVERIFY(dlg.edName->maxLength() == 100 && dlg.edValue->maxLength() == 100);
        QVERIFY(!(dlg.windowFlags() & Qt::WindowCloseButtonHint));

        dlg.edName->setText(blank);
        dlg.edValue->setText(u" v "_s);
        dlg.btnOk->click();
        QCOMPARE(platform.Messages(), QStringList{message});
        // Still open, the slot unchanged.
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QVERIFY(!dlg.Confirmed());
        QCOMPARE(dlg.Exchange(), u"text"_s);
        dlg.edName->setText(u"  align \t"_s);
        dlg.btnOk->click();
        QCOMPARE(platform.Messages().size(), 1);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(dlg.Exchange(), u"align"_s + QChar(27) + u" v "_s);
    }

    // "Отмена" through the platform layer is in tst_quicklistswindow.
    void escapeEmptiesTheSlot() {
        TfrmCtrl dlg(TCtrlMode::Element, u"radio"_s);
        dlg.show();
        QTest::keyClick(&dlg, Qt::Key_Escape);
        QVERIFY(!dlg.isVisible() && !dlg.Confirmed());
        QVERIFY(dlg.Exchange().isEmpty());
    }

    // Closed as "accepted" without the OK button having confirmed anything: no result.
    void acceptedWithoutOk() {
        TScriptedPlatform platform;
        QString name = u"checkbox1"_s, value;
        platform.QueueDialog([](QDialog*) { return int(QDialog::Accepted); });
        QVERIFY(!TfrmCtrl::Execute(nullptr, TCtrlMode::Element, u"text"_s, &name, &value));
        QCOMPARE(name, u"checkbox1"_s);
        QVERIFY(platform.Unanswered.isEmpty());
    }
};

QTEST_MAIN(TestCtrl)
#include "tst_ctrl.moc"
