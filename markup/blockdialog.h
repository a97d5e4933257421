// What the table, cell, list, form, select, font and Flash dialogs share: the banner over the
// fields, the "ОК"/"Отмена" row, the composed markup they leave for their command, and small
// makers for labelled fields with their limits and input filters.
#pragma once

#include "app/insertion.h"
#include "site/toolfunc.h"

#include <QDialog>
#include <QStringList>

#include <optional>

class QCheckBox;
class QComboBox;
class QFormLayout;
#include <QLabel>
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class TBanner;

class TBlockDialog : public QDialog {
    Q_OBJECT

public:
    // The markup to insert, set when "ОК" closed the dialog with something to write.
    std::optional<TInsertion> Result;

    TBanner* Banner = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;

public slots:
    void btnOkClick();

protected:
    TBlockDialog(const QString& objectName, const QString& caption, const QString& title,
                 const QString& subtitle, QWidget* parent);
    // Called by "ОК": sets Result (or leaves it empty) and returns true to close the dialog,
    // or shows its message and returns false to stay open.
    virtual bool Confirm() = 0;
    // Adds the button row under everything the dialog put into Body.
    void FinishLayout();
    // The item list of the list and select dialogs under its label "Элементы списка:", with the
    // column of buttons "<<" (add), ">>" (delete), "Вверх", "Вниз" beside it.
    struct TItemButtons {
        QPushButton *Add, *Delete, *Up, *Down;
    };
    TItemButtons AddItemList(QWidget* list);

    QVBoxLayout* Body = nullptr;
};

// A form layout with the dialogs' margins.
QFormLayout* MakeFieldForm(QWidget* parent = nullptr);
// A plain-text label for a field.
QLabel* MakeFieldLabel(const QString& text, QWidget* buddy);
// An edit field with an object name, a length limit (0: none), a preset and an input filter.
QLineEdit* MakeEdit(QWidget* parent, const QString& name, int maxLength,
                    std::optional<TInputFilter> filter = std::nullopt, const QString& preset = {});
// A read-only drop-down list with its entries; preset -1 selects nothing.
QComboBox* MakeChoice(QWidget* parent, const QString& name, const QStringList& entries, int preset);
QCheckBox* MakeCheck(QWidget* parent, const QString& name, const QString& text);
// Limits what the user types to a length while a longer preset stays whole: typing or pasting
// may not make the text longer than the limit, or longer than it already is.
void LimitTypedLength(QLineEdit* edit, int maxLength);
