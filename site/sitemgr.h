// The project manager: chooses one of the stored projects or deletes project files. "ОК" leaves
// the chosen project file in PendingPath once its root folder was found.
#pragma once

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;
class TBanner;

class TfrmSite : public QDialog {
    Q_OBJECT

public:
    explicit TfrmSite(QWidget* parent = nullptr);

    // The project file chosen; empty when the dialog was cancelled.
    QString PendingPath;

    TBanner* Banner = nullptr;
    // The name field over the always-visible list of stored projects: typing a name selects the
    // entry of that name, or none.
    QLineEdit* edProject = nullptr;
    QListWidget* cbProject = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;
    QPushButton* btnDelete = nullptr;

    void btnOKClick();
    void btnDeleteClick();
    // The selected project's name, or empty.
    QString SelectedProject() const;

private:
    void UpdateEnabled();
    void SelectTyped(const QString& text);
};
