// The quick-insert lists in the main window: a choice edits the open page with the caret where
// it belongs, the list returns to its caption, and the form elements drive their dialogs.
#include "app/RichEditEx.h"
#include "app/main2.h"
#include "html/HTMLParser.h"
#include "markup/ctrl.h"
#include "support/scriptedplatform.h"
#include "support/testutil.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString Page = u"<html>\n<body>\nПривет, мир\n</body>\n</html>\n"_s;

// The editor's text with "|" at the caret (the selection collapsed to its start otherwise).
QString WithCaret(const TfrmMain& w) {
    QString text = w.reSource->Text();
    text.insert(w.reSource->textCursor().position(), u'|');
    return text;
}

QString PageWith(const QString& insertedAtBody) {
    QString page = Page;
    page.insert(page.indexOf(u"Привет"_s), insertedAtBody);
    return page;
}

void Choose(QComboBox* list, int index) {
    list->setCurrentIndex(index);
    emit list->activated(index);
}

// Answers the name/value dialog with a name and value (or presses "Отмена" when name is null).
std::function<int(QDialog*)> CtrlAnswer(const std::optional<QString>& name,
                                        const QString& value = {}) {
    return [name, value](QDialog* d) {
        auto* dlg = qobject_cast<TfrmCtrl*>(d);
        if (!dlg)
            return int(QDialog::Rejected);
        if (!name) {
            dlg->btnCancel->click();
        } else {
            dlg->edName->setText(*name);
            dlg->edValue->setText(value);
            dlg->btnOk->click();
        }
        return dlg->result();
    };
}

} // namespace

class TestQuickListsWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void entryAtCaret();
    void replacesSelection();
    void headingNeedsSelection();
    void selectionEnablesCutCopyHeading();
    void inputElement_data();
    void inputElement();
    void headScannedBeforeDialog();
    void imageButton_data();
    void imageButton();
    void searchField_data();
    void searchField();
    void textArea();
    void readOnlyPage();

private:
    std::unique_ptr<testutil::TIsolatedHome> FHome;
    std::unique_ptr<QTemporaryDir> FDir;
    std::unique_ptr<TScriptedPlatform> FPlatform;
    std::unique_ptr<TfrmMain> FWindow;
    QString FFile;
    // Opens the page (written as Windows-1251 with CR LF) and puts the caret before "Привет".
    TfrmMain& Open(bool readOnly = false);
};

void TestQuickListsWindow::init() {
    FHome = std::make_unique<testutil::TIsolatedHome>();
    FDir = std::make_unique<QTemporaryDir>();
    FPlatform = std::make_unique<TScriptedPlatform>();
    FFile = FDir->filePath(u"page.html"_s);
    QString crlf = Page;
    crlf.replace(u"\n"_s, u"\r\n"_s);
    testutil::WriteBytes(FFile, testutil::Cp1251(crlf));
}

void TestQuickListsWindow::cleanup() {
    FWindow.reset();
    QVERIFY2(FPlatform->Unanswered.isEmpty(), qPrintable(FPlatform->Unanswered.join(u", "_s)));
    FPlatform.reset();
    FDir.reset();
    FHome.reset();
}

TfrmMain& TestQuickListsWindow::Open(bool readOnly) {
    if (readOnly)
        QFile::setPermissions(FFile, QFileDevice::ReadOwner | QFileDevice::ReadUser);
    FWindow = std::make_unique<TfrmMain>();
    TfrmMain& w = *FWindow;
    w.PendingPath = FFile;
    w.OpenDocument(osGivenPath);
    if (w.reSource->Text() != Page)
        qWarning("the page did not open as written");
    w.reSource->Select(int(Page.indexOf(u"Привет"_s)), 0);
    return w;
}

void TestQuickListsWindow::entryAtCaret() {
    TfrmMain& w = Open();
    QCOMPARE(w.reSource->Text(), Page);
    Choose(w.cbSpecChars, 6); // Градус
    QCOMPARE(WithCaret(w), PageWith(u"&deg;|"_s));
    QCOMPARE(w.cbSpecChars->currentIndex(), 0);
    QCOMPARE(w.ModifiedFlags.value(0), u"1"_s);
    QVERIFY(w.acSaveAll->isEnabled());

    Choose(w.cbActiveSP, 7); // Response.Write(..)
    QCOMPARE(WithCaret(w), PageWith(u"&deg;Response.Write(|)"_s));
    QCOMPARE(w.cbActiveSP->currentIndex(), 0);

    // One undo takes back exactly the last choice.
    w.reSource->undo();
    QCOMPARE(w.reSource->Text(), PageWith(u"&deg;"_s));

    // The caption entry does nothing.
    const QString before = w.reSource->Text();
    Choose(w.cbServerVars, 0);
    QCOMPARE(w.reSource->Text(), before);
}

void TestQuickListsWindow::replacesSelection() {
    TfrmMain& w = Open();
    const int at = int(Page.indexOf(u"Привет"_s));
    w.reSource->Select(at, 6);
    Choose(w.cbColdFusion, 1);
    QString expected = Page;
    expected.replace(at, 6, u"<cfquery name=\"\" datasource=\"\">|</cfquery>"_s);
    QCOMPARE(WithCaret(w), expected);

    w.reSource->selectAll();
    Choose(w.cbScriptType, 3);
    QCOMPARE(WithCaret(w), u"<script language=\"JavaScript1.2\" type=\"text/javascript1.2\">\n"
                           u"<![CDATA[\n|\n\n]]>\n</script>\n"_s);
    QCOMPARE(w.cbScriptType->currentIndex(), 0);
}

void TestQuickListsWindow::headingNeedsSelection() {
    TfrmMain& w = Open();
    // Nothing selected: the page stays as it is and the list keeps showing the entry.
    Choose(w.cbHeaderStyle, 3);
    QCOMPARE(w.reSource->Text(), Page);
    QCOMPARE(w.cbHeaderStyle->currentIndex(), 3);

    const int at = int(Page.indexOf(u"Привет"_s));
    w.reSource->Select(at, 6);
    // The same entry chosen again now acts.
    Choose(w.cbHeaderStyle, 3);
    QString expected = Page;
    expected.replace(at, 6, u"<h3>Привет</h3>|"_s);
    QCOMPARE(WithCaret(w), expected);
    QCOMPARE(w.cbHeaderStyle->currentIndex(), 0);
}

void TestQuickListsWindow::selectionEnablesCutCopyHeading() {
    TfrmMain& w = Open();
    QVERIFY(!w.acCut->isEnabled());
    QVERIFY(!w.acCopy->isEnabled());
    QVERIFY(!w.cbHeaderStyle->isEnabled());
    w.reSource->Select(3, 1);
    QVERIFY(w.acCut->isEnabled());
    QVERIFY(w.acCopy->isEnabled());
    QVERIFY(w.cbHeaderStyle->isEnabled());
    w.reSource->Select(3, 0);
    QVERIFY(!w.acCut->isEnabled());
    QVERIFY(!w.acCopy->isEnabled());
    QVERIFY(!w.cbHeaderStyle->isEnabled());
}

void TestQuickListsWindow::inputElement_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<std::optional<QString>>("name");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("inserted");
    QTest::addColumn<QString>("caption");
    QTest::newRow("text, presets") << 3 << std::optional<QString>(u"text1"_s) << u"_emptyparam"_s
                                   << u"<input type=\"text\" name=\"text1\" value=\"_emptyparam\" "
                                      u"/>|\n"_s
                                   << u"Элемент TEXT"_s;
    QTest::newRow("password, trimmed name")
        << 4 << std::optional<QString>(u"  pw  "_s) << u" x "_s
        << u"<input type=\"password\" name=\"pw\" value=\" x \" />|\n"_s << u"Элемент PASSWORD"_s;
    QTest::newRow("hidden, empty value")
        << 12 << std::optional<QString>(u"id"_s) << QString()
        << u"<input type=\"hidden\" name=\"id\" value=\"\" />|\n"_s << u"Элемент HIDDEN"_s;
    QTest::newRow("submit, cancelled")
        << 7 << std::optional<QString>() << QString() << u"|"_s << u"Элемент SUBMIT"_s;
}

void TestQuickListsWindow::inputElement() {
    QFETCH(int, index);
    QFETCH(std::optional<QString>, name);
    QFETCH(QString, value);
    QFETCH(QString, inserted);
    QFETCH(QString, caption);
    TfrmMain& w = Open();
    FPlatform->QueueDialog(CtrlAnswer(name, value));
    Choose(w.cbFormElement, index);
    QCOMPARE(WithCaret(w), PageWith(inserted));
    QCOMPARE(FPlatform->Calls.size(), 1);
    QCOMPARE(FPlatform->Calls[0].Text, u"TfrmCtrl"_s);
    QCOMPARE(FPlatform->Calls[0].Proposed, caption);
    QCOMPARE(w.cbFormElement->currentIndex(), 0);
    QCOMPARE(w.ModifiedFlags.value(0), name ? u"1"_s : u"0"_s);
}

void TestQuickListsWindow::headScannedBeforeDialog() {
    TfrmMain& w = Open();
    auto* parser = w.findChild<THTMLParser*>();
    if (!parser)
        QSKIP("the window has no page scanner");
    // A title typed since the last scan is what the dialog's caller sees.
    w.reSource->Select(0, 0);
    w.reSource->ReplaceSelection(u"<head><title>Анкета</title></head>\n"_s);
    QString seen;
    FPlatform->QueueDialog([&seen, parser](QDialog* d) {
        seen = parser->PageTitle();
        static_cast<TfrmCtrl*>(d)->btnCancel->click();
        return d->result();
    });
    Choose(w.cbFormElement, 3);
    QCOMPARE(seen, u"Анкета"_s);
}

void TestQuickListsWindow::imageButton_data() {
    QTest::addColumn<std::optional<QString>>("picture");
    QTest::addColumn<QString>("src");
    QTest::newRow("picture chosen")
        << std::optional<QString>(u"/pics/Фото/knopka.gif"_s) << u"knopka.gif"_s;
    QTest::newRow("picture dialog cancelled") << std::optional<QString>() << QString();
}

void TestQuickListsWindow::imageButton() {
    QFETCH(std::optional<QString>, picture);
    QFETCH(QString, src);
    TfrmMain& w = Open();
    w.PicsDialogDir = FDir->path();
    FPlatform->QueueDialog(CtrlAnswer(u"go"_s, u"Вперёд"_s));
    if (picture)
        FPlatform->QueueOpen(TOpenFileResult{*picture, false});
    else
        FPlatform->QueueOpen(std::nullopt);
    Choose(w.cbFormElement, 10);
    // The picture sits before the closing "/>"; the caret waits at the start of the next line.
    QCOMPARE(WithCaret(w),
             PageWith(u"<input type=\"image\" name=\"go\" value=\"Вперёд\"  src=\""_s + src +
                      u"\"/>\n|"_s));
    QCOMPARE(FPlatform->OpenRequests.size(), 1);
    QCOMPARE(FPlatform->OpenRequests[0].InitialDir, FDir->path());
    QVERIFY(FPlatform->OpenRequests[0].OfferReadOnly);
    QCOMPARE(w.cbFormElement->currentIndex(), 0);
}

void TestQuickListsWindow::searchField_data() {
    QTest::addColumn<std::optional<QString>>("answer");
    QTest::addColumn<QString>("prompt");
    QTest::newRow("answered") << std::optional<QString>(u"Найти:"_s) << u"Найти:"_s;
    QTest::newRow("cancelled gives the preset") << std::optional<QString>() << u"Искать текст:"_s;
}

void TestQuickListsWindow::searchField() {
    QFETCH(std::optional<QString>, answer);
    QFETCH(QString, prompt);
    TfrmMain& w = Open();
    FPlatform->QueueInput(answer);
    Choose(w.cbFormElement, 1);
    QCOMPARE(FPlatform->Calls.size(), 1);
    QCOMPARE(FPlatform->Calls[0].Text, u"Строка критерия поиска|Введите поясняющий текст"_s);
    QCOMPARE(FPlatform->Calls[0].Proposed, u"Искать текст:"_s);
    QCOMPARE(WithCaret(w), PageWith(u"<isindex prompt=\""_s + prompt + u"\" size=\"|\" />\n"_s));
}

void TestQuickListsWindow::textArea() {
    TfrmMain& w = Open();
    Choose(w.cbFormElement, 2);
    QCOMPARE(WithCaret(w), PageWith(u"<textarea>\n|\n\n</textarea>\n"_s));
    QVERIFY(FPlatform->Calls.isEmpty());
}

void TestQuickListsWindow::readOnlyPage() {
    TfrmMain& w = Open(true);
    QVERIFY(w.reSource->isReadOnly());
    Choose(w.cbSpecChars, 1);
    Choose(w.cbColdFusion, 2);
    QCOMPARE(w.reSource->Text(), Page);
    QCOMPARE(w.cbSpecChars->currentIndex(), 0);
    // The image button still asks for name and value, but inserts nothing and asks for no
    // picture.
    FPlatform->QueueDialog(CtrlAnswer(u"b"_s));
    Choose(w.cbFormElement, 10);
    QCOMPARE(w.reSource->Text(), Page);
    QCOMPARE(FPlatform->Calls.size(), 1);
    QCOMPARE(FPlatform->Calls[0].Kind, u"dialog"_s);
    QCOMPARE(w.ModifiedFlags.value(0), u"0"_s);
}

QTEST_MAIN(TestQuickListsWindow)
#include "tst_quicklistswindow.moc"
