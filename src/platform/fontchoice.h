#pragma once

#include <QColor>
#include <QFont>
#include <QString>

namespace platform {

// What a font dialog holds and what confirming it hands over: face, size in
// points, colour and style. The character set is not part of it.
struct FontChoice
{
    QString family = QStringLiteral("MS Sans Serif");
    qreal pointSize = 8;
    QColor color; // invalid: the system's window-text colour
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;

    // The font with these attributes; a face that is missing here falls back
    // to one with Persian glyphs, so the answer stays readable.
    QFont font() const;
    bool operator==(const FontChoice &) const = default;
};

// The modal font dialog. `choice` is what the dialog shows as selected when
// it opens; on confirmation it becomes the chosen font and true comes back.
// Cancelling leaves it as it was. Tests put a scripted one in its place.
class FontDialogs
{
public:
    virtual ~FontDialogs() = default;
    virtual bool choose(QWidget *parent, const QString &dialogName, FontChoice *choice) = 0;
};

// The real one: our own dialog, since Qt's offers no colour.
class WidgetFontDialogs final : public FontDialogs
{
public:
    bool choose(QWidget *parent, const QString &dialogName, FontChoice *choice) override;
};

} // namespace platform
