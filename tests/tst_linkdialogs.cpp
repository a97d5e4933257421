// The hyperlink, image, map, area, frameset and frame commands in a real main window: the markup
// each inserts and where the caret ends, the check messages with the dialog staying open, the
// browse button's page-relative path, the file-link mode, JPEG sizes and the input filters.
#include "app/RichEditEx.h"
#include "markup/anchor.h"
#include "markup/area.h"
#include "markup/elements.h"
#include "markup/frame.h"
#include "markup/image.h"
#include "support/windowfixture.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString Head = u"<head><style>.hot { color: red }</style></head>\n"_s;
const QString Text = Head + u"<p>Привет</p>\n"_s;
const int At = int(Text.indexOf(u"Привет"_s));

QString TextWith(const QString& insertedAt) {
    return QString(Text).insert(At, insertedAt);
}

template <class D> std::function<int(QDialog*)> Answer(std::function<void(D*)> fill) {
    return [fill](QDialog* d) {
        auto* dlg = qobject_cast<D*>(d);
        if (!dlg) {
            qWarning("unexpected dialog %s", d->metaObject()->className());
            return int(QDialog::Rejected);
        }
        fill(dlg);
        return dlg->result();
    };
}

// A small real picture.
QString WriteJpeg(const QString& path, int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    if (!picture.save(path, "JPG"))
        qWarning("cannot write %s", qPrintable(path));
    return path;
}

std::unique_ptr<QDialog> MakeDialog(const QString& kind) {
    TElementContext context;
    if (kind == u"image"_s)
        return std::make_unique<TfrmImage>(context);
    if (kind == u"area"_s)
        return std::make_unique<TfrmArea>(context);
    if (kind == u"frame"_s)
        return std::make_unique<TfrmFrame>(context);
    return std::make_unique<TfrmAnchor>(context, 0, QString());
}

} // namespace

class TestLinkDialogs : public QObject {
    Q_OBJECT

    std::unique_ptr<TWindowFixture> F;
    QString PagePath;

    // Opens site/news/index.html with the caret before "Привет" ("Привет" selected on request).
    TfrmMain& Open(bool selectWord = false) {
        F = std::make_unique<TWindowFixture>();
        PagePath = F->Page(u"site/news/index.html"_s, Text);
        F->Open(PagePath);
        F->W->reSource->SetText(Text);
        F->W->reSource->Select(At, selectWord ? 6 : 0);
        return *F->W;
    }

    QString SitePath(const QString& relative) const {
        return F->Dir.filePath(u"site/"_s + relative);
    }

    // The editor's text with "|" at the caret.
    QString WithCaret() const {
        return F->W->reSource->Text().insert(F->W->reSource->textCursor().position(), u'|');
    }

    void Run(QAction* action) {
        action->trigger();
        QCoreApplication::processEvents();
    }

private slots:
    void cleanup() {
        if (F)
            QVERIFY2(F->Platform.Unanswered.isEmpty(),
                     qPrintable(F->Platform.Unanswered.join(u", "_s)));
        F.reset();
    }

    void anchorWrapsSelection() {
        TfrmMain& w = Open(true);
        QStringList classes;
        F->Platform.QueueDialog(Answer<TfrmAnchor>([&](TfrmAnchor* d) {
            for (int i = 0; i < d->cbClass->count(); ++i)
                classes << d->cbClass->itemText(i);
            d->edhref->setText(u"H"_s);
            d->edTarget->setText(u"G"_s);
            d->cbClass->setCurrentIndex(1);
            d->btnOk->click();
        }));
        Run(w.acAnchor);
        QCOMPARE(classes, (QStringList{QString(), u"hot"_s}));
        QCOMPARE(WithCaret(),
                 QString(Text).replace(At, 6,
                                       u"<a href=\"H\" target=\"G\" class=\"hot\">Привет</a>|"_s));
        QCOMPARE(F->Platform.Messages(), QStringList());
    }

    // A refused confirmation keeps the dialog open; the next one inserts.
    void checksKeepTheDialogOpen_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("faulty"); // field=text, separated by ";"
        QTest::addColumn<QString>("fixed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("inserted");
        const QString area =
            u"<area href=\"a.html\" shape=\"circle\" coords=\"1,2,3\" alt=\"\" />|\n"_s;
        const QString frame = u"<frame src=\"a.html\" name=\"Frame1\" scrolling=\"auto\" "
                              u"frameborder=\"0\" noresize=\"noresize\" />|\n"_s;
        QTest::newRow("anchor") << u"acAnchor"_s << u"edhref=a.html;edName=N"_s << u"edName="_s
                                << u"Не указан источник ссылки или имя закладки"_s
                                << u"<a href=\"a.html\">|</a>"_s;
        QTest::newRow("image") << u"acImage"_s << u"edSrc="_s << u"edSrc=a.html"_s
                               << u"Не указан источник образа"_s
                               << u"<img src=\"a.html\" alt=\"\" />|\n"_s;
        QTest::newRow("area") << u"acArea"_s << u"edHref=  "_s << u"edHref=a.html;edCoords=1,2,3"_s
                              << u"Не указан источник активной области"_s << area;
        QTest::newRow("frame") << u"acFrame"_s << u"edSrc=  "_s << u"edSrc=a.html"_s
                               << u"Не указан источник фрейма"_s << frame;
        QTest::newRow("frame name") << u"acFrame"_s << u"edSrc=a.html;edName= "_s
                                    << u"edName=Frame1"_s << u"Не указано имя фрейма"_s << frame;
    }
    void checksKeepTheDialogOpen() {
        QFETCH(QString, command);
        QFETCH(QString, faulty);
        QFETCH(QString, fixed);
        QFETCH(QString, message);
        QFETCH(QString, inserted);
        TfrmMain& w = Open();
        QString afterRefusal;
        int resultAfterRefusal = -1;
        F->Platform.QueueDialog([&](QDialog* d) {
            const auto fill = [d](const QString& fields) {
                for (const QString& entry : fields.split(u';'))
                    d->findChild<QLineEdit*>(entry.section(u'=', 0, 0))
                        ->setText(entry.section(u'=', 1));
            };
            auto* ok = d->findChild<QPushButton*>(u"btnOk"_s);
            fill(faulty);
            ok->click();
            afterRefusal = F->W->reSource->Text();
            resultAfterRefusal = d->result();
            fill(fixed);
            ok->click();
            return d->result();
        });
        Run(w.findChild<QAction*>(command));
        QCOMPARE(F->Platform.Messages(), QStringList{message});
        QCOMPARE(afterRefusal, Text);
        QCOMPARE(resultAfterRefusal, int(QDialog::Rejected));
        QCOMPARE(WithCaret(), TextWith(inserted));
    }

    void cancelInsertsNothing_data() {
        QTest::addColumn<QString>("command");
        for (const char* a : {"acAnchor", "acImage", "acArea", "acFrame"})
            QTest::newRow(a) << QString::fromLatin1(a);
    }
    void cancelInsertsNothing() {
        QFETCH(QString, command);
        TfrmMain& w = Open();
        F->Platform.QueueDialog([](QDialog* d) {
            for (auto* edit : d->findChildren<QLineEdit*>())
                edit->setText(u"x"_s);
            d->findChild<QPushButton*>(u"btnCancel"_s)->click();
            return d->result();
        });
        Run(w.findChild<QAction*>(command));
        QCOMPARE(WithCaret(), TextWith(u"|"_s));
        QCOMPARE(w.ModifiedFlags().value(0), u"0"_s);
    }

    // The browse button starts in the page's folder; the picked file is written relative to it.
    void browse_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("defaultExt");
        QTest::addColumn<bool>("editable");
        QTest::addColumn<QString>("inserted");
        QTest::newRow("anchor") << u"acAnchor"_s << u"Источник гиперссылки"_s << u"*htm*"_s << false
                                << u"<a href=\"../img/Ф.gif\">|</a>"_s;
        QTest::newRow("image") << u"acImage"_s << u"Источник изображения"_s << QString() << true
                               << u"<img src=\"../img/Ф.gif\" alt=\"\" />|\n"_s;
        QTest::newRow("area")
            << u"acArea"_s << u"Источник области карты"_s << u"*htm*"_s << false
            << u"<area href=\"../img/Ф.gif\" shape=\"point\" coords=\"1,2\" alt=\"\" />|\n"_s;
        QTest::newRow("frame") << u"acFrame"_s << u"Источник фрейма"_s << u"*htm*"_s << false
                               << u"<frame src=\"../img/Ф.gif\" name=\"Frame1\" scrolling=\"auto\" "
                                  u"frameborder=\"0\" noresize=\"noresize\" />|\n"_s;
    }
    void browse() {
        QFETCH(QString, command);
        QFETCH(QString, title);
        QFETCH(QString, defaultExt);
        QFETCH(bool, editable);
        QFETCH(QString, inserted);
        TfrmMain& w = Open();
        const QString picked = SitePath(u"img/Ф.gif"_s);
        F->Platform.QueueOpen(TOpenFileResult{picked, false});
        QString shown;
        bool enabled = false;
        F->Platform.QueueDialog([&](QDialog* d) {
            d->findChild<QPushButton*>(u"btnBrowse"_s)->click();
            auto* source = d->findChild<TBrowseField*>()->Edit;
            shown = source->text();
            enabled = source->isEnabled();
            if (auto* shape = d->findChild<QComboBox*>(u"cmbShape"_s)) {
                shape->setCurrentIndex(3);
                d->findChild<QLineEdit*>(u"edCoords"_s)->setText(u"1,2"_s);
            }
            d->findChild<QPushButton*>(u"btnOk"_s)->click();
            return d->result();
        });
        Run(w.findChild<QAction*>(command));
        QCOMPARE(F->Platform.OpenRequests.size(), 1);
        const TOpenFileRequest& request = F->Platform.OpenRequests[0];
        QCOMPARE(request.Title, title);
        QCOMPARE(request.DefaultExt, defaultExt);
        QCOMPARE(request.InitialDir, SitePath(u"news"_s));
        QCOMPARE(shown, u"Ф.gif"_s);
        QCOMPARE(enabled, editable);
        QCOMPARE(WithCaret(), TextWith(inserted));
    }

    // A cancelled open dialog changes nothing; typing over an image's browsed source drops it.
    void browseCancelledOrOverwritten() {
        TfrmMain& w = Open();
        F->Platform.QueueOpen(std::nullopt);
        F->Platform.QueueOpen(TOpenFileResult{SitePath(u"img/a.gif"_s), false});
        F->Platform.QueueDialog(Answer<TfrmImage>([](TfrmImage* d) {
            d->edSrc->setText(u"typed.gif"_s);
            d->btnBrowse->click();
            QCOMPARE(d->edSrc->text(), u"typed.gif"_s);
            QVERIFY(d->Src->ChosenFile().isEmpty());
            d->btnBrowse->click();
            QCOMPARE(d->edSrc->text(), u"a.gif"_s);
            d->edSrc->selectAll();
            QTest::keyClicks(d->edSrc, u"http://x/b.gif"_s);
            d->btnOk->click();
        }));
        Run(w.acImage);
        QCOMPARE(WithCaret(), TextWith(u"<img src=\"http://x/b.gif\" alt=\"\" />|\n"_s));
    }

    // The site browser's link to a file: the file's name shown read-only, no browsing, the
    // link relative to the page; the path slot is emptied afterwards.
    void fileLinkMode() {
        TfrmMain& w = Open(true);
        const QString file = SitePath(u"docs/about.html"_s);
        F->Platform.QueueDialog(Answer<TfrmAnchor>([&](TfrmAnchor* d) {
            QCOMPARE(d->Mode(), 1);
            QCOMPARE(d->edhref->text(), u"about.html"_s);
            QVERIFY(d->edhref->isReadOnly());
            QVERIFY(!d->btnBrowse->isEnabled());
            QCOMPARE(F->W->PendingPath, file);
            d->btnOk->click();
        }));
        w.ElementDialogs->CreateLinkToFile(file);
        QCOMPARE(WithCaret(),
                 QString(Text).replace(At, 6, u"<a href=\"../docs/about.html\">Привет</a>|"_s));
        QVERIFY(w.PendingPath.isEmpty());
        QVERIFY(F->Platform.OpenRequests.isEmpty());
    }

    // The relative path stays in the field when the check refuses the link.
    void fileLinkRefusedKeepsRelativePath() {
        TfrmMain& w = Open();
        F->Platform.QueueDialog(Answer<TfrmAnchor>([](TfrmAnchor* d) {
            d->edName->setText(u"N"_s);
            d->btnOk->click();
            QCOMPARE(d->edhref->text(), u"../docs/about.html"_s);
            d->btnCancel->click();
        }));
        w.ElementDialogs->CreateLinkToFile(SitePath(u"docs/about.html"_s));
        QCOMPARE(F->Platform.Messages(),
                 QStringList{u"Не указан источник ссылки или имя закладки"_s});
        QCOMPARE(w.reSource->Text(), Text);
    }

    // A picture that cannot be read is reported; the fields and the choice stay as they were.
    // Every cut or damaged picture is the reader's own test (tst_jpegimage).
    void unreadablePicture() {
        TfrmMain& w = Open();
        QDir().mkpath(SitePath(u"img"_s));
        const QString path = SitePath(u"img/bad.jpg"_s);
        testutil::WriteBytes(path, "plain text, not a JPEG");
        F->Platform.QueueOpen(TOpenFileResult{path, false});
        F->Platform.QueueDialog(Answer<TfrmImage>([](TfrmImage* d) {
            d->edSrc->setText(u"old.gif"_s);
            d->edWidth->setText(u"5"_s);
            d->btnBrowse->click();
            QCOMPARE(d->edSrc->text(), u"old.gif"_s);
            QCOMPARE(d->edWidth->text(), u"5"_s);
            QVERIFY(d->edHeight->text().isEmpty());
            QVERIFY(d->Src->ChosenFile().isEmpty());
            d->btnOk->click();
        }));
        Run(w.acImage);
        QCOMPARE(F->Platform.Messages().size(), 1);
        QVERIFY2(F->Platform.Messages()[0].startsWith(u"Не удалось прочитать"_s),
                 qPrintable(F->Platform.Messages()[0]));
        QCOMPARE(WithCaret(), TextWith(u"<img src=\"old.gif\" width=\"5\" alt=\"\" />|\n"_s));
    }

    // A JPEG picture, whatever the case of its extension, gives the fields its size over what
    // was typed; other pictures are not read, and a size too long for the four-digit fields is
    // not written.
    void pictureSize_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("written");
        QTest::addColumn<int>("messages");
        QTest::newRow("jpg") << u"pic.jpg"_s << 37 << true << 0;
        QTest::newRow("upper-case JPEG") << u"pic.JPEG"_s << 37 << true << 0;
        QTest::newRow("jpe") << u"pic.jpe"_s << 37 << true << 0;
        QTest::newRow("jfif") << u"pic.jfif"_s << 37 << true << 0;
        QTest::newRow("png") << u"p.png"_s << 37 << false << 0;
        QTest::newRow("five-digit width") << u"wide.jpg"_s << 10000 << false << 1;
    }
    void pictureSize() {
        QFETCH(QString, name);
        QFETCH(int, width);
        QFETCH(bool, written);
        QFETCH(int, messages);
        TScriptedPlatform platform;
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        if (name.contains(u".j"_s, Qt::CaseInsensitive))
            WriteJpeg(path, width, 21);
        else
            QImage(width, 21, QImage::Format_RGB32).save(path);
        platform.QueueOpen(TOpenFileResult{path, false});
        TfrmImage d(TElementContext{});
        if (written)
            d.edWidth->setText(u"1"_s);
        d.btnBrowse->click();
        QCOMPARE(d.edSrc->text(), name);
        QCOMPARE(d.Src->ChosenFile(), path);
        QCOMPARE(d.edWidth->text(), written ? QString::number(width) : QString());
        QCOMPARE(d.edHeight->text(), written ? u"21"_s : QString());
        QCOMPARE(platform.Messages().size(), messages);
    }

    void map_data() {
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::addColumn<QString>("inserted");
        QTest::newRow("preset") << std::optional(u"Карта1"_s)
                                << u"<map name =\"Карта1\">\n|\n\n</map>\n"_s;
        QTest::newRow("cancelled") << std::optional<QString>() << u"|"_s;
    }
    void map() {
        QFETCH(std::optional<QString>, answer);
        QFETCH(QString, inserted);
        TfrmMain& w = Open();
        F->Platform.QueueInput(answer);
        Run(w.acMap);
        QCOMPARE(F->Platform.Calls.size(), 1);
        QCOMPARE(F->Platform.Calls[0].Kind, u"input"_s);
        QCOMPARE(F->Platform.Calls[0].Text, u"Карта|Введите имя карты:"_s);
        QCOMPARE(F->Platform.Calls[0].Proposed, u"Карта1"_s);
        QCOMPARE(WithCaret(), TextWith(inserted));
    }

    void frameset_data() {
        QTest::addColumn<TAnswer>("answer");
        QTest::addColumn<QString>("inserted");
        QTest::newRow("columns") << TAnswer::Yes << u"<frameset cols=\"\">|\n\n\n</frameset>\n"_s;
        QTest::newRow("rows") << TAnswer::No << u"<frameset rows=\"\">|\n\n\n</frameset>\n"_s;
    }
    void frameset() {
        QFETCH(TAnswer, answer);
        QFETCH(QString, inserted);
        TfrmMain& w = Open();
        F->Platform.QueueAnswer(answer);
        Run(w.acFrameset);
        QCOMPARE(F->Platform.Messages(), QStringList{u"Разбить на столбцы?"_s});
        QCOMPARE(F->Platform.Calls[0].Buttons, TButtons::YesNo);
        QCOMPARE(WithCaret(), TextWith(inserted));
    }

    void iframe() {
        TfrmMain& w = Open();
        F->Platform.QueueDialog(Answer<TfrmFrame>([](TfrmFrame* d) {
            QCOMPARE(d->cmbScrolling->currentText(), u"Авто"_s);
            d->edSrc->setText(u"in.html"_s);
            d->chkIFrame->setChecked(true);
            d->cmbScrolling->setCurrentIndex(1);
            QTest::keyClicks(d->edWidth, u"100%"_s);
            QTest::keyClicks(d->edHeight, u"40"_s);
            d->btnOk->click();
        }));
        Run(w.acFrame);
        QCOMPARE(WithCaret(), TextWith(u"<iframe src=\"in.html\" name=\"Frame1\" scrolling=\"no\" "
                                       u"frameborder=\"0\" width=\"100%\" height=\"40\" />|\n"_s));
    }

    // Typed keys through the real fields: rejected characters and Backspace are discarded.
    void inputFilters_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("image width") << u"image"_s << u"edWidth"_s << u"1a2%3 "_s << u"123"_s;
        QTest::newRow("image height") << u"image"_s << u"edHeight"_s << u"x9-8"_s << u"98"_s;
        QTest::newRow("image hspace") << u"image"_s << u"edHspace"_s << u"+5"_s << u"5"_s;
        QTest::newRow("image vspace") << u"image"_s << u"edVspace"_s << u"6.0"_s << u"60"_s;
        QTest::newRow("image name")
            << u"image"_s << u"edName"_s << u"фото_1-a b"_s << u"фото_1ab"_s;
        QTest::newRow("image map") << u"image"_s << u"edUseMap"_s << u"#map.1"_s << u"map1"_s;
        QTest::newRow("area target")
            << u"area"_s << u"edTarget"_s << u"_top frame!"_s << u"_topframe"_s;
        QTest::newRow("frame name") << u"frame"_s << u"edName"_s << u"-x/"_s << u"Frame1x"_s;
        QTest::newRow("frame width") << u"frame"_s << u"edWidth"_s << u"50%px"_s << u"50%"_s;
        QTest::newRow("frame height") << u"frame"_s << u"edHeight"_s << u"1,5"_s << u"15"_s;
        // Fields without a filter take everything, Backspace included.
        QTest::newRow("area coords") << u"area"_s << u"edCoords"_s << u"1, 2,3x"_s << u"1, 2,3"_s;
        QTest::newRow("anchor target") << u"anchor"_s << u"edTarget"_s << u"_top x"_s << u"_top "_s;
    }
    void inputFilters() {
        QFETCH(QString, dialog);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        const std::unique_ptr<QDialog> d = MakeDialog(dialog);
        d->show();
        auto* edit = d->findChild<QLineEdit*>(field);
        QVERIFY(edit);
        edit->setFocus();
        edit->end(false);
        TypeText(edit, typed);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), kept);
    }

    void captionsAndLabels_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("banner");
        QTest::addColumn<QString>("labels"); // object name=text, separated by ";"
        QTest::newRow("anchor") << u"anchor"_s << u"Гиперссылка"_s
                                << u"Создание гиперссылки / на объект внутри или вне сайта"_s
                                << u"lblhref=Источник:;lblTarget=Мишень:;lblName=Имя:;"
                                   u"lblClass=Класс:"_s;
        QTest::newRow("image") << u"image"_s << u"Изображение"_s
                               << u"Графическое оформление документа / "_s
                               << u"lblSrc=Источник:;lblAlt=Описание:;lblWidth=Ширина:;"
                                  u"lblHeight=Высота:;lblAlign=Выравнивание:;"
                                  u"lblHspace=Боковые отступы:;lblVspace=Абзацные отступы:;"
                                  u"lblName=Имя:;lblClass=Класс:;lblUseMap=Карта:"_s;
        QTest::newRow("area") << u"area"_s << u"Активная область карты"_s
                              << u"Создание области перехода на объект Интернет / "_s
                              << u"lblHref=Назначение:;lblShape=Форма:;lblCoords=Контур:;"
                                 u"lblAlt=Подсказка:;lblName=Имя:;lblClass=Класс:;"
                                 u"lblTarget=Мишень:"_s;
        QTest::newRow("frame") << u"frame"_s << u"Фрейм"_s
                               << u"Вставка и / определение параметров фрейма"_s
                               << u"lblSrc=Источник:;lblName=Имя:;lblScrolling=Прокрутка:;"
                                  u"lblWidth=Ширина:;lblHeight=Высота:"_s;
    }
    void captionsAndLabels() {
        QFETCH(QString, dialog);
        QFETCH(QString, caption);
        QFETCH(QString, banner);
        QFETCH(QString, labels);
        const std::unique_ptr<QDialog> d = MakeDialog(dialog);
        QCOMPARE(d->windowTitle(), caption);
        auto* strip = d->findChild<TBanner*>(u"f_banner"_s);
        QVERIFY(strip);
        QCOMPARE(strip->Title() + u" / "_s + strip->Subtitle(), banner);
        for (const QString& entry : labels.split(u';')) {
            const QString name = entry.section(u'=', 0, 0);
            auto* label = d->findChild<QLabel*>(name);
            QVERIFY2(label, qPrintable(name));
            QCOMPARE(label->text(), entry.section(u'=', 1));
        }
        auto* ok = d->findChild<QPushButton*>(u"btnOk"_s);
        QCOMPARE(ok->text(), u"ОК"_s);
        QVERIFY(ok->isDefault());
        QCOMPARE(d->findChild<QPushButton*>(u"btnCancel"_s)->text(), u"Отмена"_s);
    }
};

QTEST_MAIN(TestLinkDialogs)
#include "tst_linkdialogs.moc"
