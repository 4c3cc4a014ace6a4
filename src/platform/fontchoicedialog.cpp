#include "fontchoicedialog.h"

#include "fonts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace platform {

namespace {

struct NamedColor
{
    const char *name;
    QRgb rgb;
};

// The sixteen classic colours, named in Persian.
const NamedColor Classic[] = {
    {"سیاه", qRgb(0, 0, 0)},         {"زرشکی", qRgb(128, 0, 0)},    {"سبز", qRgb(0, 128, 0)},
    {"زیتونی", qRgb(128, 128, 0)},   {"سرمه‌ای", qRgb(0, 0, 128)},   {"بنفش", qRgb(128, 0, 128)},
    {"سبزآبی", qRgb(0, 128, 128)},   {"خاکستری", qRgb(128, 128, 128)}, {"نقره‌ای", qRgb(192, 192, 192)},
    {"قرمز", qRgb(255, 0, 0)},       {"سبز روشن", qRgb(0, 255, 0)}, {"زرد", qRgb(255, 255, 0)},
    {"آبی", qRgb(0, 0, 255)},        {"ارغوانی", qRgb(255, 0, 255)}, {"فیروزه‌ای", qRgb(0, 255, 255)},
    {"سفید", qRgb(255, 255, 255)},
};

QIcon swatch(const QColor &color)
{
    QPixmap p(16, 12);
    p.fill(color);
    return QIcon(p);
}

enum Style { Regular, Bold, Italic, BoldItalic };

} // namespace

QFont FontChoice::font() const
{
    QFont f = windowsFont(family, 12);
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    f.setStrikeOut(strikeout);
    return f;
}

FontChoiceDialog::FontChoiceDialog(const FontChoice &initial, QWidget *parent)
    : QDialog(parent)
    , m_families(new QListWidget(this))
    , m_style(new QComboBox(this))
    , m_size(new QSpinBox(this))
    , m_underline(new QCheckBox(QStringLiteral("زیرخط"), this))
    , m_strikeout(new QCheckBox(QStringLiteral("خط‌خورده"), this))
    , m_color(new QComboBox(this))
    , m_sample(new QLabel(QStringLiteral("قرآن را با ترتیل بخوانید. AaBb ۱۲۳"), this))
{
    setWindowTitle(QStringLiteral("قلم"));
    setLayoutDirection(Qt::RightToLeft);
    setModal(true);

    QStringList families = QFontDatabase::families();
    if (!families.contains(initial.family))
        families.prepend(initial.family); // shown as chosen even where it is not installed
    m_families->addItems(families);
    m_families->setObjectName(QStringLiteral("families"));
    m_families->setCurrentRow(int(families.indexOf(initial.family)));

    m_style->setObjectName(QStringLiteral("style"));
    m_style->addItems({QStringLiteral("معمولی"), QStringLiteral("پررنگ"), QStringLiteral("کج"), QStringLiteral("پررنگ و کج")});
    m_style->setCurrentIndex((initial.bold ? Bold : Regular) | (initial.italic ? Italic : Regular));

    m_size->setObjectName(QStringLiteral("size"));
    m_size->setRange(6, 72);
    m_size->setValue(qRound(initial.pointSize));

    m_underline->setObjectName(QStringLiteral("underline"));
    m_underline->setChecked(initial.underline);
    m_strikeout->setObjectName(QStringLiteral("strikeout"));
    m_strikeout->setChecked(initial.strikeout);

    m_color->setObjectName(QStringLiteral("color"));
    m_color->addItem(swatch(palette().color(QPalette::WindowText)), QStringLiteral("رنگ متن پنجره"), QColor());
    for (const NamedColor &c : Classic)
        m_color->addItem(swatch(QColor(c.rgb)), QString::fromUtf8(c.name), QColor(c.rgb));
    const int colorIndex = initial.color.isValid() ? m_color->findData(initial.color) : 0;
    if (colorIndex < 0)
        m_color->addItem(swatch(initial.color), initial.color.name(), initial.color);
    m_color->setCurrentIndex(colorIndex < 0 ? m_color->count() - 1 : colorIndex);

    m_sample->setObjectName(QStringLiteral("sample"));
    m_sample->setMinimumHeight(60);
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setFrameShape(QFrame::StyledPanel);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("سبک:"), m_style);
    form->addRow(QStringLiteral("اندازه:"), m_size);
    form->addRow(QStringLiteral("رنگ:"), m_color);
    form->addRow(m_underline);
    form->addRow(m_strikeout);
    auto *choices = new QHBoxLayout;
    auto *faceColumn = new QVBoxLayout;
    faceColumn->addWidget(new QLabel(QStringLiteral("قلم:"), this));
    faceColumn->addWidget(m_families);
    choices->addLayout(faceColumn, 2);
    choices->addLayout(form, 1);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("تأیید"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("انصراف"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(m_sample);
    layout->addWidget(buttons);

    connect(m_families, &QListWidget::currentRowChanged, this, &FontChoiceDialog::updateSample);
    connect(m_style, &QComboBox::currentIndexChanged, this, &FontChoiceDialog::updateSample);
    connect(m_size, &QSpinBox::valueChanged, this, &FontChoiceDialog::updateSample);
    connect(m_underline, &QCheckBox::toggled, this, &FontChoiceDialog::updateSample);
    connect(m_strikeout, &QCheckBox::toggled, this, &FontChoiceDialog::updateSample);
    connect(m_color, &QComboBox::currentIndexChanged, this, &FontChoiceDialog::updateSample);
    updateSample();
    resize(480, 360);
}

FontChoice FontChoiceDialog::choice() const
{
    FontChoice c;
    c.family = m_families->currentItem() ? m_families->currentItem()->text() : QString();
    c.pointSize = m_size->value();
    c.color = m_color->currentData().value<QColor>();
    c.bold = m_style->currentIndex() & Bold;
    c.italic = m_style->currentIndex() & Italic;
    c.underline = m_underline->isChecked();
    c.strikeout = m_strikeout->isChecked();
    return c;
}

void FontChoiceDialog::updateSample()
{
    const FontChoice c = choice();
    m_sample->setFont(c.font());
    QPalette p = m_sample->palette();
    p.setColor(QPalette::WindowText, c.color.isValid() ? c.color : palette().color(QPalette::WindowText));
    m_sample->setPalette(p);
}

bool WidgetFontDialogs::choose(QWidget *parent, const QString &dialogName, FontChoice *choice)
{
    FontChoiceDialog dialog(*choice, parent);
    dialog.setObjectName(dialogName);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    *choice = dialog.choice();
    return true;
}

} // namespace platform
