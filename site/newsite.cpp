#include "site/newsite.h"

#include "app/apphome.h"
#include "app/platform.h"
#include "app/rcstring.h"
#include "app/textfile.h"
#include "markup/dialogparts.h"
#include "site/sitelogic.h"
#include "site/toolfunc.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

// The main page field refuses the keys of characters a file name cannot hold, and blanks.
class TMainPageKeys : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (!(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
                for (QChar c : key->text())
                    if (u" \"*/<>?\\|"_s.contains(c))
                        return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

bool SameFile(const QString& a, const QString& b) {
    if (a == b)
        return true;
    const QString ca = QFileInfo(a).canonicalFilePath(), cb = QFileInfo(b).canonicalFilePath();
    return !ca.isEmpty() && ca == cb;
}

} // namespace

TfrmNewSite::TfrmNewSite(bool editMode, QWidget* parent) : QDialog(parent), FEditMode(editMode) {
    setObjectName(u"frmNewSite"_s);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    wsSite = new TWebSite(this);
    wsSite->setObjectName(u"wsSite"_s);
    const TDialogFrame frame = MakeDialogFrame(
        this, u"Новый проект"_s,
        editMode ? LoadStr(sEditProjectTitle) : u"Создание нового проекта"_s, QString());
    Banner = frame.Banner;
    btnOk = frame.Ok;
    btnOk->setText(u"OK"_s);
    btnCancel = frame.Cancel;

    auto* form = new QFormLayout;
    form->setContentsMargins(12, 4, 12, 4);
    edSiteTitle = MakeLineEdit(this, u"edSiteTitle"_s, 0);
    edSiteMainPage = MakeLineEdit(this, u"edSiteMainPage"_s, 0);
    edSiteMainPage->installEventFilter(new TMainPageKeys(edSiteMainPage));
    edSiteMainPage->setText(wsSite->MainPage());
    edRootDir = MakeLineEdit(this, u"edRootDir"_s, 0);
    edRootDir->setReadOnly(true);
    edRootDir->setText(DefaultFolder());
    btnBrowseRoot = new QPushButton(u". . ."_s, this);
    btnBrowseRoot->setObjectName(u"btnBrowseRoot"_s);
    btnBrowseRoot->setAutoDefault(false);
    auto* rootRow = new QWidget(this);
    auto* rootLayout = new QHBoxLayout(rootRow);
    rootLayout->setContentsMargins(0, 0, 0, 0);
    rootLayout->addWidget(edRootDir, 1);
    rootLayout->addWidget(btnBrowseRoot);
    AddField(form, u"Название:"_s, edSiteTitle);
    AddField(form, u"Главная страница:"_s, edSiteMainPage);
    auto* lblRootDir = new QLabel(u"Корневой каталог:"_s, this);
    lblRootDir->setObjectName(u"lblRootDir"_s);
    lblRootDir->setTextFormat(Qt::PlainText);
    lblRootDir->setBuddy(edRootDir);
    form->addRow(lblRootDir, rootRow);
    frame.Body->addLayout(form);
    frame.Body->addStretch(1);

    connect(btnBrowseRoot, &QPushButton::clicked, this, &TfrmNewSite::btnBrowseRootClick);
    connect(btnOk, &QPushButton::clicked, this, &TfrmNewSite::btnOkClick);
    resize(500, 350);
    edSiteTitle->setFocus();
}

void TfrmNewSite::SetProject(const QString& title, const QString& mainPage,
                             const QString& rootDir) {
    edSiteTitle->setText(title);
    edSiteMainPage->setText(mainPage);
    edRootDir->setText(QDir::toNativeSeparators(rootDir));
    FFormerTitle = title;
}

void TfrmNewSite::btnBrowseRootClick() {
    const auto folder = Platform().BrowseFolder(
        this, u"Корневой каталог сайта"_s,
        u"Выберите каталог, в котором будет размещаться содержимое сайта"_s, edRootDir->text());
    if (!folder || folder->isEmpty())
        return;
    QString f = QDir::toNativeSeparators(*folder);
    if (f.size() > 1 && f.endsWith(QDir::separator()))
        f.chop(1);
    edRootDir->setText(f);
}

void TfrmNewSite::btnOkClick() {
    const QString title = edSiteTitle->text().trimmed();
    // The title becomes a file name in the projects folder: one that could name a file
    // elsewhere is refused here.
    if (const QString problem = ProjectTitleProblem(title); !problem.isEmpty()) {
        ShowInfo(this, problem);
        edSiteTitle->setFocus();
        return;
    }
    if (edRootDir->text().trimmed().isEmpty())
        edRootDir->setText(DefaultFolder());
    edSiteMainPage->setText(edSiteMainPage->text().trimmed());
    if (!IsValidFileName(edSiteMainPage->text())) {
        ShowInfo(this, LoadStr(sBadMainPageName));
        edSiteMainPage->setFocus();
        return;
    }
    const QString file = ProjectFilePath(ProjectsFolder(), title);
    const QString former = FEditMode ? ProjectFilePath(ProjectsFolder(), FFormerTitle) : QString();
    // In edit mode the project's own file may be written again; any other file of that name
    // belongs to another project.
    if (QFileInfo::exists(file) && (!FEditMode || !SameFile(file, former))) {
        ShowInfo(this, LoadStr(sProjectExists));
        edSiteTitle->setFocus();
        return;
    }
    const QString root = edRootDir->text();
    if (!QFileInfo(root).isDir())
        QDir().mkpath(root);
    wsSite->setTitle(title);
    wsSite->setMainPage(edSiteMainPage->text());
    wsSite->setRootDir(root);
    try {
        wsSite->SaveToFile(file);
    } catch (const EFileError& e) {
        ShowError(this, e.Message());
        return;
    }
    // A former title read from a foreign project file might name a file elsewhere: only a title
    // that is a plain name in the projects folder has its file removed.
    if (FEditMode && !SameFile(file, former) && ProjectTitleProblem(FFormerTitle).isEmpty())
        QFile::remove(former);
    PendingPath = file;
    accept();
}
