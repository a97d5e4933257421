// The insertion core and the tag commands that need no dialog.
#include "app/tagcommands.h"
#include "app/RichEditEx.h"
#include "app/insertion.h"
#include "app/main2.h"
#include "app/platform.h"
#include "site/toolfunc.h"

#include <QTextCursor>

using namespace Qt::StringLiterals;

void TfrmMain::InsertText(const QString& text, int k, bool lineBreak) {
    if (reSource->isReadOnly())
        return;
    const TInsertion ins = Finalized({text, k, lineBreak});
    reSource->ReplaceSelection(ins.Text);
    QTextCursor c = reSource->textCursor();
    c.setPosition(qMax(0, c.position() - qBound(0, ins.K, int(ins.Text.size()))));
    reSource->setTextCursor(c);
    reSource->SetModified(true);
    if (reSource->document()->isUndoAvailable())
        acUndo->setEnabled(true);
}

void TfrmMain::InsertTagPair(const QString& tag) {
    const TInsertion ins = TagPairInsertion(tag, reSource->SelText());
    InsertText(ins.Text, ins.K, ins.LineBreak);
}

void TfrmMain::InsertBlockTagPair(const QString& tag) {
    const TInsertion ins = BlockTagPairInsertion(tag, reSource->SelText());
    InsertText(ins.Text, ins.K, ins.LineBreak);
}

void TfrmMain::InsertInputTag(const QString& type) {
    // The name/value dialog arrives with the quick-insert lists; until then the input element
    // is written with empty name and value.
    if (AskInputNameValue) {
        QString name, value;
        if (!AskInputNameValue(type, &name, &value))
            return;
        const TInsertion ins = InputTagInsertion(type, name, value);
        InsertText(ins.Text, ins.K, ins.LineBreak);
    }
}

TTagCommands::TTagCommands(TfrmMain* window) : QObject(window), W(window) {
    setObjectName(u"TagCommands"_s);
    W->Bind(W->acBold, [this] { acBoldExecute(); });
    W->Bind(W->acItalics, [this] { acItalicsExecute(); });
    W->Bind(W->acUnderline, [this] { acUnderlineExecute(); });
    W->Bind(W->acCaption, [this] { acCaptionExecute(); });
    W->Bind(W->acLi, [this] { acLiExecute(); });
    W->Bind(W->acPreformatted, [this] { acPreformattedExecute(); });
    W->Bind(W->acParagraph, [this] { acParagraphExecute(); });
    W->Bind(W->acCenter, [this] { acCenterExecute(); });
    W->Bind(W->acTr, [this] { acTrExecute(); });
    W->Bind(W->acDiv, [this] { acDivExecute(); });
    W->Bind(W->acObject, [this] { acObjectExecute(); });
    W->Bind(W->acEmbed, [this] { acEmbedExecute(); });
    W->Bind(W->acNoembed, [this] { acNoEmbedExecute(); });
    W->Bind(W->acApplet, [this] { acAppletExecute(); });
    W->Bind(W->acNoscript, [this] { acNoscriptExecute(); });
    W->Bind(W->acNoframes, [this] { acNoFramesExecute(); });
    W->Bind(W->acBr, [this] { acBrExecute(); });
    W->Bind(W->acHr, [this] { acHrExecute(); });
    W->Bind(W->acComment, [this] { acCommentExecute(); });
    W->Bind(W->acOpeningBrackets, [this] { acOpeningBracketsExecute(); });
    W->Bind(W->acClosingBrackets, [this] { acClosingBracketsExecute(); });
    W->Bind(W->acInsertColor, [this] { acInsertColorExecute(); });
}

void TTagCommands::acBoldExecute() {
    W->InsertTagPair(u"b"_s);
}
void TTagCommands::acItalicsExecute() {
    W->InsertTagPair(u"i"_s);
}
void TTagCommands::acUnderlineExecute() {
    W->InsertTagPair(u"u"_s);
}
void TTagCommands::acCaptionExecute() {
    W->InsertTagPair(u"caption"_s);
}
void TTagCommands::acLiExecute() {
    W->InsertTagPair(u"li"_s);
}
void TTagCommands::acPreformattedExecute() {
    W->InsertBlockTagPair(u"pre"_s);
}
void TTagCommands::acParagraphExecute() {
    W->InsertBlockTagPair(u"p"_s);
}
void TTagCommands::acCenterExecute() {
    W->InsertBlockTagPair(u"center"_s);
}
void TTagCommands::acTrExecute() {
    W->InsertBlockTagPair(u"tr"_s);
}
void TTagCommands::acDivExecute() {
    W->InsertBlockTagPair(u"div"_s);
}
void TTagCommands::acObjectExecute() {
    W->InsertBlockTagPair(u"object"_s);
}
void TTagCommands::acEmbedExecute() {
    W->InsertBlockTagPair(u"embed"_s);
}
void TTagCommands::acNoEmbedExecute() {
    W->InsertBlockTagPair(u"noembed"_s);
}
void TTagCommands::acAppletExecute() {
    W->InsertBlockTagPair(u"applet"_s);
}
void TTagCommands::acNoscriptExecute() {
    W->InsertBlockTagPair(u"noscript"_s);
}
void TTagCommands::acNoFramesExecute() {
    W->InsertBlockTagPair(u"noframes"_s);
}
void TTagCommands::acBrExecute() {
    W->InsertText(u"<br />"_s, 0, true);
}
void TTagCommands::acHrExecute() {
    W->InsertText(u"<hr />"_s, 0, false);
}
void TTagCommands::acCommentExecute() {
    W->InsertText(u"<!--  //-->"_s, 6, true);
}
void TTagCommands::acOpeningBracketsExecute() {
    W->InsertText(u"<>"_s, 1, false);
}
void TTagCommands::acClosingBracketsExecute() {
    W->InsertText(u"</>"_s, 1, false);
}

void TTagCommands::acInsertColorExecute() {
    const auto color = Platform().PickColor(W, Qt::white);
    if (!color)
        return;
    const TColor value =
        TColor(color->red()) | (TColor(color->green()) << 8) | (TColor(color->blue()) << 16);
    W->InsertText(u'"' + ColorToHtml(value) + u'"', 0, false);
}
