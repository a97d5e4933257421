// Editing aids of the source editor: the typed word, the line-break keys, the "=rand()" macro,
// attribute-value completion and the tag attribute editor.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QListWidget;
class TfrmMain;

class TEditingAids : public QObject {
    Q_OBJECT

public:
    // Creates the completion list over the window's editor and routes the editor's keys here.
    explicit TEditingAids(TfrmMain* window);

    // The list of attribute values that opens after "=".
    QListWidget* lbCompletion = nullptr;
    // The word typed since the last blank; decides when completion opens.
    QString TypedWord;
    // The caret position (before the "=") remembered when the completion list opened.
    int CompletionCaret = 0;

    // A key went down in the source editor; true when the key is consumed.
    bool reSourceKeyDown(int key, Qt::KeyboardModifiers modifiers);
    // A character was typed into the source editor (before the editor takes it).
    void reSourceKeyPress(QChar ch);
    // The completion list got the focus: fill it for the typed attribute name.
    void lbCompletionEnter();
    // A key in the completion list; true when the list swallowed it.
    bool lbCompletionKeyPress(int key);
    // The list lost the focus or was double-clicked: hide it, back to the editor.
    void lbCompletionExit();
    void FillCompletionList(const QString& attrName);
    // Moves the completion list next to the caret.
    void PlaceCompletionList();
    void acEditTagExecute();
    // The editor took the focus back: the list goes without a word.
    void HideCompletionList();

private:
    TfrmMain* W;
    QStringList FShownValues; // what the list's rows hold
};
