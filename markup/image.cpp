#include "markup/image.h"

#include "app/jpegimage.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
constexpr int SizeDigits = 4;

QFormLayout* PageForm(QWidget* page) {
    auto* form = new QFormLayout(page);
    form->setContentsMargins(8, 0, 0, 0);
    return form;
}

bool IsJpegName(const QString& path) {
    const QString ext = ExtractFileExt(path).toLower();
    return ext == u".jpg"_s || ext == u".jpeg"_s || ext == u".jpe"_s || ext == u".jfif"_s;
}
} // namespace

TfrmImage::TfrmImage(const TElementContext& context, QWidget* parent)
    : QDialog(parent), FContext(context) {
    setObjectName(u"frmImage"_s);
    const TDialogFrame frame =
        MakeDialogFrame(this, u"Изображение"_s, u"Графическое оформление документа"_s, {});
    Banner = frame.Banner;
    btnOk = frame.Ok;
    btnCancel = frame.Cancel;

    Pages = new TPageList(u"lbPages"_s, this);
    lbPages = Pages->List;

    QWidget* general = Pages->AddPage(u"Общие"_s);
    Src = new TBrowseField(u"edSrc"_s, 250, general);
    Src->Request.Title = u"Источник изображения"_s;
    Src->Request.Filter = u"Графика Internet|*.gif;*.jp*g; *.png; *.tif*; *.jfif; *.jpe"_s;
    Src->PageFile = context.PageFile;
    Src->StaysEditable = true;
    Src->AcceptFile = [this](const QString& path) { return TakePictureSize(path); };
    edSrc = Src->Edit;
    btnBrowse = Src->Button;
    edAlt = MakeLineEdit(general, u"edAlt"_s, 100);
    QFormLayout* form = PageForm(general);
    AddField(form, u"Источник:"_s, Src);
    AddField(form, u"Описание:"_s, edAlt);

    QWidget* size = Pages->AddPage(u"Размеры"_s);
    edWidth = MakeLineEdit(size, u"edWidth"_s, SizeDigits, TInputFilter::Number);
    edHeight = MakeLineEdit(size, u"edHeight"_s, SizeDigits, TInputFilter::Number);
    cbAlign = new QComboBox(size);
    cbAlign->setObjectName(u"cbAlign"_s);
    cbAlign->addItems({u"(Выравнивание)"_s, u"Слева"_s, u"По центру"_s, u"Справа"_s});
    cbAlign->setCurrentIndex(0);
    form = PageForm(size);
    AddField(form, u"Ширина:"_s, edWidth);
    AddField(form, u"Высота:"_s, edHeight);
    AddField(form, u"Выравнивание:"_s, cbAlign);

    QWidget* spacing = Pages->AddPage(u"Отступы"_s);
    edHspace = MakeLineEdit(spacing, u"edHspace"_s, SizeDigits, TInputFilter::Number);
    edVspace = MakeLineEdit(spacing, u"edVspace"_s, SizeDigits, TInputFilter::Number);
    form = PageForm(spacing);
    AddField(form, u"Боковые отступы:"_s, edHspace);
    AddField(form, u"Абзацные отступы:"_s, edVspace);

    QWidget* other = Pages->AddPage(u"Прочее"_s);
    edName = MakeLineEdit(other, u"edName"_s, 20, TInputFilter::Name);
    cbClass = MakeClassList(other, context.Classes);
    edUseMap = MakeLineEdit(other, u"edUseMap"_s, 20, TInputFilter::Name);
    form = PageForm(other);
    AddField(form, u"Имя:"_s, edName);
    AddField(form, u"Класс:"_s, cbClass);
    AddField(form, u"Карта:"_s, edUseMap);

    frame.Body->addWidget(Pages);
    Pages->ShowPage(0);
    setMinimumWidth(480);
    connect(btnOk, &QPushButton::clicked, this, &TfrmImage::btnOkClick);
    edSrc->setFocus();
}

bool TfrmImage::TakePictureSize(const QString& path) {
    if (!IsJpegName(path))
        return true;
    const TJpegImage picture = ReadJpegFileSize(path);
    if (!picture.IsValid()) {
        ShowError(this, picture.Error);
        return false;
    }
    const QString width = QString::number(picture.Width);
    const QString height = QString::number(picture.Height);
    // The fields hold four digits; a cut number would be a wrong size, so none is written.
    if (width.size() > SizeDigits || height.size() > SizeDigits) {
        ShowInfo(this, u"Размеры изображения (%1 × %2) не помещаются в поля «Ширина» и «Высота» "
                       u"и не записаны."_s.arg(width, height));
        return true;
    }
    edWidth->setText(width);
    edHeight->setText(height);
    return true;
}

TImageFields TfrmImage::Fields() const {
    TImageFields f;
    f.Src = {edSrc->text(), Src->ChosenFile(), FContext.PageFile};
    f.Alt = edAlt->text();
    f.Width = edWidth->text();
    f.Height = edHeight->text();
    f.Align = TImageAlign(qBound(0, cbAlign->currentIndex(), 3));
    f.Hspace = edHspace->text();
    f.Vspace = edVspace->text();
    f.Name = edName->text();
    f.Class = ChosenClass(cbClass);
    f.UseMap = edUseMap->text();
    return f;
}

void TfrmImage::btnOkClick() {
    const TElementMarkup m = ImageMarkup(Fields());
    if (m.Refused()) {
        ShowInfo(this, m.Message);
        return;
    }
    if (FContext.Insert)
        FContext.Insert(m.Insertion);
    accept();
}
