#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace platform {

// Fonts asked for by their Windows names. Tahoma and its kin are not on
// Linux, so each name comes with fallbacks that scripts/setup installs: a
// face with Persian glyphs and compact metrics for the Arabic script, and a
// Latin face of similar width, so texts keep to their boxes.
QStringList fallbackFamilies(const QString &windowsFamily);

// `pixelHeight` is the character height in pixels, as the layout gives sizes.
QFont windowsFont(const QString &windowsFamily, int pixelHeight, QFont::Weight weight = QFont::Normal);

} // namespace platform
