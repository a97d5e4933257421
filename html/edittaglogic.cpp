#include "html/edittaglogic.h"

int RawTagPosition(const QString& tagText, int normalizedPos) {
    // Walk the text as the tag model normalises it (a run of blanks touching an "=" is dropped)
    // and count the characters that survive.
    auto isBlank = [](QChar c) { return c == u' ' || c == u'\r' || c == u'\n' || c == u'\t'; };
    const qsizetype n = tagText.size();
    int kept = 0;
    QChar last;
    qsizetype i = 0;
    while (i < n) {
        const QChar c = tagText.at(i);
        if (!isBlank(c)) {
            if (++kept == normalizedPos)
                return int(i) + 1;
            last = c;
            ++i;
            continue;
        }
        qsizetype j = i;
        while (j < n && isBlank(tagText.at(j)))
            ++j;
        const bool touchesEquals = last == u'=' || (j < n && tagText.at(j) == u'=');
        if (!touchesEquals) {
            if (normalizedPos > kept && normalizedPos <= kept + int(j - i))
                return int(i) + normalizedPos - kept;
            kept += int(j - i);
            last = u' ';
        }
        i = j;
    }
    return normalizedPos;
}

QString TrimValue(const QString& value) {
    qsizetype b = 0, e = value.size();
    while (b < e && value.at(b).unicode() <= 0x20)
        ++b;
    while (e > b && value.at(e - 1).unicode() <= 0x20)
        --e;
    return value.mid(b, e - b);
}

TValueChoice ChooseListValue(const QStringList& entries, const QString& value, bool editable) {
    TValueChoice choice;
    choice.Entries = entries;
    int match = int(entries.indexOf(value));
    if (match < 0)
        for (int i = 0; i < entries.size(); ++i)
            if (entries.at(i).compare(value, Qt::CaseInsensitive) == 0) {
                match = i;
                break;
            }
    if (match >= 0) {
        choice.Index = match;
    } else if (value.isEmpty()) {
        choice.Index = entries.isEmpty() ? -1 : 0;
    } else if (!editable) {
        choice.Entries.prepend(value);
        choice.Index = 0;
    }
    if (editable && !value.isEmpty())
        choice.Text = value;
    else
        choice.Text = choice.Index >= 0 ? choice.Entries.at(choice.Index) : QString();
    return choice;
}
