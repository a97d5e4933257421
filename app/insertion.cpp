#include "app/insertion.h"

using namespace Qt::StringLiterals;

TInsertion TagPairInsertion(const QString& tag, const QString& selection) {
    if (!selection.isEmpty())
        return {u'<' + tag + u'>' + selection + u"</"_s + tag + u'>', 0, false};
    return {u'<' + tag + u"></"_s + tag + u'>', int(tag.size()) + 3, false};
}

TInsertion BlockTagPairInsertion(const QString& tag, const QString& selection) {
    if (!selection.isEmpty())
        return {u'<' + tag + u'>' + selection + u"</"_s + tag + u'>', 0, true};
    return {u'<' + tag + u">\n\n\n</"_s + tag + u'>', int(tag.size()) + 5, true};
}

TInsertion InputTagInsertion(const QString& type, const QString& name, const QString& value) {
    return {u"<input type=\""_s + type + u"\" name=\""_s + name + u"\" value=\""_s + value +
                u"\" />"_s,
            0, true};
}

TInsertion Finalized(const TInsertion& insertion) {
    TInsertion out = insertion;
    if (out.LineBreak) {
        out.Text += u'\n';
        out.K += 1;
        out.LineBreak = false;
    }
    return out;
}
