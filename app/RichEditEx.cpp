#include "app/RichEditEx.h"

#include "app/document.h"
#include "app/textfile.h"
#include "site/toolfunc.h"

#include <QEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputMethod>
#include <QTextBlock>
#include <QTextCursor>

TRichEditEx::TRichEditEx(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    connect(QGuiApplication::inputMethod(), &QInputMethod::localeChanged, this, [this] {
        if (hasFocus())
            emit OnLangChange(this, QGuiApplication::inputMethod()->locale().name());
    });
}

void TRichEditEx::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    // Read-only leaves the plain editor selectable by the mouse alone: no caret, no arrow keys,
    // no Shift+End. Reading a page needs them; the edits stay refused without TextEditable.
    if (event->type() == QEvent::ReadOnlyChange && isReadOnly())
        setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

QString TRichEditEx::Text() const {
    return PlainTextOf(document());
}

void TRichEditEx::SetText(const QString& text) {
    setPlainText(text);
}

int TRichEditEx::SelStart() const {
    return textCursor().selectionStart();
}

int TRichEditEx::SelLength() const {
    const QTextCursor c = textCursor();
    return c.selectionEnd() - c.selectionStart();
}

QString TRichEditEx::SelText() const {
    QString s = textCursor().selectedText();
    for (QChar& c : s)
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            c = u'\n';
    return s;
}

void TRichEditEx::Select(int start, int length) {
    QTextCursor c = textCursor();
    const int end = document()->characterCount() - 1;
    c.setPosition(qBound(0, start, end));
    c.setPosition(qBound(0, start + length, end), QTextCursor::KeepAnchor);
    setTextCursor(c);
}

bool TRichEditEx::Modified() const {
    return document()->isModified();
}

void TRichEditEx::SetModified(bool modified) {
    document()->setModified(modified);
}

void TRichEditEx::ReplaceSelection(const QString& text) {
    QTextCursor c = textCursor();
    c.beginEditBlock();
    c.insertText(text);
    c.endEditBlock();
    setTextCursor(c);
}

QString WordAtPosition(const QString& s, int caret, int* start) {
    // 1-based indices as in the usual description of the rule: b walks back over word
    // characters from the caret, e forward from b.
    const int n = int(s.size());
    *start = 0;
    if (n == 0)
        return {};
    auto at = [&](int i) { return s[i - 1]; };
    int b = qBound(0, caret, n) + 1;
    while (b > 1 && IsAlnumChar(at(b - 1)))
        --b;
    int e = b;
    while (e < n && IsAlnumChar(at(e + 1)))
        ++e;
    if (e > n)
        e = n;
    if (b <= n && IsAlnumChar(at(b)) && IsAlnumChar(at(e))) {
        *start = b - 1;
        return s.mid(b - 1, e - b + 1);
    }
    return {};
}

QString TagAtPosition(const QString& t, int caret, int* start) {
    const int n = int(t.size());
    *start = -1;
    if (n == 0)
        return {};
    auto at = [&](int i) { return t[i - 1]; };
    int i = caret + 1;
    if (i > n)
        i = n;
    while (i >= 1 && at(i) != u'<')
        --i;
    const int s = qMax(i, 1);
    int j = s;
    while (j <= n && at(j) != u'>')
        ++j;
    const int e = qMin(j, n);
    if (at(s) == u'<' && at(e) == u'>') {
        *start = s - 1;
        return t.mid(s - 1, e - s + 1);
    }
    return {};
}

QString TRichEditEx::GetWordAtCaret(int* start) const {
    return WordAtPosition(Text(), SelStart(), start);
}

QString TRichEditEx::GetTagAtCaret(int* start) const {
    return TagAtPosition(Text(), SelStart(), start);
}

void TRichEditEx::LoadFile(const QString& name) {
    if (name.isEmpty()) {
        clear();
        FLoadedFileName.clear();
    }
    if (!name.isEmpty() && QFileInfo(name).isFile()) {
        const QString text = ReadTextFile(name);
        FLoadedFileName = name;
        SetText(text);
    } else {
        emit OnFileNotFound(this);
    }
}
