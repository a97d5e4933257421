// The model of one markup tag: a name, an ordered list of attributes and the text that followed
// the tag. It reads the text of a single tag with a small character-driven state machine that
// stops at the first character it cannot accept, and composes the tag back with every value in
// double quotes (apostrophes for a value holding a double quote, "&quot;" for one holding both
// kinds). The tag attribute editor parses the tag under the caret into it and writes the
// composed text back into the page.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// What a lookup of one attribute gives.
struct THTMLTagProperty {
    QString AttrName; // lower case
    QString AttrValue;
    bool Found = false;
};

class THTMLTag : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString TagName READ TagName WRITE setTagName)
    Q_PROPERTY(QString InnerText READ InnerText WRITE setInnerText)
    Q_PROPERTY(bool AllowStrictNotation READ AllowStrictNotation WRITE setAllowStrictNotation)
    Q_PROPERTY(bool WasClosed READ WasClosed)

public:
    explicit THTMLTag(QObject* parent = nullptr);

    // Reads the text of one tag. A text holding several tags leaves the last one in the model;
    // a rejected character empties the model and fires OnError with its 1-based position in
    // NormalizeTagText(text).
    void Parse(const QString& text);
    // The composed markup.
    QString GetTagText() const;

    // Attribute names are lowercased. Adding a name that is already present, "innertext" or an
    // empty name does nothing (the first value wins).
    void AddAttribute(const QString& name, const QString& value);
    // Replaces the value of a present attribute, otherwise adds it.
    void SetAttribute(const QString& name, const QString& value);
    void DeleteAttribute(const QString& name);
    THTMLTagProperty GetAttribute(const QString& name) const;
    // From 0; an invalid index gives two empty texts and Found false.
    THTMLTagProperty GetAttributeByIndex(int index) const;
    int AttributeCount() const;

    // True when the name and the inner text are blank and there are no attributes.
    bool IsEmpty() const;
    // Empties the model and switches strict notation off.
    void Clear();

    // Lower case; a closing tag's name begins with "/". The setter takes only a valid tag name
    // (stored lowercased) and ignores anything else.
    QString TagName() const { return FTagName; }
    void setTagName(const QString& value);
    // The characters that followed the tag's ">" in the parsed text.
    QString InnerText() const { return FInnerText; }
    void setInnerText(const QString& value) { FInnerText = value; }
    // Compose a self-closed tag as " />" instead of an opening and a closing tag. Parse and
    // Clear switch it off, so set it after parsing.
    bool AllowStrictNotation() const { return FAllowStrictNotation; }
    void setAllowStrictNotation(bool value) { FAllowStrictNotation = value; }
    // The parsed tag was closed with "/" before ">".
    bool WasClosed() const { return FWasClosed; }

    // The text as the parser sees it: carriage returns, line feeds and tabs become spaces, and
    // the blanks around every "=" are removed. Error positions count characters of this text.
    static QString NormalizeTagText(const QString& text);

signals:
    // Declared for symmetry with the other components; never fired.
    void OnBeforeParse(QObject* Sender);
    // After a parse that met no error.
    void OnAfterParse(QObject* Sender);
    // At the first character the parser rejects; Position is 1-based.
    void OnError(QObject* Sender, qint32 Position);
    void OnAddProperty(QObject* Sender);
    void OnDeleteProperty(QObject* Sender);
    void OnChangeProperty(QObject* Sender);
    // Each time a tag's ">" is reached.
    void OnTagProcessed(QObject* Sender);

private:
    void ProcessAttributeText(const QString& text);
    qsizetype IndexOfAttribute(const QString& lowerName) const;

    QStringList FAttrNames;  // lower case, no duplicates, never "innertext"
    QStringList FAttrValues; // the value of the name at the same index
    QString FTagName;
    QString FInnerText;
    bool FAllowStrictNotation = false;
    bool FWasClosed = false;
};
