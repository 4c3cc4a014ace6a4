#pragma once

#include <QFrame>

class QPushButton;

// The book-introduction panel `Panel1` of the entry window: the book's
// picture, its description, who prepared it, the sentence naming who
// commissioned it, the publisher's web link and an exit button. It keeps no
// state; the window decides what its link and its exit button do.
class BookPanel final : public QFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BookPanel)

public:
    explicit BookPanel(QWidget *parent = nullptr);

signals:
    void webLinkClicked();
    void exitClicked();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QPushButton *m_exit;
};
