// Record navigation, answer fonts and the title filter in the real window.

#include "category.h"
#include "dataset.h"
#include "fontchoice.h"
#include "jetfiles.h"
#include "platform.h"
#include "recorders.h"
#include "tmain.h"
#include "viewset.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// Answers the font dialog with a scripted choice, or cancels; remembers what it was shown.
class ScriptedFonts final : public platform::FontDialogs
{
public:
    std::optional<platform::FontChoice> answer; // nullopt: cancel
    QStringList dialogs;
    QList<platform::FontChoice> shown;
    bool choose(QWidget *, const QString &dialogName, platform::FontChoice *choice) override
    {
        dialogs.append(dialogName);
        shown.append(*choice);
        if (!answer)
            return false;
        *choice = *answer;
        return true;
    }
};

const data::Category &row(const char *key)
{
    return *data::categoryByKey(QString::fromLatin1(key));
}

} // namespace

class TestRecords final : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_folder;
    QString m_collection;
    std::unique_ptr<QTemporaryDir> m_working;
    RecordingShell m_shell;
    RecordingMessageBoxes m_boxes;
    ScriptedFonts m_fonts;
    RecordingReport m_report;
    std::unique_ptr<Tmain> m_window;

    template<typename T>
    T *find(const char *name) const
    {
        return m_window->findChild<T *>(QString::fromLatin1(name));
    }
    void click(const char *button) { QTest::mouseClick(find<QAbstractButton>(button), Qt::LeftButton); }
    void choose(const char *key)
    {
        m_window->switchCategory(row(key));
    }
    // Types as a user does: each character a change of the box.
    void type(const QString &text)
    {
        QLineEdit *box = find<QLineEdit>("Edit1");
        box->setFocus();
        for (const QChar c : text) { // QTest's own key clicks know Latin-1 only
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(box, &press);
            QApplication::sendEvent(box, &release);
        }
    }
    void clearBox()
    {
        QLineEdit *box = find<QLineEdit>("Edit1");
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
    }
    QString titleShown(const char *key) const { return m_window->views(row(key)).title()->text(); }
    QString count() const { return find<QLabel>("Label9")->text(); }
    int current(const char *key) const { return m_window->dataset(row(key)).currentRow(); }

private slots:
    void initTestCase()
    {
        m_collection = m_folder.filePath(QStringLiteral("collection.mdb"));
        QFile source(QStringLiteral(VAROSTEL_SOURCE_DIR "/tests/data/fixtures/collection.json"));
        QVERIFY(source.open(QIODevice::ReadOnly));
        QCOMPARE(testsupport::packJson(QString::fromUtf8(source.readAll()), m_collection), QString());
    }

    void init()
    {
        m_working = std::make_unique<QTemporaryDir>();
        QVERIFY(QFile::copy(m_collection, m_working->filePath(QStringLiteral("varostel.mdb"))));
        QVERIFY(QDir::setCurrent(m_working->path()));
        m_report.messages.clear();
        m_fonts = ScriptedFonts();
        m_window = std::make_unique<Tmain>(platform::Platform{&m_shell, &m_boxes, &m_fonts}, m_report);
        m_window->show();
    }

    void cleanup() { m_window.reset(); }

    void navigation_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("steps"); // button names, or "filter:<text>"
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("title");

        QTest::newRow("next, next") << "moghadamat" << QStringList{"SpeedButton2", "SpeedButton2"} << 2 << "مقدمه عنوان 3";
        QTest::newRow("previous on the first stays") << "moghadamat" << QStringList{"SpeedButton1"} << 0 << "مقدمه عنوان 1";
        QTest::newRow("next on the last stays") << "vajeb" << QStringList{"SpeedButton4", "SpeedButton2"} << 1 << "واجب عنوان 2";
        QTest::newRow("last then first") << "motefar" << QStringList{"SpeedButton4", "SpeedButton3"} << 0 << "مرکز عنوان 1";
        QTest::newRow("an empty category: nothing moves") << "mostahab" << QStringList{"SpeedButton2", "SpeedButton4"} << -1 << "";
        QTest::newRow("a filter that found nothing: nothing moves")
            << "kolliyat" << QStringList{"filter:zzz", "SpeedButton2", "SpeedButton3"} << -1 << "";
        QTest::newRow("the advanced results, not the marked category")
            << "tovrin" << QStringList{"SpeedButton4", "SpeedButton1"} << 15 << "مرکز عنوان 4";
    }

    void navigation()
    {
        QFETCH(QString, key);
        QFETCH(QStringList, steps);
        QFETCH(int, row);
        QFETCH(QString, title);
        const data::Category &category = *data::categoryByKey(key);
        if (category.isAdvancedSearch())
            m_window->showViewSet(category);
        else
            m_window->switchCategory(category);
        for (const QString &step : steps) {
            if (step.startsWith(QLatin1String("filter:")))
                type(step.mid(7));
            else
                click(step.toLatin1().constData());
        }
        QCOMPARE(m_window->dataset(category).currentRow(), row);
        QCOMPARE(m_window->views(category).title()->text(), title);
        QTableView *grid = m_window->views(category).grid();
        QCOMPARE(grid->currentIndex().isValid() ? grid->currentIndex().row() : -1, row);
        QCOMPARE(m_report.messages, QStringList());
        if (!category.isAdvancedSearch())
            QCOMPARE(current("kolliyat"), key == QLatin1String("kolliyat") ? row : 0); // others untouched
    }

    void aClosedQueryRefusesToMove()
    {
        m_window->dataset(row("vajeb")).close();
        choose("vajeb");
        click("SpeedButton2");
        QCOMPARE(m_report.messages, QStringList{"Qvajeb: Cannot perform this operation on a closed dataset."});
    }

    // Each row's answer font is its own, kept across switches, filters and hiding.
    void answerFonts()
    {
        const QFont start = m_window->views(row("moghadamat")).answer()->font();
        platform::FontChoice bold;
        bold.family = QStringLiteral("DejaVu Sans");
        bold.pointSize = 14;
        bold.bold = true;
        bold.underline = true;
        bold.color = QColor(0, 0, 128);
        m_fonts.answer = bold;
        click("SpeedButton7");
        QCOMPARE(m_fonts.dialogs, QStringList{"FontDialog1"});
        QCOMPARE(m_fonts.shown.first(), platform::FontChoice()); // MS Sans Serif, 8 points, window-text colour
        QPlainTextEdit *answer = m_window->views(row("kolliyat")).answer();
        QCOMPARE(answer->font().families().first(), QStringLiteral("DejaVu Sans"));
        QCOMPARE(answer->font().pointSizeF(), 14.0);
        QVERIFY(answer->font().bold() && answer->font().underline() && !answer->font().italic());
        QCOMPARE(answer->palette().color(QPalette::Text), QColor(0, 0, 128));
        QCOMPARE(m_window->views(row("kolliyat")).question()->font(), start); // the question keeps its font

        choose("moghadamat");
        QCOMPARE(m_window->views(row("moghadamat")).answer()->font(), start);
        type(QStringLiteral("عنوان"));
        m_window->hide();
        m_window->show();
        choose("kolliyat");
        QVERIFY(answer->font().bold() && answer->font().underline());

        // Cancelling changes nothing, and the dialog opens on the last confirmed font.
        m_fonts.answer.reset();
        click("SpeedButton7");
        QCOMPARE(m_fonts.shown.last(), bold);
        QVERIFY(answer->font().bold());

        // The advanced results have a dialog of their own.
        m_window->showViewSet(row("tovrin"));
        click("SpeedButton7");
        QCOMPARE(m_fonts.dialogs.last(), QStringLiteral("FontDialog7"));
        QCOMPARE(m_fonts.shown.last(), platform::FontChoice());
    }

    void filter_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("title"); // the first record shown

        QTest::newRow("Persian yeh and kaf typed, Arabic stored") << QStringLiteral("کتاب") << "1" << QStringLiteral("كتاب و قرائت");
        QTest::newRow("a quote is a character") << QStringLiteral("O'B") << "1" << QStringLiteral("O'Brien's 100% title");
        QTest::newRow("percent is a wildcard") << QStringLiteral("O%title") << "1" << QStringLiteral("O'Brien's 100% title");
        QTest::newRow("underscore is one character") << QStringLiteral("1_0") << "1" << QStringLiteral("O'Brien's 100% title");
        QTest::newRow("blanks are kept") << QStringLiteral(" تلاوت ") << "1" << QStringLiteral("آداب تلاوت قرآن");
        QTest::newRow("a trailing blank that no title has") << QStringLiteral("title ") << "0" << QString();
        QTest::newRow("nothing found counts 0") << QStringLiteral("zzz") << "0" << QString();
        QTest::newRow("alef forms") << QStringLiteral("اداب") << "1" << QStringLiteral("آداب تلاوت قرآن");
    }

    void filter()
    {
        QFETCH(QString, typed);
        QFETCH(QString, count);
        QFETCH(QString, title);
        clearBox(); // an empty box shows the caption and filters nothing
        QVERIFY(find<QLabel>("Label8")->isVisible());
        QCOMPARE(this->count(), QString());
        type(typed);
        QCOMPARE(this->count(), count);
        QCOMPARE(titleShown("kolliyat"), title);
        QCOMPARE(m_window->dataset(row("kolliyat")).sql().size(), 1);
        QCOMPARE(m_report.messages, QStringList());
    }

    void firstChangeKeepsTheFirstText()
    {
        QLineEdit *box = find<QLineEdit>("Edit1");
        QCOMPARE(box->text(), QStringLiteral("جستجو...."));
        box->setFocus();
        box->end(false);
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(m_window->dataset(row("kolliyat")).sql(),
                 QStringList{"SELECT * FROM kolliyat where kholase like '%جستجو...%'"});
        QCOMPARE(count(), QStringLiteral("0"));
    }

    // A filter belongs to its category and survives switching; cancel restores it.
    void filterPerCategory()
    {
        clearBox();
        type(QStringLiteral("کتاب"));
        choose("moghadamat");
        QVERIFY(!find<QLabel>("Label8")->isVisible());
        QCOMPARE(count(), QString());
        QCOMPARE(m_window->dataset(row("moghadamat")).result().rowCount(), 4);
        choose("kolliyat");
        QCOMPARE(m_window->dataset(row("kolliyat")).result().rowCount(), 1);
        QCOMPARE(titleShown("kolliyat"), QStringLiteral("كتاب و قرائت"));

        click("SpeedButton5");
        QVERIFY(!find<QLabel>("Label8")->isVisible());
        QCOMPARE(count(), QString());
        QCOMPARE(m_window->dataset(row("kolliyat")).sql(), QStringList{"SELECT * FROM kolliyat "});
        QCOMPARE(m_window->dataset(row("kolliyat")).result().rowCount(), 3);
        QCOMPARE(find<QLineEdit>("Edit1")->text(), QStringLiteral("کتاب")); // cancel leaves the box

        // Cancel on a category never filtered reopens it with the cancel statement.
        choose("namaz");
        click("SpeedButton2");
        click("SpeedButton5");
        QCOMPARE(m_window->dataset(row("namaz")).sql(), QStringList{"SELECT * FROM gheraat "});
        QCOMPARE(current("namaz"), 0);
    }

    void filterUnderTheAdvancedPanel()
    {
        m_window->showViewSet(row("tovrin"));
        const QStringList before = m_window->dataset(row("kolliyat")).sql();
        type(QStringLiteral("x"));
        QVERIFY(!find<QLabel>("Label8")->isHidden());
        QCOMPARE(m_window->dataset(row("kolliyat")).sql(), before);
        QCOMPARE(count(), QString());
        click("SpeedButton5");
        QVERIFY(find<QLabel>("Label8")->isHidden());
        QCOMPARE(m_window->dataset(row("tovrin")).result().rowCount(), 17);
    }

    // A failed opening is reported, leaves the views empty, and the next change tries again.
    void failedFilterIsReportedAndRetried()
    {
        clearBox();
        type(QStringLiteral("آ"));
        const QString count = this->count();
        QFile::remove(QStringLiteral("varostel.mdb"));
        type(QStringLiteral("د"));
        QCOMPARE(m_report.messages.size(), 1);
        QVERIFY(m_report.messages.first().startsWith(QStringLiteral("Could not find file")));
        QCOMPARE(this->count(), count);
        QCOMPARE(titleShown("kolliyat"), QString());
        QVERIFY(QFile::copy(m_collection, QStringLiteral("varostel.mdb")));
        type(QStringLiteral("ا"));
        QCOMPARE(m_report.messages.size(), 1);
        QCOMPARE(this->count(), QStringLiteral("1"));
    }
};

QTEST_MAIN(TestRecords)
#include "tst_records.moc"
