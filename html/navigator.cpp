// The page navigator: the scanner's lists of the shown page, the scan's progress in the status
// bar, the tab named after the page title, and link validation.
#include "html/navigator.h"
#include "app/RichEditEx.h"
#include "app/documentset.h"
#include "app/icons.h"
#include "app/main2.h"
#include "app/textfile.h"
#include "html/HTMLParser.h"
#include "html/navigatorlogic.h"
#include "site/toolfunc.h"

#include <QApplication>
#include <QButtonGroup>
#include <QElapsedTimer>
#include <QHash>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QProgressBar>
#include <QScopeGuard>
#include <QSet>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// The role that holds a row's icon number, which is also its kind.
constexpr int kKindRole = Qt::UserRole;

// The icons of the row kinds, and for the kinds whose targets are checked a broken variant.
QIcon NavigatorIcon(int icon) {
    static const QHash<int, QString> keys = {
        {niHyperlink, u"a"_s}, {niImage, u"img"_s},   {niObject, u"object"_s},
        {niEmbed, u"embed"_s}, {niFrame, u"frame"_s}, {niClass, u"style"_s},
    };
    // Every row of a long list asks: made once per kind.
    static QHash<int, QIcon> cache;
    if (auto it = cache.constFind(icon); it != cache.constEnd())
        return *it;
    const int kind = ValidIcon(icon);
    const QString key = keys.value(kind, u"?"_s);
    const QIcon result = kind != icon ? BrokenCommandIcon(key) : CommandIcon(key);
    cache.insert(icon, result);
    return result;
}

void SetRowKind(QListWidgetItem* item, int icon) {
    item->setData(kKindRole, icon);
    item->setIcon(NavigatorIcon(icon));
}

// Sets the kinds of many rows of a list, telling its view once: told a row at a time, the view
// costs more than the link check itself on a page of thousands of broken links.
void SetRowKinds(QListWidget* list, QList<std::pair<int, int>>& rows) {
    if (rows.isEmpty())
        return;
    QAbstractItemModel* model = list->model();
    int first = rows.front().first, last = first;
    {
        const QSignalBlocker quiet(model);
        for (const auto& [row, icon] : std::as_const(rows)) {
            SetRowKind(list->item(row), icon);
            first = qMin(first, row);
            last = qMax(last, row);
        }
    }
    emit model->dataChanged(model->index(first, 0), model->index(last, 0),
                            {kKindRole, Qt::DecorationRole});
    rows.clear();
}

// The hot row of the element list is underlined, as a link would be.
class THotTrackDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (option->state & QStyle::State_MouseOver)
            option->font.setUnderline(true);
    }
};

} // namespace

TNavigator::TNavigator(TfrmMain* window) : QObject(window), W(window) {
    setObjectName(u"Navigator"_s);
    THTMLParser* HpParser = W->HpParser;
    // The handlers run inside the scan: nothing may escape them into the scanner.
    connect(HpParser, &THTMLParser::OnBeforeParse, this,
            [this](QObject* s) { W->RunCommand([&] { HpParserBeforeParse(s); }); });
    // Sent once per tag: a page of a hundred thousand tags pays for this lambda that many times,
    // so a percentage already shown costs one comparison.
    connect(HpParser, &THTMLParser::OnParse, this, [this](QObject* s, quint8 p) {
        if (p == FShownPercent)
            return;
        FShownPercent = p;
        W->RunCommand([&] { HpParserParse(s, p); });
    });
    connect(HpParser, &THTMLParser::OnAfterParse, this,
            [this](QObject* s) { W->RunCommand([&] { HpParserAfterParse(s); }); });

    CreateWidgets();

    connect(W, &TfrmMain::ShownPageChanged, this,
            [this](bool assigned) { W->RunCommand([&] { NavigatorRescan(assigned); }); });
    connect(W, &TfrmMain::AllDocumentsClosed, this, [this] {
        ++FContentGeneration;
        lvContent->clear();
        FLinksCheckedFor.clear();
        FKeptMarks.clear();
    });
    W->Bind(W->acUpdatePage, [this] { acUpdatePageExecute(); });
    W->Bind(W->acLinkValidate, [this] { acLinkValidateExecute(); });
    connect(lvContent, &QListWidget::itemClicked, this,
            [this] { W->RunCommand([this] { tvPageContentClick(); }); });
    connect(lvContent, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        pmAddClassPopup();
        W->pmAddClass->popup(lvContent->viewport()->mapToGlobal(pos));
    });
    connect(W->pmAddClass, &QMenu::aboutToShow, this, &TNavigator::pmAddClassPopup);
    connect(W->miAddCSSClass, &QAction::triggered, this,
            [this] { W->RunCommand([this] { lvContentDblClick(); }); });
    W->miAddCSSClass->setIcon(CommandIcon(u"style"_s));
}

void TNavigator::CreateWidgets() {
    QWidget* tsNavigator = W->tsNavigator;
    auto* split = new QSplitter(Qt::Vertical, tsNavigator);
    split->setObjectName(u"splNavigator"_s);
    split->setChildrenCollapsible(false);
    tsNavigator->layout()->addWidget(split);

    // The site browser's area; it is given its toolbar and items by the site browser.
    pnlSite = new QWidget(split);
    pnlSite->setObjectName(u"pnlSite"_s);
    auto* siteLayout = new QVBoxLayout(pnlSite);
    siteLayout->setContentsMargins(0, 0, 0, 0);
    siteLayout->setSpacing(0);
    lvSite = new QTreeWidget(pnlSite);
    lvSite->setObjectName(u"lvSite"_s);
    lvSite->setColumnCount(1);
    lvSite->setRootIsDecorated(false);
    lvSite->setHeaderLabels({QString()});
    siteLayout->addWidget(lvSite);

    auto* content = new QWidget(split);
    content->setObjectName(u"pnlContent"_s);
    auto* contentLayout = new QVBoxLayout(content);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    contentLayout->setSpacing(0);

    pnlUpdateBtn = new QWidget(content);
    pnlUpdateBtn->setObjectName(u"pnlUpdateBtn"_s);
    auto* btnLayout = new QHBoxLayout(pnlUpdateBtn);
    btnLayout->setContentsMargins(2, 2, 2, 2);
    sbUpdatePage = new QToolButton(pnlUpdateBtn);
    sbUpdatePage->setObjectName(u"sbUpdatePage"_s);
    sbUpdatePage->setDefaultAction(W->acUpdatePage);
    sbUpdatePage->setAutoRaise(true);
    sbUpdatePage->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    btnLayout->addWidget(sbUpdatePage);
    btnLayout->addStretch(1);
    contentLayout->addWidget(pnlUpdateBtn);

    tbrLinksMenu = new QToolBar(content);
    tbrLinksMenu->setObjectName(u"tbrLinksMenu"_s);
    tbrLinksMenu->setIconSize(QSize(16, 16));
    tbrLinksMenu->setMovable(false);
    tbrLinksMenu->setFloatable(false);
    auto* group = new QButtonGroup(tbrLinksMenu);
    group->setExclusive(true);
    QToolButton** buttons[] = {&tbPageAnchors, &tbPageImages, &tbPageObjects,
                               &tbPageEmbeds,  &tbPageFrames, &tbPageClasses};
    int n = 0;
    for (const TNavigatorKind& kind : NavigatorKinds()) {
        auto* b = new QToolButton(tbrLinksMenu);
        b->setObjectName(QString::fromLatin1(kind.Name));
        b->setToolTip(QString::fromUtf16(kind.Hint));
        b->setIcon(NavigatorIcon(kind.Icon));
        b->setCheckable(true);
        b->setAutoRaise(true);
        b->setProperty("Kind", kind.Icon);
        group->addButton(b);
        tbrLinksMenu->addWidget(b);
        connect(b, &QToolButton::clicked, this,
                [this, b] { W->RunCommand([this, b] { tbPageImagesClick(b); }); });
        *buttons[n++] = b;
    }
    tbPageAnchors->setChecked(true);
    contentLayout->addWidget(tbrLinksMenu);

    lvContent = new QListWidget(content);
    lvContent->setObjectName(u"lvContent"_s);
    lvContent->setUniformItemSizes(true); // one line and one icon a row: no per-row measuring
    lvContent->setProperty("HelpContext", 2017);
    lvContent->setSelectionMode(QAbstractItemView::SingleSelection);
    lvContent->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvContent->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvContent->setIconSize(QSize(16, 16));
    lvContent->setMouseTracking(true);
    lvContent->viewport()->setAttribute(Qt::WA_Hover);
    lvContent->viewport()->setCursor(Qt::PointingHandCursor);
    lvContent->setItemDelegate(new THotTrackDelegate(lvContent));
    lvContent->setContextMenuPolicy(Qt::CustomContextMenu);
    contentLayout->addWidget(lvContent, 1);

    split->addWidget(pnlSite);
    split->addWidget(content);
    split->setSizes({1, 1});

    pbParse = new QProgressBar(W->sbStatus);
    pbParse->setObjectName(u"pbParse"_s);
    pbParse->setRange(0, 100);
    pbParse->setTextVisible(true);
    pbParse->hide();
}

QString TNavigator::ActiveDocumentPath() const {
    return W->Documents->CurrentPath();
}

void TNavigator::NavigatorRescan(bool fileNameAssigned) {
    if (W->HpParser->IsParsing()) {
        // The page changed under a running scan (messages are processed while it reports):
        // its results belong to the page that was shown, so scan again once it has ended.
        FNavigatorRescanPending = true;
        return;
    }
    const int i = W->CurrentIndex();
    if (i < 0)
        return;
    FLinksCheckedFor.clear(); // another page, or the same under another name
    if (fileNameAssigned) {
        // After Save As: the file as written is scanned.
        W->HpParser->setFileName(W->Documents->At(i)->Path());
    } else {
        W->HpParser->AssignFileName(W->Documents->At(i)->Path());
        W->ScanShownPage();
    }
}

void TNavigator::acUpdatePageExecute() {
    // The files on disk may have changed: the marks are checked again too.
    FLinksCheckedFor.clear();
    FKeptMarks.clear();
    W->ScanShownPage(true);
}

namespace {
// How long a scan runs before the window handles pending messages in it.
constexpr qint64 kParseMessagesAfterMs = 25;
} // namespace

void TNavigator::HpParserBeforeParse(QObject*) {
    FShownPercent = -1;
    W->SetStatusText(0, u"Анализ файла"_s);
    FParsePercent = -1;
    FParseClock.start();
    pbParse->setGeometry(352, 3, qMax(W->sbPanels[1]->width() - 4, 10), 15);
    pbParse->setValue(0);
    pbParse->show();
    pbParse->raise();
    // The indicator follows every tag, but a progress bar repaints itself at once on each new
    // value; it is painted only when the window gets to handle messages during the scan.
    pbParse->setUpdatesEnabled(false);
    W->sbStatus->repaint();
}

void TNavigator::HpParserParse(QObject*, quint8 percentDone) {
    // Once per tag would mean thousands of event-loop turns on a large page; once per percent
    // keeps the window responsive at a fraction of the cost. A scan too short for anyone to
    // notice (the rescan behind completion, say) is not interrupted at all.
    if (pbParse)
        pbParse->setValue(percentDone);
    if (percentDone != FParsePercent && FParseClock.elapsed() >= kParseMessagesAfterMs) {
        FParsePercent = percentDone;
        pbParse->setUpdatesEnabled(true);
        QCoreApplication::processEvents();
        if (pbParse)
            pbParse->setUpdatesEnabled(false);
        FParseClock.start();
    }
}

void TNavigator::HpParserAfterParse(QObject*) {
    pbParse->hide();
    pbParse->setUpdatesEnabled(true);
    W->SetStatusText(0, QString());
    W->sbStatus->repaint();
    if (FNavigatorRescanPending) {
        QMetaObject::invokeMethod(
            this,
            [this] {
                W->RunCommand([this] {
                    if (!FNavigatorRescanPending)
                        return;
                    FNavigatorRescanPending = false;
                    NavigatorRescan(false);
                });
            },
            Qt::QueuedConnection);
        return;
    }
    const int i = W->CurrentIndex();
    if (i < 0) {
        lvContent->clear();
        return;
    }
    W->SetTabCaption(i, NavigatorTabCaption(W->HpParser->PageTitle(), W->Documents->At(i)->Path()));
    tbPageAnchors->setChecked(true);
    tbPageImagesClick(tbPageAnchors);
}

void TNavigator::tbPageImagesClick(QToolButton* sender) {
    if (!sender)
        return;
    sender->setChecked(true);
    const int icon = sender->property("Kind").toInt();
    const QStringList entries = NavigatorEntries(*W->HpParser, icon);
    // Every rescan (completion runs one per "=") lands here; a list that has not changed keeps
    // its rows, and only the marks of broken targets are checked again below.
    bool same = FContentKind == icon && lvContent->count() == entries.size();
    for (int row = 0; same && row < entries.size(); ++row)
        same = lvContent->item(row)->text() == entries[row];
    const QString page = ActiveDocumentPath();
    // Back on a page whose list is as it was last checked: its marks are taken from then.
    const auto kept = FKeptMarks.constFind(page + u'\n' + QString::number(icon));
    const bool reuse = kept != FKeptMarks.constEnd() && kept->Entries == entries;
    if (!same) {
        ++FContentGeneration;
        lvContent->setUpdatesEnabled(false);
        lvContent->clear();
        for (qsizetype row = 0; row < entries.size(); ++row) {
            // Made whole before it joins the list: a row's changes inside the list each tell
            // the view, which on a page of thousands of links costs more than the rows.
            auto* item = new QListWidgetItem(entries[row]);
            SetRowKind(item, reuse ? kept->Kinds[row] : icon);
            lvContent->addItem(item);
        }
        lvContent->setUpdatesEnabled(true);
        FContentKind = icon;
    } else if (reuse && FLinksCheckedFor != page) {
        // Another page with the very same list: its own marks, not the last page's.
        for (int row = 0; row < lvContent->count(); ++row)
            if (lvContent->item(row)->data(kKindRole).toInt() != kept->Kinds[row])
                SetRowKind(lvContent->item(row), kept->Kinds[row]);
    }
    if (reuse)
        FLinksCheckedFor = page;
    // The marks of an unchanged list of the same page are still right: typing elsewhere in the
    // page (completion rescans on every "=") costs no trip to the disk.
    if ((same || reuse) && !FLinksCheckedFor.isEmpty() && FLinksCheckedFor == page)
        return;
    for (const TNavigatorKind& kind : NavigatorKinds())
        if (kind.Icon == icon && kind.Validated)
            acLinkValidateExecute();
}

namespace {
// How long a link check runs before the window paints and handles input again.
constexpr qint64 kCheckMessagesEveryMs = 50;
} // namespace

void TNavigator::acLinkValidateExecute() {
    const TPathCaseBatch batch; // every folder is listed at most once for the whole list
    const QString page = ActiveDocumentPath();
    const QStringList& anchorList = W->HpParser->AnchorNames();
    const QSet<QString> anchors(anchorList.cbegin(), anchorList.cend());
    const quint64 generation = FContentGeneration;
    QElapsedTimer clock;
    clock.start();
    QList<std::pair<int, int>> changed; // rows and their new kinds, not yet shown
    for (int row = 0; row < lvContent->count(); ++row) {
        QListWidgetItem* item = lvContent->item(row);
        const int icon = item->data(kKindRole).toInt();
        // Objects and classes have no broken icon: their rows are never touched.
        if (BrokenIcon(icon) == icon && ValidIcon(icon) == icon)
            continue;
        const int validated = ValidatedIcon(item->text(), icon, anchors, page);
        if (validated != icon)
            changed.append({row, validated});
        if (clock.elapsed() >= kCheckMessagesEveryMs) {
            // A long check keeps the window painting, with the marks found so far. The list
            // may be rebuilt meanwhile (a rescan, a closed page): then this check is over, the
            // new list has its own.
            SetRowKinds(lvContent, changed);
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            if (generation != FContentGeneration || ActiveDocumentPath() != page)
                return;
            clock.start();
        }
    }
    SetRowKinds(lvContent, changed);
    FLinksCheckedFor = page;
    TKeptMarks marks;
    for (int row = 0; row < lvContent->count(); ++row) {
        marks.Entries << lvContent->item(row)->text();
        marks.Kinds << lvContent->item(row)->data(kKindRole).toInt();
    }
    FKeptMarks.insert(page + u'\n' + QString::number(FContentKind), marks);
}

void TNavigator::SelectFound(const QString& text, int extra) {
    const int pos = FindTextNoCase(W->reSource->Text(), text);
    // Nothing found leaves the selection as it is.
    if (pos >= 0)
        W->reSource->Select(pos, int(text.size()) + extra);
    W->reSource->setFocus();
}

void TNavigator::OpenNavigatorTarget(const QString& path) {
    // The page shown already stays as it is: showing it again would put back the text stored
    // at the last switch over the edits made since.
    const int open = W->FindDocument(path);
    if (open >= 0 && open == W->CurrentIndex())
        return;
    const auto clear = qScopeGuard([this] { W->PendingPath.clear(); });
    W->PendingPath = path;
    W->OpenDocument(osGivenPath);
}

void TNavigator::tvPageContentClick() {
    QListWidgetItem* item = lvContent->currentItem();
    if (!item || !item->isSelected())
        return;
    // The list is rebuilt when a page opens: take what the row says first.
    const QString caption = item->text();
    const int icon = item->data(kKindRole).toInt();
    switch (icon) {
    case niHyperlink:
    case niEmbed:
    case niFrame: {
        const QString path = LinkTargetPath(caption, ActiveDocumentPath());
        if (path.isEmpty() || !IsHtmlFile(path))
            return;
        OpenNavigatorTarget(path);
        break;
    }
    case niImage:
    case niObject:
        // The name and the character after it, usually the closing quote.
        SelectFound(caption, 1);
        break;
    case niClass:
        FindClass(caption);
        break;
    case niEmbedBroken:
    case niHyperlinkBroken:
    case niImageBroken:
    case niFrameBroken:
        SelectFound(caption, 0);
        break;
    default:
        break;
    }
}

void TNavigator::FindClass(const QString& name) {
    const QString rule = u"."_s + name;
    const int here = FindTextNoCase(W->reSource->Text(), rule);
    if (here >= 0) {
        W->reSource->setFocus();
        W->reSource->Select(here + 1, int(name.size()));
        return;
    }
    const QString page = ActiveDocumentPath();
    // Opening the sheet rescans and replaces the scanner's lists: walk a copy.
    const QStringList sheets = W->HpParser->StyleSheets();
    for (const QString& sheet : sheets) {
        // An address on the net is no file to read.
        if (HasUrlScheme(sheet))
            continue;
        const QString path = LinkTargetPath(sheet, page);
        if (path.isEmpty())
            continue;
        // A sheet that cannot be read stops the search with the system's message.
        const int pos = FindTextNoCase(ReadTextFile(path), rule);
        if (pos < 0)
            continue;
        OpenNavigatorTarget(path);
        W->reSource->setFocus();
        // The sheet may be open already with edits of its own: place the selection in the
        // text the editor shows.
        const int shown = FindTextNoCase(W->reSource->Text(), rule);
        W->reSource->Select((shown >= 0 ? shown : pos) + 1, int(name.size()));
        return;
    }
}

void TNavigator::pmAddClassPopup() {
    W->miAddCSSClass->setEnabled(W->DocumentCount() > 0 && tbPageClasses->isChecked());
}

void TNavigator::lvContentDblClick() {
    if (ShowClassEditor)
        ShowClassEditor();
}
