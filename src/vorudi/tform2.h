#pragma once

#include <QPointer>
#include <QWidget>

class BookPanel;
class CentresPanel;

namespace platform {
struct Platform;
class Shell;
}

// The entry window `Form2`: a borderless picture window, the first the user
// sees and the application's main window. Its three links show the main
// window, the book panel `Panel1` and the answering-centres panel `Panel2`;
// a web link opens the publisher's address; two invisible areas over the
// background's marks minimise and close it. Closing it ends the program,
// which it announces with closed(); it keeps no state beyond what shows.
class TForm2 final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm2)

public:
    explicit TForm2(const platform::Platform &platform, QWidget *parent = nullptr);

    // The window that the first link shows. It is created after this one,
    // so it is handed over once it exists.
    void setMainWindow(QWidget *mainWindow);

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Label1Click();
    void Label2Click();
    void Label3Click();
    void Label4Click();
    void Shape2MouseDown();
    void Shape3MouseDown();
    void SpeedButton1Click();

    platform::Shell *m_shell;
    QPointer<QWidget> m_mainWindow;
    BookPanel *m_panel1;
    CentresPanel *m_panel2;
};
