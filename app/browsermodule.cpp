// The preview's browser module: a QWebEngineView behind the TBrowserView interface.
#include "app/browserview.h"

#include <QUrl>
#include <QWebEngineSettings>
#include <QWebEngineView>

using namespace Qt::StringLiterals;

namespace {

class TWebEngineBrowser final : public QWebEngineView, public TBrowserView {
public:
    explicit TWebEngineBrowser(QWidget* parent) : QWebEngineView(parent) {
        // Pages are stored in Windows-1251; one without a charset of its own must still read
        // right.
        settings()->setDefaultTextEncoding(u"windows-1251"_s);
    }
    QWidget* Widget() override { return this; }
    void Load(const QUrl& url) override { load(url); }
    void SetHtml(const QString& html) override { setHtml(html); }
};

} // namespace

extern "C" Q_DECL_EXPORT TBrowserView* quorvane_create_browser_view(QWidget* parent) {
    return new TWebEngineBrowser(parent);
}
