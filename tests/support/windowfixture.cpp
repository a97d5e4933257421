#include "support/windowfixture.h"

#include "app/documentset.h"
#include "app/textfile.h"

#include <QDir>
#include <QtTest>

TWindowFixture::TWindowFixture() : W(std::make_unique<TfrmMain>()) {
    W->show();
    if (!QTest::qWaitForWindowExposed(W.get()))
        qWarning("main window not exposed");
    W->activateWindow();
    W->reSource->setFocus();
}

TWindowFixture::~TWindowFixture() {
    // Close without prompts: the tests that care about prompts close the window themselves.
    if (!W)
        return;
    for (int i = 0; i < W->DocumentCount(); ++i)
        W->Documents->At(i)->setModified(false);
    W->reSource->SetModified(false);
    W.reset();
}

QString TWindowFixture::Page(const QString& name, const QString& text) {
    const QString path = Dir.filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    testutil::WriteBytes(path, ToFileBytes(text));
    return path;
}

void TWindowFixture::Open(const QString& path) {
    W->PendingPath = path;
    W->RunCommand([this] { W->OpenDocument(osGivenPath); });
}

void TypeText(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        const char16_t u = c.toUpper().unicode();
        const auto key = u < 0x80 ? Qt::Key(u) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Press, widget, key, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, key, QString(c), Qt::NoModifier);
    }
}

void TWindowFixture::Type(const QString& text) {
    QTest::keyClicks(W->reSource, text);
}

QString TWindowFixture::OpenTyped(const QString& name, const QString& text, const QString& typed) {
    const QString path = Page(name, text);
    Open(path);
    Type(typed);
    return path;
}

void TWindowFixture::ShowText(const QString& text, int caret) {
    Open(Page(QStringLiteral("page.html"), text));
    // Reading ends the last line with a line break; the cases want the text exactly.
    W->reSource->SetText(text);
    W->reSource->Select(caret, 0);
}
