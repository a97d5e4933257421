// The wizard, the style block and the class editor through a real main window: "Новый" writes
// the page and opens it in a new tab, the overwrite and empty-name questions, the templates kept
// at close, the four style block placements, and the class rule in the page's block or in the
// first linked style sheet.
#include "app/apphome.h"
#include "app/documentset.h"
#include "html/navigator.h"
#include "markup/cssclass.h"
#include "markup/dialogparts.h"
#include "markup/pagedesign.h"
#include "markup/wizard.h"
#include "support/windowfixture.h"
#include "widgets/colorbutton.h"
#include "widgets/spinedit.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;

using TClassEdit = std::function<void(TfrmClass*)>;
Q_DECLARE_METATYPE(TClassEdit)

namespace {
const QByteArray Head = "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//RU\">\r\n<html>\r\n<head>\r\n";
const QByteArray Meta =
    "<meta http-equiv=\"content-type\" content=\"text/html; charset=windows-1251\" />\r\n"
    "<meta http-equiv=\"generator\" content=\"Quorvane\" />\r\n</head>\r\n";
const QByteArray Tail = "\r\n\r\n\r\n</body>\r\n</html>\r\n";

// Walks the wizard to its last step (where "OK" writes the page).
void ToLastStep(TfrmWizard* w) {
    while (w->Step() < 3)
        w->btnOk->click();
}
} // namespace

class TestWizard : public QObject {
    Q_OBJECT

    std::unique_ptr<TWindowFixture> F;
    TfrmMain* W = nullptr;

    // Queues a dialog of type D with a body that fills it and presses its buttons.
    template <class D> void Queue(const std::function<void(D*)>& body) {
        F->Platform.QueueDialog([body](QDialog* d) {
            auto* dialog = qobject_cast<D*>(d);
            if (!dialog)
                qFatal("unexpected dialog %s", d->metaObject()->className());
            body(dialog);
            return dialog->result();
        });
    }
    void QueueWizard(const std::function<void(TfrmWizard*)>& body) { Queue<TfrmWizard>(body); }
    void QueueClass(const std::function<void(TfrmClass*)>& body) { Queue<TfrmClass>(body); }

    QString Root() const { return F->Dir.path(); }

private slots:
    void init() {
        F = std::make_unique<TWindowFixture>();
        W = F->W.get();
        W->SaveDialogDir = Root();
    }
    void cleanup() {
        const QStringList unanswered = F->Platform.Unanswered;
        F.reset();
        QVERIFY2(unanswered.isEmpty(), qPrintable(unanswered.join(u", "_s)));
    }

    // Road 1 starts here: the new page is written and opened in a new tab.
    void newPageOpensInNewTab() {
        QueueWizard([this](TfrmWizard* w) {
            QCOMPARE(w->windowTitle(), u"Новый документ"_s);
            QVERIFY(!w->btnBack->isEnabled());
            QCOMPARE(w->btnOk->text(), u"Вперед >>"_s);
            w->edTitle->setText(u"Начало"_s);
            ToLastStep(w);
            QCOMPARE(w->btnOk->text(), u"OK"_s);
            QCOMPARE(w->edRootDir->text(), Root());
            QVERIFY(w->chkStandAlone->isChecked() && !w->chkStandAlone->isEnabled());
            w->btnOk->click();
        });
        W->acDefaultPage->trigger();
        const QString path = Root() + u"/index.html"_s;
        QCOMPARE(testutil::ReadBytes(path),
                 Head + "<title>\xcd\xe0\xf7\xe0\xeb\xee</title>\r\n" + Meta + "<body>\r\n" + Tail);
        QCOMPARE(W->DocumentCount(), 1);
        QCOMPARE(W->Documents->CurrentPath(), path);
        QCOMPARE(W->TabCaption(0), u"Начало"_s); // scanned like any opened page
        QVERIFY(W->PendingPath.isEmpty());
        QVERIFY(F->Platform.Messages().isEmpty());
        // The built-in schemes went to the template file on this first close.
        QVERIFY(testutil::ReadBytes(TemplatesFilePath())
                    .startsWith("Default\x1b#ffffff\x1b#000000\x1b#0000ff\x1b#ff0000\x1b#800080"
                                "\x1b\r\nElegant\x1b"));
    }

    // A blank name and a folder that is not there keep the wizard open; cancel writes no page.
    void refusedNamesThenCancel() {
        QueueWizard([this](TfrmWizard* w) {
            ToLastStep(w);
            w->edFilename->setText(u"   "_s);
            w->btnOk->click();
            QCOMPARE(w->result(), int(QDialog::Rejected));
            QCOMPARE(w->edFilename->text(), QString());
            QCOMPARE(F->Platform.Messages(), QStringList{u"Не указано имя создаваемого файла"_s});
            w->edFilename->setText(u"missing/page.html"_s);
            w->btnOk->click();
            QCOMPARE(w->result(), int(QDialog::Rejected));
            QCOMPARE(F->Platform.Messages().size(), 2);
            QCOMPARE(F->Platform.Calls.constLast().MsgKind, TMsgKind::Error);
            w->btnCancel->click();
        });
        W->acDefaultPage->trigger();
        QCOMPARE(W->DocumentCount(), 0);
        QVERIFY(!QFileInfo::exists(Root() + u"/index.html"_s));
        // The templates are kept on cancel too.
        QVERIFY(QFileInfo::exists(TemplatesFilePath()));
    }

    void overwriteQuestion() {
        const QString path = F->Page(u"index.html"_s, u"old\n"_s);
        QueueWizard([this, path](TfrmWizard* w) {
            ToLastStep(w);
            F->Platform.QueueAnswer(TAnswer::No);
            w->btnOk->click();
            QCOMPARE(w->result(), int(QDialog::Rejected));
            QCOMPARE(testutil::ReadBytes(path), QByteArray("old\r\n"));
            F->Platform.QueueAnswer(TAnswer::Yes);
            w->btnOk->click();
        });
        W->acDefaultPage->trigger();
        QCOMPARE(F->Platform.Messages(),
                 QStringList(2, u"Файл с таким именем уже существует.\nХотите заменить его?"_s));
        QCOMPARE(F->Platform.Calls.at(1).Buttons, TButtons::YesNo);
        QVERIFY(testutil::ReadBytes(path).startsWith(Head));
        QCOMPARE(W->Documents->CurrentPath(), path);
    }

    // Picked files are written relative to the new page; typed text alone is not used; the
    // ticked template gives the body its colours; a name without extension takes the type.
    void backgroundAndSound() {
        F->Page(u"back.gif"_s, u"x"_s);
        F->Page(u"snd/tune.mid"_s, u"x"_s);
        QueueWizard([this](TfrmWizard* w) {
            QCOMPARE(w->cbTemplate->currentText(), u"Default"_s);
            w->chkUseTemplate->setChecked(true);
            F->Platform.QueueOpen(TOpenFileResult{Root() + u"/back.gif"_s});
            w->btnBackground->click();
            w->chkFixed->setChecked(true);
            F->Platform.QueueOpen(TOpenFileResult{Root() + u"/snd/tune.mid"_s});
            w->btnBgsound->click();
            w->cmbLoop->setCurrentText(u"3"_s);
            w->chkUseStylesheet->setChecked(true);
            w->edStylesheet->setText(u"typed.css"_s);
            ToLastStep(w);
            w->edFilename->setText(u" about "_s);
            w->cbType->setCurrentText(u"XHTML"_s);
            w->btnOk->click();
        });
        W->acDefaultPage->trigger();
        const QString path = Root() + u"/about.XHTML"_s;
        QCOMPARE(W->Documents->CurrentPath(), path);
        const QByteArray bytes = testutil::ReadBytes(path);
        QVERIFY(bytes.startsWith("<?xml version=\"1.0\" encoding=\"windows-1251\" ?>\r\n"));
        QVERIFY2(bytes.contains("<body bgcolor=\"#ffffff\" text=\"#000000\" link=\"#0000ff\" "
                                "vlink=\"#800080\" alink=\"#ff0000\" background=\"back.gif\" "
                                "bgproperties=\"fixed\">\r\n"
                                "<bgsound src=\"snd/tune.mid\" loop=\"3\" />\r\n"),
                 bytes.constData());
        QVERIFY(!bytes.contains("stylesheet"));
        QCOMPARE(F->Platform.OpenRequests.at(1).Title, u"Фоновый звуковой файл"_s);
    }

    // A colour picked on the preview becomes a new template, kept in the file.
    void addTemplateFromPreview() {
        QueueWizard([this](TfrmWizard* w) {
            QVERIFY(!w->btnAddTemplate->isEnabled() && !w->btnChangeTemplate->isEnabled());
            F->Platform.QueueColor(QColor(0, 0, 128));
            w->EditColor(w->pnlColorScheme);
            QCOMPARE(w->pnlColorScheme->palette().color(QPalette::Window), QColor(0, 0, 128));
            QVERIFY(w->btnAddTemplate->isEnabled() && w->btnChangeTemplate->isEnabled());
            F->Platform.QueueInput(u"  Blue  "_s);
            w->btnAddTemplate->click();
            QCOMPARE(w->cbTemplate->currentText(), u"Blue"_s);
            QVERIFY(!w->btnAddTemplate->isEnabled());
            w->btnCancel->click();
        });
        W->acDefaultPage->trigger();
        QVERIFY(testutil::ReadBytes(TemplatesFilePath())
                    .contains("\r\nBlue\x1b#000080\x1b#000000\x1b#0000ff\x1b#ff0000\x1b#800080"
                              "\x1b\r\n"));
    }

    // The last template cannot be deleted: the list always has a scheme to apply.
    void lastTemplateStays() {
        testutil::WriteBytes(TemplatesFilePath(),
                             "Night\x1b#000000\x1b#ffffff\x1b#00ffff\x1b#ff0000\x1b#ff00ff\x1b\r\n"
                             "Day\x1b#ffffff\x1b#000000\x1b#0000ff\x1b#ff0000\x1b#800080\x1b\r\n");
        QueueWizard([](TfrmWizard* w) {
            QCOMPARE(w->Templates->Names(), (QStringList{u"Night"_s, u"Day"_s}));
            QVERIFY(w->btnDeleteTemplate->isEnabled());
            w->cbTemplate->setCurrentText(u"Night"_s);
            QCOMPARE(w->lblText->palette().color(QPalette::WindowText), QColor(Qt::white));
            w->btnDeleteTemplate->click();
            QCOMPARE(w->Templates->Names(), QStringList{u"Day"_s});
            QCOMPARE(w->cbTemplate->currentText(), u"Day"_s);
            QVERIFY(!w->btnDeleteTemplate->isEnabled());
            w->btnCancel->click();
        });
        W->acDefaultPage->trigger();
        QCOMPARE(testutil::ReadBytes(TemplatesFilePath()),
                 QByteArray("Day\x1b#ffffff\x1b#000000\x1b#0000ff\x1b#ff0000\x1b#800080\x1b\r\n"));
    }

    // The page is written even when the template file cannot be; the failure is told.
    void templateFileFailureStillOpensPage() {
        QueueWizard([](TfrmWizard* w) {
            ToLastStep(w);
            w->btnOk->click();
            SetWriteFaultForTests(0);
        });
        W->acDefaultPage->trigger();
        SetWriteFaultForTests(-1);
        QCOMPARE(F->Platform.Messages().size(), 1);
        QCOMPARE(W->DocumentCount(), 1);
        QVERIFY(!QFileInfo::exists(TemplatesFilePath()));
    }

    // A template file that cannot be read is told once and left alone; the built-in schemes
    // serve meanwhile.
    void unreadableTemplateFileLeftAlone() {
        QVERIFY(QDir().mkpath(TemplatesFilePath()));
        QueueWizard([this](TfrmWizard* w) {
            QCOMPARE(F->Platform.Messages().size(), 1);
            QCOMPARE(w->Templates->TemplateCount(), 3);
            w->btnCancel->click();
        });
        W->acDefaultPage->trigger();
        QCOMPARE(F->Platform.Messages().size(), 1);
        QCOMPARE(F->Platform.Calls.at(0).MsgKind, TMsgKind::Error);
        QVERIFY(QFileInfo(TemplatesFilePath()).isDir());
    }

    // The placements themselves are the logic's; the command inserts and marks the page changed.
    void styleBlock() {
        F->ShowText(u"<html><head>\n</head>\n"_s, 0);
        W->acStyle->trigger();
        QString text = W->reSource->Text();
        text.insert(W->reSource->SelStart(), u'|');
        QCOMPARE(text, u"<html><head>\n<style type=\"text/css\">\n|\n\n</style>\n</head>\n"_s);
        QVERIFY(W->Documents->Current()->Modified());
    }

    // The editor composes only what the user changed.
    void classControls_data() {
        QTest::addColumn<TClassEdit>("edit");
        QTest::addColumn<QString>("rule");
        QTest::newRow("untouched") << TClassEdit([](TfrmClass*) {}) << u".newclass1\n{\n}"_s;
        QTest::newRow("none after underline") << TClassEdit([](TfrmClass* c) {
            c->chkUnderline->setChecked(true);
            c->chkNone->setChecked(true);
            QVERIFY(!c->chkUnderline->isChecked());
        }) << u".newclass1\n{\ntext-decoration:  none;\n}"_s;
        QTest::newRow("underline after none") << TClassEdit([](TfrmClass* c) {
            c->chkNone->setChecked(true);
            c->chkUnderline->setChecked(true);
            c->chkBlink->setChecked(true);
        }) << u".newclass1\n{\ntext-decoration:  underline blink;\n}"_s;
        QTest::newRow("typed size with its unit") << TClassEdit([](TfrmClass* c) {
            auto* size = c->findChild<QComboBox*>(u"cbFontSize"_s);
            size->lineEdit()->selectAll();
            QTest::keyClicks(size->lineEdit(), u"x12"_s); // the number filter drops "x"
            c->findChild<QComboBox*>(u"cbUnits1"_s)->setCurrentText(u"px"_s);
        }) << u".newclass1\n{\nfont-size: 12px;\n}"_s;
        QTest::newRow("margin keyword chosen") << TClassEdit([](TfrmClass* c) {
            auto* m = c->findChild<QComboBox*>(u"cbMarginTop"_s);
            emit m->activated(0);
        }) << u".newclass1\n{\nmargin-top: auto;\n}"_s;
        QTest::newRow("spin fields") << TClassEdit([](TfrmClass* c) {
            c->findChild<TSpinEdit*>(u"seTextIndent"_s)->setValue(15);
            c->findChild<QComboBox*>(u"cbUnitsTextIndent"_s)->setCurrentText(u"pt"_s);
            c->findChild<TSpinEdit*>(u"seColumnSpan"_s)->setValue(3);
            c->findChild<TSpinEdit*>(u"seZIndex"_s)->setValue(-2);
        }) << u".newclass1\n{\ntext-indent: 15pt;\ncolumn-span: 3;\nz-index: -2;\n}"_s;
        QTest::newRow("colours") << TClassEdit([](TfrmClass* c) {
            auto* color = c->findChild<TColorButton*>(u"clbColor"_s);
            color->setColor(HtmlToColor(u"#ff0000"_s));
            emit color->OnChange(color->Color());
            auto* left = c->findChild<TColorButton*>(u"clbBorderLeftColor"_s);
            emit left->OnChange(left->Color());
        }) << u".newclass1\n{\ncolor: #ff0000;\nborder-Left-color: #000000;\n}"_s;
        QTest::newRow("repeat mode") << TClassEdit([](TfrmClass* c) {
            auto* r = c->findChild<QComboBox*>(u"cbBackgroundRepeat"_s);
            r->setCurrentIndex(1);
            emit r->activated(1);
            c->chkBackgroundAttachment->setChecked(true);
        }) << u".newclass1\n{\nbackground-repeat: no-repeat;\nbackground-attachment: fixed;\n}"_s;
        QTest::newRow("picture relative to the page") << TClassEdit([this](TfrmClass* c) {
            F->Page(u"img/dot.gif"_s, u"x"_s);
            F->Platform.QueueOpen(TOpenFileResult{Root() + u"/img/dot.gif"_s});
            c->btnListStyleImage->click();
            QCOMPARE(c->edListStyleImage->text(), u"img/dot.gif"_s);
            QVERIFY(!c->edListStyleImage->isEnabled());
            QCOMPARE(F->Platform.OpenRequests.at(0).InitialDir, Root());
        }) << u".newclass1\n{\nlist-style-image: url(img/dot.gif);\n}"_s;
    }

    void classControls() {
        QFETCH(TClassEdit, edit);
        QFETCH(QString, rule);
        TfrmClass dlg({u"Arial"_s}, Root() + u"/page.html"_s);
        QCOMPARE(dlg.windowTitle(), u"Cтиль CSS"_s);
        QCOMPARE(dlg.lbCategories->List->count(), 10);
        edit(&dlg);
        dlg.btnOk->click();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(dlg.Rule(), rule);
    }

    void emptyClassNameRefused() {
        TfrmClass dlg({}, QString());
        dlg.edClassName->setText(u"  "_s);
        dlg.btnOk->click();
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(F->Platform.Messages(), QStringList{u"Не указано имя создаваемого класса"_s});
    }

    void classIntoFirstLinkedSheet() {
        const QString first = F->Page(u"css/First.css"_s, u"p { }\n"_s);
        F->Page(u"second.css"_s, u"b { }\n"_s);
        const QString page = F->Page(
            u"page.html"_s, u"<html><head>\n<link rel=\"stylesheet\" href=\"css/First.css\" />\n"
                            u"<link rel=\"stylesheet\" href=\"second.css\" />\n</head>\n"_s);
        F->Open(page);
        QueueClass([](TfrmClass* c) { c->btnOk->click(); });
        W->Navigator->lvContentDblClick();
        QCOMPARE(W->DocumentCount(), 2);
        QCOMPARE(W->Documents->CurrentPath(), first);
        QCOMPARE(W->reSource->Text(), u"p { }\n.newclass1\n{\n}\n"_s);
        QVERIFY(W->Documents->Current()->Modified());
        QVERIFY(!W->Documents->At(0)->Modified());
    }

    // The rule goes into the page's own block; a linked sheet that is not there does not take
    // it, nor does it go after the page's end.
    void classIntoPage_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("after");
        QTest::newRow("new block")
            << u"<html><head><title>T</title>\n</head>\n<body>\n</body>\n"_s << true
            << u"<html><head><title>T</title>\n<style type=\"text/css\">\n"
               u".note\n{\ntext-decoration:  underline;\n}\n\n\n</style>\n"
               u"</head>\n<body>\n</body>\n"_s;
        QTest::newRow("missing sheet")
            << u"<head><link rel=\"stylesheet\" href=\"gone.css\" />\n<style>\n</style></head>\n"_s
            << true
            << u"<head><link rel=\"stylesheet\" href=\"gone.css\" />\n<style>\n.note\n{\n"
               u"text-decoration:  underline;\n}\n\n</style></head>\n"_s;
        QTest::newRow("cancelled") << u"<body>\n"_s << false << u"<body>\n"_s;
    }
    void classIntoPage() {
        QFETCH(QString, page);
        QFETCH(bool, ok);
        QFETCH(QString, after);
        F->Open(F->Page(u"page.html"_s, page));
        QueueClass([ok](TfrmClass* c) {
            c->edClassName->setText(u".note"_s);
            c->chkUnderline->setChecked(true);
            (ok ? c->btnOk : c->btnCancel)->click();
        });
        W->Navigator->lvContentDblClick();
        QCOMPARE(W->DocumentCount(), 1);
        QCOMPARE(W->reSource->Text(), after);
    }
};

QTEST_MAIN(TestWizard)
#include "tst_wizard.moc"
