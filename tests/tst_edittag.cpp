// The tag attribute editor: finding the tag at the caret, the grid, the value lists and the
// overlay field, adding and deleting attributes, the rewrite on "ОК" and the error message.
#include "html/HTMLTag.h"
#include "html/edittag.h"
#include "markup/ctrl.h"
#include "support/windowfixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestEditTag : public QObject {
    Q_OBJECT

    std::unique_ptr<TWindowFixture> F;
    TfrmMain* W = nullptr;

    void OpenPage(const QString& text, int caret) {
        F->ShowText(text, caret);
        QCOMPARE(W->DocumentCount(), 1);
        F->Platform.Clear();
    }

    // Queues the tag editor's answer: body runs with the dialog shown and active, as exec()
    // would leave it; the dialog's own result is the answer.
    void QueueTag(const std::function<void(TfrmTag*)>& body) {
        F->Platform.QueueDialog([body](QDialog* d) -> int {
            auto* dlg = qobject_cast<TfrmTag*>(d);
            if (dlg) {
                dlg->show();
                dlg->activateWindow();
            }
            if (!dlg || !QTest::qWaitFor([dlg] { return QApplication::activeWindow() == dlg; })) {
                QTest::qFail("the tag editor is not shown", __FILE__, __LINE__);
                return QDialog::Rejected;
            }
            body(dlg);
            const int result = dlg->result();
            dlg->hide();
            return result;
        });
    }

    static QStringList Rows(const TfrmTag* dlg) {
        QStringList rows;
        const QTableWidget* sg = dlg->sgProperties;
        for (int r = 0; r < sg->rowCount(); ++r)
            rows << sg->item(r, 0)->text() + u'=' + sg->item(r, 1)->text();
        return rows;
    }

    static void ClickCell(TfrmTag* dlg, int row, int column) {
        QTableWidget* sg = dlg->sgProperties;
        const QRect r = sg->visualItemRect(sg->item(row, column));
        QTest::mouseClick(sg->viewport(), Qt::LeftButton, {}, r.center());
    }

private slots:
    void init() {
        F = std::make_unique<TWindowFixture>();
        W = F->W.get();
        W->resize(1000, 700);
        QVERIFY(QTest::qWaitForWindowActive(W));
    }
    void cleanup() {
        const QStringList unanswered = F->Platform.Unanswered;
        F.reset();
        QVERIFY2(unanswered.isEmpty(), qPrintable(unanswered.join(u", "_s)));
    }

    void tagAtCaret_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<int>("start");
        const QString page = u"x <a href=\"p.html\">link</a> y"_s;
        QTest::newRow("inside href") << page << 8 << u"<a href=\"p.html\">"_s << 2;
        QTest::newRow("directly before <") << page << 2 << u"<a href=\"p.html\">"_s << 2;
        QTest::newRow("text after a tag") << page << 20 << u"<a href=\"p.html\">"_s << 2;
        QTest::newRow("end of the text") << page << int(page.size()) << u"</a>"_s << 23;
        QTest::newRow("before any tag") << page << 0 << QString() << -1;
        QTest::newRow("empty text") << QString() << 0 << QString() << -1;
        QTest::newRow("unclosed") << u"<a href"_s << 4 << QString() << -1;
        QTest::newRow("over two lines") << u"<img\nsrc='a'>"_s << 6 << u"<img\nsrc='a'>"_s << 0;
    }
    void tagAtCaret() {
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(QString, tag);
        QFETCH(int, start);
        OpenPage(text, caret);
        int s = 99;
        QCOMPARE(W->reSource->GetTagAtCaret(&s), tag);
        QCOMPARE(s, start);
    }

    void refused_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<int>("position"); // of the character in the message; 0: nothing shown
        QTest::newRow("comment") << u"a <!-- note --> b"_s << 5 << false << 0;
        QTest::newRow("no tag") << u"just text"_s << 5 << false << 0;
        QTest::newRow("read-only page") << u"<p align=left>"_s << 5 << true << 0;
        // The first character of the second attribute, counted in the page from 1.
        QTest::newRow("two attributes without a blank")
            << u"xy\n<a href=\"x\"name=\"y\">"_s << 6 << false << 15;
    }
    void refused() {
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(bool, readOnly);
        QFETCH(int, position);
        OpenPage(text, caret);
        W->reSource->setReadOnly(readOnly);
        if (position)
            F->Platform.QueueAnswer(TAnswer::Ok);
        W->acEditTag->trigger();
        const QList<TPlatformCall>& calls = F->Platform.Calls;
        QCOMPARE(calls.size(), position ? 1 : 0); // no dialog in any case
        if (position) {
            QCOMPARE(calls.at(0).Kind, u"message"_s);
            QCOMPARE(calls.at(0).MsgKind, TMsgKind::Warning);
            QCOMPARE(calls.at(0).Buttons, TButtons::Ok);
            QCOMPARE(calls.at(0).Text,
                     u"Ошибка анализа: недопустимый символ в позиции %1"_s.arg(position));
        }
        QCOMPARE(W->reSource->Text(), text);
    }

    void okRewrites_data() {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("name"); // typed into the name field unless null
        QTest::addColumn<QString>("written");
        QTest::newRow("apostrophes and bare values")
            << u"<A HREF='Page.html' target=_blank>"_s << QString()
            << u"<a href=\"Page.html\" target=\"_blank\">"_s;
        QTest::newRow("over two lines")
            << u"<td\nwidth=10>"_s << QString() << u"<td width=\"10\">"_s;
        QTest::newRow("br/ gets its blank") << u"<br/>"_s << QString() << u"<br />"_s;
        QTest::newRow("self-closed with attributes")
            << u"<img src='a.gif' alt=x />"_s << QString() << u"<img src=\"a.gif\" alt=\"x\" />"_s;
        QTest::newRow("closing tag") << u"</P>"_s << QString() << u"</p>"_s;
        QTest::newRow("name trimmed and lowercased")
            << u"<P align=left>"_s << u"  DIV "_s << u"<div align=\"left\">"_s;
        QTest::newRow("invalid name keeps the old")
            << u"<P align=left>"_s << u"a b"_s << u"<p align=\"left\">"_s;
    }
    void okRewrites() {
        QFETCH(QString, tag);
        QFETCH(QString, name);
        QFETCH(QString, written);
        const QString before = u"<p>See "_s, after = u"x</p>"_s;
        OpenPage(before + tag + after, int(before.size()) + 2);
        QueueTag([&](TfrmTag* dlg) {
            if (!name.isNull())
                dlg->edTagName->setText(name);
            dlg->btnOK->click();
        });
        W->acEditTag->trigger();
        QCOMPARE(W->reSource->Text(), before + written + after);
        // The new tag is selected.
        QCOMPARE(W->reSource->SelStart(), int(before.size()));
        QCOMPARE(W->reSource->SelText(), written);
        QVERIFY(W->reSource->Modified());
    }

    void gridAndValueLists() {
        const QString page = u"<html><head><style>.big {} .Small {}</style></head><body>\n"
                             u"<img src=\"Pic.GIF\"><img src=\"other.png\">\n"
                             u"<TD Align=\"left\" class=big id=c1 src='Pic.GIF'>\n"_s;
        OpenPage(page, int(page.indexOf(u"<TD")) + 3);
        QueueTag([&](TfrmTag* dlg) {
            QCOMPARE(dlg->windowTitle(), u"Правка тега"_s);
            QCOMPARE(dlg->edTagName->text(), u"td"_s);
            QCOMPARE(dlg->sgProperties->horizontalHeaderItem(0)->text(), u"Атрибут"_s);
            QCOMPARE(dlg->sgProperties->horizontalHeaderItem(1)->text(), u"Значение"_s);
            QCOMPARE(Rows(dlg),
                     QStringList({u"align=left"_s, u"class=big"_s, u"id=c1"_s, u"src=Pic.GIF"_s}));
            QCOMPARE(dlg->miAddProperty->text(), u"Добавить атрибут"_s);
            QCOMPARE(dlg->miDeleteProperty->text(), u"Удалить атрибут"_s);
            QCOMPARE(dlg->btnOK->text(), u"ОК"_s);
            QCOMPARE(dlg->btnCancel->text(), u"Отмена"_s);
            // Over the side panel, from the left edge of the window's client area.
            QCOMPARE(dlg->x(), W->mapToGlobal(QPoint(0, 0)).x());
            QCOMPARE(dlg->y(), W->pcNavigator->mapToGlobal(QPoint(0, 0)).y());
            QCOMPARE(dlg->height(), W->pcNavigator->height());
            // align: the four words, the cell's value found without regard to case, the list
            // over the cell.
            ClickCell(dlg, 0, 1);
            QCOMPARE(dlg->ActiveEditor(), dlg->cbList);
            QVERIFY(dlg->cbList->isVisible());
            QVERIFY(!dlg->cbList->isEditable());
            QCOMPARE(dlg->cbList->count(), 4);
            QCOMPARE(dlg->cbList->currentText(), u"Left"_s);
            const QTableWidget* sg = dlg->sgProperties;
            QCOMPARE(dlg->cbList->pos(),
                     sg->viewport()->mapTo(dlg, sg->visualItemRect(sg->item(0, 1)).topLeft()));
            // Choosing an entry writes it and closes the list at once.
            QTest::keyClick(dlg->cbList, Qt::Key_Down);
            QVERIFY(dlg->cbList->isHidden());
            QCOMPARE(dlg->ActiveEditor(), nullptr);
            QCOMPARE(dlg->sgProperties->item(0, 1)->text(), u"Center"_s);
            // class: the page's classes from the head scan, case kept.
            ClickCell(dlg, 1, 1);
            QCOMPARE(dlg->cbList->count(), 2);
            QCOMPARE(dlg->cbList->itemText(1), u"Small"_s);
            QTest::keyClick(dlg->cbList, Qt::Key_Down);
            // id has no list: the plain field.
            ClickCell(dlg, 2, 1);
            QCOMPARE(dlg->ActiveEditor(), dlg->edText);
            QCOMPARE(dlg->edText->text(), u"c1"_s);
            // A name cell opens nothing and leaves the field it was in.
            ClickCell(dlg, 1, 0);
            QCOMPARE(dlg->ActiveEditor(), nullptr);
            QVERIFY(dlg->edText->isHidden());
            // src: the page's pictures in an editable list; a typed name is taken as typed.
            ClickCell(dlg, 3, 1);
            QCOMPARE(dlg->ActiveEditor(), dlg->cbList);
            QVERIFY(dlg->cbList->isEditable());
            QCOMPARE(dlg->cbList->count(), 2);
            QCOMPARE(dlg->cbList->itemText(0), u"pic.gif"_s);
            QCOMPARE(dlg->cbList->currentText(), u"Pic.GIF"_s); // the spelling of the page
            dlg->cbList->lineEdit()->selectAll();
            QTest::keyClicks(dlg->cbList, u"New Pic.PNG"_s);
            QTest::keyClick(dlg->cbList, Qt::Key_Return);
            QVERIFY(dlg->isVisible()); // Enter ended the edit, not the dialog
            QCOMPARE(dlg->sgProperties->item(3, 1)->text(), u"New Pic.PNG"_s);
            dlg->btnOK->click();
        });
        W->acEditTag->trigger();
        QCOMPARE(W->reSource->SelText(),
                 u"<td align=\"Center\" class=\"Small\" id=\"c1\" src=\"New Pic.PNG\">"_s);
    }

    // One click on the arrow of a value list opens it, and the entry picked from it with the
    // keys is the cell's new value.
    void listOpensOnFirstClick_data() {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("written");
        QTest::newRow("pick-only list")
            << u"<p align=left id=x>"_s << u"Center"_s << u"<p align=\"Center\" id=\"x\">"_s;
        QTest::newRow("editable list")
            << u"<img src=one.gif id=x>"_s << u"two.gif"_s << u"<img src=\"two.gif\" id=\"x\">"_s;
    }
    void listOpensOnFirstClick() {
        QFETCH(QString, tag);
        QFETCH(QString, value);
        QFETCH(QString, written);
        const QString before = u"<img src=\"one.gif\"><img src=\"two.gif\">\n"_s;
        OpenPage(before + tag, int(before.size()) + 2);
        QueueTag([&](TfrmTag* dlg) {
            ClickCell(dlg, 0, 1);
            QComboBox* cb = dlg->cbList;
            QCOMPARE(dlg->ActiveEditor(), cb);
            QStyleOptionComboBox option;
            option.initFrom(cb);
            option.editable = cb->isEditable();
            const QRect arrow = cb->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                            QStyle::SC_ComboBoxArrow, cb);
            QVERIFY(!arrow.isEmpty());
            QTest::mouseClick(cb, Qt::LeftButton, {}, arrow.center());
            QVERIFY(cb->view()->isVisible());
            QCOMPARE(dlg->ActiveEditor(), cb);
            QVERIFY(cb->isVisible());
            QTest::keyClick(cb->view(), Qt::Key_Down);
            QTest::keyClick(cb->view(), Qt::Key_Return);
            QVERIFY(!cb->view()->isVisible());
            QCOMPARE(dlg->ActiveEditor(), nullptr);
            QCOMPARE(dlg->sgProperties->item(0, 1)->text(), value);
            dlg->btnOK->click();
        });
        W->acEditTag->trigger();
        QCOMPARE(W->reSource->Text(), before + written);
    }

    void pageKeptUnlessChanged() {
        const QString tag =
            u"<img align=\"middle\" class=\"Elsewhere\" src=\"x.gif\" face=\"Fancy Unknown\">"_s;
        OpenPage(tag, 2);
        // Values missing from the lists survive a visit of their cells; face lists the fonts.
        QueueTag([&](TfrmTag* dlg) {
            for (int row = 0; row < 4; ++row)
                ClickCell(dlg, row, 1);
            QCOMPARE(dlg->cbList->count(), InstalledFontFamilies().size() + 1);
            dlg->btnOK->click();
        });
        W->acEditTag->trigger();
        QCOMPARE(W->reSource->Text(), tag);
        // "Отмена" drops the changes made in the dialog.
        W->reSource->Select(2, 0);
        QueueTag([](TfrmTag* dlg) {
            ClickCell(dlg, 0, 1);
            QTest::keyClick(dlg->cbList, Qt::Key_Down);
            QCOMPARE(dlg->sgProperties->item(0, 1)->text(), u"Left"_s);
            dlg->edTagName->setText(u"div"_s);
            QTest::mouseClick(dlg->btnCancel, Qt::LeftButton);
            QVERIFY(!dlg->isVisible());
        });
        W->acEditTag->trigger();
        QCOMPARE(W->reSource->Text(), tag);
    }

    void textField() {
        OpenPage(u"<img alt=old title=t>"_s, 2);
        QueueTag([&](TfrmTag* dlg) {
            ClickCell(dlg, 0, 1);
            QCOMPARE(dlg->ActiveEditor(), dlg->edText);
            QVERIFY(dlg->edText->hasFocus());
            dlg->edText->selectAll();
            QTest::keyClicks(dlg->edText, u"  a picture \t"_s);
            QTest::keyClick(dlg->edText, Qt::Key_Return);
            QVERIFY(dlg->isVisible());
            QVERIFY(dlg->edText->isHidden());
            QCOMPARE(dlg->sgProperties->item(0, 1)->text(), u"a picture"_s);
            // Escape ends the edit too, keeping what was typed, and leaves the dialog open.
            ClickCell(dlg, 1, 1);
            dlg->edText->selectAll();
            QTest::keyClicks(dlg->edText, u"new"_s);
            QTest::keyClick(dlg->edText, Qt::Key_Escape);
            QVERIFY(dlg->isVisible());
            QCOMPARE(dlg->sgProperties->item(1, 1)->text(), u"new"_s);
            // A value still being typed when "ОК" is clicked counts.
            ClickCell(dlg, 0, 1);
            dlg->edText->selectAll();
            QTest::keyClicks(dlg->edText, u"last"_s);
            QTest::mouseClick(dlg->btnOK, Qt::LeftButton);
        });
        W->acEditTag->trigger();
        QCOMPARE(W->reSource->Text(), u"<img alt=\"last\" title=\"new\">"_s);
    }

    void addAndDelete() {
        OpenPage(u"a<br>b"_s, 1);
        const auto add = [this](TfrmTag* dlg, const QString& name, const QString& value) {
            F->Platform.QueueDialog([name, value](QDialog* d) -> int {
                auto* ctrl = qobject_cast<TfrmCtrl*>(d);
                if (!ctrl)
                    return QDialog::Rejected;
                ctrl->edName->setText(name);
                ctrl->edValue->setText(value);
                ctrl->btnOk->click();
                return ctrl->result();
            });
            dlg->miAddProperty->trigger();
        };
        QueueTag([&](TfrmTag* dlg) {
            // No attributes: one empty row that opens no editor, nothing to delete.
            QCOMPARE(Rows(dlg), QStringList{u"="_s});
            QVERIFY(!dlg->Editable() && !dlg->miDeleteProperty->isEnabled());
            ClickCell(dlg, 0, 1);
            QCOMPARE(dlg->ActiveEditor(), nullptr);
            add(dlg, u"Clear"_s, u"all"_s);
            QVERIFY(dlg->Editable());
            QVERIFY(dlg->miDeleteProperty->isEnabled());
            QCOMPARE(Rows(dlg), QStringList{u"clear=all"_s});
            // A name already present and the reserved name are ignored.
            add(dlg, u"CLEAR"_s, u"left"_s);
            add(dlg, u"innertext"_s, u"x"_s);
            add(dlg, u"id"_s, u"b1"_s);
            QCOMPARE(Rows(dlg), QStringList({u"clear=all"_s, u"id=b1"_s}));
            // A cancelled name/value dialog adds nothing.
            F->Platform.QueueDialog([](QDialog*) { return int(QDialog::Rejected); });
            dlg->miAddProperty->trigger();
            QCOMPARE(dlg->sgProperties->rowCount(), 2);
            // Deleting asks for the name; an unknown name or a cancelled box does nothing.
            F->Platform.QueueInput(u" id "_s);
            dlg->miDeleteProperty->trigger();
            F->Platform.QueueInput(u"nosuch"_s);
            dlg->miDeleteProperty->trigger();
            F->Platform.QueueInput(std::nullopt);
            dlg->miDeleteProperty->trigger();
            QCOMPARE(Rows(dlg), QStringList{u"clear=all"_s});
            dlg->btnOK->click();
        });
        W->acEditTag->trigger();
        QCOMPARE(W->reSource->Text(), u"a<br clear=\"all\">b"_s);
        QStringList inputs;
        for (const TPlatformCall& c : F->Platform.Calls)
            if (c.Kind == u"input")
                inputs << c.Text;
        QCOMPARE(inputs, QStringList(3, u"Удаление атрибута тега|Введите удаляемый атрибут:"_s));
    }
};

QTEST_MAIN(TestEditTag)
#include "tst_edittag.moc"
