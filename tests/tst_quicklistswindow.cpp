// The quick-insert lists in the main window; the caret rule of each kind is in tst_quicklists.
#include "html/HTMLParser.h"
#include "markup/ctrl.h"
#include "markup/quicklists.h"
#include "support/windowfixture.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionComboBox>
#include <QTabWidget>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString Text = u"<html>\n<body>\nПривет, мир\n</body>\n</html>\n"_s;
const int At = int(Text.indexOf(u"Привет"_s));

QString TextWith(const QString& insertedAt) {
    return QString(Text).insert(At, insertedAt);
}
QString TextReplaced(const QString& by) {
    return QString(Text).replace(At, 6, by);
} // "Привет"

void Choose(QComboBox* list, int index) {
    list->setCurrentIndex(index);
    emit list->activated(index);
}

// Answers the name/value dialog, or presses "Отмена" when name is null.
std::function<int(QDialog*)> CtrlAnswer(const std::optional<QString>& name,
                                        const QString& value = {}) {
    return [name, value](QDialog* d) {
        auto* dlg = static_cast<TfrmCtrl*>(d);
        if (name) {
            dlg->edName->setText(*name);
            dlg->edValue->setText(value);
        }
        (name ? dlg->btnOk : dlg->btnCancel)->click();
        return dlg->result();
    };
}

} // namespace

class TestQuickListsWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<TWindowFixture> F;

    // Opens the page and puts the caret before "Привет".
    TfrmMain& Open(bool readOnly = false) {
        F = std::make_unique<TWindowFixture>();
        const QString path = F->Page(u"page.html"_s, Text);
        if (readOnly)
            QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadUser);
        F->Open(path);
        F->W->reSource->Select(At, 0);
        return *F->W;
    }

    // The editor's text with "|" at the caret.
    QString WithCaret() const {
        return F->W->reSource->Text().insert(F->W->reSource->textCursor().position(), u'|');
    }

private slots:
    void cleanup() {
        if (F)
            QVERIFY2(F->Platform.Unanswered.isEmpty(),
                     qPrintable(F->Platform.Unanswered.join(u", "_s)));
        F.reset();
    }

    void entryAtCaret() {
        TfrmMain& w = Open();
        Choose(w.QuickLists->cbSpecChars, 6); // Градус
        QCOMPARE(WithCaret(), TextWith(u"&deg;|"_s));
        QCOMPARE(w.QuickLists->cbSpecChars->currentIndex(), 0);
        QCOMPARE(w.ModifiedFlags().value(0), u"1"_s);

        Choose(w.QuickLists->cbActiveSP, 7); // Response.Write(..)
        QCOMPARE(WithCaret(), TextWith(u"&deg;Response.Write(|)"_s));
        // One undo takes back exactly the last choice.
        w.reSource->undo();
        QCOMPARE(w.reSource->Text(), TextWith(u"&deg;"_s));
        // A selection is replaced.
        w.reSource->Select(At + 5, 6);
        Choose(w.QuickLists->cbColdFusion, 1);
        QCOMPARE(WithCaret(),
                 TextReplaced(u"&deg;<cfquery name=\"\" datasource=\"\">|</cfquery>"_s));
    }

    void headingNeedsSelection() {
        TfrmMain& w = Open();
        QVERIFY(!w.QuickLists->cbHeaderStyle->isEnabled());
        // Nothing selected: nothing changes and the list keeps the entry.
        Choose(w.QuickLists->cbHeaderStyle, 3);
        QCOMPARE(w.reSource->Text(), Text);
        QCOMPARE(w.QuickLists->cbHeaderStyle->currentIndex(), 3);

        w.reSource->Select(At, 6);
        Choose(w.QuickLists->cbHeaderStyle, 3);
        QCOMPARE(WithCaret(), TextReplaced(u"<h3>Привет</h3>|"_s));
        QCOMPARE(w.QuickLists->cbHeaderStyle->currentIndex(), 0);
        QVERIFY(!w.QuickLists->cbHeaderStyle->isEnabled());
    }

    // What the form entries (but the image button) ask and insert.
    void formElement_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<std::optional<QString>>("answer"); // null: cancelled
        QTest::addColumn<QString>("asked");                 // box or dialog, and its preset
        QTest::addColumn<QString>("inserted");
        const QString searchBox =
            u"Строка критерия поиска|Введите поясняющий текст / Искать текст:"_s;
        QTest::newRow("search field") << 1 << std::optional<QString>(u"Найти:"_s) << searchBox
                                      << u"<isindex prompt=\"Найти:\" size=\"|\" />\n"_s;
        QTest::newRow("search field, cancelled gives the preset")
            << 1 << std::optional<QString>() << searchBox
            << u"<isindex prompt=\"Искать текст:\" size=\"|\" />\n"_s;
        QTest::newRow("text area")
            << 2 << std::optional<QString>() << QString() << u"<textarea>\n|\n\n</textarea>\n"_s;
        QTest::newRow("text field with the presets")
            << 3 << std::optional<QString>(u"text1"_s) << u"TfrmCtrl / Элемент TEXT"_s
            << u"<input type=\"text\" name=\"text1\" value=\"_emptyparam\" />|\n"_s;
        QTest::newRow("submit, cancelled")
            << 7 << std::optional<QString>() << u"TfrmCtrl / Элемент SUBMIT"_s << u"|"_s;
    }

    void formElement() {
        QFETCH(int, index);
        QFETCH(std::optional<QString>, answer);
        QFETCH(QString, asked);
        QFETCH(QString, inserted);
        TfrmMain& w = Open();
        if (index == 1)
            F->Platform.QueueInput(answer);
        else if (index > 2)
            F->Platform.QueueDialog(CtrlAnswer(answer, u"_emptyparam"_s));
        Choose(w.QuickLists->cbFormElement, index);
        QCOMPARE(WithCaret(), TextWith(inserted));
        const QList<TPlatformCall>& calls = F->Platform.Calls;
        QVERIFY(calls.size() <= 1);
        QCOMPARE(calls.isEmpty() ? QString() : calls[0].Text + u" / "_s + calls[0].Proposed, asked);
        QCOMPARE(w.QuickLists->cbFormElement->currentIndex(), 0);
        QCOMPARE(w.ModifiedFlags().value(0), inserted == u"|"_s ? u"0"_s : u"1"_s);
    }

    // A title typed since the last scan is what the dialog's caller sees.
    void headScannedBeforeDialog() {
        TfrmMain& w = Open();
        THTMLParser* parser = w.HpParser;
        w.reSource->Select(0, 0);
        w.reSource->ReplaceSelection(u"<head><title>Анкета</title></head>\n"_s);
        QString seen;
        F->Platform.QueueDialog([&seen, parser](QDialog* d) {
            seen = parser->PageTitle();
            return CtrlAnswer(std::nullopt)(d);
        });
        Choose(w.QuickLists->cbFormElement, 3);
        QCOMPARE(seen, u"Анкета"_s);
    }

    void imageButton_data() {
        QTest::addColumn<std::optional<QString>>("picture");
        QTest::addColumn<QString>("src");
        QTest::newRow("picture chosen")
            << std::optional<QString>(u"/pics/Фото/knopka.gif"_s) << u"knopka.gif"_s;
        QTest::newRow("picture dialog cancelled") << std::optional<QString>() << QString();
    }

    void imageButton() {
        QFETCH(std::optional<QString>, picture);
        QFETCH(QString, src);
        TfrmMain& w = Open();
        w.PicsDialogDir = F->Dir.path();
        F->Platform.QueueDialog(CtrlAnswer(u"go"_s, u"Вперёд"_s));
        F->Platform.QueueOpen(picture ? std::optional(TOpenFileResult{*picture, false})
                                      : std::nullopt);
        Choose(w.QuickLists->cbFormElement, 10);
        // The picture goes before "/>"; the caret at the start of the next line.
        QCOMPARE(WithCaret(),
                 TextWith(u"<input type=\"image\" name=\"go\" value=\"Вперёд\"  src=\""_s + src +
                          u"\"/>\n|"_s));
        QCOMPARE(F->Platform.OpenRequests.size(), 1);
        QCOMPARE(F->Platform.OpenRequests[0].InitialDir, F->Dir.path());
        QVERIFY(F->Platform.OpenRequests[0].OfferReadOnly);
    }

    // Each list is as wide as QComboBox makes a list of fourteen characters and an icon, none
    // has made its popup before it is first opened, and each shows its caption entry whole
    // ("Переменные окружен" was not).
    void listSizes() {
        TfrmMain& w = Open();
        w.resize(1200, 800);
        const auto* q = w.QuickLists;
        for (QComboBox* combo : {q->cbHeaderStyle, q->cbFormElement, q->cbScriptType,
                                 q->cbColdFusion, q->cbActiveSP, q->cbServerVars, q->cbSpecChars}) {
            QVERIFY2(!combo->findChild<QAbstractItemView*>(), qPrintable(combo->objectName()));
            QComboBox qt(combo->parentWidget());
            qt.addItems({combo->itemText(0)});
            qt.setMinimumContentsLength(14);
            qt.setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
            QCOMPARE(combo->sizeHint(), qt.sizeHint());
            QCOMPARE(combo->minimumSizeHint(), qt.minimumSizeHint());
            for (int i = 0; i < w.pcTagMenu->count(); ++i)
                if (w.pcTagMenu->widget(i)->isAncestorOf(combo))
                    w.pcTagMenu->setCurrentIndex(i);
            QTRY_VERIFY(combo->isVisible());
            QStyleOptionComboBox opt;
            opt.initFrom(combo);
            opt.currentText = combo->itemText(0);
            const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &opt,
                                                               QStyle::SC_ComboBoxEditField, combo);
            const int needed = combo->fontMetrics().horizontalAdvance(combo->itemText(0));
            QVERIFY2(field.width() >= needed,
                     qPrintable(
                         u"%1: %2 < %3"_s.arg(combo->objectName()).arg(field.width()).arg(needed)));
        }
        QVERIFY(q->cbSpecChars->view()->model()->rowCount() > 1);
    }

    // Nothing changes; the image button asks for name and value but not for a picture.
    void readOnlyPage() {
        TfrmMain& w = Open(true);
        QVERIFY(w.reSource->isReadOnly());
        Choose(w.QuickLists->cbSpecChars, 1);
        Choose(w.QuickLists->cbColdFusion, 2);
        F->Platform.QueueDialog(CtrlAnswer(u"b"_s));
        Choose(w.QuickLists->cbFormElement, 10);
        QCOMPARE(w.reSource->Text(), Text);
        QCOMPARE(w.QuickLists->cbSpecChars->currentIndex(), 0);
        QCOMPARE(F->Platform.Calls.size(), 1);
        QCOMPARE(w.ModifiedFlags().value(0), u"0"_s);
    }
};

QTEST_MAIN(TestQuickListsWindow)
#include "tst_quicklistswindow.moc"
