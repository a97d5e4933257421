#include "markup/select.h"

#include "markup/ctrl.h"
#include "markup/dialogparts.h"
#include "widgets/spinedit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TfrmSelect::TfrmSelect(const QStringList& classes, QWidget* parent)
    : TBlockDialog(u"frmSelect"_s, u"Выпадающий список"_s, u"Создание выпадающего списка"_s, {},
                   parent) {
    lvOptions = new QTreeWidget(this);
    lvOptions->setObjectName(u"lvOptions"_s);
    lvOptions->setHeaderLabels({u"Текст"_s, u"Значение"_s});
    lvOptions->setRootIsDecorated(false);
    lvOptions->setSelectionMode(QAbstractItemView::SingleSelection);
    lvOptions->header()->setSectionResizeMode(QHeaderView::Stretch);
    const TItemButtons items = AddItemList(lvOptions);
    btnAdd = items.Add;
    btnDelete = items.Delete;
    btnUp = items.Up;
    btnDown = items.Down;

    QFormLayout* form = MakeFieldForm();
    seStart = new TSpinEdit(this);
    seStart->setObjectName(u"seStart"_s);
    seStart->setValue(1);
    chkMultiple = MakeCheck(this, u"chkMultiple"_s, u"Множественный выбор"_s);
    edName = MakeEdit(this, u"edName"_s, 0, TInputFilter::Name);
    cbClass = MakeClassList(this, classes);
    auto* defaultRow = new QHBoxLayout;
    defaultRow->addWidget(seStart);
    defaultRow->addSpacing(16);
    defaultRow->addWidget(chkMultiple);
    defaultRow->addStretch(1);
    form->addRow(MakeFieldLabel(u"По умолчанию:"_s, seStart), defaultRow);
    form->addRow(MakeFieldLabel(u"Имя:"_s, edName), edName);
    form->addRow(MakeFieldLabel(u"Класс:"_s, cbClass), cbClass);
    Body->addLayout(form);

    connect(btnAdd, &QPushButton::clicked, this, &TfrmSelect::btnAddClick);
    connect(btnDelete, &QPushButton::clicked, this, &TfrmSelect::btnDeleteClick);
    connect(btnUp, &QPushButton::clicked, this, &TfrmSelect::btnUpClick);
    connect(btnDown, &QPushButton::clicked, this, &TfrmSelect::btnDownClick);
    FinishLayout();
    UpdateLimits();
    setMinimumSize(420, 380);
}

QList<TSelectOption> TfrmSelect::Options() const {
    QList<TSelectOption> options;
    for (int i = 0; i < lvOptions->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = lvOptions->topLevelItem(i);
        options.append({item->text(0), item->text(1)});
    }
    return options;
}

TSelectFields TfrmSelect::Fields() const {
    TSelectFields f;
    f.Options = Options();
    f.Default = seStart->value();
    f.Multiple = chkMultiple->isChecked();
    f.Name = edName->text();
    f.Class = ChosenClass(cbClass);
    return f;
}

void TfrmSelect::SetOptions(const QList<TSelectOption>& options) {
    lvOptions->clear();
    for (const TSelectOption& option : options)
        lvOptions->addTopLevelItem(new QTreeWidgetItem(QStringList{option.Text, option.Value}));
}

void TfrmSelect::btnAddClick() {
    QString text, value;
    if (!TfrmCtrl::Execute(this, TCtrlMode::ListItem, {}, &text, &value))
        return;
    lvOptions->addTopLevelItem(new QTreeWidgetItem(QStringList{text, value}));
    UpdateLimits();
}

void TfrmSelect::btnDeleteClick() {
    QTreeWidgetItem* item = lvOptions->currentItem();
    if (item && item->isSelected())
        delete item;
    UpdateLimits();
}

void TfrmSelect::btnUpClick() {
    Move(-1);
}

void TfrmSelect::btnDownClick() {
    Move(1);
}

void TfrmSelect::Move(int step) {
    QTreeWidgetItem* item = lvOptions->currentItem();
    if (!item || !item->isSelected())
        return;
    QList<TSelectOption> options = Options();
    if (!MoveItem(options, lvOptions->indexOfTopLevelItem(item), step))
        return;
    SetOptions(options);
    lvOptions->clearSelection();
    lvOptions->setCurrentItem(nullptr);
}

void TfrmSelect::UpdateLimits() {
    const TSpinLimits limits = DefaultNumberLimits(lvOptions->topLevelItemCount());
    if (limits.Limited)
        seStart->SetLimits(limits.Min, limits.Max);
    else
        seStart->ClearLimits();
    btnDelete->setEnabled(lvOptions->topLevelItemCount() > 0);
}

bool TfrmSelect::Confirm() {
    Result = SelectInsertion(Fields());
    // Without options there is nothing to write yet: the dialog stays open.
    return Result.has_value();
}
