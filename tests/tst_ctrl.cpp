// The name/value dialog in its three modes: captions and presets, the empty-name refusal, the
// exchange slot after "ОК" and "Отмена", and showing it through the platform layer.
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
    void modes_data();
    void modes();
    void emptyName_data();
    void emptyName();
    void confirm();
    void cancel();
    void fieldsHoldAtMost100();
    void execute();
};

void TestCtrl::modes_data() {
    QTest::addColumn<TCtrlMode>("mode");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("nameLabel");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::newRow("element text") << TCtrlMode::Element << u"text"_s << u"Элемент TEXT"_s
                                  << u"Имя:"_s << u"text1"_s << u"_emptyparam"_s;
    QTest::newRow("element param") << TCtrlMode::Element << u"param"_s << u"Элемент PARAM"_s
                                   << u"Имя:"_s << u"param1"_s << u"_emptyparam"_s;
    QTest::newRow("attribute") << TCtrlMode::Attribute << u"text"_s << u"Добавление атрибута тега"_s
                               << u"Имя:"_s << QString() << QString();
    QTest::newRow("list item") << TCtrlMode::ListItem << QString()
                               << u"Добавление элемента выпадающего списка"_s << u"Текст:"_s
                               << QString() << QString();
}

void TestCtrl::modes() {
    QFETCH(TCtrlMode, mode);
    QFETCH(QString, type);
    QFETCH(QString, caption);
    QFETCH(QString, nameLabel);
    QFETCH(QString, name);
    QFETCH(QString, value);
    TfrmCtrl dlg(mode, type);
    QCOMPARE(dlg.windowTitle(), caption);
    QCOMPARE(dlg.lblName->text(), nameLabel);
    QCOMPARE(dlg.lblValue->text(), u"Значение:"_s);
    QCOMPARE(dlg.edName->text(), name);
    QCOMPARE(dlg.edValue->text(), value);
    QCOMPARE(dlg.lblBanner->text(), u"Элемент и\nассоциированное с ним значение"_s);
    QCOMPARE(dlg.btnOk->text(), u"ОК"_s);
    QVERIFY(dlg.btnOk->isDefault());
    QCOMPARE(dlg.btnCancel->text(), u"Отмена"_s);
    QVERIFY(!(dlg.windowFlags() & Qt::WindowCloseButtonHint));
}

void TestCtrl::emptyName_data() {
    QTest::addColumn<TCtrlMode>("mode");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    const QString element = u"Необходимо указать имя элемента"_s;
    const QString attribute = u"Необходимо указать имя атрибута"_s;
    const QString item = u"Необходимо ввести текст элемента"_s;
    QTest::newRow("element, empty") << TCtrlMode::Element << QString() << element;
    QTest::newRow("element, three blanks") << TCtrlMode::Element << u"   "_s << element;
    QTest::newRow("attribute, empty") << TCtrlMode::Attribute << QString() << attribute;
    QTest::newRow("attribute, tab") << TCtrlMode::Attribute << u"\t"_s << attribute;
    QTest::newRow("list item, empty") << TCtrlMode::ListItem << QString() << item;
    QTest::newRow("list item, blanks") << TCtrlMode::ListItem << u"  "_s << item;
}

void TestCtrl::emptyName() {
    QFETCH(TCtrlMode, mode);
    QFETCH(QString, name);
    QFETCH(QString, message);
    TScriptedPlatform platform;
    TfrmCtrl dlg(mode, u"text"_s);
    dlg.edName->setText(name);
    dlg.edValue->setText(u"v"_s);
    dlg.btnOk->click();
    QCOMPARE(platform.Messages(), QStringList{message});
    // Refused: still open, nothing confirmed, the slot still holds what the caller put in.
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QVERIFY(!dlg.Confirmed());
    QCOMPARE(dlg.Exchange(), u"text"_s);
    // The user corrects the name and confirms.
    dlg.edName->setText(u"ok"_s);
    dlg.btnOk->click();
    QCOMPARE(platform.Messages().size(), 1);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.Exchange(), u"ok"_s + QChar(27) + u"v"_s);
}

void TestCtrl::confirm() {
    TScriptedPlatform platform;
    TfrmCtrl dlg(TCtrlMode::Attribute);
    dlg.edName->setText(u"  align \t"_s);
    dlg.edValue->setText(u" center "_s);
    dlg.btnOk->click();
    QVERIFY(platform.Messages().isEmpty());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QVERIFY(dlg.Confirmed());
    // The name trimmed, the value as typed.
    QCOMPARE(dlg.Exchange(), u"align"_s + QChar(27) + u" center "_s);
    QCOMPARE(dlg.ResultName(), u"align"_s);
    QCOMPARE(dlg.ResultValue(), u" center "_s);
}

void TestCtrl::cancel() {
    {
        TfrmCtrl dlg(TCtrlMode::Element, u"radio"_s);
        dlg.btnCancel->click();
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QVERIFY(dlg.Exchange().isEmpty());
        QVERIFY(!dlg.Confirmed());
    }
    {
        // Escape closes it the same way.
        TfrmCtrl dlg(TCtrlMode::Element, u"radio"_s);
        dlg.show();
        QTest::keyClick(&dlg, Qt::Key_Escape);
        QVERIFY(!dlg.isVisible());
        QVERIFY(dlg.Exchange().isEmpty());
    }
}

void TestCtrl::fieldsHoldAtMost100() {
    TfrmCtrl dlg(TCtrlMode::Attribute);
    dlg.show();
    QTest::keyClicks(dlg.edName, QString(120, u'n'));
    QTest::keyClicks(dlg.edValue, QString(130, u'v'));
    QCOMPARE(dlg.edName->text().size(), 100);
    QCOMPARE(dlg.edValue->text().size(), 100);
}

void TestCtrl::execute() {
    TScriptedPlatform platform;
    QString name = u"before"_s, value = u"before"_s;

    // Accepted with the presets.
    platform.QueueDialog([](QDialog* d) {
        static_cast<TfrmCtrl*>(d)->btnOk->click();
        return d->result();
    });
    QVERIFY(TfrmCtrl::Execute(nullptr, TCtrlMode::Element, u"checkbox"_s, &name, &value));
    QCOMPARE(name, u"checkbox1"_s);
    QCOMPARE(value, u"_emptyparam"_s);
    QCOMPARE(platform.Calls.size(), 1);
    QCOMPARE(platform.Calls[0].Kind, u"dialog"_s);
    QCOMPARE(platform.Calls[0].Text, u"TfrmCtrl"_s);
    QCOMPARE(platform.Calls[0].Proposed, u"Элемент CHECKBOX"_s);

    // Closed as "accepted" without the OK button having confirmed anything: no result.
    platform.QueueDialog([](QDialog*) { return int(QDialog::Accepted); });
    QVERIFY(!TfrmCtrl::Execute(nullptr, TCtrlMode::Element, u"text"_s, &name, &value));
    QCOMPARE(name, u"checkbox1"_s);
    QVERIFY(platform.Unanswered.isEmpty());
}

QTEST_MAIN(TestCtrl)
#include "tst_ctrl.moc"
