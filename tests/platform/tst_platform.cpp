// The platform layer's own logic: the error report's text and the font dialog.

#include "applicationerrorreport.h"
#include "fontchoicedialog.h"
#include "messageboxes.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QSpinBox>
#include <QTest>

namespace {

class RecordingBoxes final : public platform::MessageBoxes
{
public:
    QStringList shown;
    void showError(QWidget *, const QString &title, const QString &text) override { shown.append(title + u'|' + text); }
};

} // namespace

class TestPlatform final : public QObject
{
    Q_OBJECT

private slots:
    void errorReportText_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("a full stop is added after a letter") << QStringLiteral("Could not open") << QStringLiteral("Could not open.");
        QTest::newRow("none after a full stop") << QStringLiteral("Done.") << QStringLiteral("Done.");
        QTest::newRow("none after a quote, whose code is lower") << QStringLiteral("file 'x'") << QStringLiteral("file 'x'");
        QTest::newRow("none after an exclamation mark") << QStringLiteral("Stop!") << QStringLiteral("Stop!");
        QTest::newRow("added after Persian text") << QStringLiteral("پرونده") << QStringLiteral("پرونده.");
        QTest::newRow("an empty message stays empty") << QString() << QString();
    }

    void errorReportText()
    {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QGuiApplication::setApplicationDisplayName(QStringLiteral("Sorvanel"));
        RecordingBoxes boxes;
        platform::ApplicationErrorReport report(&boxes);
        report.report(message);
        QCOMPARE(boxes.shown, QStringList({QStringLiteral("Sorvanel|") + shown}));
    }

    // What the dialog opens with is what it hands back when confirmed untouched.
    void fontDialogKeepsItsChoice_data()
    {
        QTest::addColumn<platform::FontChoice>("initial");
        QTest::newRow("the first font: MS Sans Serif, 8 points, window-text colour") << platform::FontChoice();
        platform::FontChoice styled;
        styled.family = QStringLiteral("DejaVu Sans");
        styled.pointSize = 14;
        styled.color = QColor(128, 0, 0);
        styled.bold = true;
        styled.underline = true;
        QTest::newRow("bold, underlined, maroon") << styled;
        platform::FontChoice odd = styled;
        odd.color = QColor(1, 2, 3);
        odd.italic = true;
        odd.strikeout = true;
        QTest::newRow("a colour outside the sixteen") << odd;
    }

    void fontDialogKeepsItsChoice()
    {
        QFETCH(platform::FontChoice, initial);
        platform::FontChoiceDialog dialog(initial);
        QCOMPARE(dialog.choice(), initial);
    }

    void fontDialogReadsItsControls()
    {
        platform::FontChoiceDialog dialog(platform::FontChoice{});
        auto *families = dialog.findChild<QListWidget *>(QStringLiteral("families"));
        families->setCurrentItem(families->findItems(QStringLiteral("DejaVu Sans"), Qt::MatchExactly).value(0));
        dialog.findChild<QComboBox *>(QStringLiteral("style"))->setCurrentIndex(3);
        dialog.findChild<QSpinBox *>(QStringLiteral("size"))->setValue(20);
        dialog.findChild<QCheckBox *>(QStringLiteral("strikeout"))->setChecked(true);
        auto *color = dialog.findChild<QComboBox *>(QStringLiteral("color"));
        QCOMPARE(color->count(), 17); // the window-text colour and the sixteen
        color->setCurrentIndex(color->findData(QColor(0, 128, 128)));
        const platform::FontChoice c = dialog.choice();
        QCOMPARE(c.family, QStringLiteral("DejaVu Sans"));
        QCOMPARE(c.pointSize, 20.0);
        QVERIFY(c.bold && c.italic && c.strikeout && !c.underline);
        QCOMPARE(c.color, QColor(0, 128, 128));
        QCOMPARE(c.font().pointSizeF(), 20.0);
        QVERIFY(c.font().strikeOut());
    }
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
