// The tag attribute editor: finding the tag at the caret, the grid, the value lists and the
// overlay field, adding and deleting attributes, the rewrite on "ОК" and the error message.
#include "app/RichEditEx.h"
#include "app/main2.h"
#include "html/HTMLTag.h"
#include "html/completion.h"
#include "html/edittag.h"
#include "markup/ctrl.h"
#include "support/scriptedplatform.h"
#include "support/testutil.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

class TestEditTag : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void tagAtCaret_data();
    void tagAtCaret();
    void grid_data();
    void grid();
    void notOpened_data();
    void notOpened();
    void errorPosition_data();
    void errorPosition();
    void okRewrites_data();
    void okRewrites();
    void cancelKeepsPage();
    void tagName_data();
    void tagName();
    void valueLists();
    void textField();
    void passingThroughKeepsValues();
    void addAndDelete();

private:
    void OpenPage(const QString& text, int caret);
    // Queues the tag editor's answer: body runs with the dialog (shown and active when show is
    // true); the dialog's own result is the answer.
    void QueueTag(const std::function<void(TfrmTag*)>& body, bool show = false);
    static QStringList Rows(const TfrmTag* dlg);
    static void ClickCell(TfrmTag* dlg, int row, int column);

    std::unique_ptr<testutil::TIsolatedHome> FHome;
    std::unique_ptr<QTemporaryDir> FDir;
    std::unique_ptr<TScriptedPlatform> P;
    std::unique_ptr<TfrmMain> W;
};

void TestEditTag::init() {
    FHome = std::make_unique<testutil::TIsolatedHome>();
    FDir = std::make_unique<QTemporaryDir>();
    P = std::make_unique<TScriptedPlatform>();
    W = std::make_unique<TfrmMain>();
    W->resize(1000, 700);
    W->show();
    QVERIFY(QTest::qWaitForWindowActive(W.get()));
}

void TestEditTag::cleanup() {
    W.reset();
    if (P)
        QVERIFY2(P->Unanswered.isEmpty(), qPrintable(P->Unanswered.join(u", "_s)));
    P.reset();
    FDir.reset();
    FHome.reset();
}

void TestEditTag::OpenPage(const QString& text, int caret) {
    const QString path = FDir->filePath(u"page.html"_s);
    testutil::WriteBytes(path, testutil::Cp1251(text));
    W->PendingPath = path;
    W->OpenDocument(osGivenPath);
    QCOMPARE(W->DocumentCount(), 1);
    // Reading ends the last line with a line break; the cases want the text exactly.
    W->reSource->SetText(text);
    W->reSource->Select(caret, 0);
    P->Clear();
}

void TestEditTag::QueueTag(const std::function<void(TfrmTag*)>& body, bool show) {
    P->QueueDialog([body, show](QDialog* d) -> int {
        auto* dlg = qobject_cast<TfrmTag*>(d);
        if (!dlg) {
            QTest::qFail("the dialog shown is not the tag editor", __FILE__, __LINE__);
            return QDialog::Rejected;
        }
        if (show) {
            // Shown without a modal loop of its own: activate it as exec() would.
            dlg->show();
            dlg->activateWindow();
            if (!QTest::qWaitFor([dlg] { return QApplication::activeWindow() == dlg; })) {
                QTest::qFail("the tag editor did not become active", __FILE__, __LINE__);
                return QDialog::Rejected;
            }
        }
        body(dlg);
        const int result = dlg->result();
        dlg->hide();
        return result;
    });
}

QStringList TestEditTag::Rows(const TfrmTag* dlg) {
    QStringList rows;
    const QTableWidget* sg = dlg->sgProperties;
    for (int r = 0; r < sg->rowCount(); ++r)
        rows << sg->item(r, 0)->text() + u'=' + sg->item(r, 1)->text();
    return rows;
}

void TestEditTag::ClickCell(TfrmTag* dlg, int row, int column) {
    QTableWidget* sg = dlg->sgProperties;
    const QRect r = sg->visualItemRect(sg->item(row, column));
    QTest::mouseClick(sg->viewport(), Qt::LeftButton, {}, r.center());
}

void TestEditTag::tagAtCaret_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<int>("start");
    const QString page = u"x <a href=\"p.html\">link</a> y"_s;
    QTest::newRow("inside href") << page << 8 << u"<a href=\"p.html\">"_s << 2;
    QTest::newRow("directly before <") << page << 2 << u"<a href=\"p.html\">"_s << 2;
    QTest::newRow("text after a tag") << page << 20 << u"<a href=\"p.html\">"_s << 2;
    QTest::newRow("directly after >") << page << 19 << u"<a href=\"p.html\">"_s << 2;
    QTest::newRow("before the closing tag") << page << 23 << u"</a>"_s << 23;
    QTest::newRow("end of the text") << page << int(page.size()) << u"</a>"_s << 23;
    QTest::newRow("before any tag") << page << 0 << QString() << -1;
    QTest::newRow("no tag at all") << u"plain text"_s << 3 << QString() << -1;
    QTest::newRow("empty text") << QString() << 0 << QString() << -1;
    QTest::newRow("unclosed") << u"<a href"_s << 4 << QString() << -1;
    QTest::newRow("over two lines") << u"<img\nsrc='a'>"_s << 6 << u"<img\nsrc='a'>"_s << 0;
}

void TestEditTag::tagAtCaret() {
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(QString, tag);
    QFETCH(int, start);
    OpenPage(text, caret);
    int s = 99;
    QCOMPARE(W->reSource->GetTagAtCaret(&s), tag);
    QCOMPARE(s, start);
}

void TestEditTag::grid_data() {
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<bool>("editable");
    QTest::newRow("a with two attributes") << u"<A HREF='p.html' Name=top>"_s << u"a"_s
                                           << QStringList{u"href=p.html"_s, u"name=top"_s} << true;
    QTest::newRow("minimised attribute")
        << u"<input type=\"checkbox\" checked>"_s << u"input"_s
        << QStringList{u"type=checkbox"_s, u"checked=checked"_s} << true;
    QTest::newRow("no attributes") << u"<br>"_s << u"br"_s << QStringList{u"="_s} << false;
    QTest::newRow("closing tag") << u"</p>"_s << u"/p"_s << QStringList{u"="_s} << false;
}

void TestEditTag::grid() {
    QFETCH(QString, tag);
    QFETCH(QString, name);
    QFETCH(QStringList, rows);
    QFETCH(bool, editable);
    OpenPage(u"text "_s + tag + u" more"_s, 6);
    QueueTag(
        [&](TfrmTag* dlg) {
            QCOMPARE(dlg->windowTitle(), u"Правка тега"_s);
            QCOMPARE(dlg->edTagName->text(), name);
            QCOMPARE(dlg->sgProperties->columnCount(), 2);
            QCOMPARE(dlg->sgProperties->horizontalHeaderItem(0)->text(), u"Атрибут"_s);
            QCOMPARE(dlg->sgProperties->horizontalHeaderItem(1)->text(), u"Значение"_s);
            QCOMPARE(Rows(dlg), rows);
            QCOMPARE(dlg->Editable(), editable);
            QCOMPARE(dlg->miDeleteProperty->isEnabled(), editable);
            QCOMPARE(dlg->miAddProperty->text(), u"Добавить атрибут"_s);
            QCOMPARE(dlg->miDeleteProperty->text(), u"Удалить атрибут"_s);
            QCOMPARE(dlg->btnOK->text(), u"ОК"_s);
            QCOMPARE(dlg->btnCancel->text(), u"Отмена"_s);
            QCOMPARE(dlg->TagStart(), 5);
            QCOMPARE(dlg->TagLength(), int(tag.size()));
            // Over the side panel, from the left edge of the window's client area.
            QCOMPARE(dlg->x(), W->mapToGlobal(QPoint(0, 0)).x());
            QCOMPARE(dlg->y(), W->pcNavigator->mapToGlobal(QPoint(0, 0)).y());
            QCOMPARE(dlg->height(), W->pcNavigator->height());
            // Without attributes no value cell opens an editor.
            ClickCell(dlg, 0, 1);
            QCOMPARE(dlg->ActiveEditor() != nullptr, editable);
        },
        true);
    W->acEditTag->trigger();
    QCOMPARE(P->Calls.size(), 1);
    QCOMPARE(P->Calls.at(0).Kind, u"dialog"_s);
    QCOMPARE(P->Calls.at(0).Text, u"TfrmTag"_s);
    QCOMPARE(W->reSource->Text(), u"text "_s + tag + u" more"_s);
}

void TestEditTag::notOpened_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<bool>("readOnly");
    QTest::newRow("comment") << u"a <!-- note --> b"_s << 5 << false;
    QTest::newRow("declaration") << u"<!DOCTYPE html>"_s << 3 << false;
    QTest::newRow("no tag") << u"just text"_s << 3 << false;
    QTest::newRow("read-only page") << u"<p align=left>"_s << 3 << true;
}

void TestEditTag::notOpened() {
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(bool, readOnly);
    OpenPage(text, caret);
    W->reSource->setReadOnly(readOnly);
    W->acEditTag->trigger();
    QVERIFY(P->Calls.isEmpty());
    QCOMPARE(W->reSource->Text(), text);
}

void TestEditTag::errorPosition_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<int>("position");
    // The first character of the second attribute, counted in the page from 1.
    QTest::newRow("two attributes without a blank") << u"xy\n<a href=\"x\"name=\"y\">"_s << 6 << 15;
    QTest::newRow("at the page start") << u"<a href=\"x\"name=\"y\">"_s << 1 << 12;
    QTest::newRow("blanks around = before it") << u"<a href = \"x\"name=\"y\">"_s << 1 << 14;
    QTest::newRow("cyrillic letter in the name") << u"ab <pб>"_s << 5 << 6;
}

void TestEditTag::errorPosition() {
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(int, position);
    OpenPage(text, caret);
    P->QueueAnswer(TAnswer::Ok);
    W->acEditTag->trigger();
    QCOMPARE(P->Calls.size(), 1); // the message, no dialog
    QCOMPARE(P->Calls.at(0).Kind, u"message"_s);
    QCOMPARE(P->Calls.at(0).MsgKind, TMsgKind::Warning);
    QCOMPARE(P->Calls.at(0).Buttons, TButtons::Ok);
    QCOMPARE(P->Calls.at(0).Text,
             u"Ошибка анализа: недопустимый символ в позиции %1"_s.arg(position));
    QCOMPARE(W->reSource->Text(), text);
}

void TestEditTag::okRewrites_data() {
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("written");
    QTest::newRow("apostrophes and bare values")
        << u"<A HREF='Page.html' target=_blank>"_s << u"<a href=\"Page.html\" target=\"_blank\">"_s;
    QTest::newRow("blanks around =") << u"<p align = 'left'>"_s << u"<p align=\"left\">"_s;
    QTest::newRow("over two lines") << u"<td\nwidth=10>"_s << u"<td width=\"10\">"_s;
    QTest::newRow("br stays self-closed") << u"<br />"_s << u"<br />"_s;
    QTest::newRow("br/ gets its blank") << u"<br/>"_s << u"<br />"_s;
    QTest::newRow("img stays self-closed")
        << u"<img src='a.gif' alt=x />"_s << u"<img src=\"a.gif\" alt=\"x\" />"_s;
    QTest::newRow("closing tag") << u"</P>"_s << u"</p>"_s;
    QTest::newRow("apostrophe inside double quotes")
        << u"<a title=\"it's\">"_s << u"<a title=\"it's\">"_s;
}

void TestEditTag::okRewrites() {
    QFETCH(QString, tag);
    QFETCH(QString, written);
    const QString before = u"<p>See "_s, after = u"x</p>"_s;
    OpenPage(before + tag + after, int(before.size()) + 2);
    QueueTag([](TfrmTag* dlg) { dlg->btnOK->click(); });
    W->acEditTag->trigger();
    QCOMPARE(W->reSource->Text(), before + written + after);
    // The new tag is selected.
    QCOMPARE(W->reSource->SelStart(), int(before.size()));
    QCOMPARE(W->reSource->SelText(), written);
    QVERIFY(W->reSource->Modified());
}

void TestEditTag::cancelKeepsPage() {
    const QString text = u"<p align=left>x</p>"_s;
    OpenPage(text, 3);
    QueueTag(
        [](TfrmTag* dlg) {
            ClickCell(dlg, 0, 1);
            QCOMPARE(dlg->ActiveEditor(), dlg->cbList);
            QTest::keyClick(dlg->cbList, Qt::Key_Down);
            QCOMPARE(dlg->sgProperties->item(0, 1)->text(), u"Center"_s);
            dlg->edTagName->setText(u"div"_s);
            QTest::mouseClick(dlg->btnCancel, Qt::LeftButton);
            QVERIFY(!dlg->isVisible());
        },
        true);
    W->acEditTag->trigger();
    QCOMPARE(W->reSource->Text(), text);
}

void TestEditTag::tagName_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::newRow("trimmed and lowercased") << u"  DIV "_s << u"<div align=\"left\">"_s;
    QTest::newRow("invalid name keeps the old") << u"a b"_s << u"<p align=\"left\">"_s;
    QTest::newRow("empty keeps the old") << QString() << u"<p align=\"left\">"_s;
}

void TestEditTag::tagName() {
    QFETCH(QString, typed);
    QFETCH(QString, written);
    OpenPage(u"<P align=left>"_s, 1);
    QueueTag([&](TfrmTag* dlg) {
        QCOMPARE(dlg->edTagName->maxLength(), 30);
        dlg->edTagName->setText(typed);
        dlg->btnOK->click();
    });
    W->acEditTag->trigger();
    QCOMPARE(W->reSource->Text(), written);
}

void TestEditTag::valueLists() {
    const QString page = u"<html><head><style>.big {} .Small {}</style></head><body>\n"
                         u"<img src=\"Pic.GIF\"><img src=\"other.png\">\n"
                         u"<td align=\"left\" valign=top class=\"big\" id=c1>"
                         u"<img src=\"Pic.GIF\" align=\"left\"><font face=\"Fancy Unknown\">\n"_s;
    const int td = int(page.indexOf(u"<td"));
    OpenPage(page, td + 3);
    QueueTag(
        [&](TfrmTag* dlg) {
            QCOMPARE(Rows(dlg),
                     QStringList({u"align=left"_s, u"valign=top"_s, u"class=big"_s, u"id=c1"_s}));
            // align: the four words, the cell's value found without regard to case.
            ClickCell(dlg, 0, 1);
            QCOMPARE(dlg->ActiveEditor(), dlg->cbList);
            QVERIFY(dlg->cbList->isVisible());
            QVERIFY(!dlg->cbList->isEditable());
            QCOMPARE(dlg->cbList->count(), 4);
            QCOMPARE(dlg->cbList->currentText(), u"Left"_s);
            QCOMPARE(
                dlg->cbList->pos(),
                dlg->sgProperties->viewport()->mapTo(
                    dlg,
                    dlg->sgProperties->visualItemRect(dlg->sgProperties->item(0, 1)).topLeft()));
            // Choosing an entry writes it and closes the list at once.
            QTest::keyClick(dlg->cbList, Qt::Key_Down);
            QVERIFY(dlg->cbList->isHidden());
            QCOMPARE(dlg->ActiveEditor(), nullptr);
            QCOMPARE(dlg->sgProperties->item(0, 1)->text(), u"Center"_s);
            QCOMPARE(dlg->htTag->GetAttribute(u"align"_s).AttrValue, u"Center"_s);
            // valign: six words.
            ClickCell(dlg, 1, 1);
            QCOMPARE(dlg->cbList->count(), 6);
            QCOMPARE(dlg->cbList->currentText(), u"Top"_s);
            // class: the page's classes from the head scan, case kept.
            ClickCell(dlg, 2, 1);
            QCOMPARE(dlg->ActiveEditor(), dlg->cbList);
            QCOMPARE(dlg->cbList->count(), 2);
            QCOMPARE(dlg->cbList->itemText(1), u"Small"_s);
            QTest::keyClick(dlg->cbList, Qt::Key_Down);
            QCOMPARE(dlg->sgProperties->item(2, 1)->text(), u"Small"_s);
            // id has no list: the plain field.
            ClickCell(dlg, 3, 1);
            QCOMPARE(dlg->ActiveEditor(), dlg->edText);
            QCOMPARE(dlg->edText->text(), u"c1"_s);
            // A name cell opens nothing and leaves the field it was in.
            ClickCell(dlg, 1, 0);
            QCOMPARE(dlg->ActiveEditor(), nullptr);
            QVERIFY(dlg->edText->isHidden());
            dlg->btnOK->click();
        },
        true);
    W->acEditTag->trigger();
    QCOMPARE(W->reSource->SelText(),
             u"<td align=\"Center\" valign=\"Top\" class=\"Small\" id=\"c1\">"_s);

    // src: the page's pictures in an editable list; a typed name is taken as typed.
    const int img = int(W->reSource->Text().indexOf(u"<img src=\"Pic.GIF\" align"));
    W->reSource->Select(img + 2, 0);
    QueueTag(
        [&](TfrmTag* dlg) {
            ClickCell(dlg, 0, 1);
            QCOMPARE(dlg->ActiveEditor(), dlg->cbList);
            QVERIFY(dlg->cbList->isEditable());
            QStringList entries;
            for (int i = 0; i < dlg->cbList->count(); ++i)
                entries << dlg->cbList->itemText(i);
            QCOMPARE(entries, QStringList({u"pic.gif"_s, u"other.png"_s}));
            QCOMPARE(dlg->cbList->currentText(), u"Pic.GIF"_s); // the spelling of the page
            dlg->cbList->lineEdit()->selectAll();
            QTest::keyClicks(dlg->cbList, u"New Pic.PNG"_s);
            QTest::keyClick(dlg->cbList, Qt::Key_Return);
            QVERIFY(dlg->isVisible()); // Enter ended the edit, not the dialog
            QCOMPARE(dlg->sgProperties->item(0, 1)->text(), u"New Pic.PNG"_s);
            dlg->btnOK->click();
        },
        true);
    W->acEditTag->trigger();
    QCOMPARE(W->reSource->SelText(), u"<img src=\"New Pic.PNG\" align=\"left\">"_s);

    // face: the installed fonts; a face that is not installed stays as written.
    const int font = int(W->reSource->Text().indexOf(u"<font"));
    W->reSource->Select(font + 2, 0);
    QueueTag(
        [&](TfrmTag* dlg) {
            ClickCell(dlg, 0, 1);
            QCOMPARE(dlg->ActiveEditor(), dlg->cbList);
            QCOMPARE(dlg->cbList->count(), InstalledFontFamilies().size() + 1);
            QCOMPARE(dlg->cbList->currentText(), u"Fancy Unknown"_s);
            dlg->btnOK->click();
        },
        true);
    W->acEditTag->trigger();
    QCOMPARE(W->reSource->SelText(), u"<font face=\"Fancy Unknown\">"_s);
}

void TestEditTag::textField() {
    OpenPage(u"<img alt=old title=t>"_s, 2);
    QueueTag(
        [&](TfrmTag* dlg) {
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
        },
        true);
    W->acEditTag->trigger();
    QCOMPARE(W->reSource->Text(), u"<img alt=\"last\" title=\"new\">"_s);
}

void TestEditTag::passingThroughKeepsValues() {
    // Values missing from the lists survive a visit of their cells.
    OpenPage(u"<img align=\"middle\" class=\"Elsewhere\" src=\"x.gif\">"_s, 2);
    QueueTag(
        [&](TfrmTag* dlg) {
            for (int row = 0; row < 3; ++row)
                ClickCell(dlg, row, 1);
            ClickCell(dlg, 0, 0);
            QCOMPARE(dlg->ActiveEditor(), nullptr);
            dlg->btnOK->click();
        },
        true);
    W->acEditTag->trigger();
    QCOMPARE(W->reSource->Text(), u"<img align=\"middle\" class=\"Elsewhere\" src=\"x.gif\">"_s);
}

void TestEditTag::addAndDelete() {
    OpenPage(u"a<br>b"_s, 1);
    auto addAttribute = [this](TfrmTag* dlg, const QString& name, const QString& value) {
        P->QueueDialog([name, value](QDialog* d) -> int {
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
        QVERIFY(!dlg->Editable());
        QVERIFY(!dlg->miDeleteProperty->isEnabled());
        addAttribute(dlg, u"Clear"_s, u"all"_s);
        QVERIFY(dlg->Editable());
        QVERIFY(dlg->miDeleteProperty->isEnabled());
        QCOMPARE(Rows(dlg), QStringList{u"clear=all"_s});
        // A name already present and the reserved name are ignored.
        addAttribute(dlg, u"CLEAR"_s, u"left"_s);
        addAttribute(dlg, u"innertext"_s, u"x"_s);
        addAttribute(dlg, u"id"_s, u"b1"_s);
        QCOMPARE(Rows(dlg), QStringList({u"clear=all"_s, u"id=b1"_s}));
        // A cancelled name/value dialog adds nothing.
        P->QueueDialog([](QDialog*) { return int(QDialog::Rejected); });
        dlg->miAddProperty->trigger();
        QCOMPARE(dlg->sgProperties->rowCount(), 2);

        P->QueueInput(u" id "_s);
        dlg->miDeleteProperty->trigger();
        QCOMPARE(Rows(dlg), QStringList{u"clear=all"_s});
        P->QueueInput(u"nosuch"_s);
        dlg->miDeleteProperty->trigger();
        P->QueueInput(std::nullopt);
        dlg->miDeleteProperty->trigger();
        QCOMPARE(Rows(dlg), QStringList{u"clear=all"_s});
        dlg->btnOK->click();
    });
    W->acEditTag->trigger();
    QCOMPARE(W->reSource->Text(), u"a<br clear=\"all\">b"_s);
    QStringList inputs;
    for (const TPlatformCall& c : P->Calls)
        if (c.Kind == u"input")
            inputs << c.Text;
    QCOMPARE(inputs.size(), 3);
    QCOMPARE(inputs.at(0), u"Удаление атрибута тега|Введите удаляемый атрибут:"_s);
}

QTEST_MAIN(TestEditTag)
#include "tst_edittag.moc"
