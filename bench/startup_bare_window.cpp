// The reference for the start-up benchmark: a bare Qt window of the entry
// window's size and title, and nothing else.

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setWindowTitle(QStringLiteral("Sorvanel"));
    window.setFixedSize(450, 479);
    window.show();
    return app.exec();
}
