// The entry window: where every control stands and how it looks at start,
// the links' colours under the pointer, what each link opens or shows, the
// two panels with the centres' logos, the minimise and close areas, which
// control takes a press where panels overlap, and the frame drawn with AND.
// The main window is stood in for by a plain window: the entry window only
// shows it.

#include "recordingplatform.h"

#include "art.h"
#include "platform.h"
#include "tform2.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QMap>
#include <QMouseEvent>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

#include <algorithm>

namespace {

const QColor Maroon(128, 0, 0);
const QColor Green(0, 128, 0);
const QColor Purple(128, 0, 128);
const QColor Red(255, 0, 0);
const QColor Teal(0, 128, 128);

// How a control may move when its text is wider than the box it was drawn
// for: not at all, about its centre, or keeping its right edge.
enum Anchor { Fixed, Centre, Right };

struct Fixture
{
    RecordingShell shell;
    RecordingMessageBoxes messages;
    QWidget mainWindow; // stands in for Tmain
    TForm2 form{platform::Platform{&shell, &messages}};

    Fixture() { form.setMainWindow(&mainWindow); }

    template<typename T = QWidget>
    T *find(const QString &name) const
    {
        if (name == form.objectName())
            return qobject_cast<T *>(const_cast<TForm2 *>(&form));
        return form.findChild<T *>(name);
    }

    // Shown as the program shows it, so visibility and hit testing are real.
    bool showForm()
    {
        form.show();
        return QTest::qWaitForWindowExposed(&form);
    }
};

void moveOver(QWidget *widget)
{
    const QPointF local = QRectF(widget->rect()).center();
    QMouseEvent move(QEvent::MouseMove, local, widget->mapToGlobal(local), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

void leave(QWidget *widget)
{
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(widget, &event);
}

QColor textColour(const QWidget *widget)
{
    if (qobject_cast<const QAbstractButton *>(widget))
        return widget->palette().color(QPalette::ButtonText);
    return widget->palette().color(QPalette::WindowText);
}

QString textOf(const QWidget *widget)
{
    if (auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    if (auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->text();
    return {};
}

// The link labels of the centres and the logo each must show.
const QStringList CentreLinks = {"Label23", "Label24", "Label22", "Label25", "Label26", "Label28", "Label27", "Label29"};

} // namespace

class TestVorudi final : public QObject
{
    Q_OBJECT

private slots:
    void window()
    {
        Fixture f;
        QVERIFY(f.form.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(f.form.isWindow());
        QCOMPARE(f.form.objectName(), QStringLiteral("Form2"));
        QCOMPARE(f.form.windowTitle(), QStringLiteral("Sorvanel"));
        QCOMPARE(f.form.size(), QSize(450, 479));
        QCOMPARE(f.form.minimumSize(), QSize(450, 479));
        QCOMPARE(f.form.maximumSize(), QSize(450, 479));
        QCOMPARE(f.form.layoutDirection(), Qt::RightToLeft);
        QCOMPARE(f.form.palette().color(QPalette::Window), f.form.palette().color(QPalette::Button));
        QCOMPARE(f.form.font().families().value(0), QStringLiteral("Tahoma"));
        QCOMPARE(f.form.font().pixelSize(), 13);
        QVERIFY2(f.form.isHidden(), "the entry window is shown by the main block, not by its creation");
        QVERIFY(f.mainWindow.isHidden());

        const QRect desktop = f.form.screen()->virtualGeometry();
        QCOMPARE(f.form.pos(), QPoint(desktop.left() + (desktop.width() - 450) / 2,
                                      desktop.top() + (desktop.height() - 479) / 2));
    }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QRect>("box");
        QTest::addColumn<int>("anchor");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("family"); // empty: not a text
        QTest::addColumn<int>("pixels");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<bool>("hand");

        const QString w = QStringLiteral("Form2");
        const QString p1 = QStringLiteral("Panel1");
        const QString p2 = QStringLiteral("Panel2");
        const QString tahoma = QStringLiteral("Tahoma");
        const QString times = QStringLiteral("Times New Roman");
        const QString none;
        const QString address = art::publisherAddress();

        QTest::newRow("Image1 background not under the window's links") << "Image1" << w << QRect(0, 0, 450, 478) << int(Fixed) << none << none << 0 << QColor() << false << false;
        QTest::newRow("Label1 main-window link misplaced") << "Label1" << w << QRect(181, 363, 102, 16) << int(Centre) << "Mevaltin" << tahoma << 13 << Maroon << false << true;
        QTest::newRow("Label2 book link misplaced") << "Label2" << w << QRect(285, 317, 75, 18) << int(Centre) << u"معرفي کتاب"_qs << tahoma << 15 << Maroon << false << true;
        QTest::newRow("Label3 centres link misplaced") << "Label3" << w << QRect(88, 317, 84, 18) << int(Centre) << u"مراکز پاسخگو"_qs << tahoma << 15 << Maroon << false << true;
        QTest::newRow("Shape2 minimise area off its mark") << "Shape2" << w << QRect(391, 10, 17, 17) << int(Fixed) << none << none << 0 << QColor() << false << true;
        QTest::newRow("Shape3 close area off its mark") << "Shape3" << w << QRect(416, 10, 17, 17) << int(Fixed) << none << none << 0 << QColor() << false << true;
        QTest::newRow("Label4 web link off its plate") << "Label4" << w << QRect(179, 456, 98, 16) << int(Centre) << address << tahoma << 13 << Maroon << false << true;

        QTest::newRow("Panel1 shown at start") << "Panel1" << w << QRect(77, 12, 308, 376) << int(Fixed) << none << none << 0 << QColor() << true << false;
        QTest::newRow("Image2 book picture not inside the border") << "Image2" << p1 << QRect(1, 0, 306, 376) << int(Fixed) << none << none << 0 << QColor() << false << false;
        QTest::newRow("Label5 description") << "Label5" << p1 << QRect(10, 136, 286, 18) << int(Fixed) << u"پرسش و پاسخ هاي قرائت و تلاوت قرآن کريم"_qs << tahoma << 15 << Maroon << false << false;
        QTest::newRow("Label6 credit without its prefix") << "Label6" << p1 << QRect(43, 176, 199, 18) << int(Fixed) << u"تهيه : گروه پژوهشي آواي قرآن"_qs << tahoma << 15 << Green << false << false;
        QTest::newRow("Label8 sentence, first row") << "Label8" << p1 << QRect(114, 219, 157, 18) << int(Fixed) << u"برنامه پيش رو به سفارش"_qs << tahoma << 15 << Purple << false << false;
        QTest::newRow("Label9 sentence, second row") << "Label9" << p1 << QRect(43, 251, 165, 18) << int(Fixed) << u"تهيه و طراحي شده است."_qs << tahoma << 15 << Purple << false << false;
        QTest::newRow("Label10 name, first part") << "Label10" << p1 << QRect(28, 219, 80, 18) << int(Fixed) << "Sorva-" << tahoma << 15 << Red << false << false;
        QTest::newRow("Label11 name, last part") << "Label11" << p1 << QRect(215, 251, 26, 18) << int(Fixed) << "nel" << tahoma << 15 << Red << false << false;
        QTest::newRow("Label12 web link of the book panel") << "Label12" << p1 << QRect(110, 305, 98, 16) << int(Centre) << address << tahoma << 13 << Maroon << false << true;
        QTest::newRow("SpeedButton1 book panel exit") << "SpeedButton1" << p1 << QRect(128, 328, 73, 30) << int(Fixed) << u"خروج"_qs << tahoma << 15 << Maroon << false << false;

        QTest::newRow("Panel2 shown at start") << "Panel2" << w << QRect(26, 6, 408, 465) << int(Fixed) << none << none << 0 << QColor() << true << false;
        QTest::newRow("Image3 centres background") << "Image3" << p2 << QRect(0, 0, 409, 464) << int(Fixed) << none << none << 0 << QColor() << false << false;
        QTest::newRow("Shape1 list frame") << "Shape1" << p2 << QRect(8, 43, 393, 414) << int(Fixed) << none << none << 0 << QColor() << false << false;
        QTest::newRow("Label7 centres title") << "Label7" << p2 << QRect(118, 14, 164, 22) << int(Centre) << u"» معرفي مراکز پاسخگو «"_qs << "Arial" << 19 << Green << false << false;
        QTest::newRow("SpeedButton2 centres panel exit") << "SpeedButton2" << p2 << QRect(15, 426, 73, 30) << int(Fixed) << u"خروج"_qs << tahoma << 13 << Maroon << false << false;

        const struct
        {
            const char *name;
            QRect box;
            QString text;
        } names[] = {
            {"Label15", {339, 52, 43, 16}, u"خانه نور"_qs},     {"Label14", {305, 101, 77, 16}, u"کانون تلاوت"_qs},
            {"Label13", {295, 147, 87, 16}, u"دارالقرآن نسيم"_qs}, {"Label16", {308, 200, 74, 16}, u"سراي آوا"_qs},
            {"Label17", {234, 253, 148, 16}, u"مرکز پرسش و پاسخ قرآني"_qs},
            {"Label20", {339, 304, 43, 16}, u"گلواژه"_qs},       {"Label19", {325, 353, 57, 16}, u"نداي فجر"_qs},
            {"Label21", {284, 404, 98, 16}, u"Sorvanel"_qs},
        };
        for (const auto &n : names) {
            QTest::newRow(qPrintable(QStringLiteral("%1 centre name not right-aligned at 382").arg(n.name)))
                << n.name << p2 << n.box << int(Right) << n.text << tahoma << 13 << Maroon << false << false;
        }
        const struct
        {
            const char *name;
            QRect box;
            QString text;
        } links[] = {
            {"Label23", {266, 69, 116, 19}, "nur.example.org"},
            {"Label24", {215, 116, 167, 19}, "www.tilavat.example.net"},
            {"Label22", {296, 164, 86, 19}, "example.net"},
            {"Label25", {276, 219, 106, 19}, "ava.example.net"},
            {"Label26", {138, 273, 244, 19}, "https://pasokh.example.com/soal"},
            {"Label28", {299, 320, 83, 19}, "example.org"},
            {"Label27", {280, 369, 102, 19}, "fjr.example.net"},
            {"Label29", {278, 421, 104, 19}, address},
        };
        for (const auto &l : links) {
            QTest::newRow(qPrintable(QStringLiteral("%1 centre link not under its name").arg(l.name)))
                << l.name << p2 << l.box << int(Right) << l.text << times << 16 << Teal << false << true;
        }
        for (int i = 1; i <= 8; ++i) {
            QTest::newRow(qPrintable(QStringLiteral("Logo%1 shown before any hover").arg(i)))
                << QStringLiteral("Logo%1").arg(i) << p2 << QRect(16, 48, 153, 121) << int(Fixed) << none << none << 0
                << QColor() << true << false;
        }
    }

    // Each control where the layout puts it, under its parent, with its text,
    // font and colour. A text set wider by our fonts than the layout's may
    // widen its box, about the centre or right edge it lines up on, and never
    // spills out of it.
    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QString, parent);
        QFETCH(QRect, box);
        QFETCH(int, anchor);
        QFETCH(QString, text);
        QFETCH(QString, family);
        QFETCH(int, pixels);
        QFETCH(QColor, colour);
        QFETCH(bool, hidden);
        QFETCH(bool, hand);

        Fixture f;
        QWidget *widget = f.find(name);
        QVERIFY2(widget, "no control of that name");
        QCOMPARE(widget->parentWidget()->objectName(), parent);
        QCOMPARE(widget->isHidden(), hidden);
        QCOMPARE(widget->cursor().shape(), hand ? Qt::PointingHandCursor : Qt::ArrowCursor);

        const QRect geometry = widget->geometry();
        if (!family.isEmpty()) {
            QCOMPARE(textOf(widget), text);
            QCOMPARE(widget->font().families().value(0), family);
            QCOMPARE(widget->font().pixelSize(), pixels);
            QCOMPARE(textColour(widget), colour);
            const qreal advance = QFontMetricsF(widget->font()).horizontalAdvance(text);
            QVERIFY2(advance <= geometry.width(), qPrintable(QStringLiteral("%1 px of text in a %2 px box").arg(advance).arg(geometry.width())));
        }
        if (anchor == Fixed || geometry.width() == box.width()) {
            QCOMPARE(geometry, box);
            return;
        }
        QVERIFY(geometry.width() > box.width());
        QCOMPARE(geometry.top(), box.top());
        QCOMPARE(geometry.height(), box.height());
        if (anchor == Centre)
            QCOMPARE(geometry.left() + geometry.right(), box.left() + box.right());
        else
            QCOMPARE(geometry.right(), box.right());
    }

    void linksInTheirFrames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRectF>("frame");

        // The ornaments of the entry background behind each link.
        QTest::newRow("Label1 spills out of the lower frame") << "Label1" << QRectF(QPointF(157, 355), QPointF(307, 387));
        QTest::newRow("Label2 spills out of the right frame") << "Label2" << QRectF(QPointF(258.5, 309), QPointF(386.5, 343));
        QTest::newRow("Label3 spills out of the left frame") << "Label3" << QRectF(QPointF(66, 309), QPointF(194, 343));
        QTest::newRow("Label4 spills off the address plate") << "Label4" << QRectF(QPointF(156.5, 452.5), QPointF(299.5, 475.5));
    }

    void linksInTheirFrames()
    {
        QFETCH(QString, name);
        QFETCH(QRectF, frame);

        Fixture f;
        auto *label = f.find<QLabel>(name);
        QVERIFY(label);
        QVERIFY2(frame.contains(QRectF(label->geometry())), qPrintable(name));
        const qreal advance = QFontMetricsF(label->font()).horizontalAdvance(label->text());
        const qreal textLeft = label->geometry().left() + (label->width() - advance) / 2;
        QVERIFY(textLeft >= frame.left() && textLeft + advance <= frame.right());
    }

    void hoverColours_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QColor>("overIt");
        QTest::addColumn<QColor>("leftIt");

        QTest::newRow("Label1 not green under the pointer") << "Label1" << Green << Maroon;
        QTest::newRow("Label2 not green under the pointer") << "Label2" << Green << Maroon;
        QTest::newRow("Label3 not green under the pointer") << "Label3" << Green << Maroon;
        QTest::newRow("web link Label4 changes colour") << "Label4" << Maroon << Maroon;
        QTest::newRow("book panel's web link Label12 changes colour") << "Label12" << Maroon << Maroon;
        QTest::newRow("centre link Label26 changes colour") << "Label26" << Teal << Teal;
    }

    // Only the label under the pointer changes, and back again when it leaves.
    void hoverColours()
    {
        QFETCH(QString, name);
        QFETCH(QColor, overIt);
        QFETCH(QColor, leftIt);

        Fixture f;
        QWidget *link = f.find(name);
        QVERIFY(link);
        const QStringList others = QStringList{"Label1", "Label2", "Label3", "Label4", "Label12"};
        QMap<QString, QColor> before;
        for (const QString &other : others)
            before[other] = textColour(f.find(other));

        moveOver(link);
        QCOMPARE(textColour(link), overIt);
        moveOver(link);
        QCOMPARE(textColour(link), overIt);
        for (const QString &other : others) {
            if (other != name)
                QCOMPARE(textColour(f.find(other)), before[other]);
        }
        leave(link);
        QCOMPARE(textColour(link), leftIt);
    }

    void addresses_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QStringList>("opened");

        const QStringList publisher{art::publisherAddress()};
        QTest::newRow("Label4 does not open the publisher") << "Label4" << Qt::LeftButton << publisher;
        QTest::newRow("Label12 opens another address than Label4") << "Label12" << Qt::LeftButton << publisher;
        QTest::newRow("entry 1 Label23") << "Label23" << Qt::LeftButton << QStringList{"nur.example.org"};
        QTest::newRow("entry 2 Label24") << "Label24" << Qt::LeftButton << QStringList{"www.tilavat.example.net"};
        QTest::newRow("entry 3 Label22") << "Label22" << Qt::LeftButton << QStringList{"example.net"};
        QTest::newRow("entry 4 Label25") << "Label25" << Qt::LeftButton << QStringList{"ava.example.net"};
        QTest::newRow("entry 5 Label26 not the full address") << "Label26" << Qt::LeftButton << QStringList{"https://pasokh.example.com/soal"};
        QTest::newRow("entry 6 Label28 opens the short text") << "Label28" << Qt::LeftButton << QStringList{"www.example.org"};
        QTest::newRow("entry 7 Label27 opens the short text") << "Label27" << Qt::LeftButton << QStringList{"www.fjr.example.net"};
        QTest::newRow("entry 8 Label29 not the publisher") << "Label29" << Qt::LeftButton << publisher;
        QTest::newRow("right button opens a centre") << "Label23" << Qt::RightButton << QStringList{};
        QTest::newRow("right button opens the web link") << "Label4" << Qt::RightButton << QStringList{};
    }

    // A left click opens its address once, through the shell, and the link's
    // tool tip names that address. Every address is the publisher's or lies
    // under a domain reserved for examples.
    void addresses()
    {
        QFETCH(QString, name);
        QFETCH(Qt::MouseButton, button);
        QFETCH(QStringList, opened);

        Fixture f;
        QVERIFY(f.showForm());
        auto *link = f.find<QLabel>(name);
        QVERIFY(link);
        link->parentWidget()->show();
        QTest::mouseClick(link, button);
        QCOMPARE(f.shell.opened, opened);
        if (!opened.isEmpty())
            QCOMPARE(link->toolTip(), opened.first()); // the pointer tells where the link leads

        for (const QString &address : opened) {
            if (address == art::publisherAddress())
                continue;
            const QString host = QUrl::fromUserInput(address).host();
            QVERIFY2(host == u"example.org" || host == u"example.net" || host == u"example.com" || host.endsWith(u".example.org")
                         || host.endsWith(u".example.net") || host.endsWith(u".example.com"),
                     qPrintable(host));
            // Entries 6 and 7 show their host one part shorter than they open.
            if (address != link->text()) {
                QCOMPARE(address.section(u'.', 1), link->text());
                QCOMPARE(address.count(u'.'), link->text().count(u'.') + 1);
            }
        }
    }

    void firstLink_data()
    {
        QTest::addColumn<bool>("showingBefore");
        QTest::addColumn<Qt::WindowStates>("state");

        QTest::newRow("hidden main window not shown") << false << Qt::WindowStates(Qt::WindowNoState);
        QTest::newRow("showing main window hidden again") << true << Qt::WindowStates(Qt::WindowNoState);
        QTest::newRow("minimised main window restored") << true << Qt::WindowStates(Qt::WindowMinimized);
        QTest::newRow("maximised main window unmaximised") << true << Qt::WindowStates(Qt::WindowMaximized);
    }

    // The first link shows the main window and leaves its window state, and
    // the entry window, as they were.
    void firstLink()
    {
        QFETCH(bool, showingBefore);
        QFETCH(Qt::WindowStates, state);

        Fixture f;
        QVERIFY(f.showForm());
        f.mainWindow.setWindowState(state);
        if (showingBefore)
            f.mainWindow.show();
        const QRect entryPlace = f.form.geometry();

        QTest::mouseClick(f.find("Label1"), Qt::LeftButton);
        QVERIFY(f.mainWindow.isVisible());
        QCOMPARE(f.mainWindow.windowState() & ~Qt::WindowActive, state);
        QVERIFY(f.form.isVisible());
        QCOMPARE(f.form.geometry(), entryPlace);
        QVERIFY(f.shell.opened.isEmpty());
    }

    // Each panel's link shows it, its exit button hides it, and nothing else
    // changes: the other panel, the links' colours, the main window.
    void panels_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("exit");
        QTest::addColumn<QString>("other");

        QTest::newRow("book panel") << "Label2" << "Panel1" << "SpeedButton1" << "Panel2";
        QTest::newRow("centres panel") << "Label3" << "Panel2" << "SpeedButton2" << "Panel1";
    }

    void panels()
    {
        QFETCH(QString, link);
        QFETCH(QString, panel);
        QFETCH(QString, exit);
        QFETCH(QString, other);

        Fixture f;
        QVERIFY(f.showForm());
        f.mainWindow.show();
        moveOver(f.find("Label1")); // green, and left green

        QTest::mouseClick(f.find(link), Qt::LeftButton);
        QVERIFY(f.find(panel)->isVisible());
        QVERIFY(!f.find(other)->isVisible());

        QTest::mouseClick(f.find(exit), Qt::LeftButton);
        QVERIFY(!f.find(panel)->isVisible());
        QVERIFY(!f.find(other)->isVisible());
        QVERIFY(f.form.isVisible());
        QVERIFY(f.mainWindow.isVisible());
        QCOMPARE(textColour(f.find("Label1")), Green);
        QCOMPARE(textColour(f.find(link)), Maroon);
    }

    void logos_data()
    {
        QTest::addColumn<QList<int>>("hovered"); // entries, in order
        QTest::addColumn<int>("shown");          // 0: none

        QTest::newRow("a logo before any hover") << QList<int>{} << 0;
        for (int entry = 1; entry <= 8; ++entry) {
            QTest::newRow(qPrintable(QStringLiteral("entry %1's link shows another logo").arg(entry)))
                << QList<int>{entry} << entry;
        }
        QTest::newRow("2 then 7 leaves Logo2 up") << QList<int>{2, 7} << 7;
        QTest::newRow("back to an earlier link keeps the later logo") << QList<int>{8, 1, 5, 1} << 1;
    }

    // Exactly the last hovered link's logo shows, and stays after the pointer
    // leaves the link.
    void logos()
    {
        QFETCH(QList<int>, hovered);
        QFETCH(int, shown);

        Fixture f;
        QVERIFY(f.showForm());
        QTest::mouseClick(f.find("Label3"), Qt::LeftButton);
        for (int entry : hovered)
            moveOver(f.find(CentreLinks[entry - 1]));
        if (!hovered.isEmpty())
            leave(f.find(CentreLinks[hovered.last() - 1]));
        for (int logo = 1; logo <= 8; ++logo)
            QCOMPARE(f.find(QStringLiteral("Logo%1").arg(logo))->isVisible(), logo == shown);
    }

    void logoKeptWhilePanelHidden()
    {
        Fixture f;
        QVERIFY(f.showForm());
        QTest::mouseClick(f.find("Label3"), Qt::LeftButton);
        moveOver(f.find(CentreLinks[4]));
        QTest::mouseClick(f.find("SpeedButton2"), Qt::LeftButton);
        QVERIFY(!f.find("Panel2")->isVisible());
        QTest::mouseClick(f.find("Label3"), Qt::LeftButton);
        for (int logo = 1; logo <= 8; ++logo)
            QCOMPARE(f.find(QStringLiteral("Logo%1").arg(logo))->isVisible(), logo == 5);
    }

    void clickAreas_data()
    {
        QTest::addColumn<QString>("area");
        QTest::addColumn<Qt::MouseButton>("button");

        for (const char *area : {"Shape2", "Shape3"}) {
            QTest::newRow(qPrintable(QStringLiteral("%1 left button").arg(area))) << area << Qt::LeftButton;
            QTest::newRow(qPrintable(QStringLiteral("%1 ignores the right button").arg(area))) << area << Qt::RightButton;
            QTest::newRow(qPrintable(QStringLiteral("%1 ignores the middle button").arg(area))) << area << Qt::MiddleButton;
        }
    }

    // A press of any button: Shape2 minimises the entry window, Shape3 closes
    // it, which the main block takes as the end of the program. The main
    // window is left alone either way.
    void clickAreas()
    {
        QFETCH(QString, area);
        QFETCH(Qt::MouseButton, button);

        Fixture f;
        QVERIFY(f.showForm());
        f.mainWindow.show();
        QSignalSpy closed(&f.form, &TForm2::closed);

        QTest::mousePress(f.find(area), button);
        if (area == u"Shape2") {
            QVERIFY(f.form.windowState().testFlag(Qt::WindowMinimized));
            QCOMPARE(closed.count(), 0);
        } else {
            QVERIFY(!f.form.isVisible());
            QCOMPARE(closed.count(), 1);
        }
        QVERIFY(f.mainWindow.isVisible());
        QVERIFY(!f.mainWindow.windowState().testFlag(Qt::WindowMinimized));
    }

    void closingAnyWayEndsTheProgram()
    {
        Fixture f;
        QVERIFY(f.showForm());
        QSignalSpy closed(&f.form, &TForm2::closed);
        QVERIFY(f.form.close());
        QCOMPARE(closed.count(), 1);
    }

    void hitTesting_data()
    {
        QTest::addColumn<QString>("panel"); // shown before the press; empty: none
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QString>("taker"); // the control, or the panel that covers it

        const struct
        {
            const char *name;
            QPoint point;
        } points[] = {
            {"Label1", {232, 371}}, {"Label2", {322, 326}}, {"Label3", {130, 326}}, {"Shape2", {399, 18}},
            {"Shape3", {424, 18}},  {"Label4", {228, 463}},
        };
        for (const auto &p : points)
            QTest::newRow(qPrintable(QStringLiteral("%1 unreachable").arg(p.name))) << QString() << p.point << p.name;
        // The book panel covers the three links and leaves the marks and the
        // web link free; the centres panel covers all of them.
        for (const auto &p : points) {
            const bool covered = QByteArray(p.name).startsWith("Label") && QByteArray(p.name) != "Label4";
            QTest::newRow(qPrintable(QStringLiteral("book panel: %1 %2").arg(p.name, covered ? "reachable through it" : "covered")))
                << "Panel1" << p.point << (covered ? QStringLiteral("Panel1") : QString::fromLatin1(p.name));
        }
        for (const auto &p : points) {
            QTest::newRow(qPrintable(QStringLiteral("centres panel: %1 reachable through it").arg(p.name)))
                << "Panel2" << p.point << "Panel2";
        }
        QTest::newRow("centres panel: Label4's bottom row covered") << "Panel2" << QPoint(228, 471) << "Label4";
    }

    // Which control a press lands on: the panels cover what the layout says
    // they cover, so a panel's exit button is the way back.
    void hitTesting()
    {
        QFETCH(QString, panel);
        QFETCH(QPoint, point);
        QFETCH(QString, taker);

        Fixture f;
        QVERIFY(f.showForm());
        if (!panel.isEmpty())
            f.find(panel)->show();
        QWidget *hit = f.form.childAt(point);
        QVERIFY(hit);
        QWidget *named = hit;
        while (named && named != &f.form && named->objectName() != taker)
            named = named->parentWidget();
        QVERIFY2(named && named->objectName() == taker, qPrintable(hit->objectName()));
    }

    // The list frame is ANDed onto the panel's background: each pixel on it
    // is the background's pixel masked by the frame colour, the rest of the
    // panel unchanged.
    void frameDarkensWhatLiesBeneath()
    {
        Fixture f;
        QVERIFY(f.showForm());
        QWidget *panel = f.find("Panel2");
        panel->show();
        QWidget *shape1 = f.find("Shape1");
        const QImage with = panel->grab().toImage().convertToFormat(QImage::Format_RGB32);
        shape1->hide();
        const QImage without = panel->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(with.size(), without.size());
        QVERIFY2(with.devicePixelRatio() == 1.0, "measured in device-independent pixels");

        const QRgb mask = qRgb(225, 202, 166);
        const QPoint onFrame[] = {{8, 43}, {200, 43}, {400, 43}, {8, 300}, {400, 300}, {8, 456}, {200, 456}, {400, 456}};
        for (const QPoint &p : onFrame)
            QCOMPARE(QColor(with.pixel(p)), QColor((without.pixel(p) & mask) | 0xff000000));
        const QPoint inside[] = {{9, 44}, {200, 300}, {399, 455}, {7, 43}};
        for (const QPoint &p : inside)
            QCOMPARE(QColor(with.pixel(p)), QColor(without.pixel(p)));
    }

    // Every control has a name for screen readers: its text, or for a picture
    // or a click area its role, in Persian.
    void accessibleNames()
    {
        Fixture f;
        QList<QWidget *> widgets = f.form.findChildren<QWidget *>();
        widgets << &f.form;
        for (QWidget *widget : widgets) {
            const QString name = widget->accessibleName();
            QVERIFY2(!name.isEmpty(), qPrintable(widget->objectName()));
            const QString text = textOf(widget);
            if (!text.isEmpty()) {
                QCOMPARE(name, text);
            } else if (widget != &f.form) {
                const bool persian = std::any_of(name.cbegin(), name.cend(),
                                                 [](QChar c) { return c.script() == QChar::Script_Arabic; });
                QVERIFY2(persian, qPrintable(widget->objectName()));
            }
        }
    }
};

QTEST_MAIN(TestVorudi)
#include "tst_vorudi.moc"
