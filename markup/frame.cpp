#include "markup/frame.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
constexpr int AutoScrolling = 2;
}

TfrmFrame::TfrmFrame(const TElementContext& context, QWidget* parent)
    : QDialog(parent), FContext(context) {
    setObjectName(u"frmFrame"_s);
    const TDialogFrame frame =
        MakeDialogFrame(this, u"Фрейм"_s, u"Вставка и"_s, u"определение параметров фрейма"_s);
    Banner = frame.Banner;
    btnOk = frame.Ok;
    btnCancel = frame.Cancel;

    Src = new TBrowseField(u"edSrc"_s, 250, this);
    Src->Request.Title = u"Источник фрейма"_s;
    Src->Request.Filter = u"HTML|*.*htm*|XHTML|*.xhtml|ASP|*.asp*|Cold Fusion|*.cfm*|PHP|*.php*|"
                          u"CSS|*.css|XML|*.xml|XSL|*.xsl|Все файлы|*.*"_s;
    Src->Request.DefaultExt = u"*htm*"_s;
    Src->PageFile = context.PageFile;
    edSrc = Src->Edit;
    btnBrowse = Src->Button;
    edName = MakeLineEdit(this, u"edName"_s, 20, TInputFilter::Name);
    edName->setText(u"Frame1"_s);
    cmbScrolling = new QComboBox(this);
    cmbScrolling->setObjectName(u"cmbScrolling"_s);
    cmbScrolling->addItems({u"Да"_s, u"Нет"_s, u"Авто"_s});
    // The dialog lives for one showing, so "Авто" is preselected at every showing.
    cmbScrolling->setCurrentIndex(AutoScrolling);
    chkFrameBorder = new QCheckBox(u"Тонкая рамка"_s, this);
    chkFrameBorder->setObjectName(u"chkFrameBorder"_s);
    chkFrameBorder->setChecked(true);
    chkNoresize = new QCheckBox(u"Запретить изменение размеров"_s, this);
    chkNoresize->setObjectName(u"chkNoresize"_s);
    chkNoresize->setChecked(true);
    edWidth = MakeLineEdit(this, u"edWidth"_s, 0, TInputFilter::Size);
    edHeight = MakeLineEdit(this, u"edHeight"_s, 0, TInputFilter::Size);
    chkIFrame = new QCheckBox(u"Встроенный"_s, this);
    chkIFrame->setObjectName(u"chkIFrame"_s);

    auto* form = new QFormLayout;
    AddField(form, u"Источник:"_s, Src);
    AddField(form, u"Имя:"_s, edName);
    AddField(form, u"Прокрутка:"_s, cmbScrolling);
    form->addRow(chkFrameBorder);
    form->addRow(chkNoresize);
    AddField(form, u"Ширина:"_s, edWidth);
    AddField(form, u"Высота:"_s, edHeight);
    form->addRow(chkIFrame);
    frame.Body->addLayout(form);
    setMinimumWidth(420);
    connect(btnOk, &QPushButton::clicked, this, &TfrmFrame::btnOkClick);
    edSrc->setFocus();
}

TFrameFields TfrmFrame::Fields() const {
    TFrameFields f;
    f.Src = {edSrc->text(), Src->ChosenFile(), FContext.PageFile};
    f.Name = edName->text();
    f.Scrolling = TScrolling(qBound(0, cmbScrolling->currentIndex(), 2));
    f.FrameBorder = chkFrameBorder->isChecked();
    f.NoResize = chkNoresize->isChecked();
    f.Width = edWidth->text();
    f.Height = edHeight->text();
    f.IFrame = chkIFrame->isChecked();
    return f;
}

void TfrmFrame::btnOkClick() {
    const TElementMarkup m = FrameMarkup(Fields());
    if (m.Refused()) {
        ShowInfo(this, m.Message);
        return;
    }
    if (FContext.Insert)
        FContext.Insert(m.Insertion);
    accept();
}
