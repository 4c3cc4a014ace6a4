#include "tmain.h"
#include "ui_tmain.h"

#include "advancedsearch.h"
#include "answerfind.h"
#include "art.h"
#include "category.h"
#include "clicklabel.h"
#include "colours.h"
#include "datasets.h"
#include "errorreport.h"
#include "fonts.h"
#include "recordbuttons.h"
#include "shell.h"
#include "titlefilter.h"
#include "viewset.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTableView>
#include <QPushButton>

namespace {

using platform::DarkGreen;
using platform::Green;
using platform::Maroon;
using platform::Olive;
using platform::Red;
const QColor &Background = platform::MainBackground;
const QColor BoxBackground(249, 250, 236);

const int MarkerLeft = 658;
const int CountRightEdge = 681;
const QSize EmptyCountSize(4, 14);

// The fonts and colours of the fixed controls that do not take the window's
// (Tahoma, 12 px, the window-text colour). Sizes are character heights in pixels.
struct Look
{
    const char *name;
    int pixelHeight;
    QColor colour;
};

const Look Looks[] = {
    {"Label2", 15, DarkGreen},
    {"Label8", 11, DarkGreen},
    {"SpeedButton2", 12, Maroon},
    {"SpeedButton1", 12, Maroon},
    {"SpeedButton3", 12, Maroon},
    {"SpeedButton4", 12, Maroon},
    {"SpeedButton7", 12, Maroon},
    {"SpeedButton6", 12, Maroon},
    {"SpeedButton8", 11, Maroon},
    {"SpeedButton5", 12, Red},
    {"Edit1", 13, Olive},
    {"ebarat", 12, Olive},
};
const int CaptionPixelHeight = 15;

const char *const Pictures[] = {"Image1", "Image2", "Image3", "Image4", "Image5"};
const char *const ButtonPictures[] = {"SpeedButton1", "SpeedButton2", "SpeedButton3",
                                      "SpeedButton4", "SpeedButton7", "SpeedButton8"};

QPalette::ColorRole textRole(const QWidget *widget)
{
    if (qobject_cast<const QLineEdit *>(widget))
        return QPalette::Text;
    if (qobject_cast<const QAbstractButton *>(widget))
        return QPalette::ButtonText;
    return QPalette::WindowText;
}

void setColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, role, colour);
    widget->setPalette(palette);
}

// Labels size themselves to their text and keep their right edge; our fonts
// are not the ones the layout was measured in, so a text that would not fit
// widens its label to the left, and a taller line grows it evenly up and down.
void fitLabel(QLabel *label)
{
    const QSize needed = label->sizeHint();
    QRect box = label->geometry();
    if (needed.width() > box.width())
        box.setLeft(box.right() + 1 - needed.width());
    if (needed.height() > box.height()) {
        const int extra = needed.height() - box.height();
        box.adjust(0, -extra / 2, 0, extra - extra / 2);
    }
    label->setGeometry(box);
}

} // namespace

Tmain::Tmain(const platform::Platform &platform, data::ErrorReport &report, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_ui(new Ui::Tmain)
    , m_platform(platform)
    , m_report(report)
    , m_datasets(new data::Datasets(this))
{
    m_ui->setupUi(this);
    setFixedSize(865, 682);
    // Closing this window only hides it; the entry window decides when the program ends.
    setAttribute(Qt::WA_QuitOnClose, false);

    // The view sets, bound to their datasets before these open, so the first
    // results reach them as they arrive. The title texts lie among the
    // labels, under the count caption; the text views and grids above every
    // fixed control, the advanced-search panel above them all.
    for (const data::Category &category : data::categories()) {
        QWidget *gridParent = category.isAdvancedSearch() ? m_ui->Panel1 : static_cast<QWidget *>(this);
        auto *set = new ViewSet(category, m_datasets->query(category), this, gridParent);
        set->title()->stackUnder(m_ui->Label8);
        m_viewSets.append(set);
    }
    m_ui->Panel1->raise();

    applyLooks();
    connectCaptions();
    fitTexts();
    setTabOrder();

    connect(m_ui->Shape2, &ClickLabel::pressed, this, &Tmain::Shape2MouseDown);
    connect(m_ui->Image4, &ClickLabel::clicked, this, &Tmain::Shape2MouseDown);
    connect(m_ui->Shape3, &ClickLabel::pressed, this, &Tmain::Shape3MouseDown);
    connect(m_ui->Image5, &ClickLabel::clicked, this, &Tmain::Shape3MouseDown);
    connect(m_ui->Shape1, &ClickLabel::pressed, this, &Tmain::Shape1MouseDown);
    connect(m_ui->Shape4, &ClickLabel::pressed, this, &Tmain::Shape1MouseDown);
    new RecordButtons(*this, {m_ui->SpeedButton3, m_ui->SpeedButton1, m_ui->SpeedButton2, m_ui->SpeedButton4, m_ui->SpeedButton7},
                      m_platform.fonts);
    new TitleFilter(*this, m_ui->Edit1, m_ui->SpeedButton5, m_ui->Label8);
    new AnswerFind(*this, m_ui->SpeedButton6, *m_platform.messages);
    new AdvancedSearch(*this, {m_ui->SpeedButton8, m_ui->SpeedButton9, m_ui->SpeedButton10, m_ui->ebarat, m_ui->RadioButton1});

    m_datasets->openAll(report);
    FormCreate();
}

Tmain::~Tmain()
{
    delete m_ui;
}

void Tmain::FormCreate()
{
    switchCategory(data::categories().constFirst());
    m_ui->Edit1->setFocus();
}

void Tmain::applyLooks()
{
    setFont(platform::windowsFont(QStringLiteral("Tahoma"), 12));
    setColour(this, QPalette::Window, Background);
    for (const Look &look : Looks) {
        auto *widget = findChild<QWidget *>(QLatin1String(look.name));
        Q_ASSERT(widget);
        widget->setFont(platform::windowsFont(QStringLiteral("Tahoma"), look.pixelHeight));
        setColour(widget, textRole(widget), look.colour);
    }
    setColour(m_ui->Edit1, QPalette::Base, BoxBackground);
    setColour(m_ui->ebarat, QPalette::Base, BoxBackground);
    setColour(m_ui->GroupBox1, QPalette::Window, Background);
}

void Tmain::loadPictures()
{
    const qreal ratio = devicePixelRatioF();
    for (const char *name : Pictures) {
        const QString art = QStringLiteral("Unit1/") + QLatin1String(name);
        findChild<QLabel *>(QLatin1String(name))->setPixmap(art::picture(art, art::naturalSize(art), ratio));
    }
    for (const char *name : ButtonPictures) {
        const QString art = QStringLiteral("Unit1/") + QLatin1String(name);
        auto *button = findChild<QPushButton *>(QLatin1String(name));
        button->setIcon(QIcon(art::picture(art, art::naturalSize(art), ratio)));
        button->setIconSize(art::naturalSize(art));
    }
}

void Tmain::connectCaptions()
{
    for (const data::Category &category : data::categories()) {
        if (category.isAdvancedSearch())
            continue;
        ClickLabel *label = captionLabel(category);
        label->setText(category.caption);
        label->setAccessibleName(category.caption);
        label->setFont(platform::windowsFont(QStringLiteral("Tahoma"), CaptionPixelHeight));
        setColour(label, QPalette::WindowText, Maroon);
        connect(label, &ClickLabel::clicked, this, [this, &category] { switchCategory(category); });
        connect(label, &ClickLabel::hovered, this, [this, label] { setColour(label, QPalette::WindowText, Green); });
        connect(label, &ClickLabel::left, this, [this, label] { setColour(label, QPalette::WindowText, Maroon); });
    }
}

void Tmain::fitTexts()
{
    for (const data::Category &category : data::categories()) {
        if (!category.isAdvancedSearch())
            fitLabel(captionLabel(category));
    }
    fitLabel(m_ui->Label2);
    fitLabel(m_ui->Label8);
}

void Tmain::setTabOrder()
{
    // The search box first, so it has the keyboard the first time the window
    // is active; then the views, hidden ones being passed over. The first
    // category's grid comes before its text views, every other grid after.
    QList<QWidget *> order{m_ui->Edit1};
    for (ViewSet *set : std::as_const(m_viewSets)) {
        const QList<QWidget *> texts{set->question(), set->answer(), set->footnote()};
        if (set->category().isAdvancedSearch())
            order << m_ui->ebarat << set->grid() << m_ui->RadioButton1 << m_ui->RadioButton2 << texts;
        else if (set == m_viewSets.constFirst())
            order << set->grid() << texts;
        else
            order << texts << set->grid();
    }
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
}

ClickLabel *Tmain::captionLabel(const data::Category &category) const
{
    return findChild<ClickLabel *>(category.captionLabel);
}

const data::Category &Tmain::showingCategory() const
{
    for (ViewSet *set : m_viewSets) {
        if (set->isShown())
            return set->category();
    }
    Q_ASSERT_X(false, "Tmain::showingCategory", "no view set is showing");
    return data::categories().constFirst();
}

void Tmain::switchCategory(const data::Category &category)
{
    Q_ASSERT(!category.isAdvancedSearch());
    m_ui->Label8->hide();
    // A count made for the category left behind would read as this one's.
    setCountText(QString());
    m_ui->Image2->move(MarkerLeft, category.markerTop);
    showViewSet(category);
}

void Tmain::showViewSet(const data::Category &category)
{
    for (ViewSet *set : std::as_const(m_viewSets)) {
        if (set->category().key != category.key)
            set->setShown(false);
    }
    views(category).setShown(true);
    m_ui->Panel1->setVisible(category.isAdvancedSearch());
}

ViewSet &Tmain::views(const data::Category &category) const
{
    for (ViewSet *set : m_viewSets) {
        if (set->category().key == category.key)
            return *set;
    }
    Q_UNREACHABLE();
}

data::Dataset &Tmain::dataset(const data::Category &category) const
{
    return *views(category).dataset();
}

void Tmain::setCountText(const QString &text)
{
    // Empty, the label keeps its laid-out size; with a count it is as wide
    // as the digits and grows to the left.
    QLabel *count = m_ui->Label9;
    count->setText(text);
    QSize size(EmptyCountSize);
    if (!text.isEmpty())
        size = size.expandedTo(count->sizeHint());
    count->setGeometry(CountRightEdge - size.width(), count->y(), size.width(), size.height());
}

void Tmain::setVisible(bool visible)
{
    // The first showing puts the window in the middle of the desktop (all
    // screens together); it stays there afterwards.
    if (visible && !m_placed) {
        m_placed = true;
        // Drawn when first shown, at the pixel density of the screen it
        // shows on; the program starts without waiting for them.
        loadPictures();
        const QScreen *desktop = screen();
        const QRect area = desktop ? desktop->virtualGeometry() : QRect();
        move(area.x() + std::max(0, (area.width() - width()) / 2),
             area.y() + std::max(0, (area.height() - height()) / 2));
    }
    QWidget::setVisible(visible);
}

void Tmain::Shape2MouseDown()
{
    close();
}

void Tmain::Shape3MouseDown()
{
    setWindowState(windowState() | Qt::WindowMinimized);
}

void Tmain::Shape1MouseDown()
{
    m_platform.shell->open(art::publisherAddress());
}
