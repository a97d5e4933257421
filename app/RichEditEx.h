// The source editor: a plain-text editor with the few text operations the rest of the program
// needs (replace the selection as one undoable edit, the word or the tag at the caret, load a
// file). Positions are 0-based and count a line break as one character. A read-only page
// refuses edits only: its caret still moves and selects with the keys and the mouse.
#pragma once

#include <QPlainTextEdit>

class TRichEditEx : public QPlainTextEdit {
    Q_OBJECT
    // The page text as the scanner reads it (line breaks as LF, non-breaking spaces kept).
    Q_PROPERTY(QString pageText READ Text)

public:
    explicit TRichEditEx(QWidget* parent = nullptr);

    // The whole text with LF line breaks. Unlike toPlainText() it keeps non-breaking spaces,
    // so the bytes of a page survive a load and a save unchanged.
    QString Text() const;
    // Replaces the whole text (the undo history starts anew).
    void SetText(const QString& text);

    int SelStart() const;
    int SelLength() const;
    QString SelText() const;
    void Select(int start, int length);
    bool Modified() const;
    void SetModified(bool modified);

    // Replaces the selection by the text as one undoable edit; the caret ends after the text.
    void ReplaceSelection(const QString& text);
    // The word of letters and digits at the caret and its start, or the empty text and 0.
    QString GetWordAtCaret(int* start) const;
    // The tag around the caret ("<" to ">") and its start, or the empty text and -1.
    QString GetTagAtCaret(int* start) const;

    // Loads a file (Windows-1251) into the control; an empty name clears it. A missing file
    // changes nothing and raises OnFileNotFound. A file that cannot be read throws EFileError.
    void LoadFile(const QString& name);
    QString LoadedFileName() const { return FLoadedFileName; }

signals:
    void OnFileNotFound(QObject* sender);
    void OnLangChange(QObject* sender, const QString& language);

protected:
    void changeEvent(QEvent* event) override;

private:
    QString FLoadedFileName;
};

// The algorithms behind GetWordAtCaret and GetTagAtCaret on a plain text, for the tests and for
// callers that hold a text already.
QString WordAtPosition(const QString& text, int caret, int* start);
QString TagAtPosition(const QString& text, int caret, int* start);
