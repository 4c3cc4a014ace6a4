#pragma once

#include <QList>
#include <QObject>

class QAbstractButton;
class Tmain;

namespace data {
struct Category;
}

namespace platform {
class FindDialog;
class MessageBoxes;
} // namespace platform

// Find in the answer being read. The text-search button opens the showing
// category's own Find dialog (one per subject row of the category table,
// named by the row); every press of a dialog's find-next runs the find step
// over that row's answer view, whether or not the row is still showing. The
// six dialogs share one last-found position, which only the find step
// writes: a press continues after the last match, wherever it was found. A
// match is selected and scrolled into sight; when its row is showing the
// view also takes the keyboard focus, otherwise the focus stays where it
// is. A press that finds nothing says so in an "Error" message box.
class AnswerFind final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AnswerFind)

public:
    AnswerFind(Tmain &main, QAbstractButton *findButton, platform::MessageBoxes &messages);

    // The 1-based position of the last match in the text searched last
    // (each line break counting two), 0 when there is none.
    int lastFoundPos() const { return m_lastFoundPos; }

    platform::FindDialog *dialog(const data::Category &category) const;

private:
    void SpeedButton6Click();
    // The find event of every row's dialog (FindDialog1Find..FindDialog6Find):
    // one press of its find-next, over that row's answer view.
    void FindDialogFind(const data::Category &category);

    Tmain &m_main;
    platform::MessageBoxes &m_messages;
    QList<platform::FindDialog *> m_dialogs; // the subject rows' dialogs, in the category table's order
    int m_lastFoundPos = 0;
};
