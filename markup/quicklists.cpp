// The quick-insert lists of the tag toolbar.
#include "markup/quicklists.h"
#include "app/RichEditEx.h"
#include "app/main2.h"
#include "app/platform.h"
#include "html/HTMLParser.h"
#include "markup/ctrl.h"
#include "markup/quicklistdata.h"
#include "widgets/fitwidth.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QScopeGuard>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTextCursor>
#include <QTextDocument>
#include <QtMath>

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

namespace {

// A list as wide as fourteen characters and an icon, whatever its entries: the size QComboBox
// gives for AdjustToMinimumContentsLengthWithIcon. Asking QComboBox for that policy makes the
// list's popup at once; seven popups at every start, for lists mostly never opened, cost more
// than the rest of the tag toolbar. Here the popup is made when the list first opens.
class TQuickListBox : public QComboBox {
public:
    using QComboBox::QComboBox;

    QSize sizeHint() const override { return ContentsHint(); }
    QSize minimumSizeHint() const override { return ContentsHint(); }

private:
    QSize ContentsHint() const {
        const QFontMetrics fm = fontMetrics();
        const QSize icon = iconSize();
        QSize hint(minimumContentsLength() * fm.horizontalAdvance(u'X') + icon.width() + 4,
                   qMax(qCeil(QFontMetricsF(fm).height()), 14) + 2);
        hint.setHeight(qMax(hint.height(), icon.height() + 2));
        QStyleOptionComboBox opt;
        initStyleOption(&opt);
        return style()->sizeFromContents(QStyle::CT_ComboBox, &opt, hint, this);
    }
};

QComboBox* MakeQuickList(const QString& name, const QString& hint, QWidget* parent) {
    auto* cb = new TQuickListBox(parent);
    cb->setObjectName(name);
    cb->setToolTip(hint);
    cb->setMinimumContentsLength(14);
    return cb;
}

} // namespace

TQuickLists::TQuickLists(TfrmMain* window) : QObject(window), W(window) {
    setObjectName(u"QuickLists"_s);
    cbHeaderStyle = MakeQuickList(u"cbHeaderStyle"_s, u"Стиль"_s, W);
    cbFormElement = MakeQuickList(u"cbFormElement"_s, u"Элементы web-форм"_s, W);
    cbScriptType = MakeQuickList(u"cbScriptType"_s, u"Язык сценария"_s, W);
    cbColdFusion = MakeQuickList(u"cbColdFusion"_s, u"Расширения Cold Fusion"_s, W);
    cbActiveSP = MakeQuickList(u"cbActiveSP"_s, u"Microsoft Active Server Pages"_s, W);
    cbServerVars = MakeQuickList(u"cbServerVars"_s, u"Переменные окружения"_s, W);
    cbSpecChars = MakeQuickList(u"cbSpecChars"_s, u"Специальные символы"_s, W);
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
    auto bind = [this](QComboBox* list, void (TQuickLists::*handler)()) {
        // activated, not currentIndexChanged: choosing the entry already shown (the heading
        // list keeps its entry when nothing was selected) must act as well.
        connect(list, &QComboBox::activated, this,
                [this, handler] { W->RunCommand([this, handler] { (this->*handler)(); }); });
    };
    bind(cbHeaderStyle, &TQuickLists::cbHeaderStyleChange);
    bind(cbFormElement, &TQuickLists::cbFormElementChange);
    bind(cbScriptType, &TQuickLists::cbScriptTypeChange);
    bind(cbColdFusion, &TQuickLists::cbColdFusionChange);
    bind(cbActiveSP, &TQuickLists::cbActiveSPChange);
    bind(cbServerVars, &TQuickLists::cbServerVarsChange);
    bind(cbSpecChars, &TQuickLists::cbSpecCharsChange);

    W->AskInputNameValue = [this](const QString& type, QString* name, QString* value) {
        // The scanner's lists are brought up to date for the dialog, as for every element
        // dialog that may look at them.
        if (W->HpParser)
            W->HpParser->ParseHead();
        return TfrmCtrl::Execute(W, TCtrlMode::Element, type, name, value);
    };
}

void TQuickLists::Reset() {
    for (QComboBox* cb : {cbColdFusion, cbHeaderStyle, cbActiveSP, cbScriptType, cbServerVars,
                          cbSpecChars, cbFormElement})
        if (cb->count() > 0)
            cb->setCurrentIndex(0);
    cbHeaderStyle->setEnabled(false);
}

void TQuickLists::SelectionChanged(bool selected) {
    cbHeaderStyle->setEnabled(selected);
}

void TQuickLists::cbHeaderStyleChange() {
    QuickListChange(*W, cbHeaderStyle, TQuickList::HeaderStyle);
}
void TQuickLists::cbFormElementChange() {
    QuickListChange(*W, cbFormElement, TQuickList::FormElement);
}
void TQuickLists::cbScriptTypeChange() {
    QuickListChange(*W, cbScriptType, TQuickList::ScriptType);
}
void TQuickLists::cbColdFusionChange() {
    QuickListChange(*W, cbColdFusion, TQuickList::ColdFusion);
}
void TQuickLists::cbActiveSPChange() {
    QuickListChange(*W, cbActiveSP, TQuickList::ActiveSP);
}
void TQuickLists::cbServerVarsChange() {
    QuickListChange(*W, cbServerVars, TQuickList::ServerVars);
}
void TQuickLists::cbSpecCharsChange() {
    QuickListChange(*W, cbSpecChars, TQuickList::SpecChars);
}
