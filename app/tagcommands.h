// The tag commands that need no dialog: each wraps the selection in a tag pair or inserts a
// fixed piece of markup through the window's insertion core.
#pragma once

#include <QObject>

class TfrmMain;

class TTagCommands : public QObject {
    Q_OBJECT

public:
    // Binds every command to its action of the window.
    explicit TTagCommands(TfrmMain* window);

    void acBoldExecute();
    void acItalicsExecute();
    void acUnderlineExecute();
    void acCaptionExecute();
    void acLiExecute();
    void acPreformattedExecute();
    void acParagraphExecute();
    void acCenterExecute();
    void acTrExecute();
    void acDivExecute();
    void acObjectExecute();
    void acEmbedExecute();
    void acNoEmbedExecute();
    void acAppletExecute();
    void acNoscriptExecute();
    void acNoFramesExecute();
    void acBrExecute();
    void acHrExecute();
    void acCommentExecute();
    void acOpeningBracketsExecute();
    void acClosingBracketsExecute();
    void acInsertColorExecute();

private:
    TfrmMain* W;
};
