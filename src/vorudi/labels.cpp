#include "labels.h"

#include <QFontMetricsF>
#include <QLabel>

#include <cmath>

namespace vorudi {

QRect fittedBox(const QRect &box, const QFont &font, const QString &text, Anchor anchor)
{
    int needed = int(std::ceil(QFontMetricsF(font).horizontalAdvance(text)));
    if (anchor == Anchor::Fixed || needed <= box.width())
        return box;
    if (anchor == Anchor::Right)
        return QRect(box.right() + 1 - needed, box.top(), needed, box.height());
    // Grow both sides by the same amount, so the centre stays where it was.
    needed += (needed - box.width()) % 2;
    const int grow = (needed - box.width()) / 2;
    return box.adjusted(-grow, 0, grow, 0);
}

void setUpLabel(QLabel *label, const char *name, const QRect &box, const QString &text, const QFont &font,
                const QColor &colour, Qt::Alignment alignment, Anchor anchor)
{
    label->setObjectName(QLatin1String(name));
    label->setFont(font);
    label->setText(text);
    label->setAccessibleName(text);
    label->setAlignment(alignment | Qt::AlignAbsolute | Qt::AlignVCenter);
    label->setTextFormat(Qt::PlainText);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
    label->setGeometry(fittedBox(box, font, text, anchor));
}

} // namespace vorudi
