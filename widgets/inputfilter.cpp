#include "widgets/inputfilter.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

class TInputFilterObject : public QObject {
public:
    TInputFilterObject(QObject* parent, TInputFilter filter) : QObject(parent), FFilter(filter) {}

    void setFilter(TInputFilter filter) { FFilter = filter; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && Rejects(static_cast<QKeyEvent*>(event)))
            return true;
        return QObject::eventFilter(watched, event);
    }

private:
    bool Rejects(const QKeyEvent* key) const {
        switch (key->key()) {
        case Qt::Key_Backspace:
            // Backspace is a typed character (code 8) like any other and no filter takes it.
            return !InputFilterAccepts(FFilter, QChar(8));
        case Qt::Key_Delete:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return false;
        default:
            break;
        }
        // Shortcuts (paste, undo, select all) are commands, not typed characters.
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        const QString text = key->text();
        for (QChar c : text) {
            if (!InputFilterAccepts(FFilter, c))
                return true;
        }
        return false;
    }

    TInputFilter FFilter;
};

} // namespace

void InstallInputFilter(QLineEdit* edit, TInputFilter filter) {
    if (!edit)
        return;
    for (QObject* child : edit->children()) {
        if (auto* existing = dynamic_cast<TInputFilterObject*>(child)) {
            existing->setFilter(filter);
            return;
        }
    }
    edit->installEventFilter(new TInputFilterObject(edit, filter));
}
