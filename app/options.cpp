#include "app/options.h"
#include "widgets/dialogbuttons.h"

#include "app/platform.h"
#include "app/rcstring.h"

#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QLineEdit* MakeFolderField(QWidget* parent, const QString& name) {
    auto* ed = new QLineEdit(parent);
    ed->setObjectName(name);
    // Filled only through the folder browser. No length limit: a folder path cut short would
    // name another folder.
    ed->setReadOnly(true);
    ed->setMinimumWidth(320);
    return ed;
}

QPushButton* MakeBrowseButton(QWidget* parent, const QString& name) {
    auto* btn = new QPushButton(u". . ."_s, parent);
    btn->setObjectName(name);
    btn->setAutoDefault(false);
    btn->setFixedWidth(36);
    return btn;
}

} // namespace

QStringList TfrmOptions::FontSizes() {
    return {u"8"_s,  u"9"_s,  u"10"_s, u"11"_s, u"12"_s, u"13"_s, u"14"_s, u"15"_s,
            u"16"_s, u"17"_s, u"18"_s, u"20"_s, u"22"_s, u"24"_s, u"26"_s, u"28"_s,
            u"30"_s, u"32"_s, u"34"_s, u"36"_s, u"38"_s, u"40"_s};
}

TfrmOptions::TfrmOptions(const TOptionsValues& values, const QString& browseStart, QWidget* parent)
    : QDialog(parent), FValues(values), FBrowseStart(browseStart) {
    CreateWidgets();
    FormCreate();
}

void TfrmOptions::CreateWidgets() {
    setObjectName(u"frmOptions"_s);
    setWindowTitle(u"Настройка"_s);
    setModal(true);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 8);

    lblBanner = new QLabel(u"Изменение настроек приложения"_s, this);
    lblBanner->setObjectName(u"lblBanner"_s);
    QFont bannerFont = lblBanner->font();
    bannerFont.setBold(true);
    bannerFont.setPointSize(bannerFont.pointSize() + 2);
    lblBanner->setFont(bannerFont);
    lblBanner->setContentsMargins(12, 10, 12, 10);
    lblBanner->setAutoFillBackground(true);
    lblBanner->setBackgroundRole(QPalette::Base);
    root->addWidget(lblBanner);
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    root->addWidget(line);

    auto* grid = new QGridLayout;
    grid->setContentsMargins(12, 8, 12, 8);
    grid->setHorizontalSpacing(6);
    edOpenFrom = MakeFolderField(this, u"edOpenFrom"_s);
    edSaveTo = MakeFolderField(this, u"edSaveTo"_s);
    edPicsIn = MakeFolderField(this, u"edPicsIn"_s);
    btnBrowseOpen = MakeBrowseButton(this, u"btnBrowseOpen"_s);
    btnBrowseSave = MakeBrowseButton(this, u"btnBrowseSave"_s);
    btnBrowsePics = MakeBrowseButton(this, u"btnBrowsePics"_s);
    cmbFont = new QComboBox(this);
    cmbFont->setObjectName(u"cmbFont"_s);
    cmbFont->setEditable(false);
    cmbfontSize = new QComboBox(this);
    cmbfontSize->setObjectName(u"cmbfontSize"_s);
    cmbfontSize->setEditable(false);

    int row = 0;
    auto addRow = [&](const QString& caption, QWidget* field, QWidget* button) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        if (button)
            grid->addWidget(button, row, 2);
        ++row;
    };
    addRow(u"Открывать из:"_s, edOpenFrom, btnBrowseOpen);
    addRow(u"Сохранять в:"_s, edSaveTo, btnBrowseSave);
    addRow(u"Графика в:"_s, edPicsIn, btnBrowsePics);
    addRow(u"Шрифт:"_s, cmbFont, nullptr);
    addRow(u"Размер шрифта:"_s, cmbfontSize, nullptr);
    root->addLayout(grid);
    root->addStretch(1);

    const TOkCancelRow buttons = MakeOkCancelRow(this, u"btnApply"_s, 12);
    btnApply = buttons.Ok;
    btnCancel = buttons.Cancel;
    btnCancel->setAutoDefault(false);
    root->addLayout(buttons.Layout);

    connect(btnBrowseOpen, &QPushButton::clicked, this, &TfrmOptions::btnBrowseOpenClick);
    connect(btnBrowseSave, &QPushButton::clicked, this, &TfrmOptions::btnBrowseSaveClick);
    connect(btnBrowsePics, &QPushButton::clicked, this, &TfrmOptions::btnBrowsePicsClick);
    connect(btnApply, &QPushButton::clicked, this, &TfrmOptions::btnApplyClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmOptions::btnCancelClick);
}

void TfrmOptions::FormCreate() {
    edOpenFrom->setText(FValues.OpenFrom);
    edSaveTo->setText(FValues.SaveTo);
    edPicsIn->setText(FValues.PicsIn);
    // A name or size the lists do not offer leaves that list without a selection.
    cmbFont->addItems(QFontDatabase::families());
    cmbFont->setCurrentIndex(cmbFont->findText(FValues.FontName, Qt::MatchFixedString));
    cmbfontSize->addItems(FontSizes());
    cmbfontSize->setCurrentIndex(cmbfontSize->findText(QString::number(FValues.FontSize)));
}

void TfrmOptions::BrowseInto(QLineEdit* field, int promptId) {
    const std::optional<QString> folder =
        Platform().BrowseFolder(this, u"Выбор папки"_s, LoadStr(promptId), FBrowseStart);
    if (folder && !folder->isEmpty())
        field->setText(QDir::toNativeSeparators(*folder));
}

void TfrmOptions::btnBrowseOpenClick() {
    BrowseInto(edOpenFrom, sBrowseOpenFolder);
}

void TfrmOptions::btnBrowseSaveClick() {
    BrowseInto(edSaveTo, sBrowseSaveFolder);
}

void TfrmOptions::btnBrowsePicsClick() {
    BrowseInto(edPicsIn, sBrowsePicsFolder);
}

void TfrmOptions::btnApplyClick() {
    FValues.OpenFrom = edOpenFrom->text();
    FValues.SaveTo = edSaveTo->text();
    FValues.PicsIn = edPicsIn->text();
    // A list without a selection keeps the editor's current value.
    if (cmbFont->currentIndex() >= 0)
        FValues.FontName = cmbFont->currentText();
    if (cmbfontSize->currentIndex() >= 0)
        FValues.FontSize = cmbfontSize->currentText().toInt();
    accept();
}

void TfrmOptions::btnCancelClick() {
    reject();
}
