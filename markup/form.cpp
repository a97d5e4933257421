#include "markup/form.h"

#include "markup/dialogparts.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TfrmForm::TfrmForm(const QStringList& classes, const QString& selection, QWidget* parent)
    : TBlockDialog(u"frmForm"_s, u"Web-форма"_s, u"Вставка web-формы в документ"_s, {}, parent),
      FSelection(selection) {
    QFormLayout* form = MakeFieldForm();
    edName = MakeEdit(this, u"edName"_s, 20, TInputFilter::Name);
    edAction = MakeEdit(this, u"edAction"_s, 150);
    cmbMethod = MakeChoice(this, u"cmbMethod"_s, {u"Нет"_s, u"Get"_s, u"Post"_s}, -1);
    // The preset is longer than what may be typed; it stays whole.
    edEnctype = MakeEdit(this, u"edEnctype"_s, 0, TInputFilter::MimeType,
                         u"application/x-www-form-urlencoded"_s);
    LimitTypedLength(edEnctype, 20);
    cbClass = MakeClassList(this, classes);
    edTarget = MakeEdit(this, u"edTarget"_s, 20, TInputFilter::Name);
    form->addRow(MakeFieldLabel(u"Имя:"_s, edName), edName);
    form->addRow(MakeFieldLabel(u"Обработчик:"_s, edAction), edAction);
    form->addRow(MakeFieldLabel(u"Метод отсылки:"_s, cmbMethod), cmbMethod);
    form->addRow(MakeFieldLabel(u"Шифрование:"_s, edEnctype), edEnctype);
    form->addRow(MakeFieldLabel(u"Класс:"_s, cbClass), cbClass);
    form->addRow(MakeFieldLabel(u"Мишень:"_s, edTarget), edTarget);
    Body->addLayout(form);
    FinishLayout();
    setMinimumWidth(420);
}

TFormFields TfrmForm::Fields() const {
    TFormFields f;
    f.Name = edName->text();
    f.Action = edAction->text();
    switch (cmbMethod->currentIndex()) {
    case 1:
        f.Method = TFormMethod::Get;
        break;
    case 2:
        f.Method = TFormMethod::Post;
        break;
    default:
        f.Method = TFormMethod::None;
        break;
    }
    f.Enctype = edEnctype->text();
    f.Class = ChosenClass(cbClass);
    f.Target = edTarget->text();
    return f;
}

bool TfrmForm::Confirm() {
    Result = FormInsertion(Fields(), FSelection);
    return true;
}
