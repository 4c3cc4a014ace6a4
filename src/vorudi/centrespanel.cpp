#include "centrespanel.h"

#include "art.h"
#include "fonts.h"
#include "labels.h"
#include "linklabel.h"
#include "maskshape.h"
#include "picture.h"
#include "shell.h"

#include <QLabel>
#include <QPushButton>

using vorudi::Anchor;

namespace {

// The eight centres in the order of the list on the screen. The labels'
// numbers do not follow that order; this table binds each link to its
// entry, its logo and its address. Entries 6 and 7 show a shorter text than
// the address they open. Entry 8 is the publisher. The outside centres are
// fictional and live under the domains reserved for examples.
struct Centre
{
    const char *nameLabel;
    QRect nameBox;
    QString name;
    const char *linkLabel;
    QRect linkBox;
    QString shown;
    QString address;
};

std::array<Centre, CentresPanel::EntryCount> centres()
{
    const QString publisher = art::publisherAddress();
    return {{
        {"Label15", {339, 52, 43, 16}, QStringLiteral(u"خانه نور"),
         "Label23", {266, 69, 116, 19}, QStringLiteral("nur.example.org"), QStringLiteral("nur.example.org")},
        {"Label14", {305, 101, 77, 16}, QStringLiteral(u"کانون تلاوت"),
         "Label24", {215, 116, 167, 19}, QStringLiteral("www.tilavat.example.net"), QStringLiteral("www.tilavat.example.net")},
        {"Label13", {295, 147, 87, 16}, QStringLiteral(u"دارالقرآن نسيم"),
         "Label22", {296, 164, 86, 19}, QStringLiteral("example.net"), QStringLiteral("example.net")},
        {"Label16", {308, 200, 74, 16}, QStringLiteral(u"سراي آوا"),
         "Label25", {276, 219, 106, 19}, QStringLiteral("ava.example.net"), QStringLiteral("ava.example.net")},
        {"Label17", {234, 253, 148, 16}, QStringLiteral(u"مرکز پرسش و پاسخ قرآني"),
         "Label26", {138, 273, 244, 19}, QStringLiteral("https://pasokh.example.com/soal"), QStringLiteral("https://pasokh.example.com/soal")},
        {"Label20", {339, 304, 43, 16}, QStringLiteral(u"گلواژه"),
         "Label28", {299, 320, 83, 19}, QStringLiteral("example.org"), QStringLiteral("www.example.org")},
        {"Label19", {325, 353, 57, 16}, QStringLiteral(u"نداي فجر"),
         "Label27", {280, 369, 102, 19}, QStringLiteral("fjr.example.net"), QStringLiteral("www.fjr.example.net")},
        {"Label21", {284, 404, 98, 16}, QStringLiteral("Sorvanel"),
         "Label29", {278, 421, 104, 19}, publisher, publisher},
    }};
}

} // namespace

CentresPanel::CentresPanel(platform::Shell *shell, QWidget *parent)
    : QFrame(parent)
    , m_shell(shell)
{
    setObjectName(QStringLiteral("Panel2"));
    setAccessibleName(QStringLiteral(u"مراکز پاسخگو"));
    setFrameShape(QFrame::NoFrame);
    QPalette p = palette();
    p.setColor(QPalette::Window, p.color(QPalette::Button));
    setPalette(p);
    setAutoFillBackground(true);
    setGeometry(26, 6, 408, 465);

    // Created bottom to top: each widget paints over those made before it.
    // The background is one pixel wider than the panel and one shorter, so
    // the panel's bottom row shows the face colour.
    auto *image3 = new Picture(QStringLiteral("vorudi/Image3"), QSize(409, 464), this);
    image3->setObjectName(QStringLiteral("Image3"));
    image3->setAccessibleName(QStringLiteral(u"تصوير زمينه مراکز پاسخگو"));
    image3->setGeometry(0, 0, 409, 464);

    auto *shape1 = new MaskShape(this);
    shape1->setObjectName(QStringLiteral("Shape1"));
    shape1->setAccessibleName(QStringLiteral(u"قاب فهرست مراکز"));
    shape1->setOutline(QColor(225, 202, 166));
    shape1->setAttribute(Qt::WA_TransparentForMouseEvents);
    shape1->setGeometry(8, 43, 393, 414);

    vorudi::setUpLabel(new QLabel(this), "Label7", QRect(118, 14, 164, 22), QStringLiteral(u"» معرفي مراکز پاسخگو «"),
                       platform::windowsFont(QStringLiteral("Arial"), 19), vorudi::Green, Qt::AlignHCenter,
                       Anchor::Centre);

    auto *exit = new QPushButton(QStringLiteral(u"خروج"), this);
    exit->setObjectName(QStringLiteral("SpeedButton2"));
    exit->setAccessibleName(exit->text());
    exit->setFlat(true);
    exit->setFont(platform::windowsFont(QStringLiteral("Tahoma"), 13));
    QPalette buttonPalette = exit->palette();
    buttonPalette.setColor(QPalette::ButtonText, vorudi::Maroon);
    exit->setPalette(buttonPalette);
    exit->setGeometry(15, 426, 73, 30);
    connect(exit, &QPushButton::clicked, this, &QWidget::hide);
    m_exit = exit;

    const auto list = centres();
    const QFont nameFont = platform::windowsFont(QStringLiteral("Tahoma"), 13);
    const QFont linkFont = platform::windowsFont(QStringLiteral("Times New Roman"), 16);

    // Names first, then links, then logos: the stacking the layout asks for.
    for (const Centre &centre : list) {
        vorudi::setUpLabel(new QLabel(this), centre.nameLabel, centre.nameBox, centre.name, nameFont, vorudi::Maroon,
                           Qt::AlignRight, Anchor::Right);
    }
    for (int i = 0; i < EntryCount; ++i) {
        const Centre &centre = list[i];
        auto *link = new LinkLabel(this);
        vorudi::setUpLabel(link, centre.linkLabel, centre.linkBox, centre.shown, linkFont, vorudi::Teal, Qt::AlignRight,
                           Anchor::Right);
        link->setLayoutDirection(Qt::LeftToRight);
        // Where the link leads, which for entries 6 and 7 is more than it shows.
        link->setToolTip(centre.address);
        link->setAccessibleDescription(centre.address);
        const int entry = i + 1;
        connect(link, &LinkLabel::mouseMoved, this, [this, entry] { showLogo(entry); });
        const QString address = centre.address;
        connect(link, &LinkLabel::clicked, this, [this, address] { m_shell->open(address); });
    }
    for (int i = 0; i < EntryCount; ++i) {
        auto *logo = new Picture(QStringLiteral("vorudi/Logo%1").arg(i + 1), QSize(146, 108), this);
        logo->setObjectName(QStringLiteral("Logo%1").arg(i + 1));
        logo->setAccessibleName(QStringLiteral(u"نشان ") + list[i].name);
        logo->setGeometry(16, 48, 153, 121);
        logo->hide();
        m_logos[i] = logo;
    }

    hide();
}

void CentresPanel::showLogo(int entry)
{
    for (int i = 0; i < EntryCount; ++i)
        m_logos[i]->setVisible(i + 1 == entry);
}

void CentresPanel::showEvent(QShowEvent *event)
{
    QFrame::showEvent(event);
    m_exit->setFocus();
}
