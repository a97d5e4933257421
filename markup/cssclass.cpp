#include "markup/cssclass.h"

#include "app/platform.h"
#include "markup/dialogparts.h"
#include "markup/elementlogic.h"
#include "widgets/colorbutton.h"
#include "widgets/dialogbuttons.h"
#include "widgets/inputfilter.h"
#include "widgets/spinedit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
const QStringList kFontUnits{u"in"_s, u"cm"_s, u"mm"_s, u"pc"_s, u"pt"_s, u"px"_s};
const QStringList kLengthUnits = kFontUnits + QStringList{u"%"_s};
const QStringList kLineHeightUnits = kLengthUnits + QStringList{u"multiple"_s};
const QStringList kBorderStyles{u"none"_s,   u"dotted"_s, u"dashed"_s, u"solid"_s,
                                u"groove"_s, u"ridge"_s,  u"inset"_s,  u"outset"_s};
// The sides as the margin and border pages show them, top to bottom.
const struct {
    TCssSide Side;
    QString Label, Name;
} kSides[] = {{csLeft, u"Слева:"_s, u"Left"_s},
              {csRight, u"Справа:"_s, u"Right"_s},
              {csTop, u"Сверху:"_s, u"Top"_s},
              {csBottom, u"Снизу:"_s, u"Bottom"_s}};

QStringList Range(int from, int to, int step) {
    QStringList list;
    for (int n = from; n <= to; n += step)
        list << QString::number(n);
    return list;
}

// A form row whose field is a row of widgets: the label is named and buddied after the
// widget that holds the value, as AddField names it for a single field.
QLabel* AddRowField(QFormLayout* form, const QString& label, QWidget* row, QWidget* named) {
    QLabel* l = AddField(form, label, row);
    QString name = named->objectName();
    for (const QString& prefix : {u"cmb"_s, u"cb"_s, u"ed"_s, u"se"_s})
        if (name.startsWith(prefix)) {
            name = name.mid(prefix.size());
            break;
        }
    l->setObjectName(u"lbl"_s + name);
    l->setBuddy(named);
    return l;
}
} // namespace

TfrmClass::TfrmClass(const QStringList& fonts, const QString& pageFile, QWidget* parent)
    : QDialog(parent), FFonts(fonts), FPageFile(pageFile) {
    setObjectName(u"frmClass"_s);
    setWindowTitle(u"Cтиль CSS"_s);
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 10);
    root->setSpacing(8);
    Banner = new TBanner(u"Определение класса CSS"_s, QString(), this);
    root->addWidget(Banner);
    lbCategories = new TPageList(u"lbCategories"_s, this);
    lbCategories->List->setFixedWidth(120);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(12, 0, 12, 0);
    body->addWidget(lbCategories);
    root->addLayout(body, 1);

    QFormLayout* form = nullptr;
    QWidget* page = Page(u"Класс"_s, &form);
    edClassName = new QLineEdit(u".newclass1"_s, page);
    edClassName->setObjectName(u"edClassName"_s);
    AddField(form, u"Название класса:"_s, edClassName);
    CreateCharacterPage();
    CreateParagraphPage();
    CreateBackgroundPage();
    CreateTablePage();
    CreateListPage();
    CreateMarginPage();
    CreateBorderPage();
    CreatePositionPage();
    CreateMediaPage();
    lbCategories->ShowPage(0);

    const TOkCancelRow buttons = MakeOkCancelRow(this, u"btnOk"_s, 12);
    btnOk = buttons.Ok;
    btnCancel = buttons.Cancel;
    root->addLayout(buttons.Layout);
    connect(btnOk, &QPushButton::clicked, this, &TfrmClass::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    edClassName->setFocus();
    resize(620, 420);
}

QWidget* TfrmClass::Page(const QString& name, QFormLayout** form) {
    QWidget* page = lbCategories->AddPage(name);
    *form = new QFormLayout(page);
    (*form)->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    return page;
}

QComboBox* TfrmClass::List(const QString& name, const QStringList& entries, bool editable,
                           QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->setEditable(editable);
    list->setInsertPolicy(QComboBox::NoInsert);
    // Typed values may be long (font names); fixed lists keep the width of their entries.
    if (editable)
        list->setSizePolicy(QSizePolicy::Expanding, list->sizePolicy().verticalPolicy());
    list->addItems(entries);
    list->setCurrentIndex(0);
    // Only what the user touches is written; the first entry shown at start is not a choice.
    const auto mark = [this, list] { FChanged.insert(list); };
    if (editable)
        connect(list, &QComboBox::editTextChanged, this, mark);
    connect(list, &QComboBox::activated, this, mark);
    return list;
}

QComboBox* TfrmClass::Units(const QString& name, const QStringList& entries, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->addItems(entries);
    list->setCurrentIndex(0);
    return list;
}

TSpinEdit* TfrmClass::Spin(const QString& name, int min, int max, int value, QWidget* parent) {
    auto* spin = new TSpinEdit(parent);
    spin->setObjectName(name);
    spin->SetLimits(min, max);
    spin->setValue(value);
    connect(spin, &QSpinBox::valueChanged, this, [this, spin] { FChanged.insert(spin); });
    return spin;
}

TColorButton* TfrmClass::ColorButton(const QString& name, QWidget* parent) {
    auto* button = new TColorButton(parent);
    button->setObjectName(name);
    connect(button, &TColorButton::OnChange, this, [this, button] { FChanged.insert(button); });
    return button;
}

QWidget* TfrmClass::Row(QWidget* value, QWidget* unit) {
    auto* row = new QWidget(value->parentWidget());
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    value->setParent(row);
    unit->setParent(row);
    layout->addWidget(value, 1);
    layout->addWidget(unit);
    return row;
}

QLineEdit* TfrmClass::PictureField(const QString& name, QPushButton** button, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    *button = new QPushButton(u". . ."_s, parent);
    (*button)->setObjectName(u"btn"_s + name.mid(2));
    (*button)->setFixedWidth(36);
    connect(*button, &QPushButton::clicked, this, [this, field] { BrowsePicture(field); });
    return field;
}

void TfrmClass::BrowsePicture(QLineEdit* field) {
    TOpenFileRequest r;
    r.Filter = u"Все Интернет|*.jp*g; *.gif; *.tif*; *.png"_s;
    r.InitialDir = ExtractFileDir(FPageFile);
    const auto picked = Platform().OpenFile(this, r);
    if (!picked || picked->FileName.isEmpty())
        return;
    field->setText(PageRelativePath(picked->FileName, FPageFile));
    field->setEnabled(false);
}

void TfrmClass::CreateCharacterPage() {
    QFormLayout* form = nullptr;
    QWidget* page = Page(u"Символ"_s, &form);
    AddField(form, u"Шрифт:"_s, List(u"cbFontFamily"_s, FFonts, true, page));
    QComboBox* size = List(u"cbFontSize"_s,
                           {u"xx-small"_s, u"x-small"_s, u"smaller"_s, u"small"_s, u"medium"_s,
                            u"large"_s, u"larger"_s, u"x-large"_s, u"xx-large"_s},
                           true, page);
    InstallInputFilter(size->lineEdit(), TInputFilter::Number);
    AddRowField(form, u"Размер:"_s, Row(size, Units(u"cbUnits1"_s, kFontUnits, page)), size);
    AddField(
        form, u"Жирность:"_s,
        List(u"cbFontWeight"_s,
             QStringList{u"normal"_s, u"bold"_s, u"bolder"_s, u"lighter"_s} + Range(100, 900, 100),
             false, page));
    AddField(form, u"Вариант:"_s,
             List(u"cbFontVariant"_s, {u"normal"_s, u"small-caps"_s}, false, page));
    AddField(form, u"Стиль:"_s,
             List(u"cbFontStyle"_s, {u"normal"_s, u"italic"_s, u"oblique"_s}, false, page));

    auto* decor = new QWidget(page);
    auto* grid = new QGridLayout(decor);
    grid->setContentsMargins(0, 0, 0, 0);
    const auto check = [decor](const QString& name, const QString& text) {
        auto* box = new QCheckBox(text, decor);
        box->setObjectName(name);
        return box;
    };
    chkNone = check(u"chkNone"_s, u"Нет"_s);
    chkUnderline = check(u"chkUnderline"_s, u"Подчеркнутый"_s);
    chkOverline = check(u"chkOverline"_s, u"Надчеркнутый"_s);
    chkLineThrough = check(u"chkLineThrough"_s, u"Перечеркнутый"_s);
    chkBlink = check(u"chkBlink"_s, u"Мигающий"_s);
    grid->addWidget(chkNone, 0, 0);
    grid->addWidget(chkUnderline, 1, 0);
    grid->addWidget(chkOverline, 2, 0);
    grid->addWidget(chkLineThrough, 1, 1);
    grid->addWidget(chkBlink, 2, 1);
    auto* label = new QLabel(u"Декор:"_s, page);
    label->setObjectName(u"lblDecoration"_s);
    form->addRow(label, decor);
    // "Нет" and the decorations exclude each other.
    connect(chkNone, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            for (QCheckBox* b : {chkUnderline, chkOverline, chkLineThrough, chkBlink})
                b->setChecked(false);
    });
    for (QCheckBox* b : {chkUnderline, chkOverline, chkLineThrough, chkBlink})
        connect(b, &QCheckBox::toggled, this, [this](bool on) {
            if (on)
                chkNone->setChecked(false);
        });
}

void TfrmClass::CreateParagraphPage() {
    QFormLayout* form = nullptr;
    QWidget* page = Page(u"Абзац"_s, &form);
    TSpinEdit* indent = Spin(u"seTextIndent"_s, -10000, 10000, 0, page);
    AddRowField(form, u"Отступ:"_s, Row(indent, Units(u"cbUnitsTextIndent"_s, kLengthUnits, page)),
                indent);
    QComboBox* height = List(u"cbLineHeight"_s, {u"normal"_s}, true, page);
    AddRowField(form, u"Высота:"_s,
                Row(height, Units(u"cbUnitsLineHeight"_s, kLineHeightUnits, page)), height);
    AddField(form, u"Цвет:"_s, ColorButton(u"clbColor"_s, page));
    AddField(form, u"Направление:"_s, List(u"cbDirection"_s, {u"ltr"_s, u"rtl"_s}, false, page));
    AddField(
        form, u"Выравнивание:"_s,
        List(u"cbTextAlign"_s, {u"left"_s, u"right"_s, u"center"_s, u"justify"_s}, false, page));
    QComboBox* letters = List(u"cbLetterSpacing"_s, {u"normal"_s, u"auto"_s}, true, page);
    AddRowField(form, u"Межбуквенный интервал:"_s,
                Row(letters, Units(u"cbUnits12"_s, kLengthUnits, page)), letters);
    QComboBox* words = List(u"cbWordSpacing"_s, {u"normal"_s}, true, page);
    AddRowField(form, u"Интервал между словами:"_s,
                Row(words, Units(u"cbUnits13"_s, kLengthUnits, page)), words);
    AddField(form, u"Трансформация:"_s,
             List(u"cbTextTransform"_s,
                  {u"none"_s, u"capitalize"_s, u"uppercase"_s, u"lowercase"_s}, false, page));
    AddField(form, u"Чистое пространство:"_s,
             List(u"cbWhiteSpace"_s, {u"normal"_s, u"pre"_s, u"nowrap"_s}, false, page));
}

void TfrmClass::CreateBackgroundPage() {
    QFormLayout* form = nullptr;
    QWidget* page = Page(u"Фон"_s, &form);
    AddField(form, u"Цвет:"_s, ColorButton(u"clbBackgroundColor"_s, page));
    edBackGroundImage = PictureField(u"edBackGroundImage"_s, &btnBackGroundImage, page);
    AddRowField(form, u"Узор:"_s, Row(edBackGroundImage, btnBackGroundImage), edBackGroundImage);
    AddField(form, u"Режим:"_s,
             List(u"cbBackgroundRepeat"_s,
                  {u"repeat"_s, u"no-repeat"_s, u"repeat-x"_s, u"repeat-y"_s}, false, page));
    chkBackgroundAttachment = new QCheckBox(u"Зафиксировать"_s, page);
    chkBackgroundAttachment->setObjectName(u"chkBackgroundAttachment"_s);
    form->addRow(QString(), chkBackgroundAttachment);
    AddField(form, u"Положение:"_s,
             List(u"cbBackgroundPosition"_s,
                  {u"top left"_s, u"top"_s, u"top right"_s, u"center left"_s, u"center"_s,
                   u"center right"_s, u"bottom left"_s, u"bottom"_s, u"bottom right"_s},
                  false, page));
}

void TfrmClass::CreateTablePage() {
    QFormLayout* form = nullptr;
    QWidget* page = Page(u"Таблица"_s, &form);
    AddField(form, u"Отображение:"_s,
             List(u"cbDisplay"_s,
                  {u"table"_s, u"table-caption"_s, u"table-column"_s, u"table-column-group"_s,
                   u"table-row"_s, u"table-row-group"_s, u"table-header-group"_s,
                   u"table-footer-group"_s, u"table-cell"_s},
                  false, page));
    AddField(form, u"Рамка:"_s, List(u"cbBorder"_s, kBorderStyles, false, page));
    AddField(form, u"Алгоритм форматирования:"_s,
             List(u"cbTableLayout"_s, {u"auto"_s, u"fixed"_s}, false, page));
    AddField(form, u"Способ прорисовки таблицы:"_s,
             List(u"cbBorderCollapse"_s, {u"separate"_s, u"collapse"_s}, false, page));
    AddField(form, u"Объединяет столбцов:"_s, Spin(u"seColumnSpan"_s, 1, 1000, 1, page));
    AddField(form, u"Объединяет строк:"_s, Spin(u"seRowSpan"_s, 1, 1000, 1, page));
    AddField(
        form, u"Выравнивание:"_s,
        List(u"cbVerticalAlign"_s, {u"middle"_s, u"top"_s, u"bottom"_s, u"base"_s}, false, page));
}

void TfrmClass::CreateListPage() {
    QFormLayout* form = nullptr;
    QWidget* page = Page(u"Список"_s, &form);
    AddField(form, u"Тип:"_s,
             List(u"cbListStyleType"_s,
                  {u"none"_s, u"disc"_s, u"circle"_s, u"square"_s, u"decimal"_s, u"lower-roman"_s,
                   u"upper-roman"_s, u"lower-alpha"_s, u"upper-alpha"_s},
                  false, page));
    edListStyleImage = PictureField(u"edListStyleImage"_s, &btnListStyleImage, page);
    AddRowField(form, u"Маркер:"_s, Row(edListStyleImage, btnListStyleImage), edListStyleImage);
    AddField(form, u"Положение:"_s,
             List(u"cbListStylePosition"_s, {u"inside"_s, u"outside"_s}, false, page));
}

void TfrmClass::CreateMarginPage() {
    QFormLayout* form = nullptr;
    QWidget* page = Page(u"Поля"_s, &form);
    for (const auto& s : kSides) {
        QComboBox* margin = List(u"cbMargin"_s + s.Name, {u"auto"_s}, true, page);
        AddRowField(form, s.Label,
                    Row(margin, Units(u"cbUnitsMargin"_s + s.Name, kLengthUnits, page)), margin);
    }
}

void TfrmClass::CreateBorderPage() {
    QWidget* page = lbCategories->AddPage(u"Рамка"_s);
    auto* grid = new QGridLayout(page);
    int row = 0;
    for (const auto& s : kSides) {
        auto* label = new QLabel(s.Label, page);
        label->setObjectName(u"lblBorder"_s + s.Name);
        QComboBox* width = List(u"cbBorder"_s + s.Name + u"Width"_s, {u"auto"_s}, true, page);
        label->setBuddy(width);
        grid->addWidget(label, row, 0);
        grid->addWidget(width, row, 1);
        grid->addWidget(Units(u"cbUnitsBorder"_s + s.Name + u"Width"_s, kLengthUnits, page), row,
                        2);
        grid->addWidget(ColorButton(u"clbBorder"_s + s.Name + u"Color"_s, page), row, 3);
        grid->addWidget(List(u"cbBorder"_s + s.Name + u"Style"_s, kBorderStyles, false, page), row,
                        4);
        ++row;
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);
    grid->setRowStretch(row, 1);
}

void TfrmClass::CreatePositionPage() {
    QFormLayout* form = nullptr;
    QWidget* page = Page(u"Положение"_s, &form);
    AddField(form, u"Тип:"_s,
             List(u"cbPosition"_s, {u"normal"_s, u"relative"_s, u"absolute"_s, u"static"_s}, false,
                  page));
    AddField(form, u"Видимость:"_s,
             List(u"cbVisibility"_s, {u"visible"_s, u"hidden"_s, u"inherit"_s}, false, page));
    AddField(
        form, u"Переполнение:"_s,
        List(u"cbOverflow"_s, {u"auto"_s, u"visible"_s, u"hidden"_s, u"scroll"_s}, false, page));
    AddField(form, u"Обтекание:"_s,
             List(u"cbFloat"_s, {u"none"_s, u"left"_s, u"right"_s}, false, page));
    AddField(form, u"Z-Индекс:"_s, Spin(u"seZIndex"_s, -1000, 1000, 0, page));
    AddField(form, u"Обрезка:"_s, List(u"cbClip"_s, {u"auto"_s}, true, page));
}

void TfrmClass::CreateMediaPage() {
    QFormLayout* form = nullptr;
    QWidget* page = Page(u"Мультимедиа"_s, &form);
    AddField(form, u"Громкость:"_s,
             List(u"cbVolume"_s,
                  {u"medium"_s, u"silent"_s, u"x-soft"_s, u"soft"_s, u"loud"_s, u"x-loud"_s}, true,
                  page));
    AddField(form, u"Произношение:"_s,
             List(u"cbSpeak"_s, {u"normal"_s, u"none"_s, u"spell-out"_s}, false, page));
    AddField(form, u"Скорость:"_s,
             List(u"cbSpeechRate"_s,
                  {u"medium"_s, u"x-slow"_s, u"slow"_s, u"slower"_s, u"faster"_s, u"fast"_s,
                   u"x-fast"_s},
                  false, page));
    AddField(form, u"Азимут:"_s,
             List(u"cbAzimuth"_s,
                  {u"center"_s, u"left-side"_s, u"far-left"_s, u"left"_s, u"center-left"_s,
                   u"center-right"_s, u"right"_s, u"far-right"_s, u"right-side"_s, u"leftwards"_s,
                   u"rightwards"_s, u"behind"_s},
                  true, page));
    AddField(form, u"Высота:"_s,
             List(u"cbElevation"_s, {u"level"_s, u"above"_s, u"below"_s, u"higher"_s, u"lower"_s},
                  true, page));
    AddField(form, u"Курсор:"_s,
             List(u"cbCursor"_s,
                  {u"auto"_s, u"default"_s, u"crosshair"_s, u"pointer"_s, u"move"_s, u"e-resize"_s,
                   u"ne-resize"_s, u"nw-resize"_s, u"n-resize"_s, u"se-resize"_s, u"sw-resize"_s,
                   u"s-resize"_s, u"w-resize"_s, u"text"_s, u"wait"_s, u"help"_s},
                  false, page));
}

std::optional<QString> TfrmClass::Changed(const QString& list) const {
    const auto* box = Control<QComboBox>(list);
    if (!box || !IsChanged(box))
        return std::nullopt;
    return box->currentText();
}

TCssLength TfrmClass::Length(const QString& list, const QString& units) const {
    const auto* unit = Control<QComboBox>(units);
    return {Changed(list), unit ? unit->currentText() : QString()};
}

std::optional<TColor> TfrmClass::ChangedColor(const QString& button) const {
    const auto* b = Control<TColorButton>(button);
    if (!b || !IsChanged(b))
        return std::nullopt;
    return b->Color();
}

TClassFields TfrmClass::Fields() const {
    TClassFields f;
    f.ClassName = edClassName->text();
    f.FontFamily = Changed(u"cbFontFamily"_s);
    f.FontSize = Length(u"cbFontSize"_s, u"cbUnits1"_s);
    f.FontWeight = Changed(u"cbFontWeight"_s);
    f.FontVariant = Changed(u"cbFontVariant"_s);
    f.FontStyle = Changed(u"cbFontStyle"_s);
    f.DecorationNone = chkNone->isChecked();
    f.Underline = chkUnderline->isChecked();
    f.Overline = chkOverline->isChecked();
    f.LineThrough = chkLineThrough->isChecked();
    f.Blink = chkBlink->isChecked();
    if (const auto* indent = Control<TSpinEdit>(u"seTextIndent"_s); indent && IsChanged(indent))
        f.TextIndent = {QString::number(indent->value()),
                        Control<QComboBox>(u"cbUnitsTextIndent"_s)->currentText()};
    f.LineHeight = Length(u"cbLineHeight"_s, u"cbUnitsLineHeight"_s);
    f.Color = ChangedColor(u"clbColor"_s);
    f.Direction = Changed(u"cbDirection"_s);
    f.TextAlign = Changed(u"cbTextAlign"_s);
    f.LetterSpacing = Length(u"cbLetterSpacing"_s, u"cbUnits12"_s);
    f.WordSpacing = Length(u"cbWordSpacing"_s, u"cbUnits13"_s);
    f.TextTransform = Changed(u"cbTextTransform"_s);
    f.WhiteSpace = Changed(u"cbWhiteSpace"_s);
    f.BackgroundColor = ChangedColor(u"clbBackgroundColor"_s);
    f.BackgroundImage = edBackGroundImage->text();
    f.BackgroundRepeat = Changed(u"cbBackgroundRepeat"_s);
    f.BackgroundFixed = chkBackgroundAttachment->isChecked();
    f.BackgroundPosition = Changed(u"cbBackgroundPosition"_s);
    f.Display = Changed(u"cbDisplay"_s);
    f.Border = Changed(u"cbBorder"_s);
    f.TableLayout = Changed(u"cbTableLayout"_s);
    f.BorderCollapse = Changed(u"cbBorderCollapse"_s);
    f.ColumnSpan = Control<TSpinEdit>(u"seColumnSpan"_s)->value();
    f.RowSpan = Control<TSpinEdit>(u"seRowSpan"_s)->value();
    f.VerticalAlign = Changed(u"cbVerticalAlign"_s);
    f.ListStyleType = Changed(u"cbListStyleType"_s);
    f.ListStyleImage = edListStyleImage->text();
    f.ListStylePosition = Changed(u"cbListStylePosition"_s);
    for (const auto& s : kSides) {
        f.Margin[s.Side] = Length(u"cbMargin"_s + s.Name, u"cbUnitsMargin"_s + s.Name);
        f.BorderWidth[s.Side] =
            Length(u"cbBorder"_s + s.Name + u"Width"_s, u"cbUnitsBorder"_s + s.Name + u"Width"_s);
        f.BorderStyle[s.Side] = Changed(u"cbBorder"_s + s.Name + u"Style"_s);
        f.BorderColor[s.Side] = ChangedColor(u"clbBorder"_s + s.Name + u"Color"_s);
    }
    f.Position = Changed(u"cbPosition"_s);
    f.Visibility = Changed(u"cbVisibility"_s);
    f.Overflow = Changed(u"cbOverflow"_s);
    f.Float = Changed(u"cbFloat"_s);
    if (const auto* z = Control<TSpinEdit>(u"seZIndex"_s); z && IsChanged(z))
        f.ZIndex = z->value();
    f.Clip = Changed(u"cbClip"_s);
    f.Volume = Changed(u"cbVolume"_s);
    f.Speak = Changed(u"cbSpeak"_s);
    f.SpeechRate = Changed(u"cbSpeechRate"_s);
    f.Azimuth = Changed(u"cbAzimuth"_s);
    f.Elevation = Changed(u"cbElevation"_s);
    f.Cursor = Changed(u"cbCursor"_s);
    return f;
}

void TfrmClass::btnOkClick() {
    if (edClassName->text().trimmed().isEmpty()) {
        ShowInfo(this, u"Не указано имя создаваемого класса"_s);
        edClassName->setFocus();
        return;
    }
    FRule = ComposeClassRule(Fields());
    accept();
}
