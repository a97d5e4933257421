#include "site/findreplace.h"

#include "app/RichEditEx.h"
#include "app/main2.h"
#include "app/rcstring.h"
#include "app/textfile.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFocusEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <exception>

using namespace Qt::StringLiterals;

namespace {

QWidget* MakePanel(const QString& name, QWidget* parent) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(name);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    return panel;
}

QCheckBox* MakeCheckBox(const QString& name, const QString& caption, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    return box;
}

QToolButton* MakeButton(const QString& name, QAction* action, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setDefaultAction(action);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return button;
}

} // namespace

TFindReplace::TFindReplace(TfrmMain* window) : QObject(window), W(window) {
    setObjectName(QStringLiteral("FindReplace"));
    BuildPage();

    W->Bind(W->acFind, [this] { acFindExecute(); });
    W->Bind(W->acReplace, [this] { acReplaceExecute(); });
    // Checked while the results panel is open; triggering toggles the mark, then the panel.
    W->acFoundFiles->setCheckable(true);
    W->acFoundFiles->setChecked(false);
    W->Bind(W->acFoundFiles, [this] { acFoundFilesExecute(); });

    QTreeWidget* lv = W->lvSearchResults;
    lv->setSelectionBehavior(QAbstractItemView::SelectRows);
    lv->setSelectionMode(QAbstractItemView::SingleSelection);
    lv->setUniformRowHeights(true); // many rows of long lines stay cheap to lay out
    lv->setMaximumHeight(300);
    lv->setEditTriggers(QAbstractItemView::NoEditTriggers);
    W->splEditorFind->setCollapsible(1, false);
    connect(lv, &QTreeWidget::itemDoubleClicked, this,
            [this] { W->RunCommand([this] { lvSearchResultsDblClick(); }); });

    connect(W->pcNavigator, &QTabWidget::currentChanged, this, [this] {
        if (W->pcNavigator->currentWidget() != W->tsFind)
            return;
        ProjectStateChanged();
        tsFindShow();
        // Typing goes to the find field, and the edit commands follow it there.
        if (W->isActiveWindow())
            W->edFindText->setFocus(Qt::OtherFocusReason);
    });
    W->edFindText->installEventFilter(this);
    // The project commands change their state when a project opens or closes.
    connect(W->acEditProject, &QAction::changed, this, &TFindReplace::ProjectStateChanged);
    ProjectStateChanged();
}

void TFindReplace::BuildPage() {
    QWidget* page = W->tsFind;
    auto* layout = qobject_cast<QVBoxLayout*>(page->layout());
    layout->setSpacing(4);

    pnlFindText = MakePanel(u"pnlFindText"_s, page);
    lblFindText = new QLabel(u"Искать текст:"_s, pnlFindText);
    lblFindText->setObjectName(u"lblFindText"_s);
    lblFindText->setBuddy(W->edFindText);
    pnlFindText->layout()->addWidget(lblFindText);
    W->edFindText->setParent(pnlFindText);
    pnlFindText->layout()->addWidget(W->edFindText);
    layout->addWidget(pnlFindText);

    pnlReplaceWith = MakePanel(u"pnlReplaceWith"_s, page);
    lblReplaceWith = new QLabel(u"Заменить на:"_s, pnlReplaceWith);
    lblReplaceWith->setObjectName(u"lblReplaceWith"_s);
    lblReplaceWith->setBuddy(W->edReplaceWith);
    pnlReplaceWith->layout()->addWidget(lblReplaceWith);
    W->edReplaceWith->setParent(pnlReplaceWith);
    pnlReplaceWith->layout()->addWidget(W->edReplaceWith);
    layout->addWidget(pnlReplaceWith);

    chkMatchCase = MakeCheckBox(u"chkMatchCase"_s, u"Учитывать регистр"_s, page);
    chkWholeWord = MakeCheckBox(u"chkWholeWord"_s, u"Слово целиком"_s, page);
    chkFromCursor = MakeCheckBox(u"chkFromCursor"_s, u"От курсора"_s, page);
    chkFromCursor->setToolTip(u"По умолчанию текст ищется от начала страницы"_s);
    chkReplaceAll = MakeCheckBox(u"chkReplaceAll"_s, u"Заменить все"_s, page);
    chkEntireSite = MakeCheckBox(u"chkEntireSite"_s, u"По всему проекту"_s, page);
    chkReplacePromt = MakeCheckBox(u"chkReplacePromt"_s, u"Подтверждать  замену"_s, page);
    for (QCheckBox* box :
         {chkMatchCase, chkWholeWord, chkFromCursor, chkReplaceAll, chkEntireSite, chkReplacePromt})
        layout->addWidget(box);

    pnlFindButtons = MakePanel(u"pnlFindButtons"_s, page);
    sbFind = MakeButton(u"sbFind"_s, W->acFind, pnlFindButtons);
    sbReplace = MakeButton(u"sbReplace"_s, W->acReplace, pnlFindButtons);
    pnlFindButtons->layout()->addWidget(sbFind);
    pnlFindButtons->layout()->addWidget(sbReplace);
    layout->addSpacing(4);
    layout->addWidget(pnlFindButtons);
    layout->addStretch(1);
}

bool TFindReplace::eventFilter(QObject* watched, QEvent* event) {
    if (watched == W->edFindText && event->type() == QEvent::FocusIn) {
        // The user entering the field (click, Tab, its label's shortcut); focus given back by
        // the window system or set by the program leaves the text as it is.
        switch (static_cast<QFocusEvent*>(event)->reason()) {
        case Qt::MouseFocusReason:
        case Qt::TabFocusReason:
        case Qt::BacktabFocusReason:
        case Qt::ShortcutFocusReason:
            tsFindShow();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

TFindOptions TFindReplace::Options() const {
    return {chkMatchCase->isChecked(), chkWholeWord->isChecked()};
}

QString TFindReplace::ProjectRoot() const {
    return W->ProjectRootDir ? W->ProjectRootDir() : QString();
}

int TFindReplace::SearchStart() const {
    return chkFromCursor->isChecked() ? W->reSource->SelStart() + W->reSource->SelLength() : 0;
}

void TFindReplace::ProjectStateChanged() {
    const bool open = !ProjectRoot().isEmpty();
    chkEntireSite->setEnabled(open);
    if (!open)
        chkEntireSite->setChecked(false);
}

void TFindReplace::tsFindShow() {
    QString text = W->reSource->SelText();
    if (text.isEmpty()) {
        int start = 0;
        text = W->reSource->GetWordAtCaret(&start);
    }
    // The field holds one line.
    const qsizetype lineEnd = text.indexOf(u'\n');
    if (lineEnd >= 0)
        text.truncate(lineEnd);
    W->edFindText->setText(text);
}

void TFindReplace::RunExclusive(const std::function<void()>& job) {
    struct TGuard {
        TFindReplace* F;
        explicit TGuard(TFindReplace* f) : F(f) {
            F->FBusy = true;
            F->W->acFind->setEnabled(false);
            F->W->acReplace->setEnabled(false);
        }
        ~TGuard() {
            F->W->acFind->setEnabled(true);
            F->W->acReplace->setEnabled(true);
            F->FBusy = false;
        }
    } guard(this);
    job();
}

void TFindReplace::acFindExecute() {
    // An empty text would match everywhere: it finds nothing.
    if (FBusy || W->edFindText->text().isEmpty())
        return;
    RunExclusive([this] {
        if (chkEntireSite->isChecked())
            FindInProject();
        else
            FindInPage();
    });
}

void TFindReplace::acReplaceExecute() {
    if (FBusy || W->edFindText->text().isEmpty())
        return;
    RunExclusive([this] {
        if (chkEntireSite->isChecked())
            ReplaceInProject();
        else
            ReplaceInPage();
    });
}

void TFindReplace::FindInPage() {
    const QString what = W->edFindText->text();
    const QString text = W->reSource->Text();
    TTextMatcher matcher(what, Options());
    matcher.SetText(text);
    const qsizetype p = matcher.Next(SearchStart());
    if (p < 0)
        return;
    W->reSource->setFocus();
    W->reSource->Select(int(p), int(what.size()));
    // The next Find goes on after this one.
    chkFromCursor->setChecked(true);
}

void TFindReplace::ReplaceInPage() {
    TRichEditEx* editor = W->reSource;
    // A read-only page (or the empty workspace) refuses edits: nothing is replaced.
    if (editor->isReadOnly())
        return;
    const QString what = W->edFindText->text();
    const QString with = W->edReplaceWith->text();
    const TTextMatcher matcher(what, Options());
    QString text = editor->Text();
    int start = SearchStart();

    if (!chkReplaceAll->isChecked()) {
        TTextMatcher m = matcher;
        m.SetText(text);
        const qsizetype p = m.Next(start);
        if (p < 0)
            return;
        editor->setFocus();
        editor->Select(int(p), int(what.size()));
        editor->ReplaceSelection(with);
        return;
    }

    if (!chkReplacePromt->isChecked()) {
        // One edit block: one undo step. Each occurrence is its own small edit, so only the
        // lines that change are laid out again; taking out and putting back the whole span
        // between the first and the last occurrence costs more on a large page.
        const TReplaceAllResult r = ReplaceAll(text, start, matcher, with);
        if (r.Count == 0)
            return;
        editor->setFocus();
        QTextCursor c(editor->document());
        const qsizetype growth = with.size() - what.size();
        qsizetype shift = 0;
        c.beginEditBlock();
        for (qsizetype p : r.Positions) {
            c.setPosition(int(p + shift));
            c.setPosition(int(p + shift + what.size()), QTextCursor::KeepAnchor);
            c.insertText(with);
            shift += growth;
        }
        c.endEditBlock();
        editor->setTextCursor(c);
        return;
    }

    // Asked one by one; the replacements still make one undo step together.
    bool replacedAny = false;
    TTextMatcher m = matcher;
    for (;;) {
        m.SetText(text);
        const qsizetype p = m.Next(start);
        if (p < 0)
            break;
        editor->setFocus();
        editor->Select(int(p), int(what.size()));
        editor->ensureCursorVisible();
        if (AskYesNo(W, FormatStr(sReplaceThisOne, what)) != TAnswer::Yes) {
            start = int(p + what.size());
            continue;
        }
        QTextCursor c = editor->textCursor();
        if (replacedAny)
            c.joinPreviousEditBlock();
        else
            c.beginEditBlock();
        c.insertText(with);
        c.endEditBlock();
        editor->setTextCursor(c);
        replacedAny = true;
        text.replace(p, what.size(), with);
        start = int(p + with.size());
    }
}

void TFindReplace::WalkProject(const QString& progressText,
                               const std::function<void(const QString&)>& perFile) {
    const QStringList files = ProjectTextFiles(ProjectRoot());
    const QString statusBefore = W->StatusText(0);
    struct TRestore {
        TfrmMain* W;
        QString Text;
        ~TRestore() { W->SetStatusText(0, Text); }
    } restore{W, statusBefore};
    QElapsedTimer sincePaint;
    sincePaint.start();
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (sincePaint.elapsed() >= PaintIntervalMs) {
            // Only painting and timers: input waits, so nothing starts a second walk meanwhile.
            W->SetStatusText(0, progressText.arg(i + 1).arg(files.size()));
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            sincePaint.restart();
        }
        perFile(files[i]);
    }
}

void TFindReplace::FindInProject() {
    const QString root = ProjectRoot();
    if (root.isEmpty())
        return;
    QTreeWidget* lv = W->lvSearchResults;
    lv->clear();
    const TTextMatcher matcher(W->edFindText->text(), Options());
    auto showRows = [this, lv] {
        if (lv->topLevelItemCount() > 0 && !W->acFoundFiles->isChecked())
            ShowResultsPanel(true);
    };
    try {
        WalkProject(u"Поиск в файлах проекта: %1 из %2"_s, [&](const QString& path) {
            const QList<TFoundLine> rows = FindInFile(path, matcher);
            if (rows.isEmpty())
                return;
            const QString file = RelativeRowPath(root, path);
            QList<QTreeWidgetItem*> items;
            items.reserve(rows.size());
            for (const TFoundLine& row : rows) {
                auto* item = new QTreeWidgetItem(QStringList{file, row.Text});
                item->setData(0, kLineRole, int(row.Line));
                items.append(item);
            }
            lv->addTopLevelItems(items);
        });
    } catch (const EFileError&) {
        // The rows found before the failure stay and are shown with its message.
        showRows();
        throw;
    }
    showRows();
}

void TFindReplace::ReplaceInProject() {
    if (ProjectRoot().isEmpty())
        return;
    // The open documents are read back from their files afterwards, so edits not saved yet
    // would be lost without a word: each modified document is offered for saving first, and
    // "Отмена" stops the replace before any file is touched.
    if (!W->SaveModifiedDocuments())
        return;
    const TTextMatcher matcher(W->edFindText->text(), Options());
    const QString with = W->edReplaceWith->text();
    std::exception_ptr failure;
    try {
        WalkProject(u"Замена в файлах проекта: %1 из %2"_s,
                    [&](const QString& path) { ReplaceInFile(path, matcher, with); });
    } catch (const EFileError&) {
        failure = std::current_exception();
    }
    // Files changed before a failure keep their changes: the open documents show them too.
    W->ReloadDocumentTexts();
    if (failure)
        std::rethrow_exception(failure);
}

void TFindReplace::acFoundFilesExecute() {
    ShowResultsPanel(W->acFoundFiles->isChecked());
}

void TFindReplace::ShowResultsPanel(bool shown) {
    QSplitter* spl = W->splEditorFind;
    const QList<int> sizes = spl->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    W->acFoundFiles->setChecked(shown);
    if (shown) {
        spl->handle(1)->setEnabled(true);
        spl->setSizes({qMax(total - FResultsHeight, 0), FResultsHeight});
    } else {
        FResultsHeight = W->lvSearchResults->height();
        // Its minimum height keeps a strip of the list in sight.
        spl->setSizes({total, 0});
        spl->handle(1)->setEnabled(false);
    }
}

void TFindReplace::lvSearchResultsDblClick() {
    const QString root = ProjectRoot();
    QTreeWidgetItem* item = W->lvSearchResults->currentItem();
    if (root.isEmpty() || !item)
        return;
    const QString path = root + u'/' + QDir::fromNativeSeparators(item->text(0));
    struct TClear {
        TfrmMain* W;
        ~TClear() { W->PendingPath.clear(); }
    } clear{W};
    // A file gone since the find is passed over without a word.
    W->PendingPath = path;
    W->OpenDocument(osGivenPath);
    const int index = W->FindDocument(path);
    if (index < 0)
        return;
    W->SelectDocument(index);

    // The row's line when it still holds the text found there; else the first place that
    // holds that text (the file may have changed since); else the start of the page.
    const QString lineText = item->text(1);
    const int line = item->data(0, kLineRole).toInt();
    int caret = 0;
    const QTextBlock block = W->reSource->document()->findBlockByNumber(line);
    if (block.isValid() && block.text() == lineText) {
        caret = block.position();
    } else {
        const qsizetype at = W->reSource->Text().indexOf(lineText);
        caret = at < 0 ? 0 : int(at);
    }
    W->reSource->setFocus();
    W->reSource->Select(caret, 0);
    W->reSource->centerCursor();
}
