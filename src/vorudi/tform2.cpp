#include "tform2.h"

#include "art.h"
#include "bookpanel.h"
#include "centrespanel.h"
#include "fonts.h"
#include "labels.h"
#include "linklabel.h"
#include "maskshape.h"
#include "picture.h"
#include "platform.h"
#include "shell.h"

#include <QCloseEvent>
#include <QScreen>

#include <algorithm>

using vorudi::Anchor;

namespace {

// The three links sit centred in ornamental frames of the background.
LinkLabel *addLink(QWidget *parent, const char *name, const QRect &box, const QString &text, int pixelHeight)
{
    auto *link = new LinkLabel(parent);
    vorudi::setUpLabel(link, name, box, text, platform::windowsFont(QStringLiteral("Tahoma"), pixelHeight),
                       vorudi::Maroon, Qt::AlignHCenter, Anchor::Centre);
    link->setHoverColours(vorudi::Green, vorudi::Maroon);
    return link;
}

MaskShape *addClickArea(QWidget *parent, const char *name, const QRect &box, const QString &role)
{
    auto *area = new MaskShape(parent);
    area->setObjectName(QLatin1String(name));
    area->setAccessibleName(role);
    area->setCursor(Qt::PointingHandCursor);
    area->setGeometry(box);
    return area;
}

} // namespace

TForm2::TForm2(const platform::Platform &platform, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_shell(platform.shell)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Sorvanel"));
    setAccessibleName(windowTitle());
    setLayoutDirection(Qt::RightToLeft);
    setFont(platform::windowsFont(QStringLiteral("Tahoma"), 13));
    QPalette p = palette();
    p.setColor(QPalette::Window, p.color(QPalette::Button));
    setPalette(p);
    setAutoFillBackground(true);
    setFixedSize(450, 479);

    // Centred on the desktop, the area all screens span, as the main window
    // is: being larger, it then covers this window whole.
    const QRect desktop = screen()->virtualGeometry();
    move(desktop.left() + std::max(0, (desktop.width() - width()) / 2),
         desktop.top() + std::max(0, (desktop.height() - height()) / 2));

    // Created bottom to top. The background leaves the window's last pixel
    // row to the face colour.
    auto *image1 = new Picture(QStringLiteral("vorudi/Image1"), QSize(450, 478), this);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setAccessibleName(QStringLiteral(u"تصوير زمينه"));
    image1->setGeometry(0, 0, 450, 478);

    auto *label1 = addLink(this, "Label1", QRect(181, 363, 102, 16), QStringLiteral("Mevaltin"), 13);
    label1->setLayoutDirection(Qt::LeftToRight);
    auto *label2 = addLink(this, "Label2", QRect(285, 317, 75, 18), QStringLiteral(u"معرفي کتاب"), 15);
    auto *label3 = addLink(this, "Label3", QRect(88, 317, 84, 18), QStringLiteral(u"مراکز پاسخگو"), 15);

    auto *shape2 = addClickArea(this, "Shape2", QRect(391, 10, 17, 17), QStringLiteral(u"کوچک کردن پنجره"));
    auto *shape3 = addClickArea(this, "Shape3", QRect(416, 10, 17, 17), QStringLiteral(u"بستن پنجره"));

    // The address plate of the background is centred on x = 228.
    auto *label4 = new LinkLabel(this);
    vorudi::setUpLabel(label4, "Label4", QRect(179, 456, 98, 16), art::publisherAddress(), font(), vorudi::Maroon,
                       Qt::AlignHCenter, Anchor::Centre);
    label4->setLayoutDirection(Qt::LeftToRight);
    label4->setToolTip(art::publisherAddress());

    m_panel1 = new BookPanel(this);
    m_panel2 = new CentresPanel(platform.shell, this);

    connect(label1, &LinkLabel::clicked, this, &TForm2::Label1Click);
    connect(label2, &LinkLabel::clicked, this, &TForm2::Label2Click);
    connect(label3, &LinkLabel::clicked, this, &TForm2::Label3Click);
    connect(label4, &LinkLabel::clicked, this, &TForm2::Label4Click);
    connect(shape2, &MaskShape::mouseDown, this, &TForm2::Shape2MouseDown);
    connect(shape3, &MaskShape::mouseDown, this, &TForm2::Shape3MouseDown);
    connect(m_panel1, &BookPanel::webLinkClicked, this, &TForm2::Label4Click);
    connect(m_panel1, &BookPanel::exitClicked, this, &TForm2::SpeedButton1Click);
}

void TForm2::setMainWindow(QWidget *mainWindow)
{
    m_mainWindow = mainWindow;
}

void TForm2::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}

void TForm2::Label1Click()
{
    if (!m_mainWindow)
        return;
    // Shown and brought forward; its window state (minimised or not) stays
    // the user's.
    m_mainWindow->show();
    m_mainWindow->raise();
    m_mainWindow->activateWindow();
}

void TForm2::Label2Click()
{
    m_panel1->show();
}

void TForm2::Label3Click()
{
    m_panel2->show();
}

void TForm2::Label4Click()
{
    m_shell->open(art::publisherAddress());
}

void TForm2::Shape2MouseDown()
{
    showMinimized();
}

void TForm2::Shape3MouseDown()
{
    close();
}

void TForm2::SpeedButton1Click()
{
    m_panel1->hide();
    show();
    raise();
    activateWindow();
}
