#pragma once

#include <QObject>

class QAbstractButton;
class QLineEdit;
class Tmain;

// The advanced search over the whole collection. The panel's search button
// replaces the SQL text of the tovrin row's query by one statement, a like
// over the questions or over the answers of varostel built from the text
// box, and reopens it; the results grid in the panel and the four advanced
// views follow that query as every view set follows its own. Opening the
// panel makes tovrin the showing row; cancelling it is the caption switch
// to the first category. The query, its current record, the text and the
// choice are never reset, so the panel opens again as it was left.
class AdvancedSearch final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AdvancedSearch)

public:
    // The panel's controls, and the window's button that opens it.
    struct Controls
    {
        QAbstractButton *open;           // SpeedButton8
        QAbstractButton *search;         // SpeedButton9
        QAbstractButton *cancel;         // SpeedButton10
        QLineEdit *text;                 // ebarat
        QAbstractButton *inQuestions;    // RadioButton1; RadioButton2 searches the answers
    };

    AdvancedSearch(Tmain &main, const Controls &controls);

private:
    void SpeedButton8Click();
    void SpeedButton9Click();
    void SpeedButton10Click();

    Tmain &m_main;
    Controls m_controls;
};
