// The table, cell, list, form, select, font, Flash and parameter commands through a real main
// window: what each inserts and where the caret ends, the list and select buttons, the Flash
// checks and the input filters of their fields.
#include "markup/blocklogic.h"
#include "markup/dialogparts.h"
#include "markup/flash.h"
#include "markup/font.h"
#include "markup/form.h"
#include "markup/lists.h"
#include "markup/select.h"
#include "markup/table.h"
#include "markup/td.h"
#include "support/windowfixture.h"
#include "widgets/colorbutton.h"
#include "widgets/spinedit.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

using namespace Qt::StringLiterals;

// How a row of the command table fills its dialog before "ОК" is pressed.
using TFill = std::function<void(QDialog*, TScriptedPlatform&, const QString& dir)>;
Q_DECLARE_METATYPE(TFill)

namespace {
void PickSwatch(TColorButton* button, TColor color) {
    const int index = int(TColorButton::PaletteColors().indexOf(color));
    button->Palette()->findChild<QToolButton*>(u"swatch"_s + QString::number(index))->click();
}

QPushButton* Ok(QDialog* d) {
    return d->findChild<QPushButton*>(u"btnOk"_s);
}

template <class D, class F> TFill Fill(F body) {
    return [body](QDialog* d, TScriptedPlatform& p, const QString& dir) {
        auto* dialog = qobject_cast<D*>(d);
        if (!dialog)
            qFatal("unexpected dialog %s", d->metaObject()->className());
        body(dialog, p, dir);
    };
}
const TFill Nothing = [](QDialog*, TScriptedPlatform&, const QString&) {};

// Answers the option dialog of a select with a text and a value.
void QueueOption(TScriptedPlatform& p, const QString& text, const QString& value) {
    p.QueueDialog([text, value](QDialog* c) {
        c->findChild<QLineEdit*>(u"edName"_s)->setText(text);
        c->findChild<QLineEdit*>(u"edValue"_s)->setText(value);
        Ok(c)->click();
        return c->result();
    });
}

std::unique_ptr<QDialog> MakeDialog(const QString& kind) {
    if (kind == u"table"_s)
        return std::make_unique<TfrmTable>(QStringList(), QString());
    if (kind == u"td"_s)
        return std::make_unique<TfrmTd>(QStringList(), QString());
    if (kind == u"form"_s)
        return std::make_unique<TfrmForm>(QStringList(), QString());
    if (kind == u"list"_s)
        return std::make_unique<TfrmList>(QStringList());
    if (kind == u"select"_s)
        return std::make_unique<TfrmSelect>(QStringList());
    return std::make_unique<TfrmFlash>(QString());
}
} // namespace

class TestBlockDialogs : public QObject {
    Q_OBJECT

private slots:
    void commands_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<TFill>("fill");
        QTest::addColumn<QString>("before"); // "[" and "]" mark the selection, "|" the caret
        QTest::addColumn<QString>("after");  // "|" marks the caret
        QTest::newRow("table presets")
            << u"acTable"_s << Fill<TfrmTable>([](auto* t, auto&, auto&) {
                   t->edCols->setText(u"3"_s);
                   t->edRows->setText(u"2"_s);
               })
            << u"x|"_s
            << u"x<table cols=\"3\" rows=\"2\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">\n"
               u"|\n\n</table>\n"_s;
        QTest::newRow("table background picked")
            << u"acTable"_s << Fill<TfrmTable>([](auto* t, auto& p, auto& dir) {
                   t->edBorder->clear();
                   t->edCellPadding->clear();
                   t->edCellspacing->clear();
                   t->chkBack->setChecked(true);
                   PickSwatch(t->clbBg, 0x0000FF);
                   t->cbAlign->setCurrentIndex(1);
                   p.QueueOpen(TOpenFileResult{dir + u"/img/back.gif"_s});
                   t->edBack->Button->click();
                   QCOMPARE(t->edBack->Edit->text(), u"back.gif"_s);
                   QVERIFY(t->edBack->Edit->isEnabled());
               })
            << u"|"_s
            << u"<table bgcolor=#ff0000 align=\"center\" background=\"img/back.gif\">\n|\n\n"
               u"</table>\n"_s;
        QTest::newRow("header cell around the selection")
            << u"acTd"_s << Fill<TfrmTd>([](auto* t, auto&, auto&) {
                   t->chkTH->setChecked(true);
                   t->edWidth->setText(u"20"_s);
                   t->chkBg->setChecked(true);
                   t->cbValign->setCurrentIndex(0);
                   t->cbAlign->setCurrentIndex(2);
               })
            << u"a[word]b"_s
            << u"a<th width=\"20\" bgcolor=#ffffff valign=\"top\" align=\"right\">\nword\n</th>|\n"
               u"b"_s;
        QTest::newRow("form post around the selection")
            << u"acForm"_s << Fill<TfrmForm>([](auto* f, auto&, auto&) {
                   f->edAction->setText(u"A"_s);
                   f->cmbMethod->setCurrentIndex(2);
               })
            << u"[S]"_s
            << u"<form action=\"A\" method=\"Post\" enctype=\"application/x-www-form-urlencoded\">"
               u"\nS\n</form>|\n"_s;
        QTest::newRow("font red and bold")
            << u"acFont"_s << Fill<TfrmFont>([](auto* f, auto&, auto&) {
                   f->chkColor->setChecked(true);
                   PickSwatch(f->clbColor, 0x0000FF);
                   f->chkBold->setChecked(true);
               })
            << u"[S]"_s << u"<b><font color=#ff0000>S</font></b>|\n"_s;
        QTest::newRow("font nothing chosen") << u"acFont"_s << Nothing << u"a[S]b"_s << u"a[S]b"_s;
        QTest::newRow("font class of the page")
            << u"acFont"_s << Fill<TfrmFont>([](auto* f, auto&, auto&) {
                   f->cbClass->setCurrentIndex(f->cbClass->findText(u"note"_s));
               })
            << u"|"_s << u"<font class=\"note\">|</font>\n"_s;
        // The markup itself is pinned by the logic's own tests; here the fields reach it.
        QTest::newRow("flash movie picked")
            << u"acShockWaveFlash"_s << Fill<TfrmFlash>([](auto* f, auto& p, auto& dir) {
                   p.QueueOpen(TOpenFileResult{dir + u"/movies/intro.swf"_s});
                   f->edMovieSrc->Button->click();
                   QCOMPARE(f->edMovieSrc->Edit->text(), u"intro.swf"_s);
                   QVERIFY(!f->edMovieSrc->Edit->isEnabled());
                   f->edWidth->setText(u"50%"_s);
                   f->edHeight->setText(u"80"_s);
                   f->cbQuality->setCurrentIndex(0);
               })
            << u"|"_s
            << FlashInsertion(
                   {u"movies/intro.swf"_s, u"50%"_s, u"80"_s, TFlashQuality::High, WhiteColor})
                       .Text +
                   u"|\n"_s;
        QTest::newRow("list of two") << u"acUl"_s << Fill<TfrmList>([](auto* l, auto& p, auto&) {
            p.QueueInput(u"A"_s);
            p.QueueInput(u"  B  "_s);
            l->btnAdd->click();
            l->btnAdd->click();
        }) << u"|"_s << u"<ul><li>A</li>\n<li>B</li>\n</ul>|\n"_s;
        QTest::newRow("list numbered from 3")
            << u"acUl"_s << Fill<TfrmList>([](auto* l, auto& p, auto&) {
                   p.QueueInput(u"A"_s);
                   l->btnAdd->click();
                   l->chkNumbered->setChecked(true);
                   l->seStart->stepBy(2);
               })
            << u"|"_s << u"<ol start=\"3\">\n<li>A</li>\n</ol>|\n"_s;
        // The line break stays behind the caret.
        QTest::newRow("param presets") << u"acParam"_s << Nothing << u"|"_s
                                       << u"<param name=\"param1\" value=\"_emptyparam\" />|\n"_s;
        QTest::newRow("select of two, default 2")
            << u"acSelect"_s << Fill<TfrmSelect>([](auto* s, auto& p, auto&) {
                   QueueOption(p, u"T1"_s, u"V1"_s);
                   s->btnAdd->click();
                   QueueOption(p, u"T2"_s, u"V2"_s);
                   s->btnAdd->click();
                   s->seStart->stepBy(1);
               })
            << u"|"_s
            << u"<select>\n<option value=\"V1\">T1</option>\n<option value=\"V2\" "
               u"selected=\"selected\">T2</option>\n</select>|\n"_s;
    }
    void commands() {
        QFETCH(QString, action);
        QFETCH(TFill, fill);
        QFETCH(QString, before);
        QFETCH(QString, after);
        TWindowFixture f;
        TfrmMain& w = *f.W;
        int selStart = int(before.indexOf(u'['));
        int selLength = 0;
        QString text = before;
        if (selStart >= 0) {
            selLength = int(before.indexOf(u']')) - selStart - 1;
            text.remove(u'[').remove(u']');
        } else {
            selStart = int(before.indexOf(u'|'));
            text.remove(u'|');
        }
        // The page's head gives the class list its entries.
        const QString head = u"<head><style>.note { color: red }</style></head>\n"_s;
        f.ShowText(head + text, 0);
        w.reSource->SetModified(false);
        w.reSource->Select(int(head.size()) + selStart, selLength);
        const QString dir = f.Dir.path();
        bool filled = false;
        f.Platform.QueueDialog([&](QDialog* d) {
            fill(d, f.Platform, dir);
            filled = true;
            Ok(d)->click();
            return d->result();
        });
        w.ActionByName(action)->trigger();
        QVERIFY(filled);
        QVERIFY2(f.Platform.Unanswered.isEmpty(), qPrintable(f.Platform.Unanswered.join(u',')));
        QVERIFY(f.Platform.Messages().isEmpty());
        const QString shown = w.reSource->Text().mid(head.size());
        if (after == before) {
            // Nothing inserted: the page is as it was.
            QCOMPARE(shown, text);
            QVERIFY(!w.reSource->Modified());
            return;
        }
        QCOMPARE(shown, QString(after).remove(u'|'));
        QCOMPARE(w.reSource->SelStart() - int(head.size()), int(after.indexOf(u'|')));
        QCOMPARE(w.reSource->SelLength(), 0);
    }

    // "Отмена" inserts nothing, whatever the fields hold.
    void cancel_data() {
        QTest::addColumn<QString>("action");
        for (const char* a : {"acTable", "acTd", "acUl", "acForm", "acSelect", "acFont",
                              "acShockWaveFlash", "acParam"})
            QTest::newRow(a) << QString::fromLatin1(a);
    }
    void cancel() {
        QFETCH(QString, action);
        TWindowFixture f;
        f.ShowText(u"abc"_s, 1);
        f.W->reSource->SetModified(false);
        QString caption;
        f.Platform.QueueDialog([&caption](QDialog* d) {
            caption = d->windowTitle();
            for (QCheckBox* box : d->findChildren<QCheckBox*>())
                box->setChecked(true);
            d->findChild<QPushButton*>(u"btnCancel"_s)->click();
            return d->result();
        });
        f.W->ActionByName(action)->trigger();
        if (action == u"acParam"_s)
            QCOMPARE(caption, u"Элемент PARAM"_s);
        QCOMPARE(f.W->reSource->Text(), u"abc"_s);
        QVERIFY(!f.W->reSource->Modified());
    }

    // A refused check shows its message and keeps the dialog open with its fields; which
    // message for which fields is the logic's own test.
    void flashCheckKeepsTheDialogOpen() {
        TScriptedPlatform platform;
        TfrmFlash dlg{QString()};
        dlg.edMovieSrc->Edit->setText(u"m.swf"_s);
        dlg.edWidth->setText(u"1"_s);
        dlg.edHeight->setText(u"  "_s);
        dlg.btnOk->click();
        QCOMPARE(platform.Messages(), QStringList{u"Не указана высота окна ролика"_s});
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QVERIFY(!dlg.Result);
        QCOMPARE(dlg.edMovieSrc->Edit->text(), u"m.swf"_s);
        QCOMPARE(dlg.edWidth->text(), u"1"_s);
        dlg.edHeight->setText(u"1"_s);
        dlg.btnOk->click();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QVERIFY(dlg.Result);
    }

    void listButtons() {
        TScriptedPlatform platform;
        TfrmList dlg({});
        const auto buttonsOn = [&] {
            return dlg.btnDelete->isEnabled() && dlg.btnUp->isEnabled() && dlg.btnDown->isEnabled();
        };
        QVERIFY(!dlg.btnDelete->isEnabled() && !dlg.btnUp->isEnabled() &&
                !dlg.btnDown->isEnabled());
        QCOMPARE(dlg.btnAdd->toolTip(), u"Добавить"_s);
        QCOMPARE(dlg.btnDelete->toolTip(), u"Удалить"_s);
        // A cancelled box or a blank answer adds nothing.
        platform.QueueInput(std::nullopt);
        platform.QueueInput(u"   "_s);
        dlg.btnAdd->click();
        dlg.btnAdd->click();
        QCOMPARE(dlg.Items(), QStringList{});
        QVERIFY(!buttonsOn());
        QCOMPARE(platform.Calls.first().Text,
                 u"Добавление элемента списка|Введите текст элемента"_s);
        QCOMPARE(platform.Calls.first().Proposed, u"Элемент списка"_s);
        for (const QString& s : {u"a"_s, u" b"_s, u"c "_s})
            platform.QueueInput(s);
        for (int i = 0; i < 3; ++i)
            dlg.btnAdd->click();
        QCOMPARE(dlg.Items(), (QStringList{u"a"_s, u"b"_s, u"c"_s}));
        QVERIFY(buttonsOn());
        // Moving without a selection does nothing; a moved item is no longer selected.
        dlg.btnDown->click();
        QCOMPARE(dlg.Items(), (QStringList{u"a"_s, u"b"_s, u"c"_s}));
        dlg.lbList->setCurrentRow(0);
        dlg.btnDown->click();
        QCOMPARE(dlg.Items(), (QStringList{u"b"_s, u"a"_s, u"c"_s}));
        QVERIFY(dlg.lbList->selectedItems().isEmpty());
        dlg.lbList->setCurrentRow(2);
        dlg.btnUp->click();
        QCOMPARE(dlg.Items(), (QStringList{u"b"_s, u"c"_s, u"a"_s}));
        // Delete takes the selected item.
        for (const auto& [row, left] : {std::pair{1, u"ba"_s}, {0, u"a"_s}, {0, QString()}}) {
            dlg.lbList->setCurrentRow(row);
            dlg.btnDelete->click();
            QCOMPARE(dlg.Items().join(QString()), left);
        }
        QVERIFY(!buttonsOn());
        QVERIFY(platform.Unanswered.isEmpty());
    }

    void selectButtons() {
        TScriptedPlatform platform;
        TfrmSelect dlg({});
        QVERIFY(!dlg.btnDelete->isEnabled());
        QVERIFY(!dlg.seStart->HasLimits());
        // "ОК" without options keeps the dialog open without a message.
        dlg.btnOk->click();
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QVERIFY(platform.Messages().isEmpty());
        const auto add = [&](const QString& text, const QString& value) {
            QueueOption(platform, text, value);
            dlg.btnAdd->click();
        };
        // A cancelled option dialog adds nothing.
        platform.QueueDialog([](QDialog* c) {
            c->findChild<QPushButton*>(u"btnCancel"_s)->click();
            return c->result();
        });
        dlg.btnAdd->click();
        QVERIFY(dlg.Options().isEmpty());
        add(u"T1"_s, u"V1"_s);
        add(u"T2"_s, u"V2"_s);
        add(u"T3"_s, QString());
        QVERIFY(dlg.btnDelete->isEnabled());
        QCOMPARE(dlg.seStart->minimum(), 1);
        QCOMPARE(dlg.seStart->maximum(), 3);
        dlg.seStart->stepBy(10);
        QCOMPARE(dlg.seStart->value(), 3);
        // Text and value move together; the moved option is no longer selected.
        dlg.lvOptions->setCurrentItem(dlg.lvOptions->topLevelItem(2));
        dlg.btnUp->click();
        QCOMPARE(dlg.Options(), (QList<TSelectOption>{
                                    {u"T1"_s, u"V1"_s}, {u"T3"_s, QString()}, {u"T2"_s, u"V2"_s}}));
        QVERIFY(dlg.lvOptions->selectedItems().isEmpty());
        dlg.btnDown->click(); // nothing selected
        QCOMPARE(dlg.Options().at(1).Text, u"T3"_s);
        dlg.lvOptions->setCurrentItem(dlg.lvOptions->topLevelItem(0));
        dlg.btnDelete->click();
        QCOMPARE(dlg.seStart->maximum(), 2);
        QCOMPARE(dlg.seStart->value(), 2);
        for (int i = 0; i < 2; ++i) {
            dlg.lvOptions->setCurrentItem(dlg.lvOptions->topLevelItem(0));
            dlg.btnDelete->click();
        }
        QVERIFY(dlg.Options().isEmpty());
        QVERIFY(!dlg.btnDelete->isEnabled());
        QVERIFY(!dlg.seStart->HasLimits());
        QVERIFY(platform.Unanswered.isEmpty());
    }

    // What the user types passes the field's filter; Backspace is a typed character too.
    void inputFilters_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("result");
        QTest::newRow("table rows: digits, two")
            << u"table"_s << u"edRows"_s << u"1a23"_s << u"12"_s;
        QTest::newRow("table width: size") << u"table"_s << u"edWidth"_s << u"5x0%7"_s << u"50%7"_s;
        QTest::newRow("table hspace: four digits")
            << u"table"_s << u"edHspace"_s << u"12345"_s << u"1234"_s;
        QTest::newRow("table name") << u"table"_s << u"edName"_s << u"t-1 _Я"_s << u"t1_Я"_s;
        QTest::newRow("table caption: anything")
            << u"table"_s << u"edCaption"_s << u"a-b cd"_s << u"a-b cd"_s;
        QTest::newRow("cell width: number") << u"td"_s << u"edWidth"_s << u"50%"_s << u"50"_s;
        QTest::newRow("cell colspan") << u"td"_s << u"edColSpan"_s << u"2x34"_s << u"23"_s;
        QTest::newRow("form target: name")
            << u"form"_s << u"edTarget"_s << u"_top.x"_s << u"_topx"_s;
        QTest::newRow("form encoding: mime type")
            << u"form"_s << u"edEnctype"_s << u"text/plain; a-b.c"_s << u"text/plaina-b.c"_s;
        QTest::newRow("form encoding: twenty typed")
            << u"form"_s << u"edEnctype"_s << u"abcdefghijklmnopqrstuvwxyz"_s
            << u"abcdefghijklmnopqrst"_s;
        QTest::newRow("list name") << u"list"_s << u"edName"_s << u"a b"_s << u"ab"_s;
        QTest::newRow("select name") << u"select"_s << u"edName"_s << u"s.1"_s << u"s1"_s;
        QTest::newRow("flash width: size")
            << u"flash"_s << u"edWidth"_s << u"100%px"_s << u"100%"_s;
        QTest::newRow("flash height: size") << u"flash"_s << u"edHeight"_s << u"-2"_s << u"2"_s;
    }
    void inputFilters() {
        QFETCH(QString, dialog);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, result);
        const std::unique_ptr<QDialog> d = MakeDialog(dialog);
        auto* edit = d->findChild<QLineEdit*>(field);
        QVERIFY(edit);
        d->show();
        edit->clear();
        TypeText(edit, typed);
        QCOMPARE(edit->text(), result);
        // Backspace goes through the filter as well: only an unfiltered field loses a character.
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), field == u"edCaption"_s ? result.chopped(1) : result);
    }

    // The encoding preset is longer than may be typed: it stays whole, typing cannot lengthen
    // it, and Delete still shortens it.
    void encodingPreset() {
        TfrmForm dlg({}, {});
        dlg.show();
        const QString preset = u"application/x-www-form-urlencoded"_s;
        QCOMPARE(dlg.edEnctype->text(), preset);
        dlg.edEnctype->setFocus();
        dlg.edEnctype->end(false);
        TypeText(dlg.edEnctype, u"x"_s);
        QCOMPARE(dlg.edEnctype->text(), preset);
        dlg.edEnctype->home(false);
        QTest::keyClick(dlg.edEnctype, Qt::Key_Delete);
        QCOMPARE(dlg.edEnctype->text(), preset.mid(1));
    }
};

QTEST_MAIN(TestBlockDialogs)
#include "tst_blockdialogs.moc"
