// The icons of the command table (the image list ilTags), drawn at run time so that they stay
// sharp at any scale and need no image files.
#pragma once

#include <QIcon>

QIcon CommandIcon(const QString& key);
