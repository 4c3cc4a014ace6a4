#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>
#include <QStringList>

// The program's pictures: backgrounds, the category marker, the close and
// minimise marks, button pictures and the centres' logos. Each is an SVG
// source in the library's resources, named after the component that shows it
// ("vorudi/Image1", "vorudi/Logo3", "Unit1/Image2", "Unit1/SpeedButton8"…),
// and is rendered afresh on each call: callers keep the pixmap they get.
//
// The artwork lays its frames, marks and headings under the windows' controls
// at their fixed positions, so a picture is only right at the size its window
// shows it. The lettering is set in Amiri, which must be installed.
namespace art {

// Renders the named picture at exactly `size` device-independent pixels,
// stretched to fill it, with `devicePixelRatio` device pixels per pixel so it
// stays sharp on high-density screens. A null pixmap for an unknown name.
QPixmap picture(const QString &name, QSize size, qreal devicePixelRatio = 1.0);

// The size the artwork is drawn at; an invalid size for an unknown name.
QSize naturalSize(const QString &name);

// Every picture's name, sorted.
QStringList names();

// The publisher's web address as the main window's background letters it
// under its web-address click area.
QString publisherAddress();

} // namespace art
