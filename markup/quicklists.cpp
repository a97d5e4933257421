// The quick-insert lists of the tag toolbar.
#include "app/RichEditEx.h"
#include "app/main2.h"
#include "app/platform.h"
#include "html/HTMLParser.h"
#include "markup/ctrl.h"
#include "markup/quicklistdata.h"
#include "widgets/fitwidth.h"

#include <QComboBox>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTextCursor>
#include <QTextDocument>

using namespace Qt::StringLiterals;

namespace {

void MoveCaretBy(TRichEditEx* editor, int delta) {
    QTextCursor c = editor->textCursor();
    const int last = editor->document()->characterCount() - 1;
    c.setPosition(qBound(0, c.position() + delta, qMax(0, last)));
    editor->setTextCursor(c);
}

// The image button names its picture: the file's name goes into a src attribute just before
// the closing "/>" of the element that was inserted a moment ago.
void AddImageButtonPicture(TfrmMain& w) {
    MoveCaretBy(w.reSource, -2);
    TOpenFileRequest request;
    request.Title = u"Источник изображения"_s;
    request.Filter = u"Графика Internet|*.gif;*.jp*g; *.png; *.tif*; *.jfif; *.jpe"_s;
    request.InitialDir = w.PicsDialogDir;
    request.OfferReadOnly = true;
    const auto picture = Platform().OpenFile(&w, request);
    const QString fileName = picture ? QFileInfo(picture->FileName).fileName() : QString();
    w.reSource->ReplaceSelection(ImageSourceAttribute(fileName));
    // Past the "/>" and the line break after it: the caret waits at the start of the next line.
    MoveCaretBy(w.reSource, 3);
}

void InsertFormInput(TfrmMain& w, const TQuickEntry& entry) {
    // Whether the element went in at all (not cancelled, page not read-only) decides whether
    // the image button goes on to ask for its picture.
    bool inserted = false;
    const auto watch = QObject::connect(w.reSource->document(), &QTextDocument::contentsChange, &w,
                                        [&inserted] { inserted = true; });
    const auto unwatch = qScopeGuard([&watch] { QObject::disconnect(watch); });
    w.InsertInputTag(entry.Tag);
    if (inserted && entry.AskPicture)
        AddImageButtonPicture(w);
}

void QuickListChange(TfrmMain& w, QComboBox* list, TQuickList kind) {
    const TQuickEntry entry = QuickListEntry(kind, list->currentIndex());
    if (entry.Action == TQuickAction::None)
        return;
    // A heading needs something to wrap; without a selection the list keeps its entry.
    if (entry.Action == TQuickAction::Heading && w.reSource->SelLength() == 0)
        return;
    const auto backToCaption = qScopeGuard([&w, list] {
        list->setCurrentIndex(0);
        w.reSource->setFocus();
    });
    switch (entry.Action) {
    case TQuickAction::None:
        break;
    case TQuickAction::InsertText:
        w.InsertText(entry.Insertion.Text, entry.Insertion.K, entry.Insertion.LineBreak);
        break;
    case TQuickAction::Heading:
        w.InsertTagPair(entry.Tag);
        break;
    case TQuickAction::SearchField: {
        // Cancelling the box still inserts the element, with the preset prompt.
        const QString prompt =
            Platform()
                .InputBox(&w, SearchFieldCaption(), SearchFieldPrompt(), SearchFieldPreset())
                .value_or(SearchFieldPreset());
        const TInsertion ins = SearchFieldInsertion(prompt);
        w.InsertText(ins.Text, ins.K, ins.LineBreak);
        break;
    }
    case TQuickAction::BlockTagPair:
        w.InsertBlockTagPair(entry.Tag);
        break;
    case TQuickAction::InputElement:
        InsertFormInput(w, entry);
        break;
    }
}

} // namespace

void TfrmMain::CreateQuickLists() {
    const std::pair<QComboBox*, TQuickList> lists[] = {
        {cbHeaderStyle, TQuickList::HeaderStyle}, {cbFormElement, TQuickList::FormElement},
        {cbScriptType, TQuickList::ScriptType},   {cbColdFusion, TQuickList::ColdFusion},
        {cbActiveSP, TQuickList::ActiveSP},       {cbServerVars, TQuickList::ServerVars},
        {cbSpecChars, TQuickList::SpecChars},
    };
    for (const auto& [list, kind] : lists) {
        list->setEditable(false);
        list->addItems(QuickListItems(kind));
        list->setCurrentIndex(0);
        // The caption entry names the list, so it is never cut short.
        FitComboToText(list, list->itemText(0));
    }
    auto bind = [this](QComboBox* list, void (TfrmMain::*handler)()) {
        // activated, not currentIndexChanged: choosing the entry already shown (the heading
        // list keeps its entry when nothing was selected) must act as well.
        connect(list, &QComboBox::activated, this,
                [this, handler] { RunCommand([this, handler] { (this->*handler)(); }); });
    };
    bind(cbHeaderStyle, &TfrmMain::cbHeaderStyleChange);
    bind(cbFormElement, &TfrmMain::cbFormElementChange);
    bind(cbScriptType, &TfrmMain::cbScriptTypeChange);
    bind(cbColdFusion, &TfrmMain::cbColdFusionChange);
    bind(cbActiveSP, &TfrmMain::cbActiveSPChange);
    bind(cbServerVars, &TfrmMain::cbServerVarsChange);
    bind(cbSpecChars, &TfrmMain::cbSpecCharsChange);

    AskInputNameValue = [this](const QString& type, QString* name, QString* value) {
        // The scanner's lists are brought up to date for the dialog, as for every element
        // dialog that may look at them.
        if (auto* parser = findChild<THTMLParser*>())
            parser->ParseHead();
        return TfrmCtrl::Execute(this, TCtrlMode::Element, type, name, value);
    };
}

void TfrmMain::cbHeaderStyleChange() {
    QuickListChange(*this, cbHeaderStyle, TQuickList::HeaderStyle);
}
void TfrmMain::cbFormElementChange() {
    QuickListChange(*this, cbFormElement, TQuickList::FormElement);
}
void TfrmMain::cbScriptTypeChange() {
    QuickListChange(*this, cbScriptType, TQuickList::ScriptType);
}
void TfrmMain::cbColdFusionChange() {
    QuickListChange(*this, cbColdFusion, TQuickList::ColdFusion);
}
void TfrmMain::cbActiveSPChange() {
    QuickListChange(*this, cbActiveSP, TQuickList::ActiveSP);
}
void TfrmMain::cbServerVarsChange() {
    QuickListChange(*this, cbServerVars, TQuickList::ServerVars);
}
void TfrmMain::cbSpecCharsChange() {
    QuickListChange(*this, cbSpecChars, TQuickList::SpecChars);
}
