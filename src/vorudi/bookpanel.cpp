#include "bookpanel.h"

#include "art.h"
#include "fonts.h"
#include "labels.h"
#include "linklabel.h"
#include "picture.h"

#include <QLabel>
#include <QPushButton>

using vorudi::Anchor;

namespace {

// The commissioning organisation is named in red inside the sentence
// "برنامه پيش رو به سفارش … تهيه و طراحي شده است.", broken over its two rows.
const QString CommissionerFirst = QStringLiteral("Sorva-");
const QString CommissionerLast = QStringLiteral("nel");

} // namespace

BookPanel::BookPanel(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("Panel1"));
    setAccessibleName(QStringLiteral(u"معرفي کتاب"));
    setFrameShape(QFrame::NoFrame);
    // The panel's one-pixel border is in the face colour, the same as its fill.
    QPalette p = palette();
    p.setColor(QPalette::Window, p.color(QPalette::Button));
    setPalette(p);
    setAutoFillBackground(true);
    setGeometry(77, 12, 308, 376);

    auto *image2 = new Picture(QStringLiteral("vorudi/Image2"), QSize(306, 376), this);
    image2->setObjectName(QStringLiteral("Image2"));
    image2->setAccessibleName(QStringLiteral(u"تصوير کتاب"));
    image2->setGeometry(1, 0, 306, 376);

    const QFont text15 = platform::windowsFont(QStringLiteral("Tahoma"), 15);
    const Qt::Alignment right = Qt::AlignRight;

    vorudi::setUpLabel(new QLabel(this), "Label5", QRect(10, 136, 286, 18),
                       QStringLiteral(u"پرسش و پاسخ هاي قرائت و تلاوت قرآن کريم"), text15, vorudi::Maroon,
                       Qt::AlignHCenter, Anchor::Fixed);
    vorudi::setUpLabel(new QLabel(this), "Label6", QRect(43, 176, 199, 18),
                       QStringLiteral(u"تهيه : گروه پژوهشي آواي قرآن"), text15, vorudi::Green, right, Anchor::Fixed);

    // Each row of the sentence is two pieces that must stay apart: Persian on
    // the right, the name in Latin letters on the left of the first row and
    // on the right of the second.
    vorudi::setUpLabel(new QLabel(this), "Label8", QRect(114, 219, 157, 18),
                       QStringLiteral(u"برنامه پيش رو به سفارش"), text15, vorudi::Purple, right, Anchor::Fixed);
    vorudi::setUpLabel(new QLabel(this), "Label9", QRect(43, 251, 165, 18),
                       QStringLiteral(u"تهيه و طراحي شده است."), text15, vorudi::Purple, right, Anchor::Fixed);
    auto *label10 = new QLabel(this);
    vorudi::setUpLabel(label10, "Label10", QRect(28, 219, 80, 18), CommissionerFirst, text15, vorudi::Red, right,
                       Anchor::Fixed);
    auto *label11 = new QLabel(this);
    vorudi::setUpLabel(label11, "Label11", QRect(215, 251, 26, 18), CommissionerLast, text15, vorudi::Red, right,
                       Anchor::Fixed);
    // Latin text laid out left to right keeps the hyphen after the letters.
    label10->setLayoutDirection(Qt::LeftToRight);
    label11->setLayoutDirection(Qt::LeftToRight);

    auto *label12 = new LinkLabel(this);
    vorudi::setUpLabel(label12, "Label12", QRect(110, 305, 98, 16), art::publisherAddress(),
                       platform::windowsFont(QStringLiteral("Tahoma"), 13), vorudi::Maroon, Qt::AlignHCenter,
                       Anchor::Centre);
    label12->setLayoutDirection(Qt::LeftToRight);
    label12->setToolTip(art::publisherAddress());
    connect(label12, &LinkLabel::clicked, this, &BookPanel::webLinkClicked);

    m_exit = new QPushButton(QStringLiteral(u"خروج"), this);
    m_exit->setObjectName(QStringLiteral("SpeedButton1"));
    m_exit->setAccessibleName(m_exit->text());
    m_exit->setFont(text15);
    QPalette buttonPalette = m_exit->palette();
    buttonPalette.setColor(QPalette::ButtonText, vorudi::Maroon);
    m_exit->setPalette(buttonPalette);
    m_exit->setGeometry(128, 328, 73, 30);
    connect(m_exit, &QPushButton::clicked, this, &BookPanel::exitClicked);

    hide();
}

void BookPanel::showEvent(QShowEvent *event)
{
    QFrame::showEvent(event);
    // The exit button is the panel's only control: the space bar closes the panel.
    m_exit->setFocus();
}
