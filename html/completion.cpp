#include "html/completion.h"

#include <Qt>

using namespace Qt::StringLiterals;

bool HasValueList(const QString& attrName) {
    static const QStringList names = {u"align"_s, u"valign"_s, u"class"_s,
                                      u"src"_s,   u"href"_s,   u"face"_s};
    return names.contains(attrName.toLower());
}

QStringList AlignValues() {
    return {u"Left"_s, u"Center"_s, u"Right"_s, u"Justify"_s};
}

QStringList VAlignValues() {
    return {u"Top"_s, u"Middle"_s, u"Bottom"_s, u"AbsTop"_s, u"AbsMiddle"_s, u"AbsBottom"_s};
}

QStringList AttributeValues(const QString& attrName, const TValueSources& sources) {
    const QString name = attrName.toLower();
    if (name == u"align")
        return AlignValues();
    if (name == u"valign")
        return VAlignValues();
    if (name == u"class")
        return sources.CssClasses;
    if (name == u"href")
        return sources.HyperLinks;
    if (name == u"src")
        return sources.Images;
    if (name == u"face")
        return sources.FontFamilies;
    return {};
}

bool ValuesFromPage(const QString& attrName) {
    const QString name = attrName.toLower();
    return name == u"class" || name == u"href" || name == u"src";
}

bool IsEditableValueList(const QString& attrName) {
    const QString name = attrName.toLower();
    return name == u"href" || name == u"src";
}

QString TypedWordAfterKeyDown(const QString& typedWord, int key) {
    switch (key) {
    case Qt::Key_Escape:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
        return {};
    case Qt::Key_Left:
        return typedWord.left(qMax<qsizetype>(0, typedWord.size() - 1));
    default:
        return typedWord;
    }
}

QString CompletionAttrName(const QString& typedWord) {
    return typedWord.left(qMax<qsizetype>(0, typedWord.size() - 1)).toLower();
}

bool OpensCompletion(const QString& typedWord) {
    return typedWord.endsWith(u'=') && HasValueList(CompletionAttrName(typedWord));
}

QString RandText(const QString& sentence) {
    QString text;
    for (int i = 1; i <= 15; ++i) {
        text += sentence;
        if (i % 5 == 0)
            text += u'\n';
    }
    return text;
}

QString CompletionInsertText(const QString& entry) {
    return u'"' + entry + u"\" "_s;
}

int CompletionCaretBack(const QString& entry) {
    return entry.isEmpty() ? 3 : 0;
}

QRect PlaceCompletionList(const QRect& editor, const QSize& list, const QPoint& caret,
                          int fontSize) {
    const int L = editor.left(), T = editor.top(), W = editor.width(), H = editor.height();
    int w = list.width(), h = list.height();
    const int y = caret.y() + fontSize + 3;
    const int x = caret.x() + fontSize;
    int top = h < H - y ? T + y : T + y - h;
    int left = w < W - x ? L + x : L + x - w;
    // Cut what lies outside the editor: a child widget beyond its parent's edge is simply not
    // drawn, and the entries must stay readable.
    if (left < L) {
        w -= L - left;
        left = L;
    }
    if (top < T) {
        h -= T - top;
        top = T;
    }
    w = qMax(0, qMin(w, L + W - left));
    h = qMax(0, qMin(h, T + H - top));
    return QRect(left, top, w, h);
}
