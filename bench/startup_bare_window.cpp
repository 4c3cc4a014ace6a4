// The references for the start-up benchmark: a bare Qt window of the entry
// window's size and title, and nothing else; or, given --label, the same
// window showing one line of Persian in the entry window's fonts, which is
// what the first text of any window costs (the font database, the fallback
// fonts, the shaping).

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setWindowTitle(QStringLiteral("Sorvanel"));
    window.setFixedSize(450, 479);
    if (QApplication::arguments().contains(QStringLiteral("--label"))) {
        auto *label = new QLabel(QStringLiteral(u"معرفي کتاب"), &window);
        QFont font;
        font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Noto Sans Arabic UI"), QStringLiteral("DejaVu Sans")});
        font.setPixelSize(15);
        label->setFont(font);
        label->setGeometry(285, 317, 75, 18);
    }
    window.show();
    return app.exec();
}
