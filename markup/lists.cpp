#include "markup/lists.h"

#include "app/platform.h"
#include "markup/dialogparts.h"
#include "widgets/spinedit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TfrmList::TfrmList(const QStringList& classes, QWidget* parent)
    : TBlockDialog(u"frmList"_s, u"Список"_s, u"Создание простого списка"_s, {}, parent) {
    lbList = new QListWidget(this);
    lbList->setObjectName(u"lbList"_s);
    const TItemButtons items = AddItemList(lbList);
    btnAdd = items.Add;
    btnDelete = items.Delete;
    btnUp = items.Up;
    btnDown = items.Down;

    QFormLayout* form = MakeFieldForm();
    edName = MakeEdit(this, u"edName"_s, 0, TInputFilter::Name);
    cbClass = MakeClassList(this, classes);
    form->addRow(MakeFieldLabel(u"Имя:"_s, edName), edName);
    form->addRow(MakeFieldLabel(u"Класс:"_s, cbClass), cbClass);
    Body->addLayout(form);
    auto* numbered = new QHBoxLayout;
    chkNumbered = MakeCheck(this, u"chkNumbered"_s, u"Нумерованный.          Начать с"_s);
    seStart = new TSpinEdit(this);
    seStart->setObjectName(u"seStart"_s);
    seStart->setValue(1);
    numbered->addWidget(chkNumbered);
    numbered->addWidget(seStart);
    numbered->addStretch(1);
    Body->addLayout(numbered);

    connect(btnAdd, &QPushButton::clicked, this, &TfrmList::btnAddClick);
    connect(btnDelete, &QPushButton::clicked, this, &TfrmList::btnDeleteClick);
    connect(btnUp, &QPushButton::clicked, this, &TfrmList::btnUpClick);
    connect(btnDown, &QPushButton::clicked, this, &TfrmList::btnDownClick);
    FinishLayout();
    UpdateButtons();
    setMinimumSize(380, 360);
}

QStringList TfrmList::Items() const {
    QStringList items;
    for (int i = 0; i < lbList->count(); ++i)
        items << lbList->item(i)->text();
    return items;
}

TListFields TfrmList::Fields() const {
    TListFields f;
    f.Items = Items();
    f.Name = edName->text();
    f.Class = ChosenClass(cbClass);
    f.Numbered = chkNumbered->isChecked();
    f.Start = seStart->value();
    return f;
}

void TfrmList::btnAddClick() {
    const auto answer = Platform().InputBox(this, u"Добавление элемента списка"_s,
                                            u"Введите текст элемента"_s, u"Элемент списка"_s);
    // A cancelled box adds nothing.
    if (!answer)
        return;
    const QString text = answer->trimmed();
    if (!text.isEmpty())
        lbList->addItem(text);
    UpdateButtons();
}

void TfrmList::btnDeleteClick() {
    const int row = lbList->currentRow();
    if (row >= 0 && lbList->item(row)->isSelected())
        delete lbList->takeItem(row);
    UpdateButtons();
}

void TfrmList::btnUpClick() {
    Move(-1);
}

void TfrmList::btnDownClick() {
    Move(1);
}

void TfrmList::Move(int step) {
    const int row = lbList->currentRow();
    if (row < 0 || !lbList->item(row)->isSelected())
        return;
    QStringList items = Items();
    if (!MoveItem(items, row, step))
        return;
    for (int i = 0; i < items.size(); ++i)
        lbList->item(i)->setText(items.at(i));
    lbList->clearSelection();
    lbList->setCurrentRow(-1);
}

void TfrmList::UpdateButtons() {
    const bool any = lbList->count() > 0;
    btnDelete->setEnabled(any);
    btnUp->setEnabled(any);
    btnDown->setEnabled(any);
}

bool TfrmList::Confirm() {
    Result = ListInsertion(Fields());
    lbList->clear();
    return true;
}
