// Editing aids of the source editor: the typed word, line-break keys, the macro, completion
// and the tag attribute editor.
#include "html/editingaids.h"
#include "app/RichEditEx.h"
#include "app/main2.h"
#include "app/rcstring.h"
#include "html/HTMLParser.h"
#include "html/completion.h"
#include "html/edittag.h"
#include "site/toolfunc.h"

#include <QFocusEvent>
#include <QFontInfo>
#include <QKeyEvent>
#include <QListWidget>
#include <QTabWidget>

#include <iterator>

using namespace Qt::StringLiterals;

namespace {

// The nominal size of the completion list; each opening starts from it again.
constexpr QSize kCompletionSize(250, 97);

// Routes the editor's and the completion list's keys and focus changes to the window's
// handlers. A separate object, so the window's own filter on the editor stays as it is.
class TEditingAidsFilter : public QObject {
public:
    TEditingAidsFilter(TEditingAids* aids, TfrmMain* window) : QObject(aids), A(aids), W(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == W->reSource && event->type() == QEvent::KeyPress)
            return EditorKey(static_cast<QKeyEvent*>(event));
        if (watched == A->lbCompletion) {
            switch (event->type()) {
            case QEvent::KeyPress: {
                bool swallowed = false;
                const int key = static_cast<QKeyEvent*>(event)->key();
                W->RunCommand([&] { swallowed = A->lbCompletionKeyPress(key); });
                return swallowed;
            }
            case QEvent::FocusOut: {
                // A popup or another window takes the focus only for a while.
                const auto reason = static_cast<QFocusEvent*>(event)->reason();
                if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
                    W->RunCommand([this] { A->lbCompletionExit(); });
                break;
            }
            default:
                break;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool EditorKey(QKeyEvent* event) {
        bool consumed = false;
        W->RunCommand([&] {
            consumed = A->reSourceKeyDown(event->key(), event->modifiers());
            if (consumed)
                return;
            // The characters the key types, as the editor is about to receive them.
            const QString text = event->text();
            for (QChar ch : text)
                A->reSourceKeyPress(ch);
        });
        return consumed;
    }

    TEditingAids* A;
    TfrmMain* W;
};

// "=rand()" and Enter: the macro just typed before the caret becomes the sample text.
bool ExpandRandMacro(TEditingAids* a, TfrmMain* w) {
    // Only when the macro really stands before the caret: the caret may have been moved with
    // the mouse since it was typed, and unrelated text must not be deleted.
    const int caret = w->reSource->SelStart();
    const int n = int(std::size(RandMacro)) - 1;
    if (a->TypedWord != QStringView(RandMacro) || w->reSource->isReadOnly() || caret < n ||
        w->reSource->Text().mid(caret - n, n) != QStringView(RandMacro))
        return false;
    w->reSource->Select(caret - n, n);
    w->reSource->ReplaceSelection(QString());
    a->TypedWord.clear();
    // The text brings Enter's own line break and the key goes no further: a line break the
    // editor typed on the empty line after the text would take two undo steps of its own.
    w->InsertText(RandText(LoadStr(sRandSentence)) + u'\n', 0, false);
    return true;
}

} // namespace

TEditingAids::TEditingAids(TfrmMain* window) : QObject(window), W(window) {
    setObjectName(u"EditingAids"_s);
    // Over the editor, in the editor's own parent, so it can be placed next to the caret.
    lbCompletion = new QListWidget(W->reSource->parentWidget());
    lbCompletion->setObjectName(u"lbCompletion"_s);
    lbCompletion->resize(kCompletionSize);
    lbCompletion->setFrameShape(QFrame::Box);
    lbCompletion->setFocusPolicy(Qt::ClickFocus);
    lbCompletion->setUniformItemSizes(true);
    lbCompletion->hide();
    auto* filter = new TEditingAidsFilter(this, W);
    W->reSource->installEventFilter(filter);
    lbCompletion->installEventFilter(filter);
    connect(lbCompletion, &QListWidget::itemDoubleClicked, this,
            [this] { W->RunCommand([this] { lbCompletionExit(); }); });
    W->Bind(W->acEditTag, [this] { acEditTagExecute(); });
}

bool TEditingAids::reSourceKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    const Qt::KeyboardModifiers mods = modifiers & ~Qt::KeypadModifier;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (mods == Qt::ShiftModifier) {
            W->InsertText(u"<br />"_s, 0, true);
            return true;
        }
        if (mods == (Qt::ShiftModifier | Qt::ControlModifier)) {
            W->InsertText(u"<br />"_s, 0, false);
            return true;
        }
        return mods == Qt::NoModifier && ExpandRandMacro(this, W);
    }
    TypedWord = TypedWordAfterKeyDown(TypedWord, key);
    return false;
}

void TEditingAids::reSourceKeyPress(QChar ch) {
    const bool editable = !W->reSource->isReadOnly();
    if (editable)
        W->reSource->SetModified(true);
    if (!IsSpaceChar(ch))
        TypedWord += ch;

    if (ch == u'=' && editable && OpensCompletion(TypedWord)) {
        // The list takes over; the "=" still reaches the editor after this handler.
        lbCompletionEnter();
        PlaceCompletionList();
        lbCompletion->show();
        lbCompletion->raise();
        lbCompletion->setFocus(Qt::OtherFocusReason);
    }

    if (IsSpaceChar(ch))
        TypedWord.clear();
}

void TEditingAids::PlaceCompletionList() {
    QWidget* parent = lbCompletion->parentWidget();
    const QRect editor(W->reSource->mapTo(parent, QPoint(0, 0)), W->reSource->size());
    const QPoint caret =
        W->reSource->viewport()->mapTo(W->reSource, W->reSource->cursorRect().topLeft());
    const int fontSize = QFontInfo(W->reSource->font()).pointSize();
    lbCompletion->setGeometry(::PlaceCompletionList(editor, kCompletionSize, caret, fontSize));
}

void TEditingAids::lbCompletionEnter() {
    FillCompletionList(CompletionAttrName(TypedWord));
    if (lbCompletion->count() == 0)
        lbCompletion->addItem(QString());
    // Rows are all alike (uniform sizes): the first row's height serves for all of them, and
    // a page of forty thousand links costs no forty thousand item changes.
    const int rowHeight = qMax(16, lbCompletion->fontMetrics().height());
    lbCompletion->item(0)->setSizeHint(QSize(0, rowHeight));
    lbCompletion->setCurrentRow(0);
    CompletionCaret = W->reSource->SelStart();
}

void TEditingAids::FillCompletionList(const QString& attrName) {
    // Values taken from the page need its lists as they are now; fixed lists need no scan.
    if (W->HpParser && ValuesFromPage(attrName))
        W->ScanShownPage();
    TValueSources sources;
    if (W->HpParser) {
        sources.CssClasses = W->HpParser->CssClasses();
        sources.HyperLinks = W->HpParser->HyperLinks();
        sources.Images = W->HpParser->Images();
    }
    if (attrName.compare(u"face", Qt::CaseInsensitive) == 0)
        sources.FontFamilies = InstalledFontFamilies();
    // Filling a list of forty thousand links costs a tenth of a second: the rows stay when the
    // values are those the list already holds.
    const QStringList values = AttributeValues(attrName, sources);
    if (lbCompletion->count() == values.size() && FShownValues == values)
        return;
    lbCompletion->clear();
    lbCompletion->addItems(values);
    FShownValues = values;
}

bool TEditingAids::lbCompletionKeyPress(int key) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        W->reSource->Select(CompletionCaret + 1, 0);
        const QListWidgetItem* item = lbCompletion->currentItem();
        const QString entry = item ? item->text() : QString();
        W->reSource->ReplaceSelection(CompletionInsertText(entry));
        if (const int back = CompletionCaretBack(entry))
            W->reSource->Select(W->reSource->SelStart() - back, 0);
        TypedWord.clear();
        break;
    }
    case Qt::Key_Escape:
    case Qt::Key_Tab:
        break;
    default:
        return false;
    }
    lbCompletionExit();
    return true;
}

void TEditingAids::lbCompletionExit() {
    if (lbCompletion->isHidden())
        return;
    // Focus first: hiding the focused list would hand the focus to some other control.
    W->reSource->setFocus(Qt::OtherFocusReason);
    lbCompletion->hide();
}

void TEditingAids::acEditTagExecute() {
    int start = -1;
    if (W->reSource->GetTagAtCaret(&start).isEmpty() || W->reSource->isReadOnly())
        return;
    // The head scan brings the class list up to date; the other lists keep the last full scan.
    TValueSources sources;
    if (W->HpParser) {
        W->HpParser->ParseHead();
        sources.CssClasses = W->HpParser->CssClasses();
        sources.HyperLinks = W->HpParser->HyperLinks();
        sources.Images = W->HpParser->Images();
    }
    sources.FontFamilies = InstalledFontFamilies();
    TfrmTag dlg(W->reSource, sources, W);
    // Over the side panel: from the left edge of the window's client area, as high as the panel.
    QWidget* side =
        W->pcNavigator->isVisible() ? static_cast<QWidget*>(W->pcNavigator) : W->reSource;
    const QPoint sideTop = side->mapToGlobal(QPoint(0, 0));
    dlg.move(W->mapToGlobal(QPoint(0, 0)).x(), sideTop.y());
    dlg.resize(qMax(dlg.width(), side->width()), side->height());
    if (dlg.FormCreate())
        Platform().ExecDialog(&dlg);
}

void TEditingAids::HideCompletionList() {
    lbCompletion->hide();
}
