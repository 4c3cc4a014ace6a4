#pragma once

#include <QList>
#include <QObject>

class QLabel;
class QPlainTextEdit;
class QTableView;
class QWidget;

namespace data {
struct Category;
class Dataset;
class ResultModel;
} // namespace data

// The five views of one row of the category table: title text, question,
// answer and footnote views on the window, and the title grid (on the window
// for a subject category, in the advanced-search panel for tovrin). All five
// follow the row's dataset: the four texts show its current record, the grid
// lists every title and highlights the current one, and choosing a grid row
// makes that record current. The views only read; their text can be selected
// and copied.
class ViewSet final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ViewSet)

public:
    // `window` holds the four text views, `gridParent` the grid.
    ViewSet(const data::Category &category, data::Dataset *dataset, QWidget *window, QWidget *gridParent);

    const data::Category &category() const { return m_category; }
    data::Dataset *dataset() const { return m_dataset; }

    QLabel *title() const { return m_title; }
    QPlainTextEdit *question() const { return m_question; }
    QPlainTextEdit *answer() const { return m_answer; }
    QPlainTextEdit *footnote() const { return m_footnote; }
    QTableView *grid() const { return m_grid; }
    // Title, question, answer, footnote, grid.
    QList<QWidget *> views() const;

    // Shows or hides the views; a grid standing in a panel is left to the panel.
    void setShown(bool shown);
    // Whether the answer view is shown: what makes this row the showing one.
    bool isShown() const;

private:
    void showCurrentRecord();

    const data::Category &m_category;
    data::Dataset *m_dataset;
    QLabel *m_title;
    QPlainTextEdit *m_question;
    QPlainTextEdit *m_answer;
    QPlainTextEdit *m_footnote;
    QTableView *m_grid;
    data::ResultModel *m_model;
    const bool m_gridInPanel;
};
