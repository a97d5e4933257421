// One open document: its file, its state and its own text with its own undo history. The
// editor shows a document by taking its QTextDocument, so switching tabs copies no text and the
// undo history of each page survives a switch.
#pragma once

#include "html/scanchunks.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

class QTextDocument;

class TDocument : public QObject {
    Q_OBJECT

public:
    // The text is taken as it is (LF line breaks); the document starts unmodified with an empty
    // undo history.
    TDocument(const QString& path, const QString& text, QObject* parent = nullptr);
    ~TDocument() override;

    const QString& Path() const { return FPath; }
    void setPath(const QString& path) { FPath = path; }
    // Typing is refused while set; the caret still moves and text still selects and copies.
    bool ReadOnly() const { return FReadOnly; }
    void setReadOnly(bool readOnly) { FReadOnly = readOnly; }
    // The file held a NUL byte: it is shown for reading only and never written back, since its
    // bytes would not survive the text round trip.
    bool Binary() const { return FBinary; }
    void setBinary(bool binary) { FBinary = binary; }

    bool Modified() const;
    void setModified(bool modified);

    QTextDocument* TextDocument() const { return FDocument; }
    // The whole text with LF line breaks; non-breaking spaces are kept.
    QString Text() const;
    // Replaces the whole text: the undo history starts anew and the document is unmodified.
    void SetText(const QString& text);
    // Counts every change of the text: results computed from the text are valid while it stays.
    quint64 Revision() const { return FRevision; }
    // The scanner's stretches of this text, kept in step with every change.
    const std::shared_ptr<TScanChunks>& ScanChunks() const { return FScanChunks; }
    // Length of the longest line, as measured when the text was last set.
    qsizetype LongestLine() const { return FLongestLine; }

    // Where the editor stood when the document was last shown, restored on the next show.
    int CaretAnchor = 0;
    int CaretPosition = 0;
    int ScrollX = 0;
    int ScrollY = 0;

signals:
    void ModifiedChanged(bool modified);

private:
    QString FPath;
    bool FReadOnly = false;
    bool FBinary = false;
    quint64 FRevision = 0;
    qsizetype FLongestLine = 0;
    QTextDocument* FDocument = nullptr;
    std::shared_ptr<TScanChunks> FScanChunks = std::make_shared<TScanChunks>();
};

// A document's text for the scanner, read by ranges; empty once the document is gone.
class TDocumentText : public TScanSource {
public:
    explicit TDocumentText(QTextDocument* document);
    qsizetype Length() const override;
    QString Text(qsizetype from, qsizetype to) const override;

private:
    QPointer<QTextDocument> FDocument;
};

// The whole text of a document with LF line breaks; non-breaking spaces are kept, which
// toPlainText() would turn into blanks.
QString PlainTextOf(const QTextDocument* document);
// The length of the longest line of a text (lines split at LF).
qsizetype LongestLineLength(QStringView text);
