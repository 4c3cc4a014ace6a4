#include "finddialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace platform {

FindDialog::FindDialog(QWidget *parent)
    : QDialog(parent)
    , m_text(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("جستجو"));
    setLayoutDirection(Qt::RightToLeft);
    setModal(false);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_text->setObjectName(QStringLiteral("findText"));
    m_text->setMaxLength(MaxFindText);
    m_text->setAccessibleName(QStringLiteral("متن مورد جستجو"));

    auto *wholeWord = new QCheckBox(QStringLiteral("فقط کلمهٔ کامل"), this);
    wholeWord->setObjectName(QStringLiteral("wholeWord"));
    wholeWord->setEnabled(false);
    auto *matchCase = new QCheckBox(QStringLiteral("حساس به بزرگی و کوچکی حروف"), this);
    matchCase->setObjectName(QStringLiteral("matchCase"));
    matchCase->setChecked(true);
    matchCase->setEnabled(false);
    auto *direction = new QGroupBox(QStringLiteral("جهت"), this);
    direction->setObjectName(QStringLiteral("direction"));
    auto *up = new QRadioButton(QStringLiteral("بالا"), direction);
    auto *down = new QRadioButton(QStringLiteral("پایین"), direction);
    down->setObjectName(QStringLiteral("down"));
    down->setChecked(true);
    direction->setEnabled(false);
    auto *directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(up);
    directionLayout->addWidget(down);

    auto *next = new QPushButton(QStringLiteral("بعدی"), this);
    next->setObjectName(QStringLiteral("findNext"));
    next->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("انصراف"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    connect(next, &QPushButton::clicked, this, &FindDialog::findNext);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("متن:"), this));
    row->addWidget(m_text, 1);
    row->addWidget(next);
    auto *options = new QHBoxLayout;
    auto *boxes = new QVBoxLayout;
    boxes->addWidget(wholeWord);
    boxes->addWidget(matchCase);
    options->addLayout(boxes);
    options->addWidget(direction);
    options->addWidget(cancel, 0, Qt::AlignTop);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(options);

    setAccessibleName(windowTitle());
    for (QAbstractButton *button : std::initializer_list<QAbstractButton *>{wholeWord, matchCase, up, down, next, cancel})
        button->setAccessibleName(button->text());
    direction->setAccessibleName(direction->title());
}

QString FindDialog::findText() const
{
    return m_text->text();
}

void FindDialog::setFindText(const QString &text)
{
    m_text->setText(text);
}

void FindDialog::open()
{
    show();
    raise();
    activateWindow();
}

} // namespace platform
