// A platform for tests: answers every dialog from a script, in order, and records what was asked.
#pragma once

#include "app/platform.h"

#include <QList>
#include <deque>

struct TPlatformCall {
    QString Kind; // "message", "input", "open", "save", "folder", "color", "shell", "dialog"
    QString Text; // message text, prompt, title, url or dialog class
    TMsgKind MsgKind = TMsgKind::Information;
    TButtons Buttons = TButtons::Ok;
    QString Proposed; // proposed file name, input preset or start folder
};

class TScriptedPlatform : public IPlatform {
public:
    TScriptedPlatform();           // installs itself
    ~TScriptedPlatform() override; // restores the Qt platform

    void QueueAnswer(TAnswer a) { FAnswers.push_back(a); }
    void QueueInput(std::optional<QString> s) { FInputs.push_back(std::move(s)); }
    void QueueOpen(std::optional<TOpenFileResult> r) { FOpens.push_back(std::move(r)); }
    void QueueSave(std::optional<QString> s) { FSaves.push_back(std::move(s)); }
    void QueueFolder(std::optional<QString> s) { FFolders.push_back(std::move(s)); }
    void QueueColor(std::optional<QColor> c) { FColors.push_back(std::move(c)); }
    // The function fills the dialog's fields (or presses its buttons) and returns its result.
    void QueueDialog(std::function<int(QDialog*)> f) { FDialogs.push_back(std::move(f)); }

    QList<TPlatformCall> Calls;
    QList<TSaveFileRequest> SaveRequests;
    QList<TOpenFileRequest> OpenRequests;
    // Calls that found no scripted answer (tests expect this to stay empty).
    QStringList Unanswered;
    QStringList Messages() const; // the texts of all message boxes shown, in order
    void Clear();

    TAnswer MessageBox(QWidget* parent, TMsgKind kind, const QString& text, TButtons buttons,
                       const QString& caption) override;
    std::optional<QString> InputBox(QWidget* parent, const QString& caption, const QString& prompt,
                                    const QString& preset) override;
    std::optional<TOpenFileResult> OpenFile(QWidget* parent,
                                            const TOpenFileRequest& request) override;
    std::optional<QString> SaveFile(QWidget* parent, const TSaveFileRequest& request) override;
    std::optional<QString> BrowseFolder(QWidget* parent, const QString& caption,
                                        const QString& prompt, const QString& startFolder) override;
    std::optional<QColor> PickColor(QWidget* parent, const QColor& initial) override;
    bool OpenWithShell(const QUrl& url) override;
    int ExecDialog(QDialog* dialog) override;

private:
    std::deque<TAnswer> FAnswers;
    std::deque<std::optional<QString>> FInputs, FSaves, FFolders;
    std::deque<std::optional<TOpenFileResult>> FOpens;
    std::deque<std::optional<QColor>> FColors;
    std::deque<std::function<int(QDialog*)>> FDialogs;
};
