#include "viewset.h"

#include "category.h"
#include "colours.h"
#include "dataset.h"
#include "fonts.h"
#include "resultmodel.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTextDocument>
#include <QTextOption>

namespace {

// Every set stands in the same places, so the sets lie exactly on one another.
const QRect TitleBox(250, 120, 260, 17);
const QRect QuestionBox(40, 152, 513, 97);
const QRect AnswerBox(32, 272, 521, 201);
const QRect FootnoteBox(40, 496, 513, 97);
const QRect GridBox(656, 456, 169, 211);
const QRect AdvancedGridBox(41, 192, 189, 160); // inside the advanced-search panel

using platform::Maroon;
using platform::Navy;
using platform::Olive;
const QColor &ViewBackground = platform::MainBackground;
const QColor GridBackground(255, 251, 240);
const QColor GridTitleBackground(220, 236, 196);

const QString GridTitle = QStringLiteral("عنوان پرسش ها");

struct TextViewLook
{
    QRect box;
    int pixelHeight;
    QColor colour;
    bool verticalScrollBar;
    QString role; // spoken before the category's caption
};

QPlainTextEdit *makeTextView(QWidget *parent, const QString &name, const TextViewLook &look, const QString &caption)
{
    auto *view = new QPlainTextEdit(parent);
    view->setObjectName(name);
    view->setGeometry(look.box);
    view->setFont(platform::windowsFont(QStringLiteral("Tahoma"), look.pixelHeight));
    view->setFrameShape(QFrame::NoFrame);
    view->setReadOnly(true);
    view->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    view->setTabChangesFocus(true);
    view->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(look.verticalScrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    view->setLayoutDirection(Qt::RightToLeft);

    QPalette palette = view->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, ViewBackground);
        palette.setColor(group, QPalette::Text, look.colour);
    }
    view->setPalette(palette);

    // A right-to-left view still lays its paragraphs out from the left unless
    // the document is told otherwise.
    QTextOption option = view->document()->defaultTextOption();
    option.setAlignment(Qt::AlignRight);
    option.setTextDirection(Qt::RightToLeft);
    view->document()->setDefaultTextOption(option);

    view->setAccessibleName(caption.isEmpty() ? look.role : look.role + QStringLiteral(" - ") + caption);
    view->hide();
    return view;
}

// The file writes line breaks as CR LF; the view breaks paragraphs at a lone
// CR as well, which would double every break.
QString viewText(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

} // namespace

ViewSet::ViewSet(const data::Category &category, data::Dataset *dataset, QWidget *window, QWidget *gridParent)
    : QObject(window)
    , m_category(category)
    , m_dataset(dataset)
    , m_gridInPanel(gridParent != window)
{
    // The advanced search's results have no caption; their views say so instead.
    const QString caption = category.isAdvancedSearch() ? QStringLiteral("نتایج جستجوی پیشرفته") : category.caption;

    m_title = new QLabel(window);
    m_title->setObjectName(category.titleView());
    m_title->setGeometry(TitleBox);
    m_title->setTextFormat(Qt::PlainText);
    m_title->setWordWrap(false);
    m_title->setFont(platform::windowsFont(QStringLiteral("Tahoma"), 12));
    QPalette titlePalette = m_title->palette();
    titlePalette.setColor(QPalette::WindowText, Maroon);
    m_title->setPalette(titlePalette);
    m_title->setAccessibleName(QStringLiteral("عنوان - ") + caption);
    m_title->hide();

    m_question = makeTextView(window, category.questionView(), {QuestionBox, 13, Navy, false, QStringLiteral("پرسش")}, caption);
    m_answer = makeTextView(window, category.answerView(), {AnswerBox, 13, Maroon, true, QStringLiteral("پاسخ")}, caption);
    m_footnote = makeTextView(window, category.footnoteView(), {FootnoteBox, 12, Olive, true, QStringLiteral("پاورقی")}, caption);

    m_model = new data::ResultModel(dataset, data::TitleField, GridTitle, this);
    m_grid = new QTableView(gridParent);
    m_grid->setObjectName(category.grid());
    m_grid->setGeometry(category.isAdvancedSearch() ? AdvancedGridBox : GridBox);
    m_grid->setModel(m_model);
    m_grid->setFrameShape(QFrame::NoFrame);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setTextElideMode(Qt::ElideLeft);
    m_grid->setWordWrap(false);
    m_grid->setTabKeyNavigation(false);
    m_grid->setFont(platform::windowsFont(QStringLiteral("Tahoma"), 12));
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->horizontalHeader()->setHighlightSections(false);
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    m_grid->setAccessibleName(GridTitle + QStringLiteral(" - ") + caption);

    QPalette gridPalette = m_grid->palette();
    QPalette headerPalette = m_grid->horizontalHeader()->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        gridPalette.setColor(group, QPalette::Base, GridBackground);
        headerPalette.setColor(group, QPalette::Button, GridTitleBackground);
        headerPalette.setColor(group, QPalette::Window, GridTitleBackground);
        headerPalette.setColor(group, QPalette::ButtonText, Maroon);
    }
    m_grid->setPalette(gridPalette);
    m_grid->horizontalHeader()->setPalette(headerPalette);
    // A grid on the window takes turns with the other sets' grids; one in a
    // panel comes and goes with the panel.
    m_grid->setHidden(!m_gridInPanel);

    // Choosing a row, by the mouse or the keys, makes its record current; the
    // dataset then tells every view, the grid included.
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid())
                    m_dataset->setCurrentRow(current.row());
            });
    connect(dataset, &data::Dataset::currentChanged, this, &ViewSet::showCurrentRecord);
    showCurrentRecord();
}

QList<QWidget *> ViewSet::views() const
{
    return {m_title, m_question, m_answer, m_footnote, m_grid};
}

void ViewSet::setShown(bool shown)
{
    for (QWidget *view : std::initializer_list<QWidget *>{m_title, m_question, m_answer, m_footnote})
        view->setVisible(shown);
    if (!m_gridInPanel)
        m_grid->setVisible(shown);
}

bool ViewSet::isShown() const
{
    return !m_answer->isHidden();
}

void ViewSet::showCurrentRecord()
{
    m_title->setText(m_dataset->field(data::TitleField));
    m_question->setPlainText(viewText(m_dataset->field(data::QuestionField)));
    m_answer->setPlainText(viewText(m_dataset->field(data::AnswerField)));
    m_footnote->setPlainText(viewText(m_dataset->field(data::FootnoteField)));

    const int row = m_dataset->currentRow();
    QItemSelectionModel *selection = m_grid->selectionModel();
    if (row < 0) {
        selection->clear();
        return;
    }
    const QModelIndex index = m_model->index(row, 0);
    selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_grid->scrollTo(index);
}
