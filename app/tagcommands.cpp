// The insertion core and the tag commands that need no dialog.
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

void TfrmMain::BindTagCommands() {
    Bind(acBold, [this] { acBoldExecute(); });
    Bind(acItalics, [this] { acItalicsExecute(); });
    Bind(acUnderline, [this] { acUnderlineExecute(); });
    Bind(acCaption, [this] { acCaptionExecute(); });
    Bind(acLi, [this] { acLiExecute(); });
    Bind(acPreformatted, [this] { acPreformattedExecute(); });
    Bind(acParagraph, [this] { acParagraphExecute(); });
    Bind(acCenter, [this] { acCenterExecute(); });
    Bind(acTr, [this] { acTrExecute(); });
    Bind(acDiv, [this] { acDivExecute(); });
    Bind(acObject, [this] { acObjectExecute(); });
    Bind(acEmbed, [this] { acEmbedExecute(); });
    Bind(acNoembed, [this] { acNoEmbedExecute(); });
    Bind(acApplet, [this] { acAppletExecute(); });
    Bind(acNoscript, [this] { acNoscriptExecute(); });
    Bind(acNoframes, [this] { acNoFramesExecute(); });
    Bind(acBr, [this] { acBrExecute(); });
    Bind(acHr, [this] { acHrExecute(); });
    Bind(acComment, [this] { acCommentExecute(); });
    Bind(acOpeningBrackets, [this] { acOpeningBracketsExecute(); });
    Bind(acClosingBrackets, [this] { acClosingBracketsExecute(); });
    Bind(acInsertColor, [this] { acInsertColorExecute(); });
}

void TfrmMain::acBoldExecute() {
    InsertTagPair(u"b"_s);
}
void TfrmMain::acItalicsExecute() {
    InsertTagPair(u"i"_s);
}
void TfrmMain::acUnderlineExecute() {
    InsertTagPair(u"u"_s);
}
void TfrmMain::acCaptionExecute() {
    InsertTagPair(u"caption"_s);
}
void TfrmMain::acLiExecute() {
    InsertTagPair(u"li"_s);
}
void TfrmMain::acPreformattedExecute() {
    InsertBlockTagPair(u"pre"_s);
}
void TfrmMain::acParagraphExecute() {
    InsertBlockTagPair(u"p"_s);
}
void TfrmMain::acCenterExecute() {
    InsertBlockTagPair(u"center"_s);
}
void TfrmMain::acTrExecute() {
    InsertBlockTagPair(u"tr"_s);
}
void TfrmMain::acDivExecute() {
    InsertBlockTagPair(u"div"_s);
}
void TfrmMain::acObjectExecute() {
    InsertBlockTagPair(u"object"_s);
}
void TfrmMain::acEmbedExecute() {
    InsertBlockTagPair(u"embed"_s);
}
void TfrmMain::acNoEmbedExecute() {
    InsertBlockTagPair(u"noembed"_s);
}
void TfrmMain::acAppletExecute() {
    InsertBlockTagPair(u"applet"_s);
}
void TfrmMain::acNoscriptExecute() {
    InsertBlockTagPair(u"noscript"_s);
}
void TfrmMain::acNoFramesExecute() {
    InsertBlockTagPair(u"noframes"_s);
}
void TfrmMain::acBrExecute() {
    InsertText(u"<br />"_s, 0, true);
}
void TfrmMain::acHrExecute() {
    InsertText(u"<hr />"_s, 0, false);
}
void TfrmMain::acCommentExecute() {
    InsertText(u"<!--  //-->"_s, 6, true);
}
void TfrmMain::acOpeningBracketsExecute() {
    InsertText(u"<>"_s, 1, false);
}
void TfrmMain::acClosingBracketsExecute() {
    InsertText(u"</>"_s, 1, false);
}

void TfrmMain::acInsertColorExecute() {
    const auto color = Platform().PickColor(this, Qt::white);
    if (!color)
        return;
    const TColor value =
        TColor(color->red()) | (TColor(color->green()) << 8) | (TColor(color->blue()) << 16);
    InsertText(u'"' + ColorToHtml(value) + u'"', 0, false);
}
