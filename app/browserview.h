// The embedded browser of the preview, as the window sees it. The browser itself (Qt WebEngine,
// that is Chromium) lives in a module of its own that is loaded on the first preview: linked
// into the program it would cost every start the relocation of Chromium and an OpenGL context
// for it, more than the rest of the start together.
#pragma once

#include <QString>

class QUrl;
class QWidget;

class TBrowserView {
public:
    virtual ~TBrowserView() = default;
    // The browser's widget, owned by the parent it was made with.
    virtual QWidget* Widget() = 0;
    virtual void Load(const QUrl& url) = 0;
    virtual void SetHtml(const QString& html) = 0;
};

// The module's one entry point: makes a browser under parent, reading pages without a charset
// of their own as Windows-1251. The object lives as long as its widget.
using TCreateBrowserView = TBrowserView* (*)(QWidget* parent);
inline constexpr char kCreateBrowserViewSymbol[] = "quorvane_create_browser_view";
