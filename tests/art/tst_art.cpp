// The pictures: each is drawn at the size its window binds, renders sharp at
// any pixel density, and puts its marks under the controls that use them while
// leaving the places where text is written free of dark ornament.

#include "art.h"

#include <QFontDatabase>
#include <QImage>
#include <QTest>

namespace {

enum class Feature { Mark, Quiet };

// Dark enough to read as lettering or a mark, as opposed to the pale ornament
// and gold lines that text may sit on.
bool isInk(QRgb pixel)
{
    return qAlpha(pixel) > 128 && qGray(pixel) < 110;
}

int inkIn(const QImage &image, const QRect &rect)
{
    int count = 0;
    const QRect area = rect.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += isInk(image.pixel(x, y));
    return count;
}

QImage rendered(const QString &name, QSize size)
{
    return art::picture(name, size).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

Q_DECLARE_METATYPE(Feature)

class TestArt final : public QObject
{
    Q_OBJECT

private slots:
    void letteringFontIsInstalled()
    {
        QVERIFY2(QFontDatabase::families().contains(QStringLiteral("Amiri")),
                 "the pictures' lettering needs the Amiri font (fonts-hosny-amiri)");
    }

    void pictures_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("opaque");

        QTest::newRow("entry background") << "vorudi/Image1" << QSize(450, 478) << true;
        QTest::newRow("book panel picture") << "vorudi/Image2" << QSize(285, 376) << true;
        QTest::newRow("centres panel background") << "vorudi/Image3" << QSize(408, 478) << true;
        for (int i = 1; i <= 8; ++i) {
            const QString name = QStringLiteral("vorudi/Logo%1").arg(i);
            QTest::newRow(qPrintable(name)) << name << QSize(146, 108) << false;
        }
        QTest::newRow("main background") << "Unit1/Image1" << QSize(865, 682) << true;
        QTest::newRow("category marker") << "Unit1/Image2" << QSize(165, 28) << false;
        QTest::newRow("advanced-search panel background") << "Unit1/Image3" << QSize(255, 368) << true;
        QTest::newRow("close mark") << "Unit1/Image4" << QSize(18, 16) << false;
        QTest::newRow("minimise mark") << "Unit1/Image5" << QSize(17, 17) << false;
        QTest::newRow("previous record") << "Unit1/SpeedButton1" << QSize(16, 16) << false;
        QTest::newRow("next record") << "Unit1/SpeedButton2" << QSize(16, 16) << false;
        QTest::newRow("first record") << "Unit1/SpeedButton3" << QSize(16, 16) << false;
        QTest::newRow("last record") << "Unit1/SpeedButton4" << QSize(16, 16) << false;
        QTest::newRow("answer font") << "Unit1/SpeedButton7" << QSize(16, 16) << false;
        QTest::newRow("advanced search") << "Unit1/SpeedButton8" << QSize(24, 24) << false;
    }

    // A background with a transparent gap would let the window's face colour
    // through; a picture that draws nothing or one flat colour is as broken.
    void pictures()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QFETCH(bool, opaque);

        QVERIFY(art::names().contains(name));
        QCOMPARE(art::naturalSize(name), size);

        const QImage image = rendered(name, size);
        QCOMPARE(image.size(), size);
        QSet<QRgb> colours;
        int transparent = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                transparent += qAlpha(pixel) < 255;
                if (qAlpha(pixel) > 0)
                    colours.insert(pixel);
            }
        }
        QVERIFY2(colours.size() > 2, "nothing drawn");
        if (opaque)
            QCOMPARE(transparent, 0);

        const QPixmap sharp = art::picture(name, size, 2.0);
        QCOMPARE(sharp.size(), size * 2);
        QCOMPARE(sharp.deviceIndependentSize(), QSizeF(size));
        QImage sharpImage = sharp.toImage().convertToFormat(QImage::Format_ARGB32);
        sharpImage.setDevicePixelRatio(1.0);
        QCOMPARE(sharpImage, rendered(name, size * 2)); // drawn at twice the pixels, not enlarged
    }

    void features_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("shownSize");
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<Feature>("feature");

        // Mark: dark pixels inside the rectangle and none in the 3-pixel ring
        // round it, so the mark sits under its control and nothing spills.
        // Quiet: no dark pixels where the window writes text.
        const QSize entry(450, 478);
        QTest::newRow("entry: minimise mark under Shape2") << "vorudi/Image1" << entry << QRect(391, 10, 17, 17) << Feature::Mark;
        QTest::newRow("entry: close mark under Shape3") << "vorudi/Image1" << entry << QRect(416, 10, 17, 17) << Feature::Mark;
        QTest::newRow("entry: title within the rosette") << "vorudi/Image1" << entry << QRect(129, 54, 193, 193) << Feature::Mark;
        QTest::newRow("entry: link Label1 readable") << "vorudi/Image1" << entry << QRect(181, 363, 102, 16) << Feature::Quiet;
        QTest::newRow("entry: link Label2 readable") << "vorudi/Image1" << entry << QRect(285, 317, 75, 18) << Feature::Quiet;
        QTest::newRow("entry: link Label3 readable") << "vorudi/Image1" << entry << QRect(88, 317, 84, 18) << Feature::Quiet;
        QTest::newRow("entry: web link Label4 readable") << "vorudi/Image1" << entry << QRect(179, 456, 98, 16) << Feature::Quiet;

        const QSize book(306, 376);
        QTest::newRow("book panel: title above the texts") << "vorudi/Image2" << book << QRect(0, 0, 306, 128) << Feature::Mark;
        QTest::newRow("book panel: texts and button readable") << "vorudi/Image2" << book << QRect(9, 136, 288, 222) << Feature::Quiet;
        QTest::newRow("centres panel: no lettering") << "vorudi/Image3" << QSize(409, 464) << QRect(0, 0, 409, 464) << Feature::Quiet;

        const QSize main(865, 682);
        QTest::newRow("main: publisher's mark under Shape4") << "Unit1/Image1" << main << QRect(20, 9, 137, 128) << Feature::Mark;
        QTest::newRow("main: web address under Shape1") << "Unit1/Image1" << main << QRect(244, 656, 137, 25) << Feature::Mark;
        QTest::newRow("main: subject row readable") << "Unit1/Image1" << main << QRect(250, 116, 332, 21) << Feature::Quiet;
        QTest::newRow("main: category captions readable") << "Unit1/Image1" << main << QRect(658, 107, 165, 198) << Feature::Quiet;
        QTest::newRow("main: title search row readable") << "Unit1/Image1" << main << QRect(632, 373, 220, 82) << Feature::Quiet;
        QTest::newRow("main: bottom buttons readable") << "Unit1/Image1" << main << QRect(40, 611, 505, 28) << Feature::Quiet;
        QTest::newRow("marker: captions readable on it") << "Unit1/Image2" << QSize(165, 28) << QRect(0, 0, 165, 28) << Feature::Quiet;

        // The close click area covers the mark's first 16 columns (its 18th is
        // clipped by its box); the minimise one misses the mark's top row and
        // its last column.
        QTest::newRow("close mark within Shape2's reach") << "Unit1/Image4" << QSize(18, 16) << QRect(0, 0, 16, 16) << Feature::Mark;
        QTest::newRow("minimise mark within Shape3's reach") << "Unit1/Image5" << QSize(17, 17) << QRect(0, 1, 16, 16) << Feature::Mark;
    }

    void features()
    {
        QFETCH(QString, name);
        QFETCH(QSize, shownSize);
        QFETCH(QRect, rect);
        QFETCH(Feature, feature);

        const QImage image = rendered(name, shownSize);
        const int inside = inkIn(image, rect);
        if (feature == Feature::Quiet) {
            QCOMPARE(inside, 0);
            return;
        }
        QVERIFY(inside > 0);
        const int ring = inkIn(image, rect.adjusted(-3, -3, 3, 3)) - inside;
        QCOMPARE(ring, 0);
    }

    void unknownNameGivesNothing()
    {
        QTest::ignoreMessage(QtWarningMsg, "art: no picture named \"vorudi/Image9\"");
        QVERIFY(art::picture(QStringLiteral("vorudi/Image9"), QSize(10, 10)).isNull());
        QVERIFY(!art::naturalSize(QStringLiteral("vorudi/Image9")).isValid());
    }
};

QTEST_MAIN(TestArt)
#include "tst_art.moc"
