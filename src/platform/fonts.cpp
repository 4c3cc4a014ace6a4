#include "fonts.h"

namespace platform {

QStringList fallbackFamilies(const QString &windowsFamily)
{
    // The asked-for name stays first: where it is installed, it wins.
    if (windowsFamily.compare(QLatin1String("Times New Roman"), Qt::CaseInsensitive) == 0)
        return {windowsFamily, QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif"), QStringLiteral("Noto Naskh Arabic UI")};
    return {windowsFamily, QStringLiteral("Noto Sans Arabic UI"), QStringLiteral("DejaVu Sans")};
}

QFont windowsFont(const QString &windowsFamily, int pixelHeight, QFont::Weight weight)
{
    QFont font;
    font.setFamilies(fallbackFamilies(windowsFamily));
    font.setPixelSize(pixelHeight);
    font.setWeight(weight);
    return font;
}

} // namespace platform
