#pragma once

#include "platform.h"

#include <QList>
#include <QWidget>

class ClickLabel;
class QLabel;
class ViewSet;

namespace Ui {
class Tmain;
}

namespace data {
struct Category;
class Dataset;
class Datasets;
class ErrorReport;
} // namespace data

// The main window, where the collection is read. Its fixed controls come from
// tmain.ui; the seven view sets (title, question, answer, footnote, title
// grid) are built from the category table, one ViewSet per row, and each
// follows its row's dataset. The window owns the data components: creating it
// opens them, every failure going to the error report, and then shows the
// first category. Which category is showing lives only in which answer view
// is visible; the category captions and the advanced search change it through
// switchCategory() and showViewSet(). Closing the window hides it with all its
// state kept.
class Tmain final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tmain)

public:
    Tmain(const platform::Platform &platform, data::ErrorReport &report, QWidget *parent = nullptr);
    ~Tmain() override;

    // The row whose answer view is visible: one of the six subject
    // categories, or tovrin while the advanced-search panel is open.
    const data::Category &showingCategory() const;

    // What choosing a category's caption does: hides the count caption,
    // empties the count, puts the marker behind the caption and shows the
    // category's views alone (closing the advanced-search panel). For a
    // subject category only.
    void switchCategory(const data::Category &category);

    // Shows the row's five views and hides every other set's; for tovrin this
    // opens the advanced-search panel, for the others it closes it. Neither the
    // marker nor the count changes.
    void showViewSet(const data::Category &category);

    ViewSet &views(const data::Category &category) const;
    data::Dataset &dataset(const data::Category &category) const;
    data::Datasets &datasets() const { return *m_datasets; }
    data::ErrorReport &errorReport() const { return m_report; }

    // Writes the record count into Label9, which grows to the left from its
    // fixed right edge.
    void setCountText(const QString &text);

    void setVisible(bool visible) override;

private:
    void FormCreate();
    void applyLooks();
    void loadPictures();
    void fitTexts();
    void connectCaptions();
    void setTabOrder();
    ClickLabel *captionLabel(const data::Category &category) const;

    // The close and minimise marks (their click areas, and the marks' own
    // uncovered edges), and the two areas over the publisher's address and logo.
    void Shape2MouseDown();
    void Shape3MouseDown();
    void Shape1MouseDown();

    Ui::Tmain *m_ui;
    platform::Platform m_platform;
    data::ErrorReport &m_report;
    data::Datasets *m_datasets;
    QList<ViewSet *> m_viewSets; // in the category table's order
    bool m_placed = false;
};
