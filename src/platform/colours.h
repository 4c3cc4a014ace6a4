#pragma once

#include <QColor>

// The colours the windows share, by the names the layout gives them: maroon
// for captions and links at rest, green under the pointer, and the rest of
// the classic palette the controls use.
namespace platform {

inline const QColor Maroon(128, 0, 0);
inline const QColor Green(0, 128, 0);
inline const QColor DarkGreen(0, 64, 0);
inline const QColor Olive(128, 128, 0);
inline const QColor Navy(0, 0, 128);
inline const QColor Purple(128, 0, 128);
inline const QColor Teal(0, 128, 128);
inline const QColor Red(255, 0, 0);
// The main window's face, which its text views share.
inline const QColor MainBackground(236, 242, 208);

} // namespace platform
