#include "app/document.h"

#include <QPlainTextDocumentLayout>
#include <QTextCursor>
#include <QTextDocument>

TDocument::TDocument(const QString& path, const QString& text, QObject* parent)
    : QObject(parent), FPath(path), FDocument(new QTextDocument(this)) {
    // The layout the plain-text editor needs; without it the editor would replace the document.
    FDocument->setDocumentLayout(new QPlainTextDocumentLayout(FDocument));
    SetText(text);
    connect(FDocument, &QTextDocument::contentsChange, this,
            [this](int position, int removed, int added) {
                ++FRevision;
                FScanChunks->Change(position, removed, added);
            });
    connect(FDocument, &QTextDocument::modificationChanged, this, &TDocument::ModifiedChanged);
}

TDocument::~TDocument() = default;

bool TDocument::Modified() const {
    return FDocument->isModified();
}

void TDocument::setModified(bool modified) {
    FDocument->setModified(modified);
}

QString TDocument::Text() const {
    return PlainTextOf(FDocument);
}

namespace {
// The document's paragraph and line separators as the LF line breaks of the text.
QString WithLineFeeds(QString s) {
    for (QChar& c : s) {
        const char16_t u = c.unicode();
        if (u == QChar::ParagraphSeparator || u == QChar::LineSeparator)
            c = u'\n';
    }
    return s;
}
} // namespace

QString PlainTextOf(const QTextDocument* document) {
    return WithLineFeeds(document->toRawText());
}

void TDocument::SetText(const QString& text) {
    FLongestLine = LongestLineLength(text);
    const bool undo = FDocument->isUndoRedoEnabled();
    FDocument->setUndoRedoEnabled(false); // also drops the history of the text replaced
    FDocument->setPlainText(text);
    FDocument->setUndoRedoEnabled(undo);
    FDocument->setModified(false);
    ++FRevision;
    FScanChunks->Invalidate();
}

TDocumentText::TDocumentText(QTextDocument* document) : FDocument(document) {}

qsizetype TDocumentText::Length() const {
    // The document counts a closing paragraph end that is no character of the text.
    return FDocument ? qMax(0, FDocument->characterCount() - 1) : 0;
}

QString TDocumentText::Text(qsizetype from, qsizetype to) const {
    if (!FDocument || to <= from)
        return {};
    // The whole text in one piece: the document copies it out at once.
    if (from == 0 && to == Length())
        return PlainTextOf(FDocument);
    QTextCursor range(FDocument);
    range.setPosition(int(from));
    range.setPosition(int(to), QTextCursor::KeepAnchor);
    return WithLineFeeds(range.selectedText());
}

qsizetype LongestLineLength(QStringView text) {
    qsizetype longest = 0;
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        longest = qMax(longest, end - start);
        start = end + 1;
    }
    return longest;
}
