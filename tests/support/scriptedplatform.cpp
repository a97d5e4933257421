#include "support/scriptedplatform.h"

#include <QDialog>

using namespace Qt::StringLiterals;

// GCC 12 wrongly reports the moved-out optional<QString> as maybe uninitialised.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

namespace {
template <typename T>
std::optional<T> Take(std::deque<std::optional<T>>& q, QStringList& missed, const QString& what) {
    if (q.empty()) {
        missed << what;
        return std::nullopt;
    }
    auto v = std::move(q.front());
    q.pop_front();
    return v;
}
} // namespace

TScriptedPlatform::TScriptedPlatform() {
    SetPlatform(this);
}
TScriptedPlatform::~TScriptedPlatform() {
    SetPlatform(nullptr);
}

QStringList TScriptedPlatform::Messages() const {
    QStringList out;
    for (const auto& c : Calls)
        if (c.Kind == u"message"_s)
            out << c.Text;
    return out;
}

void TScriptedPlatform::Clear() {
    Calls.clear();
    SaveRequests.clear();
    OpenRequests.clear();
    Unanswered.clear();
}

TAnswer TScriptedPlatform::MessageBox(QWidget*, TMsgKind kind, const QString& text,
                                      TButtons buttons, const QString&) {
    Calls << TPlatformCall{u"message"_s, text, kind, buttons, {}};
    if (buttons == TButtons::Ok)
        return TAnswer::Ok;
    if (FAnswers.empty()) {
        Unanswered << text;
        return TAnswer::Cancel;
    }
    const TAnswer a = FAnswers.front();
    FAnswers.pop_front();
    return a;
}

std::optional<QString> TScriptedPlatform::InputBox(QWidget*, const QString& caption,
                                                   const QString& prompt, const QString& preset) {
    Calls << TPlatformCall{u"input"_s, caption + u'|' + prompt, {}, {}, preset};
    return Take(FInputs, Unanswered, prompt);
}

std::optional<TOpenFileResult> TScriptedPlatform::OpenFile(QWidget*,
                                                           const TOpenFileRequest& request) {
    Calls << TPlatformCall{u"open"_s, request.Title, {}, {}, request.InitialDir};
    OpenRequests << request;
    return Take(FOpens, Unanswered, request.Title);
}

std::optional<QString> TScriptedPlatform::SaveFile(QWidget*, const TSaveFileRequest& request) {
    Calls << TPlatformCall{u"save"_s, request.Title, {}, {}, request.FileName};
    SaveRequests << request;
    return Take(FSaves, Unanswered, request.Title);
}

std::optional<QString> TScriptedPlatform::BrowseFolder(QWidget*, const QString& caption,
                                                       const QString& prompt,
                                                       const QString& startFolder) {
    Calls << TPlatformCall{u"folder"_s, caption + u'|' + prompt, {}, {}, startFolder};
    return Take(FFolders, Unanswered, prompt);
}

std::optional<QColor> TScriptedPlatform::PickColor(QWidget*, const QColor&) {
    Calls << TPlatformCall{u"color"_s, {}, {}, {}, {}};
    return Take(FColors, Unanswered, u"color"_s);
}

bool TScriptedPlatform::OpenWithShell(const QUrl& url) {
    Calls << TPlatformCall{u"shell"_s, url.toString(), {}, {}, {}};
    return true;
}

int TScriptedPlatform::ExecDialog(QDialog* dialog) {
    Calls << TPlatformCall{u"dialog"_s,
                           QString::fromLatin1(dialog->metaObject()->className()),
                           {},
                           {},
                           dialog->windowTitle()};
    if (FDialogs.empty()) {
        Unanswered << dialog->windowTitle();
        return QDialog::Rejected;
    }
    auto f = std::move(FDialogs.front());
    FDialogs.pop_front();
    return f(dialog);
}
