// The options dialog "Настройка": the three remembered folders and the editor's font.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// What the dialog shows and, after "ОК", what the user chose.
struct TOptionsValues {
    QString OpenFrom; // initial folder of the open dialog
    QString SaveTo;   // initial folder of the Save As dialog
    QString PicsIn;   // initial folder of the picture dialog
    QString FontName; // the editor's font
    int FontSize = 10;

    friend bool operator==(const TOptionsValues&, const TOptionsValues&) = default;
};

class TfrmOptions : public QDialog {
    Q_OBJECT

public:
    // browseStart is where the folder browser opens: the shown document's folder.
    TfrmOptions(const TOptionsValues& values, const QString& browseStart,
                QWidget* parent = nullptr);

    // The values shown on creation; after "ОК" the values chosen.
    const TOptionsValues& Values() const { return FValues; }

    // The sizes "Размер шрифта:" offers.
    static QStringList FontSizes();

    QLabel* lblBanner = nullptr;
    QLineEdit* edOpenFrom = nullptr;
    QLineEdit* edSaveTo = nullptr;
    QLineEdit* edPicsIn = nullptr;
    QPushButton* btnBrowseOpen = nullptr;
    QPushButton* btnBrowseSave = nullptr;
    QPushButton* btnBrowsePics = nullptr;
    QComboBox* cmbFont = nullptr;
    QComboBox* cmbfontSize = nullptr;
    QPushButton* btnApply = nullptr;
    QPushButton* btnCancel = nullptr;

public slots:
    void btnBrowseOpenClick();
    void btnBrowseSaveClick();
    void btnBrowsePicsClick();
    void btnApplyClick();
    void btnCancelClick();

private:
    void CreateWidgets();
    void FormCreate();
    void BrowseInto(QLineEdit* field, int promptId);

    TOptionsValues FValues;
    QString FBrowseStart;
};
