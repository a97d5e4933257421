// The real platform's modal windows: names, paths and values are shown as text, never as markup
// (a folder called "<img src=/dev" must not make a box load /dev/zero), and every dialog's title
// bar offers only a close box and is wide enough for its caption.
#include "app/about.h"
#include "app/platform.h"

#include <QApplication>
#include <QDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// What a modal window looked like while it was up.
struct TSeen {
    Qt::WindowFlags Flags;
    int Width = 0;
    Qt::TextFormat Format = Qt::AutoText;
    QString Text;
    bool PromptPlain = false;
};

// Runs show() while a timer looks at the modal window it opens and then closes it with act.
template <typename Show> TSeen WhileModal(Show show, std::function<void(QWidget*)> act = {}) {
    TSeen seen;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || !w->isVisible())
            return;
        poll.stop();
        seen.Flags = w->windowFlags();
        seen.Width = w->width();
        if (auto* box = qobject_cast<QMessageBox*>(w)) {
            seen.Format = box->textFormat();
            seen.Text = box->text();
        }
        for (QLabel* label : w->findChildren<QLabel*>())
            if (label->text() == u"<img src=\"/dev/zero\">"_s)
                seen.PromptPlain = label->textFormat() == Qt::PlainText;
        if (act)
            act(w);
        else if (auto* d = qobject_cast<QDialog*>(w))
            d->reject();
    });
    poll.start();
    show();
    return seen;
}

// Whether the window system can show the whole caption, in bold, after the program's name.
bool WideEnough(const TSeen& seen, const QString& caption) {
    QFont font = QApplication::font();
    font.setBold(true);
    return seen.Width > QFontMetrics(font).horizontalAdvance(caption + u" — Quorvane"_s);
}

} // namespace

class TestPlainText : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QGuiApplication::setApplicationDisplayName(u"Quorvane"_s);
        SetPlatform(nullptr);
    }

    void messageShownAsText() {
        const QString text = u"Файл /home/u/<img src=/dev/zero>.html не найден"_s;
        const TSeen seen = WhileModal([&] { ShowWarning(nullptr, text); });
        QCOMPARE(seen.Format, Qt::PlainText); // only a message box sets it
        QCOMPARE(seen.Text, text);
    }

    void inputPromptShownAsText() {
        std::optional<QString> answer;
        const TSeen seen = WhileModal(
            [&] {
                answer = Platform().InputBox(nullptr, u"Поле"_s, u"<img src=\"/dev/zero\">"_s,
                                             u"было"_s);
            },
            [](QWidget* w) {
                auto* dlg = qobject_cast<QInputDialog*>(w);
                QVERIFY(dlg);
                QCOMPARE(dlg->textValue(), u"было"_s);
                dlg->setTextValue(u"стало"_s);
                dlg->accept();
            });
        QVERIFY(seen.PromptPlain);
        QCOMPARE(answer, std::optional<QString>(u"стало"_s));
    }

    // Whatever buttons a dialog asks for, it gets a title and at most a close box; one that left
    // the close box out of its own title bar (the name/value dialog) keeps it out.
    void dialogTitleBar_data() {
        QTest::addColumn<int>("flags");
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("plain window") << int(Qt::Window) << true;
        QTest::newRow("min and max asked for")
            << int(Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint) << true;
        QTest::newRow("own title bar with min and max")
            << int(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowMinMaxButtonsHint)
            << false;
    }
    void dialogTitleBar() {
        QFETCH(int, flags);
        QFETCH(bool, closeBox);
        QDialog dlg(nullptr, Qt::WindowFlags(flags));
        const QString title = u"Добавление элемента выпадающего списка"_s;
        dlg.setWindowTitle(title);
        const TSeen seen = WhileModal([&] { Platform().ExecDialog(&dlg); });
        QCOMPARE(seen.Flags & Qt::WindowType_Mask, Qt::Dialog);
        QVERIFY(!seen.Flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!seen.Flags.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(seen.Flags.testFlag(Qt::WindowTitleHint));
        QCOMPARE(seen.Flags.testFlag(Qt::WindowCloseButtonHint), closeBox);
        QVERIFY2(WideEnough(seen, title), qPrintable(QString::number(seen.Width)));
    }

    void messageBoxWideEnoughForCaption() {
        const QString caption = u"Сохранение файла под другим именем"_s;
        const TSeen seen = WhileModal([&] {
            Platform().MessageBox(nullptr, TMsgKind::Information, u"Да"_s, TButtons::Ok, caption);
        });
        QVERIFY2(WideEnough(seen, caption), qPrintable(QString::number(seen.Width)));
    }

    // The about window has no title bar and keeps its size.
    void aboutStaysFrameless() {
        TfrmAbout about;
        const QSize size = about.size();
        const TSeen seen = WhileModal([&] { Platform().ExecDialog(&about); });
        QVERIFY(seen.Flags.testFlag(Qt::FramelessWindowHint));
        QCOMPARE(seen.Width, size.width());
    }
};

QTEST_MAIN(TestPlainText)
#include "tst_plaintext.moc"
