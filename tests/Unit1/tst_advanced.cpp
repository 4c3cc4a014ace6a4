// The advanced search in the real window: the panel's button, the statement
// built from the box and the choice, the results grid and the advanced views,
// the empty text, a failed search, and leaving the panel by its cancel
// button or by a category caption with everything kept for the next opening.

#include "category.h"
#include "dataset.h"
#include "platform.h"
#include "recorders.h"
#include "searchfixture.h"
#include "statements.h"
#include "tmain.h"
#include "viewset.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const data::Category &row(const char *key)
{
    return *data::categoryByKey(QString::fromLatin1(key));
}

const QString FirstVarostelTitle = QStringLiteral("آداب تلاوت قرآن");

} // namespace

class TestAdvancedSearch final : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_folder;
    QString m_collection;
    QString m_withoutVarostel;
    std::unique_ptr<QTemporaryDir> m_working;
    RecordingShell m_shell;
    TitledMessageBoxes m_boxes;
    RecordingReport m_report;
    std::unique_ptr<Tmain> m_window;

    void openWindow(const QString &collection)
    {
        m_window.reset();
        m_working = std::make_unique<QTemporaryDir>();
        QVERIFY(QFile::copy(collection, m_working->filePath(QStringLiteral("varostel.mdb"))));
        QVERIFY(QDir::setCurrent(m_working->path()));
        m_boxes.shown.clear();
        m_report.messages.clear();
        m_window = std::make_unique<Tmain>(platform::Platform{&m_shell, &m_boxes}, m_report);
        m_window->show();
    }

    template<typename T = QWidget>
    T *find(const char *name) const
    {
        return m_window->findChild<T *>(QString::fromLatin1(name));
    }
    void click(const char *name) { QTest::mouseClick(find(name), Qt::LeftButton); }
    // Opens the panel if needed, types the text (a null text leaves the box
    // as it is), chooses the field and presses the search button.
    void search(const QString &text, bool inAnswers)
    {
        if (find("Panel1")->isHidden())
            click("SpeedButton8");
        if (!text.isNull())
            find<QLineEdit>("ebarat")->setText(text);
        click(inAnswers ? "RadioButton2" : "RadioButton1");
        QVERIFY(find<QRadioButton>(inAnswers ? "RadioButton2" : "RadioButton1")->isChecked());
        click("SpeedButton9");
    }
    data::Dataset &query() const { return m_window->dataset(row("tovrin")); }
    QStringList titlesListed() const
    {
        const QAbstractItemModel *model = find<QTableView>("DBtovrin")->model();
        QStringList titles;
        for (int r = 0; r < model->rowCount(); ++r)
            titles.append(model->index(r, 0).data().toString());
        return titles;
    }
    QString answerShown() const { return find<QPlainTextEdit>("Memopatovrin")->toPlainText(); }
    QString titleShown() const { return find<QLabel>("DBTexttovrin")->text(); }

    void verifyAdvancedShowing()
    {
        QCOMPARE(m_window->showingCategory().key, QStringLiteral("tovrin"));
        QVERIFY(find("Panel1")->isVisible());
        for (const char *name : {"DBTexttovrin", "Memopotovrin", "Memopatovrin", "Memomatovrin", "DBtovrin"})
            QVERIFY2(find(name)->isVisible(), name);
        for (const data::Category &category : data::categories()) {
            if (category.isAdvancedSearch())
                continue;
            for (QWidget *view : m_window->views(category).views())
                QVERIFY2(!view->isVisible(), qPrintable(view->objectName()));
        }
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        // A quote and a percent sign in a question and an answer, and a run
        // of two blanks, which no other record has.
        const QJsonObject collection = searchfixture::withRows(
            searchfixture::baseCollection(), QStringLiteral("varostel"),
            QJsonArray{QJsonArray{QStringLiteral("عنوان نقل قول"), QStringLiteral("question about O'Brien"),
                                  QStringLiteral("answer with 100% sure"), QJsonValue()},
                       QJsonArray{QStringLiteral("عنوان دو فاصله"), QStringLiteral("دو  فاصله"), QStringLiteral("x"), QJsonValue()}});
        m_collection = m_folder.filePath(QStringLiteral("collection.mdb"));
        QCOMPARE(searchfixture::pack(collection, m_collection), QString());
        m_withoutVarostel = m_folder.filePath(QStringLiteral("without-varostel.mdb"));
        QCOMPARE(searchfixture::pack(searchfixture::withoutTable(collection, QStringLiteral("varostel")), m_withoutVarostel),
                 QString());
    }

    void init() { openWindow(m_collection); }
    void cleanup() { m_window.reset(); }

    // Every row follows an earlier search with many results, so a search
    // that added to the statement instead of replacing it would show.
    void searches_data()
    {
        QTest::addColumn<QString>("text"); // null: the box as the window starts
        QTest::addColumn<bool>("inAnswers");
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QStringList>("titles");

        const QString q = data::QuestionSearchPrefix;
        const QString a = data::AnswerSearchPrefix;
        QTest::newRow("answers: a text only an answer has")
            << "abcabc" << true << a + "'%abcabc%'" << QStringList{FirstVarostelTitle};
        QTest::newRow("questions: the same text is not in any question") << "abcabc" << false << q + "'%abcabc%'" << QStringList{};
        QTest::newRow("answers: footnotes are not searched") << "سوره مزمل" << true << a + "'%سوره مزمل%'" << QStringList{};
        QTest::newRow("questions: titles are not searched") << "نقل قول" << false << q + "'%نقل قول%'" << QStringList{};
        QTest::newRow("a quote is doubled and found as a character")
            << "O'Brien" << false << q + "'%O''Brien%'" << QStringList{"عنوان نقل قول"};
        QTest::newRow("a typed % keeps its meaning: any run of characters")
            << "100%sure" << true << a + "'%100%sure%'" << QStringList{"عنوان نقل قول"};
        QTest::newRow("a typed _ keeps its meaning: any one character")
            << "ab_abc" << true << a + "'%ab_abc%'" << QStringList{FirstVarostelTitle};
        QTest::newRow("blanks are searched as typed, not trimmed away")
            << "  " << false << q + "'%  %'" << QStringList{"عنوان دو فاصله"};
        QTest::newRow("Persian yeh and kaf match the Arabic forms, as the engine compares")
            << "پرسشی با ی و ک" << false << q + "'%پرسشی با ی و ک%'" << QStringList{"كتاب و قرائت"};
        QTest::newRow("the box's first text, untouched") << QString() << false << q + "'%جستجو%'" << QStringList{};
    }

    void searches()
    {
        QFETCH(QString, text);
        QFETCH(bool, inAnswers);
        QFETCH(QString, statement);
        QFETCH(QStringList, titles);

        const QString typed = find<QLineEdit>("ebarat")->text();
        search(QStringLiteral("پاسخ"), true);
        QCOMPARE(titlesListed().size(), 16);
        find<QLineEdit>("ebarat")->setText(typed);

        search(text, inAnswers);
        QCOMPARE(query().sql(), QStringList{statement});
        QCOMPARE(titlesListed(), titles);
        QCOMPARE(titleShown(), titles.value(0));
        QCOMPARE(query().currentRow(), titles.isEmpty() ? -1 : 0);
        if (titles.isEmpty())
            QCOMPARE(answerShown(), QString());
        verifyAdvancedShowing();
        // No count and no message, whatever was found.
        QVERIFY(find("Label8")->isHidden());
        QCOMPARE(find<QLabel>("Label9")->text(), QString());
        QVERIFY(m_boxes.shown.isEmpty());
        QVERIFY(m_report.messages.isEmpty());
    }

    void emptyTextDoesNothing()
    {
        search(QStringLiteral("پاسخ"), true);
        QVERIFY(query().setCurrentRow(3));
        const QString answer = answerShown();
        search(QString(""), false);
        QCOMPARE(query().sql(), QStringList{data::likeStatement(data::AnswerSearchPrefix, QStringLiteral("پاسخ"))});
        QVERIFY(query().isOpen());
        QCOMPARE(query().currentRow(), 3);
        QCOMPARE(titlesListed().size(), 16);
        QCOMPARE(answerShown(), answer);
        QVERIFY(m_report.messages.isEmpty());
    }

    // The search button's results and the record chosen in the grid, the
    // box and the choice are all as they were when the panel opens again;
    // opening it keeps the marker and the count caption as they were.
    void panelOpensAgainAsItWasLeft()
    {
        m_window->switchCategory(row("moghadamat"));
        find("Label8")->show();
        click("SpeedButton8");
        verifyAdvancedShowing();
        QCOMPARE(find("Image2")->pos(), QPoint(658, 142));
        QVERIFY(!find("Label8")->isHidden());
        QCOMPARE(titleShown(), FirstVarostelTitle); // the default statement's first record
        QCOMPARE(query().sql(), row("tovrin").defaultSql());

        search(QStringLiteral("پاسخ"), true);
        auto *grid = find<QTableView>("DBtovrin");
        const QModelIndex third = grid->model()->index(2, 0);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(third).center());
        QCOMPARE(query().currentRow(), 2);
        const QString title = titleShown();
        const QString answer = answerShown();
        const QStringList sql = query().sql();

        click("SpeedButton10");
        QCOMPARE(m_window->showingCategory().key, QStringLiteral("kolliyat"));
        click("SpeedButton8");
        verifyAdvancedShowing();
        QCOMPARE(query().sql(), sql);
        QCOMPARE(query().currentRow(), 2);
        QCOMPARE(grid->currentIndex().row(), 2);
        QCOMPARE(titleShown(), title);
        QCOMPARE(answerShown(), answer);
        QCOMPARE(find<QLineEdit>("ebarat")->text(), QStringLiteral("پاسخ"));
        QVERIFY(find<QRadioButton>("RadioButton2")->isChecked());
    }

    void leavingThePanel_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("markerTop");
        QTest::newRow("cancel: the first category, as its caption does") << "SpeedButton10" << "kolliyat" << 107;
        QTest::newRow("a category caption: that category") << "Label3" << "moghadamat" << 142;
    }

    // Leaving closes the panel and the advanced views and switches category
    // without touching any query: the first category's title filter stays,
    // and so do the advanced results.
    void leavingThePanel()
    {
        QFETCH(QString, control);
        QFETCH(QString, shown);
        QFETCH(int, markerTop);

        data::Dataset &kolliyat = m_window->dataset(row("kolliyat"));
        kolliyat.clearSql();
        kolliyat.addSql(data::likeStatement(data::titleFilterPrefix(QStringLiteral("kolliyat")), QStringLiteral("كتاب")));
        QString error;
        QVERIFY2(kolliyat.open(&error), qPrintable(error));
        const QStringList filter = kolliyat.sql();
        m_window->switchCategory(row("vajeb"));
        search(QStringLiteral("abcabc"), true);
        find("Label8")->show();

        click(qPrintable(control));
        QCOMPARE(m_window->showingCategory().key, shown);
        QVERIFY(find("Panel1")->isHidden());
        for (const char *name : {"DBTexttovrin", "Memopotovrin", "Memopatovrin", "Memomatovrin", "DBtovrin"})
            QVERIFY2(!find(name)->isVisible(), name);
        QCOMPARE(find("Image2")->pos(), QPoint(658, markerTop));
        QVERIFY(find("Label8")->isHidden());

        QCOMPARE(kolliyat.sql(), filter);
        QVERIFY(kolliyat.isOpen());
        QCOMPARE(kolliyat.result().rowCount(), 1);
        QCOMPARE(query().sql(), QStringList{data::likeStatement(data::AnswerSearchPrefix, QStringLiteral("abcabc"))});
        QCOMPARE(titlesListed(), QStringList{FirstVarostelTitle});
        QCOMPARE(find<QLineEdit>("ebarat")->text(), QStringLiteral("abcabc"));
        QVERIFY(find<QRadioButton>("RadioButton2")->isChecked());
    }

    // The engine's failure reaches the error report; the query stays closed
    // with its new statement and the results show nothing.
    void failedSearchIsReported()
    {
        openWindow(m_withoutVarostel);
        const qsizetype atStart = m_report.messages.size();
        QVERIFY(atStart > 0);
        search(QStringLiteral("abcabc"), true);
        QCOMPARE(m_report.messages.size(), atStart + 1);
        QVERIFY(!m_report.messages.constLast().isEmpty());
        QVERIFY(m_boxes.shown.isEmpty());
        QVERIFY(!query().isOpen());
        QCOMPARE(query().sql(), QStringList{data::likeStatement(data::AnswerSearchPrefix, QStringLiteral("abcabc"))});
        QCOMPARE(titlesListed(), QStringList{});
        QCOMPARE(answerShown(), QString());
        QCOMPARE(m_window->showingCategory().key, QStringLiteral("tovrin"));
    }
};

QTEST_MAIN(TestAdvancedSearch)
#include "tst_advanced.moc"
