#pragma once

#include "colours.h"

#include <QColor>
#include <QRect>
#include <QString>

class QFont;
class QLabel;

// Placing the entry window's texts. The layout gives each text a box sized
// for the Windows fonts; the faces we have set some texts wider, so a box
// that is too narrow grows about the edge or centre that the layout lines
// the text up on, and a text never spills out of its box.
namespace vorudi {

// Where a text keeps its place when its box grows: links sit centred in
// frames of the background, the centres' list keeps its right edge, and a
// box that must not move is kept as it is.
enum class Anchor { Fixed, Centre, Right };

// `box`, or a box just wide enough for `text` in `font`, about `anchor`.
QRect fittedBox(const QRect &box, const QFont &font, const QString &text, Anchor anchor);

// Names, places, words and colours a label. Alignment is absolute: the
// window reads right to left, but a box's right stays on the right.
void setUpLabel(QLabel *label, const char *name, const QRect &box, const QString &text, const QFont &font,
                const QColor &colour, Qt::Alignment alignment, Anchor anchor);

// The recurring colours.
using platform::Green;
using platform::Maroon;
using platform::Purple;
using platform::Red;
using platform::Teal;

} // namespace vorudi
