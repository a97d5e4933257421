// The new-document wizard: four steps of fields, a colour scheme with a live preview and the
// templates behind it, and on "OK" the page skeleton written to disk.
#pragma once

#include "markup/ColorTemplates.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;
class TBanner;

// What the wizard takes from the window that shows it.
struct TWizardContext {
    QString PageFile;      // the shown page's file, or empty: where the picture dialogs start
    QString ProjectRoot;   // the active project's root folder, or empty without one
    QString SaveTo;        // the remembered save folder, the root without a project
    QString TemplatesFile; // the colour-template file
    // Makes the project inactive (false) or active again (true); may be empty.
    std::function<void(bool active)> SetProjectActive;
};

class TfrmWizard : public QDialog {
    Q_OBJECT

public:
    explicit TfrmWizard(const TWizardContext& context, QWidget* parent = nullptr);

    // Why the template file could not be read (empty when it could, or was missing). Such a file
    // is left alone at close.
    QString LoadError() const { return FLoadError; }
    // Writes the templates back; the system's message when that fails, else an empty text. A file
    // that held something but no scheme is left as it was while the list stays unchanged.
    QString SaveTemplates();
    // The written page's full path; empty until "OK" on the last step succeeded.
    QString ResultPath() const { return FResultPath; }
    int Step() const { return FStep; }

    TColorTemplates* Templates = nullptr;
    TBanner* Banner = nullptr;
    QListWidget* lbStep = nullptr;
    QStackedWidget* pcSteps = nullptr;
    QLineEdit *edTitle = nullptr, *edDescription = nullptr, *edKeywords = nullptr;
    QCheckBox* chkUseTemplate = nullptr;
    QComboBox* cbTemplate = nullptr;
    QFrame* pnlColorScheme = nullptr;
    QLabel *lblText = nullptr, *lblLink = nullptr, *lblVlink = nullptr, *lblAlink = nullptr;
    QPushButton *btnAddTemplate = nullptr, *btnDeleteTemplate = nullptr,
                *btnChangeTemplate = nullptr;
    QCheckBox* chkUseStylesheet = nullptr;
    QLineEdit* edStylesheet = nullptr;
    QPushButton* btnStylesheet = nullptr;
    QLineEdit* edBackground = nullptr;
    QPushButton* btnBackground = nullptr;
    QCheckBox* chkFixed = nullptr;
    QLineEdit* edBgsound = nullptr;
    QPushButton* btnBgsound = nullptr;
    QComboBox* cmbLoop = nullptr;
    QLineEdit* edRootDir = nullptr;
    QPushButton* btnRootDir = nullptr;
    QLineEdit* edFilename = nullptr;
    QComboBox* cbType = nullptr;
    QCheckBox* chkStandAlone = nullptr;
    QPushButton *btnBack = nullptr, *btnOk = nullptr, *btnCancel = nullptr;

    // The colours the preview shows now (what the body gets and what "<<" and ". . ." store).
    TColorTemplate ShownColors() const { return FShown; }

    void btnOkClick();
    void btnBackClick();
    void btnAddTemplateClick();
    void btnChangeTemplateClick();
    void btnDeleteTemplateClick();
    void cbTemplateChange();
    // A click on the preview panel (the background) or on one of its four labels.
    void EditColor(QWidget* target);
    void btnBackgroundClick();
    void btnBgsoundClick();
    void btnStylesheetClick();
    void btnRootDirClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateGeneralPage();
    void CreateColorPage();
    void CreateMediaPage();
    void CreateSavePage();
    void ShowStep(int step);
    void FillTemplateList(const QString& select);
    void ShowColors(const TColorTemplate& colors);
    void SetTemplateEdited(bool edited);
    void GeneratePage();

    TWizardContext FContext;
    TColorTemplate FShown;
    int FStep = 0;
    QString FLoadError;
    // The list as first shown, when the file held something but no scheme this program can read.
    QString FUnknownFileList;
    QString FBackgroundFile, FSoundFile, FStyleSheetFile; // full paths of the picked files
    QString FResultPath;
};
