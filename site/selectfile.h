// The copy / move destination dialog of the site browser: the source's folder, a destination
// folder to type or browse for. "ОК" copies or moves the file there.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The command's tag tells copy from move.
enum TSelectFileMode { sfmCopy = 1000, sfmMove = -1000 };

class TfrmSelectFile : public QDialog {
    Q_OBJECT

public:
    // browseFolder presets the folder dialog (the shown document's folder, or empty); rootDir is
    // the project's root, for the refresh rule.
    TfrmSelectFile(TSelectFileMode mode, const QString& source, const QString& browseFolder,
                   const QString& rootDir, QWidget* parent = nullptr);

    QLineEdit* edSource = nullptr;
    QLineEdit* edDestination = nullptr;
    QPushButton* btnBrowse = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

    void btnBrowseClick();
    void btnOKClick();

    // After "ОК": the file went into a folder of the project, so the site list is stale.
    bool NeedsRefresh() const { return FNeedsRefresh; }

private:
    TSelectFileMode FMode;
    QString FSource;
    QString FBrowseFolder;
    QString FRootDir;
    bool FNeedsRefresh = false;
};
