#include "site/selectfile.h"

#include "app/platform.h"
#include "app/rcstring.h"
#include "site/sitelogic.h"
#include "site/toolfunc.h"
#include "widgets/dialogbuttons.h"

#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TfrmSelectFile::TfrmSelectFile(TSelectFileMode mode, const QString& source,
                               const QString& browseFolder, const QString& rootDir, QWidget* parent)
    : QDialog(parent), FMode(mode), FSource(source), FBrowseFolder(browseFolder),
      FRootDir(rootDir) {
    setObjectName(u"frmSelectFile"_s);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(LoadStr(mode == sfmCopy ? sCopyFileCaption : sMoveFileCaption));

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(12, 12, 12, 12);
    auto* grid = new QGridLayout;
    edSource = new QLineEdit(ExtractFileDir(source), this);
    edSource->setObjectName(u"edSource"_s);
    edSource->setReadOnly(true);
    edDestination = new QLineEdit(this);
    edDestination->setObjectName(u"edDestination"_s);
    btnBrowse = new QPushButton(u". . ."_s, this);
    btnBrowse->setObjectName(u"btnBrowse"_s);
    btnBrowse->setAutoDefault(false);
    auto* lblSource = new QLabel(u"Источник:"_s, this);
    lblSource->setObjectName(u"lblSource"_s);
    lblSource->setBuddy(edSource);
    auto* lblDestination = new QLabel(u"Назначение:"_s, this);
    lblDestination->setObjectName(u"lblDestination"_s);
    lblDestination->setBuddy(edDestination);
    for (QLabel* l : {lblSource, lblDestination})
        l->setTextFormat(Qt::PlainText);
    grid->addWidget(lblSource, 0, 0);
    grid->addWidget(edSource, 0, 1, 1, 2);
    grid->addWidget(lblDestination, 1, 0);
    grid->addWidget(edDestination, 1, 1);
    grid->addWidget(btnBrowse, 1, 2);
    grid->setColumnStretch(1, 1);
    root->addLayout(grid);
    root->addStretch(1);

    const TOkCancelRow buttons = MakeOkCancelRow(this, u"btnOK"_s);
    btnOK = buttons.Ok;
    btnCancel = buttons.Cancel;
    // A slip of the Enter key must not copy or move anything.
    btnOK->setDefault(false);
    btnOK->setAutoDefault(false);
    btnCancel->setDefault(true);
    btnOK->setEnabled(false);
    root->addLayout(buttons.Layout);

    connect(edDestination, &QLineEdit::textChanged, this,
            [this](const QString& text) { btnOK->setEnabled(!text.trimmed().isEmpty()); });
    connect(btnBrowse, &QPushButton::clicked, this, &TfrmSelectFile::btnBrowseClick);
    connect(btnOK, &QPushButton::clicked, this, &TfrmSelectFile::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(500, 175);
}

void TfrmSelectFile::btnBrowseClick() {
    const QString prompt =
        FormatStr(FMode == sfmCopy ? sCopyFilePrompt : sMoveFilePrompt, ExtractFileName(FSource));
    const auto folder = Platform().BrowseFolder(this, u"Выбор папки"_s, prompt, FBrowseFolder);
    if (folder && !folder->isEmpty())
        edDestination->setText(QDir::toNativeSeparators(*folder));
}

void TfrmSelectFile::btnOKClick() {
    if (edDestination->text().trimmed().isEmpty())
        return;
    const QString folder = DestinationFolder(edDestination->text());
    const QString target = folder + ExtractFileName(FSource);
    QDir().mkpath(folder);
    // Failures are silent: the list shows what is on disk afterwards.
    if (FMode == sfmCopy)
        CopyFileReplacing(FSource, target);
    else
        MoveFileSafely(FSource, target);
    FNeedsRefresh = FolderIsInsideRoot(folder, FRootDir);
    accept();
}
