#include "markup/wizard.h"

#include "app/apphome.h"
#include "app/platform.h"
#include "app/textfile.h"
#include "markup/dialogparts.h"
#include "markup/elementlogic.h"
#include "markup/wizardlogic.h"
#include "widgets/colorbutton.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
constexpr int kTextLimit = 200;
const QString kForward = u"Вперед >>"_s;

QPushButton* BrowseButton(const QString& name, QWidget* parent) {
    auto* b = new QPushButton(u". . ."_s, parent);
    b->setObjectName(name);
    b->setFixedWidth(36);
    return b;
}

QWidget* WithButton(QWidget* field, QPushButton* button) {
    auto* row = new QWidget(field->parentWidget());
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    field->setParent(row);
    button->setParent(row);
    layout->addWidget(field, 1);
    layout->addWidget(button);
    return row;
}

QLineEdit* Edit(const QString& name, QWidget* parent, int limit = 0) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    if (limit > 0)
        e->setMaxLength(limit);
    return e;
}

QLabel* Label(const QString& name, const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    return l;
}

void SetForeground(QWidget* w, TColor color) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, ToQColor(color));
    w->setPalette(p);
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

TfrmWizard::TfrmWizard(const TWizardContext& context, QWidget* parent)
    : QDialog(parent), FContext(context) {
    setObjectName(u"frmWizard"_s);
    setWindowTitle(u"Новый документ"_s);
    Templates = new TColorTemplates(this);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 10);
    root->setSpacing(8);
    Banner = new TBanner(u"Создание нового web-документа"_s, QString(), this);
    root->addWidget(Banner);

    auto* middle = new QHBoxLayout;
    middle->setContentsMargins(12, 0, 12, 0);
    lbStep = new QListWidget(this);
    lbStep->setObjectName(u"lbStep"_s);
    lbStep->addItems({u"Общие"_s, u"Цветовая схема"_s, u"Мультимедиа"_s, u"Сохранение"_s});
    lbStep->setFixedWidth(130);
    // The list shows where the user is; the steps are walked with the buttons.
    lbStep->setFocusPolicy(Qt::NoFocus);
    lbStep->viewport()->setAttribute(Qt::WA_TransparentForMouseEvents);
    pcSteps = new QStackedWidget(this);
    pcSteps->setObjectName(u"pcSteps"_s);
    middle->addWidget(lbStep);
    middle->addWidget(pcSteps, 1);
    root->addLayout(middle, 1);

    CreateGeneralPage();
    CreateColorPage();
    CreateMediaPage();
    CreateSavePage();

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(12, 0, 12, 0);
    buttons->addStretch(1);
    btnBack = new QPushButton(u"<< Назад"_s, this);
    btnBack->setObjectName(u"btnBack"_s);
    btnOk = new QPushButton(kForward, this);
    btnOk->setObjectName(u"btnOk"_s);
    btnOk->setDefault(true);
    btnCancel = new QPushButton(u"Отмена"_s, this);
    btnCancel->setObjectName(u"btnCancel"_s);
    for (QPushButton* b : {btnBack, btnOk, btnCancel}) {
        b->setMinimumWidth(90);
        buttons->addWidget(b);
    }
    root->addLayout(buttons);
    connect(btnBack, &QPushButton::clicked, this, &TfrmWizard::btnBackClick);
    connect(btnOk, &QPushButton::clicked, this, &TfrmWizard::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    // The project decides the root folder and whether the page can stay out of it.
    const bool project = !FContext.ProjectRoot.isEmpty();
    edRootDir->setText(project ? FContext.ProjectRoot : FContext.SaveTo);
    if (edRootDir->text().isEmpty())
        edRootDir->setText(DefaultFolder());
    chkStandAlone->setChecked(!project);
    chkStandAlone->setEnabled(project);
    connect(chkStandAlone, &QCheckBox::toggled, this, [this](bool standAlone) {
        if (FContext.SetProjectActive)
            FContext.SetProjectActive(!standAlone);
    });

    // Every template read refills the list and is applied; a list still empty gets the
    // built-in schemes.
    connect(Templates, &TColorTemplates::OnAddTemplate, this,
            [this](const QString& name) { FillTemplateList(name); });
    connect(Templates, &TColorTemplates::OnChangeTemplate, this, &TfrmWizard::cbTemplateChange);
    connect(Templates, &TColorTemplates::OnDeleteTemplate, this,
            [this] { FillTemplateList(QString()); });
    try {
        Templates->LoadFromFile(FContext.TemplatesFile);
    } catch (const EFileError& e) {
        FLoadError = e.Message();
    }
    if (Templates->TemplateCount() == 0) {
        const bool unknownFile =
            FLoadError.isEmpty() && QFileInfo(FContext.TemplatesFile).size() > 0;
        Templates->AddBuiltInsIfEmpty();
        FillTemplateList(QString());
        if (unknownFile)
            FUnknownFileList = Templates->FileText();
    }
    SetTemplateEdited(false);

    ShowStep(0);
    edTitle->setFocus();
    resize(560, 340);
}

void TfrmWizard::CreateGeneralPage() {
    auto* page = new QWidget(pcSteps);
    auto* form = new QFormLayout(page);
    edTitle = Edit(u"edTitle"_s, page, kTextLimit);
    edDescription = Edit(u"edDescription"_s, page, kTextLimit);
    edKeywords = Edit(u"edKeywords"_s, page, kTextLimit);
    AddField(form, u"Название:"_s, edTitle);
    AddField(form, u"Описание:"_s, edDescription);
    AddField(form, u"Ключевые слова:"_s, edKeywords);
    pcSteps->addWidget(page);
}

void TfrmWizard::CreateColorPage() {
    auto* page = new QWidget(pcSteps);
    auto* layout = new QVBoxLayout(page);
    chkUseTemplate = new QCheckBox(u"Использовать шаблон оформления"_s, page);
    chkUseTemplate->setObjectName(u"chkUseTemplate"_s);
    layout->addWidget(chkUseTemplate);

    auto* scheme = new QHBoxLayout;
    cbTemplate = new QComboBox(page);
    cbTemplate->setObjectName(u"cbTemplate"_s);
    cbTemplate->setEditable(false);
    cbTemplate->setMinimumWidth(120);
    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(cbTemplate);
    listColumn->addStretch(1);
    scheme->addLayout(listColumn, 1);

    auto* buttonColumn = new QVBoxLayout;
    btnAddTemplate = new QPushButton(u"<<"_s, page);
    btnAddTemplate->setObjectName(u"btnAddTemplate"_s);
    btnDeleteTemplate = new QPushButton(u">>"_s, page);
    btnDeleteTemplate->setObjectName(u"btnDeleteTemplate"_s);
    btnChangeTemplate = new QPushButton(u". . ."_s, page);
    btnChangeTemplate->setObjectName(u"btnChangeTemplate"_s);
    for (QPushButton* b : {btnAddTemplate, btnDeleteTemplate, btnChangeTemplate}) {
        b->setFixedWidth(40);
        buttonColumn->addWidget(b);
    }
    buttonColumn->addStretch(1);
    scheme->addLayout(buttonColumn);

    pnlColorScheme = new QFrame(page);
    pnlColorScheme->setObjectName(u"pnlColorScheme"_s);
    pnlColorScheme->setFrameShape(QFrame::StyledPanel);
    pnlColorScheme->setAutoFillBackground(true);
    pnlColorScheme->setMinimumSize(190, 100);
    pnlColorScheme->setCursor(Qt::PointingHandCursor);
    auto* preview = new QVBoxLayout(pnlColorScheme);
    lblText = Label(u"lblText"_s, u"Основной текст,"_s, pnlColorScheme);
    lblLink = Label(u"lblLink"_s, u"некая ссылка,"_s, pnlColorScheme);
    lblVlink = Label(u"lblVlink"_s, u"посещенная ссылка,"_s, pnlColorScheme);
    lblAlink = Label(u"lblAlink"_s, u"активная ссылка"_s, pnlColorScheme);
    pnlColorScheme->installEventFilter(this);
    for (QLabel* l : {lblText, lblLink, lblVlink, lblAlink}) {
        if (l != lblText) {
            QFont f = l->font();
            f.setUnderline(true);
            l->setFont(f);
        }
        l->installEventFilter(this);
        preview->addWidget(l);
    }
    preview->addStretch(1);
    scheme->addWidget(pnlColorScheme, 1);
    layout->addLayout(scheme);

    chkUseStylesheet = new QCheckBox(u"Использовать таблицу стилей"_s, page);
    chkUseStylesheet->setObjectName(u"chkUseStylesheet"_s);
    layout->addWidget(chkUseStylesheet);
    edStylesheet = Edit(u"edStylesheet"_s, page);
    btnStylesheet = BrowseButton(u"btnStylesheet"_s, page);
    layout->addWidget(WithButton(edStylesheet, btnStylesheet));
    layout->addStretch(1);

    connect(cbTemplate, &QComboBox::currentIndexChanged, this, &TfrmWizard::cbTemplateChange);
    connect(btnAddTemplate, &QPushButton::clicked, this, &TfrmWizard::btnAddTemplateClick);
    connect(btnDeleteTemplate, &QPushButton::clicked, this, &TfrmWizard::btnDeleteTemplateClick);
    connect(btnChangeTemplate, &QPushButton::clicked, this, &TfrmWizard::btnChangeTemplateClick);
    connect(btnStylesheet, &QPushButton::clicked, this, &TfrmWizard::btnStylesheetClick);
    pcSteps->addWidget(page);
}

void TfrmWizard::CreateMediaPage() {
    auto* page = new QWidget(pcSteps);
    auto* form = new QFormLayout(page);
    edBackground = Edit(u"edBackground"_s, page);
    btnBackground = BrowseButton(u"btnBackground"_s, page);
    AddRowField(form, u"Фон:"_s, WithButton(edBackground, btnBackground), edBackground);
    chkFixed = new QCheckBox(u"Фиксировать"_s, page);
    chkFixed->setObjectName(u"chkFixed"_s);
    form->addRow(QString(), chkFixed);
    edBgsound = Edit(u"edBgsound"_s, page);
    btnBgsound = BrowseButton(u"btnBgsound"_s, page);
    AddRowField(form, u"Фоновая музыка:"_s, WithButton(edBgsound, btnBgsound), edBgsound);
    cmbLoop = new QComboBox(page);
    cmbLoop->setObjectName(u"cmbLoop"_s);
    cmbLoop->addItems(NewPageLoopEntries());
    cmbLoop->setCurrentIndex(0);
    AddField(form, u"Число повторов:"_s, cmbLoop);
    connect(btnBackground, &QPushButton::clicked, this, &TfrmWizard::btnBackgroundClick);
    connect(btnBgsound, &QPushButton::clicked, this, &TfrmWizard::btnBgsoundClick);
    pcSteps->addWidget(page);
}

void TfrmWizard::CreateSavePage() {
    auto* page = new QWidget(pcSteps);
    auto* form = new QFormLayout(page);
    edRootDir = Edit(u"edRootDir"_s, page);
    edRootDir->setReadOnly(true);
    btnRootDir = BrowseButton(u"btnRootDir"_s, page);
    AddRowField(form, u"Корневой каталог:"_s, WithButton(edRootDir, btnRootDir), edRootDir);
    edFilename = Edit(u"edFilename"_s, page);
    edFilename->setText(u"index.html"_s);
    AddField(form, u"Имя файла:"_s, edFilename);
    cbType = new QComboBox(page);
    cbType->setObjectName(u"cbType"_s);
    cbType->addItems(NewPageTypes());
    cbType->setCurrentIndex(0);
    AddField(form, u"Тип страницы:"_s, cbType);
    chkStandAlone = new QCheckBox(u"Не включать в проект"_s, page);
    chkStandAlone->setObjectName(u"chkStandAlone"_s);
    form->addRow(QString(), chkStandAlone);
    connect(btnRootDir, &QPushButton::clicked, this, &TfrmWizard::btnRootDirClick);
    pcSteps->addWidget(page);
}

QString TfrmWizard::SaveTemplates() {
    // A file that could not be read is not replaced: its schemes would be lost.
    if (!FLoadError.isEmpty())
        return {};
    // Nor is a file whose content is not ours, only for the built-in schemes that stood in.
    if (!FUnknownFileList.isEmpty() && Templates->FileText() == FUnknownFileList)
        return {};
    try {
        Templates->SaveToFile(FContext.TemplatesFile);
    } catch (const EFileError& e) {
        return e.Message();
    }
    return {};
}

void TfrmWizard::ShowStep(int step) {
    FStep = step;
    pcSteps->setCurrentIndex(step);
    lbStep->setCurrentRow(step);
    btnBack->setEnabled(step > 0);
    btnOk->setText(step == pcSteps->count() - 1 ? u"OK"_s : kForward);
}

void TfrmWizard::btnOkClick() {
    if (FStep < pcSteps->count() - 1)
        ShowStep(FStep + 1);
    else
        GeneratePage();
}

void TfrmWizard::btnBackClick() {
    if (FStep > 0)
        ShowStep(FStep - 1);
}

void TfrmWizard::FillTemplateList(const QString& select) {
    QStringList names = Templates->Names();
    names.sort(Qt::CaseInsensitive);
    {
        const QSignalBlocker block(cbTemplate);
        cbTemplate->clear();
        cbTemplate->addItems(names);
        const int i = select.isEmpty() ? 0 : int(names.indexOf(select));
        cbTemplate->setCurrentIndex(qMax(0, i));
    }
    // The last scheme stays: the list must always have one to apply.
    btnDeleteTemplate->setEnabled(Templates->TemplateCount() > 1);
    cbTemplateChange();
}

void TfrmWizard::cbTemplateChange() {
    if (btnChangeTemplate->isEnabled())
        SetTemplateEdited(false);
    ShowColors(Templates->GetTemplate(cbTemplate->currentText()));
}

void TfrmWizard::SetTemplateEdited(bool edited) {
    btnAddTemplate->setEnabled(edited);
    btnChangeTemplate->setEnabled(edited);
}

void TfrmWizard::ShowColors(const TColorTemplate& colors) {
    FShown = colors;
    QPalette p = pnlColorScheme->palette();
    p.setColor(QPalette::Window, ToQColor(colors.BgColor));
    pnlColorScheme->setPalette(p);
    SetForeground(lblText, colors.TextColor);
    SetForeground(lblLink, colors.LinkColor);
    SetForeground(lblVlink, colors.VLinkColor);
    SetForeground(lblAlink, colors.ALinkColor);
}

bool TfrmWizard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (QWidget* target : {static_cast<QWidget*>(pnlColorScheme),
                                static_cast<QWidget*>(lblText), static_cast<QWidget*>(lblLink),
                                static_cast<QWidget*>(lblVlink), static_cast<QWidget*>(lblAlink)})
            if (watched == target) {
                EditColor(target);
                return true;
            }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmWizard::EditColor(QWidget* target) {
    TColor* color = target == lblText    ? &FShown.TextColor
                    : target == lblLink  ? &FShown.LinkColor
                    : target == lblVlink ? &FShown.VLinkColor
                    : target == lblAlink ? &FShown.ALinkColor
                                         : &FShown.BgColor;
    const auto picked = Platform().PickColor(this, ToQColor(*color));
    if (!picked || !picked->isValid())
        return;
    *color = FromQColor(*picked);
    ShowColors(FShown);
    SetTemplateEdited(true);
}

void TfrmWizard::btnAddTemplateClick() {
    const auto name =
        Platform().InputBox(this, u"Новый шаблон"_s, u"Введите название нового шаблона"_s, {});
    if (!name || name->trimmed().isEmpty())
        return;
    TColorTemplate t = FShown;
    t.Name = name->trimmed();
    Templates->AddTemplate(t);
}

void TfrmWizard::btnChangeTemplateClick() {
    if (cbTemplate->currentIndex() >= 0)
        Templates->ChangeTemplate(cbTemplate->currentText(), FShown);
}

void TfrmWizard::btnDeleteTemplateClick() {
    if (cbTemplate->currentIndex() >= 0)
        Templates->DeleteTemplate(cbTemplate->currentText());
}

void TfrmWizard::btnBackgroundClick() {
    TOpenFileRequest r;
    r.Filter = u"Все Интернет|*.gif;*.jpg;*.jpeg;*.tif*;*.png"_s;
    r.InitialDir = ExtractFileDir(FContext.PageFile);
    const auto picked = Platform().OpenFile(this, r);
    if (!picked || picked->FileName.isEmpty())
        return;
    FBackgroundFile = picked->FileName;
    edBackground->setText(FBackgroundFile);
}

void TfrmWizard::btnBgsoundClick() {
    TOpenFileRequest r;
    r.Title = u"Фоновый звуковой файл"_s;
    r.Filter = u"Все форматы|*.aif*; *.au; *.snd; *.voc; *.wav; *.mid; *.mod; *.nst; *.ul; "
               u"*.ra; *.ram; *.mp3; *.wma"_s;
    r.InitialDir = ExtractFileDir(FContext.PageFile);
    const auto picked = Platform().OpenFile(this, r);
    if (!picked || picked->FileName.isEmpty())
        return;
    FSoundFile = picked->FileName;
    edBgsound->setText(FSoundFile);
}

void TfrmWizard::btnStylesheetClick() {
    TOpenFileRequest r;
    r.Title = u"Прикрепленная таблица стилей"_s;
    r.Filter = u"Таблицы стилей|*.css"_s;
    r.InitialDir = FContext.ProjectRoot.isEmpty() ? DefaultFolder() : FContext.ProjectRoot;
    const auto picked = Platform().OpenFile(this, r);
    if (!picked || picked->FileName.isEmpty())
        return;
    FStyleSheetFile = picked->FileName;
    edStylesheet->setText(FStyleSheetFile);
}

void TfrmWizard::btnRootDirClick() {
    const QString start = !FContext.ProjectRoot.isEmpty()
                              ? ExtractFileDir(FContext.PageFile)
                              : QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const auto folder = Platform().BrowseFolder(
        this, u"Корневой каталог страницы"_s,
        u"Если страница не входит в проект, то в этом каталоге также будут храниться файлы "
        u"ссылок и графики."_s,
        start);
    if (folder && !folder->isEmpty())
        edRootDir->setText(*folder);
}

void TfrmWizard::GeneratePage() {
    edFilename->setText(edFilename->text().trimmed());
    if (edFilename->text().isEmpty()) {
        ShowInfo(this, u"Не указано имя создаваемого файла"_s);
        edFilename->setFocus();
        return;
    }
    const QString path =
        NewPagePath(edRootDir->text(), NewPageFileName(edFilename->text(), cbType->currentText()));
    if (QFileInfo::exists(path)) {
        const QString caption = QApplication::applicationDisplayName().isEmpty()
                                    ? u"Quorvane"_s
                                    : QApplication::applicationDisplayName();
        if (Platform().MessageBox(this, TMsgKind::Information,
                                  u"Файл с таким именем уже существует.\nХотите заменить его?"_s,
                                  TButtons::YesNo, caption) != TAnswer::Yes)
            return;
    }
    // Only picked files count: their paths as the new page sees them.
    const auto relative = [&](const QString& file) {
        return file.isEmpty() ? QString() : PageRelativePath(file, path);
    };
    edBgsound->setText(relative(FSoundFile));
    edBackground->setText(relative(FBackgroundFile));

    TNewPageFields f;
    f.Title = edTitle->text();
    f.Description = edDescription->text();
    f.Keywords = edKeywords->text();
    f.UseTemplate = chkUseTemplate->isChecked();
    f.Colors = FShown;
    if (chkUseStylesheet->isChecked() && !FStyleSheetFile.isEmpty()) {
        edStylesheet->setText(relative(FStyleSheetFile));
        f.StyleSheetHref = edStylesheet->text();
    }
    f.Background = edBackground->text();
    f.FixedBackground = chkFixed->isChecked();
    f.Sound = edBgsound->text();
    f.Loop = cmbLoop->currentText();
    f.PageType = cbType->currentText();
    try {
        WriteTextFile(path, NewPageText(f), UnencodablePolicyFor(path));
    } catch (const EFileError& e) {
        ShowError(this, e.Message());
        return;
    }
    FResultPath = path;
    accept();
}
