// The icons of the command table (the image list ilTags), of the navigator's row kinds and of the
// site browser's entries: Breeze icons carried in the program's resources, drawn from SVG at
// every size so they stay sharp, and for the tags Breeze has no picture of, the tag's letters in
// a rounded frame drawn in the same ink. An SVG that cannot be read falls back to the drawn
// letters, so no command is ever without an icon.
#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

#include <functional>

// The icon of a key of the command table (TActionRow::Icon). The navigator's kinds use the keys
// of their tags ("a", "img", "object", "embed", "frame", "style"); the site browser's entries use
// "folder", "page", "picture", "file" and "up". An unknown key gets a drawn "?".
QIcon CommandIcon(const QString& key);

// The icon of a key with a red cross badge in its lower right corner: the broken variant of a
// navigator kind (a link, picture or frame whose target is missing).
QIcon BrokenCommandIcon(const QString& key);

// Whether the key has an icon of its own (not the "?" an unknown key gets).
bool HasCommandIcon(const QString& key);

// The Breeze icon a key is drawn from; empty when the key is drawn as letters.
QString CommandIconBreezeName(const QString& key);

// Whether the program carries the Breeze icon and Qt's SVG image plugin can draw it.
bool HasBreezeIcon(const QString& name);

// A Breeze icon by its name, or the letters drawn in a frame when it cannot be read.
QIcon BreezeIcon(const QString& name, const QString& letters);

// An icon drawn at a size (a square of that side) when that size is first asked for.
QIcon IconDrawnOnDemand(std::function<QImage(int side)> draw);

// Letters in a rounded frame, in the ink of the Breeze icons.
QIcon LettersIcon(const QString& letters);
