#include "html/edittag.h"
#include "widgets/dialogbuttons.h"

#include "app/RichEditEx.h"
#include "app/platform.h"
#include "html/HTMLTag.h"
#include "html/edittaglogic.h"
#include "markup/ctrl.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

QStringList InstalledFontFamilies() {
    QStringList families = QFontDatabase::families();
    families.sort(Qt::CaseInsensitive);
    return families;
}

namespace {

// Focus that leaves for a popup (the drop-down's own list, a context menu) or for another
// window comes back; only a real move to another control ends an edit.
bool EndsEdit(const QEvent* event) {
    const auto reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
}

// The drop-down's list is a popup window of its own, so the walk goes on across windows.
bool IsInside(const QWidget* widget, const QWidget* ancestor) {
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (w == ancestor)
            return true;
    return false;
}

bool IsEnterOrEscape(const QEvent* event) {
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}

QTableWidgetItem* MakeCell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace

TfrmTag::TfrmTag(TRichEditEx* editor, const TValueSources& sources, QWidget* parent)
    : QDialog(parent), FSource(editor), FSources(sources) {
    setObjectName(u"frmTag"_s);
    setWindowTitle(u"Правка тега"_s);
    // A plain dialog frame with a title and no frame buttons; a utility window might not get the
    // keyboard on every window manager.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setProperty("HelpContext", 2012);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(4, 4, 4, 4);
    root->setSpacing(4);

    edTagName = new QLineEdit(this);
    edTagName->setObjectName(u"edTagName"_s);
    edTagName->setMaxLength(30);
    root->addWidget(edTagName);

    sgProperties = new QTableWidget(0, 2, this);
    sgProperties->setObjectName(u"sgProperties"_s);
    sgProperties->setHorizontalHeaderLabels({u"Атрибут"_s, u"Значение"_s});
    sgProperties->verticalHeader()->hide();
    sgProperties->horizontalHeader()->setDefaultSectionSize(97);
    sgProperties->horizontalHeader()->setStretchLastSection(true);
    const int rowHeight = qMax(16, fontMetrics().height() + 2);
    sgProperties->verticalHeader()->setMinimumSectionSize(rowHeight);
    sgProperties->verticalHeader()->setDefaultSectionSize(rowHeight);
    sgProperties->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgProperties->setSelectionMode(QAbstractItemView::SingleSelection);
    sgProperties->setContextMenuPolicy(Qt::CustomContextMenu);
    root->addWidget(sgProperties, 1);

    cbList = new QComboBox(this);
    cbList->setObjectName(u"cbList"_s);
    cbList->setInsertPolicy(QComboBox::NoInsert);
    cbList->hide();
    edText = new QLineEdit(this);
    edText->setObjectName(u"edText"_s);
    edText->hide();

    pmEditTag = new QMenu(this);
    pmEditTag->setObjectName(u"pmEditTag"_s);
    miAddProperty = pmEditTag->addAction(u"Добавить атрибут"_s);
    miAddProperty->setObjectName(u"miAddProperty"_s);
    miDeleteProperty = pmEditTag->addAction(u"Удалить атрибут"_s);
    miDeleteProperty->setObjectName(u"miDeleteProperty"_s);

    const TOkCancelRow buttons = MakeOkCancelRow(this, u"btnOK"_s, 0);
    btnOK = buttons.Ok;
    btnCancel = buttons.Cancel;
    root->addLayout(buttons.Layout);
    resize(230, 300);

    htTag = new THTMLTag(this);
    htTag->setObjectName(u"htTag"_s);
    htTag->setAllowStrictNotation(false);
    connect(htTag, &THTMLTag::OnAfterParse, this, [this] { htTagAfterParse(); });
    connect(htTag, &THTMLTag::OnError, this, [this](QObject*, qint32 p) { htTagError(p); });

    connect(sgProperties, &QTableWidget::currentCellChanged, this,
            [this](int row, int column) { sgPropertiesSelectCell(row, column); });
    connect(sgProperties, &QTableWidget::cellClicked, this, &TfrmTag::sgPropertiesSelectCell);
    connect(sgProperties, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        pmEditTag->popup(sgProperties->viewport()->mapToGlobal(p));
    });
    // Picking an entry ends the edit at once.
    connect(cbList, &QComboBox::activated, this, [this] {
        sgProperties->setFocus();
        EndEdit();
    });
    connect(miAddProperty, &QAction::triggered, this, &TfrmTag::miAddPropertyClick);
    connect(miDeleteProperty, &QAction::triggered, this, &TfrmTag::miDeletePropertyClick);
    connect(btnOK, &QPushButton::clicked, this, &TfrmTag::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    cbList->installEventFilter(this);
    edText->installEventFilter(this);
}

bool TfrmTag::FormCreate() {
    FEditable = false;
    FOpens = false;
    int start = -1;
    const QString text = FSource ? FSource->GetTagAtCaret(&start) : QString();
    if (text.isEmpty())
        return false;
    FTagStart = start;
    FTagLength = int(text.size());
    FTagText = text;
    htTag->Parse(text);
    // Parsing switched strict notation off; a tag written as "<br />" is to come back that way.
    if (FOpens)
        htTag->setAllowStrictNotation(true);
    return FOpens;
}

void TfrmTag::htTagAfterParse() {
    // A comment or a declaration has no name and nothing to edit.
    if (htTag->TagName().trimmed().isEmpty())
        return;
    FillGrid();
    FOpens = true;
}

void TfrmTag::htTagError(qint32 position) {
    FOpens = false;
    // The model counts in its normalised text; the user needs the character in the page.
    const int inPage = FTagStart + RawTagPosition(FTagText, position);
    ShowWarning(parentWidget() ? parentWidget() : this,
                u"Ошибка анализа: недопустимый символ в позиции %1"_s.arg(inPage));
}

void TfrmTag::FillGrid() {
    FFilling = true;
    if (FEditor) {
        FEditor->hide();
        FEditor = nullptr;
    }
    edTagName->setText(htTag->TagName().toLower());
    const int n = htTag->AttributeCount();
    FEditable = n > 0;
    sgProperties->clearContents();
    sgProperties->setRowCount(qMax(n, 1));
    for (int i = 0; i < qMax(n, 1); ++i) {
        const THTMLTagProperty p = htTag->GetAttributeByIndex(i);
        sgProperties->setItem(i, 0, MakeCell(p.AttrName));
        sgProperties->setItem(i, 1, MakeCell(p.AttrValue));
    }
    miDeleteProperty->setEnabled(FEditable);
    FFilling = false;
}

QString TfrmTag::CellName() const {
    const QTableWidgetItem* item = sgProperties->item(FEditRow, 0);
    return item ? item->text() : QString();
}

void TfrmTag::sgPropertiesSelectCell(int row, int column) {
    if (FFilling || column != 1 || row < 0 || !FEditable || row >= htTag->AttributeCount())
        return;
    if (FEditor && FEditRow == row)
        return;
    EndEdit();
    FEditRow = row;
    const QRect cell = sgProperties->visualItemRect(sgProperties->item(row, 1));
    FEditCorner = sgProperties->viewport()->mapTo(this, cell.topLeft());
    OpenEditor();
}

void TfrmTag::OpenEditor() {
    const QString name = CellName();
    const QString value = sgProperties->item(FEditRow, 1)->text();
    if (HasValueList(name)) {
        FillList(name, value);
        FEditor = cbList;
    } else {
        edText->setText(value);
        edText->selectAll();
        FEditor = edText;
    }
    const QRect cell = sgProperties->visualItemRect(sgProperties->item(FEditRow, 1));
    FEditor->move(FEditCorner);
    FEditor->resize(cell.width(), qMax(cell.height(), FEditor->minimumSizeHint().height()));
    FEditor->show();
    FEditor->raise();
    FEditor->setFocus(Qt::OtherFocusReason);
}

void TfrmTag::FillList(const QString& name, const QString& value) {
    cbList->clear();
    cbList->setEditable(false);
    const bool editable = IsEditableValueList(name);
    const TValueChoice choice = ChooseListValue(AttributeValues(name, FSources), value, editable);
    if (editable) {
        cbList->setEditable(true);
        // What is typed stays as typed: no inline completion slipping an entry in.
        cbList->setCompleter(nullptr);
    }
    cbList->addItems(choice.Entries);
    cbList->setCurrentIndex(choice.Index);
    if (editable)
        cbList->setEditText(choice.Text);
}

void TfrmTag::EndEdit() {
    QWidget* editor = FEditor;
    if (!editor || FEditRow < 0)
        return;
    FEditor = nullptr;
    const QString value = editor == cbList ? cbList->currentText() : TrimValue(edText->text());
    sgProperties->item(FEditRow, 1)->setText(value);
    if (editor->hasFocus())
        sgProperties->setFocus();
    htTag->SetAttribute(CellName(), value);
    editor->hide();
}

bool TfrmTag::eventFilter(QObject* watched, QEvent* event) {
    if (watched == cbList || watched == edText) {
        if (event->type() == QEvent::KeyPress && IsEnterOrEscape(event)) {
            // Enter and Escape only end the edit (keeping the value); they must not reach the
            // dialog's default and cancel buttons.
            sgProperties->setFocus();
            EndEdit();
            return true;
        }
        // The list of a drop-down opened for the first time takes the focus for an ordinary
        // reason, not as a popup; the edit goes on while the focus stays within the editor.
        if (event->type() == QEvent::FocusOut && watched == FEditor && EndsEdit(event) &&
            !IsInside(QApplication::focusWidget(), FEditor))
            EndEdit();
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmTag::miAddPropertyClick() {
    EndEdit();
    QString name, value;
    if (!TfrmCtrl::Execute(this, TCtrlMode::Attribute, {}, &name, &value))
        return;
    htTag->AddAttribute(name, value);
    FillGrid();
}

void TfrmTag::miDeletePropertyClick() {
    EndEdit();
    const std::optional<QString> answer = Platform().InputBox(
        this, u"Удаление атрибута тега"_s, u"Введите удаляемый атрибут:"_s, QString());
    if (!answer)
        return;
    const QString name = answer->trimmed();
    if (!htTag->GetAttribute(name).Found)
        return;
    htTag->DeleteAttribute(name);
    FillGrid();
}

void TfrmTag::btnOKClick() {
    // A value still open in the overlay counts, as if the user had left the cell.
    EndEdit();
    htTag->setTagName(edTagName->text().trimmed().toLower());
    const QString text = htTag->GetTagText();
    FSource->Select(FTagStart, FTagLength);
    FSource->ReplaceSelection(text);
    FSource->Select(FTagStart, int(text.size()));
    accept();
}
