#include "markup/td.h"

#include "markup/dialogparts.h"
#include "widgets/colorbutton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TfrmTd::TfrmTd(const QStringList& classes, const QString& selection, QWidget* parent)
    : TBlockDialog(u"frmTd"_s, u"Ячейка таблицы"_s, u"Ячейка таблицы"_s, {}, parent),
      FSelection(selection) {
    chkTH = MakeCheck(this, u"chkTH"_s, u"Ячейка-заголовок"_s);
    Body->addWidget(chkTH);
    lbOptions = new TPageList(u"lbOptions"_s, this);
    Body->addWidget(lbOptions);

    QWidget* general = lbOptions->AddPage(u"Общие"_s);
    QFormLayout* form = MakeFieldForm(general);
    edName = MakeEdit(general, u"edName"_s, 20, TInputFilter::Name);
    cbClass = MakeClassList(general, classes);
    chkBg = MakeCheck(general, u"chkBg"_s, u"Фон:"_s);
    clbColor = new TColorButton(general);
    clbColor->setObjectName(u"clbColor"_s);
    clbColor->setColor(WhiteColor);
    edWidth = MakeEdit(general, u"edWidth"_s, 4, TInputFilter::Number);
    form->addRow(MakeFieldLabel(u"Имя:"_s, edName), edName);
    form->addRow(MakeFieldLabel(u"Класс:"_s, cbClass), cbClass);
    form->addRow(chkBg, clbColor);
    form->addRow(MakeFieldLabel(u"Ширина:"_s, edWidth), edWidth);

    QWidget* merge = lbOptions->AddPage(u"Слияние"_s);
    form = MakeFieldForm(merge);
    edColSpan = MakeEdit(merge, u"edColSpan"_s, 2, TInputFilter::Number);
    edRowSpan = MakeEdit(merge, u"edRowSpan"_s, 2, TInputFilter::Number);
    form->addRow(MakeFieldLabel(u"Объединяет столбцов:"_s, edColSpan), edColSpan);
    form->addRow(MakeFieldLabel(u"Объединяет строк:"_s, edRowSpan), edRowSpan);

    QWidget* alignment = lbOptions->AddPage(u"Выравнивание"_s);
    form = MakeFieldForm(alignment);
    form->setRowWrapPolicy(QFormLayout::WrapAllRows);
    cbValign = MakeChoice(alignment, u"cbValign"_s, {u"Вверху"_s, u"Посередине"_s, u"Внизу"_s}, 1);
    cbAlign = MakeChoice(alignment, u"cbAlign"_s, {u"Слева"_s, u"По центру"_s, u"Справа"_s}, 0);
    form->addRow(MakeFieldLabel(u"Вертикальное выравнивание:"_s, cbValign), cbValign);
    form->addRow(MakeFieldLabel(u"Горизонтальное выравнивание:"_s, cbAlign), cbAlign);

    FinishLayout();
    setMinimumWidth(440);
}

TCellFields TfrmTd::Fields() const {
    TCellFields f;
    f.Header = chkTH->isChecked();
    f.Name = edName->text();
    f.Class = ChosenClass(cbClass);
    f.Back = chkBg->isChecked();
    f.BackColor = clbColor->Color();
    f.Width = edWidth->text();
    f.ColSpan = edColSpan->text();
    f.RowSpan = edRowSpan->text();
    f.Valign = TVertAlign(qMax(0, cbValign->currentIndex()));
    f.Align = THorzAlign(qMax(0, cbAlign->currentIndex()));
    return f;
}

bool TfrmTd::Confirm() {
    Result = CellInsertion(Fields(), FSelection);
    return true;
}
