// The dialog that creates a project or changes the open one: title, main page and root folder.
// "OK" writes the project file and leaves its path in PendingPath; "Отмена" touches nothing.
#pragma once

#include "site/WebSite.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class TBanner;

class TfrmNewSite : public QDialog {
    Q_OBJECT

public:
    // In edit mode the fields are filled by the caller; the title they start with is the
    // project's former title, whose file a rename replaces.
    TfrmNewSite(bool editMode, QWidget* parent = nullptr);

    // Fills the fields from the open project (edit mode).
    void SetProject(const QString& title, const QString& mainPage, const QString& rootDir);

    // The project file written by "OK"; empty when the dialog was cancelled.
    QString PendingPath;

    TBanner* Banner = nullptr;
    QLineEdit* edSiteTitle = nullptr;
    QLineEdit* edSiteMainPage = nullptr;
    QLineEdit* edRootDir = nullptr;
    QPushButton* btnBrowseRoot = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;
    TWebSite* wsSite = nullptr;

    void btnBrowseRootClick();
    void btnOkClick();

private:
    bool FEditMode;
    QString FFormerTitle;
};
