#pragma once

#include <QObject>

class QAbstractButton;
class QLabel;
class QLineEdit;
class Tmain;

// The title filter: every change the user makes to the search box narrows
// the showing category to the records whose title contains the box's text
// and writes how many there are; the cancel button brings the whole category
// back. A category's query text is its filter state, so each category keeps
// its own filter while others show. Nothing here acts on the advanced results.
class TitleFilter final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TitleFilter)

public:
    TitleFilter(Tmain &window, QLineEdit *box, QAbstractButton *cancel, QLabel *countCaption);

private:
    void Edit1Change(const QString &text);
    void SpeedButton5Click();
    // Replaces the showing category's statement and reopens it; false after a report.
    bool reopen(const QString &statement);

    Tmain &m_window;
    QLabel *m_countCaption;
};
