#include "art.h"

#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

// Q_INIT_RESOURCE must be used outside any namespace. The resources live in a
// static library, so nothing would pull their registration in otherwise.
static void registerArtResources()
{
    Q_INIT_RESOURCE(art);
}

namespace art {

namespace {

const QString Root = QStringLiteral(":/art/");
const QString Suffix = QStringLiteral(".svg");

void ensureRegistered()
{
    static const bool registered = (registerArtResources(), true);
    Q_UNUSED(registered);
}

QString sourcePath(const QString &name)
{
    ensureRegistered();
    return Root + name + Suffix;
}

} // namespace

QPixmap picture(const QString &name, QSize size, qreal devicePixelRatio)
{
    const QString path = sourcePath(name);
    if (!QFile::exists(path)) {
        qWarning("art: no picture named \"%s\"", qUtf8Printable(name));
        return {};
    }
    if (size.isEmpty() || devicePixelRatio <= 0)
        return {};

    QSvgRenderer renderer(path);
    QImage image(qRound(size.width() * devicePixelRatio), qRound(size.height() * devicePixelRatio),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        // Rendering straight into device pixels keeps fine strokes sharp at any ratio.
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(image.size())));
    }
    image.setDevicePixelRatio(devicePixelRatio);
    return QPixmap::fromImage(std::move(image));
}

QSize naturalSize(const QString &name)
{
    const QString path = sourcePath(name);
    if (!QFile::exists(path))
        return {};
    return QSvgRenderer(path).defaultSize();
}

QStringList names()
{
    ensureRegistered();
    QStringList result;
    QDirIterator it(Root, {QLatin1Char('*') + Suffix}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        result << path.mid(Root.size(), path.size() - Root.size() - Suffix.size());
    }
    result.sort();
    return result;
}

QString publisherAddress()
{
    return QStringLiteral("sorvanel.example");
}

} // namespace art
