#include "markup/area.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TfrmArea::TfrmArea(const TElementContext& context, QWidget* parent)
    : QDialog(parent), FContext(context) {
    setObjectName(u"frmArea"_s);
    const TDialogFrame frame = MakeDialogFrame(
        this, u"Активная область карты"_s, u"Создание области перехода на объект Интернет"_s, {});
    Banner = frame.Banner;
    btnOk = frame.Ok;
    btnCancel = frame.Cancel;

    Href = new TBrowseField(u"edHref"_s, 250, this);
    Href->Request.Title = u"Источник области карты"_s;
    Href->Request.Filter = u"HTML|*.*htm*|XHTML|*.xhtml|ASP|*.asp*|Cold Fusion|*.cfm*|PHP|*.php*|"
                           u"CSS|*.css|XML|*.xml|XSL|*.xsl|Все файлы|*.*"_s;
    Href->Request.DefaultExt = u"*htm*"_s;
    Href->PageFile = context.PageFile;
    edHref = Href->Edit;
    btnBrowse = Href->Button;
    cmbShape = new QComboBox(this);
    cmbShape->setObjectName(u"cmbShape"_s);
    cmbShape->addItems({u"Круг"_s, u"Прямоугольник"_s, u"Многоугольник"_s, u"Точка"_s});
    cmbShape->setCurrentIndex(0);
    edCoords = MakeLineEdit(this, u"edCoords"_s, 100);
    edAlt = MakeLineEdit(this, u"edAlt"_s, 100);
    edName = MakeLineEdit(this, u"edName"_s, 20);
    cbClass = MakeClassList(this, context.Classes);
    edTarget = MakeLineEdit(this, u"edTarget"_s, 0, TInputFilter::Name);

    auto* form = new QFormLayout;
    AddField(form, u"Назначение:"_s, Href);
    AddField(form, u"Форма:"_s, cmbShape);
    AddField(form, u"Контур:"_s, edCoords);
    AddField(form, u"Подсказка:"_s, edAlt);
    AddField(form, u"Имя:"_s, edName);
    AddField(form, u"Класс:"_s, cbClass);
    AddField(form, u"Мишень:"_s, edTarget);
    frame.Body->addLayout(form);
    setMinimumWidth(420);
    connect(btnOk, &QPushButton::clicked, this, &TfrmArea::btnOkClick);
    edHref->setFocus();
}

TAreaFields TfrmArea::Fields() const {
    TAreaFields f;
    f.Href = {edHref->text(), Href->ChosenFile(), FContext.PageFile};
    f.Shape = TAreaShape(qBound(0, cmbShape->currentIndex(), 3));
    f.Coords = edCoords->text();
    f.Alt = edAlt->text();
    f.Name = edName->text();
    f.Class = ChosenClass(cbClass);
    f.Target = edTarget->text();
    return f;
}

void TfrmArea::btnOkClick() {
    const TElementMarkup m = AreaMarkup(Fields());
    if (m.Refused()) {
        ShowInfo(this, m.Message);
        return;
    }
    if (FContext.Insert)
        FContext.Insert(m.Insertion);
    accept();
}
