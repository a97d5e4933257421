#include "markup/table.h"

#include "markup/dialogparts.h"
#include "markup/elementlogic.h"
#include "widgets/colorbutton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TfrmTable::TfrmTable(const QStringList& classes, const QString& pageFile, QWidget* parent)
    : TBlockDialog(u"frmTable"_s, u"Таблица"_s, u"Создание таблицы"_s, {}, parent),
      FPageFile(pageFile) {
    lbOptions = new TPageList(u"lbOptions"_s, this);
    Body->addWidget(lbOptions);

    QWidget* general = lbOptions->AddPage(u"Общие"_s);
    QFormLayout* form = MakeFieldForm(general);
    edRows = MakeEdit(general, u"edRows"_s, 2, TInputFilter::Number);
    edCols = MakeEdit(general, u"edCols"_s, 2, TInputFilter::Number);
    edCaption = MakeEdit(general, u"edCaption"_s, 20);
    chkBack = MakeCheck(general, u"chkBack"_s, u"Фон:"_s);
    clbBg = new TColorButton(general);
    clbBg->setObjectName(u"clbBg"_s);
    clbBg->setColor(WhiteColor);
    form->addRow(MakeFieldLabel(u"Строк:"_s, edRows), edRows);
    form->addRow(MakeFieldLabel(u"Столбцов:"_s, edCols), edCols);
    form->addRow(MakeFieldLabel(u"Заголовок:"_s, edCaption), edCaption);
    form->addRow(chkBack, clbBg);

    QWidget* sizes = lbOptions->AddPage(u"Размеры"_s);
    form = MakeFieldForm(sizes);
    edBorder = MakeEdit(sizes, u"edBorder"_s, 2, TInputFilter::Number, u"0"_s);
    edWidth = MakeEdit(sizes, u"edWidth"_s, 4, TInputFilter::Size);
    edCellPadding = MakeEdit(sizes, u"edCellPadding"_s, 2, TInputFilter::Number, u"0"_s);
    edCellspacing = MakeEdit(sizes, u"edCellspacing"_s, 2, TInputFilter::Number, u"0"_s);
    form->addRow(MakeFieldLabel(u"Ширина рамки:"_s, edBorder), edBorder);
    form->addRow(MakeFieldLabel(u"Ширина:"_s, edWidth), edWidth);
    form->addRow(MakeFieldLabel(u"Отступ от границы ячейки:"_s, edCellPadding), edCellPadding);
    form->addRow(MakeFieldLabel(u"Расстояние между ячейками:"_s, edCellspacing), edCellspacing);

    QWidget* spacing = lbOptions->AddPage(u"Отступы"_s);
    form = MakeFieldForm(spacing);
    edBack = new TBrowseField(u"edBack"_s, 250, spacing);
    edBack->StaysEditable = true;
    edBack->PageFile = pageFile;
    edBack->Request.Title = u"Источник фона"_s;
    edBack->Request.Filter = u"Графика Internet|*.gif;*.jp*g; *.png; *.tif*"_s;
    edHspace = MakeEdit(spacing, u"edHspace"_s, 4, TInputFilter::Number);
    edVspace = MakeEdit(spacing, u"edVspace"_s, 4, TInputFilter::Number);
    form->addRow(MakeFieldLabel(u"Фон:"_s, edBack->Edit), edBack);
    form->addRow(MakeFieldLabel(u"Боковые отступы:"_s, edHspace), edHspace);
    form->addRow(MakeFieldLabel(u"Вертикальные отступы:"_s, edVspace), edVspace);

    QWidget* other = lbOptions->AddPage(u"Прочее"_s);
    form = MakeFieldForm(other);
    edName = MakeEdit(other, u"edName"_s, 20, TInputFilter::Name);
    cbClass = MakeClassList(other, classes);
    cbAlign = MakeChoice(other, u"cbAlign"_s, {u"Слева"_s, u"По центру"_s, u"Справа"_s}, 0);
    form->addRow(MakeFieldLabel(u"Имя:"_s, edName), edName);
    form->addRow(MakeFieldLabel(u"Класс:"_s, cbClass), cbClass);
    form->addRow(MakeFieldLabel(u"Выравнивание:"_s, cbAlign), cbAlign);

    FinishLayout();
    setMinimumWidth(470);
}

TTableFields TfrmTable::Fields() const {
    TTableFields f;
    f.Rows = edRows->text();
    f.Cols = edCols->text();
    f.Caption = edCaption->text();
    f.Back = chkBack->isChecked();
    f.BackColor = clbBg->Color();
    f.Border = edBorder->text();
    f.Width = edWidth->text();
    f.CellPadding = edCellPadding->text();
    f.CellSpacing = edCellspacing->text();
    f.Background = edBack->Edit->text();
    f.Hspace = edHspace->text();
    f.Vspace = edVspace->text();
    f.Name = edName->text();
    f.Class = ChosenClass(cbClass);
    f.Align = THorzAlign(qMax(0, cbAlign->currentIndex()));
    return f;
}

bool TfrmTable::Confirm() {
    if (!edBack->ChosenFile().isEmpty())
        edBack->Edit->setText(PageRelativePath(edBack->ChosenFile(), FPageFile));
    Result = TableInsertion(Fields());
    return true;
}
