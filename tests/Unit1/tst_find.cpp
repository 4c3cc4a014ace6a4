// Find in the answer, in the real window: the text-search button and the six
// dialogs, successive presses selecting in the answer views with the shared
// last-found position, the two messages, the yeh and kaf forms, and a press
// in the dialog of a category that is no longer showing.

#include "answerfind.h"
#include "category.h"
#include "dataset.h"
#include "finddialog.h"
#include "platform.h"
#include "recorders.h"
#include "searchfixture.h"
#include "tmain.h"
#include "viewset.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const data::Category &row(const QString &key)
{
    return *data::categoryByKey(key);
}

// One press of a category's find-next, on a record of it (-1: as it is).
struct Press
{
    QString key;
    int record;
    QString text;
};

// What a press left: the view's selection, or the message shown.
struct Seen
{
    int start = -1; // 0-based in the view; -1 when nothing was found
    QString selected;
    QString message;
};

bool operator==(const Seen &a, const Seen &b)
{
    return a.start == b.start && a.selected == b.selected && a.message == b.message;
}

char *toString(const Seen &seen)
{
    return QTest::toString(seen.start < 0 ? QStringLiteral("message \"%1\"").arg(seen.message)
                                          : QStringLiteral("%1 \"%2\"").arg(seen.start).arg(seen.selected));
}

Seen found(int start, const QString &selected)
{
    return {start, selected, QString()};
}

Seen couldNotFind(const QString &text)
{
    return {-1, QString(), QStringLiteral("Could not find \"%1\" in Memo1.").arg(text)};
}

Seen noFurther(const QString &text)
{
    return {-1, QString(), QStringLiteral("There are no further occurences of \"%1\" in Memo1.").arg(text)};
}

// kolliyat's fourth record: a no-break space beside a plain one, and a
// match far below the first lines of a long answer.
QString longAnswer()
{
    QString text = QStringLiteral("a b a\u00A0b");
    for (int i = 1; i <= 150; ++i)
        text += QStringLiteral("\r\nسطر %1").arg(i);
    return text + QStringLiteral("\r\nنشانه پایانی");
}

} // namespace

Q_DECLARE_METATYPE(Press)
Q_DECLARE_METATYPE(Seen)

class TestAnswerFind final : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_folder;
    QString m_collection;
    std::unique_ptr<QTemporaryDir> m_working;
    RecordingShell m_shell;
    TitledMessageBoxes m_boxes;
    RecordingReport m_report;
    std::unique_ptr<Tmain> m_window;

    template<typename T = QWidget>
    T *find(const QString &name) const
    {
        return m_window->findChild<T *>(name);
    }
    platform::FindDialog *dialog(const QString &key) const { return find<platform::FindDialog>(row(key).findDialog); }
    QPushButton *findNextOf(const QString &key) const { return dialog(key)->findChild<QPushButton *>(QStringLiteral("findNext")); }
    QPlainTextEdit *answer(const QString &key) const { return m_window->views(row(key)).answer(); }
    int lastFoundPos() const { return find<AnswerFind>(QString())->lastFoundPos(); }

    // As the user does it: the category's caption when it is not showing,
    // the text-search button, the find text, find-next.
    void prepare(const Press &p)
    {
        const data::Category &category = row(p.key);
        if (m_window->showingCategory().key != p.key)
            m_window->switchCategory(category);
        if (p.record >= 0)
            QVERIFY(m_window->dataset(category).setCurrentRow(p.record));
        QTest::mouseClick(find<QPushButton>(QStringLiteral("SpeedButton6")), Qt::LeftButton);
        QVERIFY(dialog(p.key)->isVisible());
        dialog(p.key)->setFindText(p.text);
    }
    void press(const Press &p)
    {
        prepare(p);
        QTest::mouseClick(findNextOf(p.key), Qt::LeftButton);
    }

    Seen selection(const QString &key) const
    {
        const QTextCursor cursor = answer(key)->textCursor();
        if (!cursor.hasSelection())
            return {};
        return {cursor.selectionStart(), cursor.selectedText(), QString()};
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        m_collection = m_folder.filePath(QStringLiteral("collection.mdb"));
        const QJsonObject collection = searchfixture::withRows(
            searchfixture::baseCollection(), QStringLiteral("kolliyat"),
            QJsonArray{QJsonArray{QStringLiteral("پاسخ بلند"), QStringLiteral("پرسش"), longAnswer(), QJsonValue()}});
        QCOMPARE(searchfixture::pack(collection, m_collection), QString());
    }

    void init()
    {
        m_working = std::make_unique<QTemporaryDir>();
        QVERIFY(QFile::copy(m_collection, m_working->filePath(QStringLiteral("varostel.mdb"))));
        QVERIFY(QDir::setCurrent(m_working->path()));
        m_boxes.shown.clear();
        m_report.messages.clear();
        m_window = std::make_unique<Tmain>(platform::Platform{&m_shell, &m_boxes}, m_report);
        m_window->show();
        QApplication::processEvents();
        QVERIFY(m_report.messages.isEmpty());
    }

    void cleanup() { m_window.reset(); }

    void presses_data()
    {
        QTest::addColumn<QList<Press>>("presses");
        QTest::addColumn<QList<Seen>>("seen"); // after each press

        const QString k = QStringLiteral("kolliyat");
        QTest::newRow("abcabc, bc: the second match, then no further, then from the top again")
            << QList<Press>(4, {k, 0, "bc"}) << QList<Seen>{found(7, "bc"), found(10, "bc"), noFurther("bc"), found(7, "bc")};
        QTest::newRow("aa in aaaa: the overlapping occurrence is passed over")
            << QList<Press>(3, {k, 0, "aa"}) << QList<Seen>{found(15, "aa"), found(17, "aa"), noFurther("aa")};
        QTest::newRow("after a line break: the view counts the break once")
            << QList<Press>{{k, 0, "تَرْتِيلًا"}} << QList<Seen>{found(41, "تَرْتِيلًا")};
        QTest::newRow("Persian yeh and kaf find the Arabic forms, which are what is selected")
            << QList<Press>{{k, 1, "پاسخی که"}} << QList<Seen>{found(0, "پاسخي كه")};
        QTest::newRow("Latin case differs")
            << QList<Press>{{k, 2, "answer"}, {k, 2, "ANSWER"}} << QList<Seen>{couldNotFind("answer"), found(6, "ANSWER")};
        QTest::newRow("a no-break space is not a blank")
            << QList<Press>{{k, 3, "a\u00A0b"}} << QList<Seen>{found(4, "a\u00A0b")};
        QTest::newRow("an empty answer from the top: could not find")
            << QList<Press>{{"mostahab", -1, "a"}} << QList<Seen>{couldNotFind("a")};
        QTest::newRow("an empty answer after a match: no further")
            << QList<Press>{{k, 0, "a"}, {"mostahab", -1, "a"}} << QList<Seen>{found(6, "a"), noFurther("a")};
        QTest::newRow("another record: the search goes on after the old match's place")
            << QList<Press>{{k, 0, "a"}, {k, 2, "a"}} << QList<Seen>{found(6, "a"), found(19, "a")};
        QTest::newRow("another record shorter than the old match's place: no further at once, then from the top")
            << QList<Press>{{k, 0, "تَرْتِيلًا"}, {k, 2, "a"}, {k, 2, "a"}}
            << QList<Seen>{found(41, "تَرْتِيلًا"), noFurther("a"), found(1, "a")};
        QTest::newRow("a new find text: the old match's place plus the new text's length")
            << QList<Press>{{k, 0, "bc"}, {k, 0, "c"}} << QList<Seen>{found(7, "bc"), found(8, "c")};
        QTest::newRow("two categories' dialogs share the last match")
            << QList<Press>{{k, 0, "a"}, {"moghadamat", 0, "پاسخ"}, {"moghadamat", 0, "پاسخ"}}
            << QList<Seen>{found(6, "a"), noFurther("پاسخ"), found(0, "پاسخ")};
    }

    void presses()
    {
        QFETCH(QList<Press>, presses);
        QFETCH(QList<Seen>, seen);
        for (qsizetype i = 0; i < presses.size(); ++i) {
            const Press &p = presses.at(i);
            const qsizetype boxes = m_boxes.shown.size();
            prepare(p);
            const QTextCursor before = answer(p.key)->textCursor();
            QTest::mouseClick(findNextOf(p.key), Qt::LeftButton);
            if (seen.at(i).start >= 0) {
                QCOMPARE(m_boxes.shown.size(), boxes);
                QCOMPARE(selection(p.key), seen.at(i));
                QCOMPARE(lastFoundPos() > 0, true);
            } else {
                QCOMPARE(m_boxes.shown.size(), boxes + 1);
                QCOMPARE(m_boxes.shown.constLast().title, QStringLiteral("Error"));
                QCOMPARE(m_boxes.shown.constLast().text, seen.at(i).message);
                QCOMPARE(lastFoundPos(), 0);
                // A failed press leaves the selection as it was.
                QCOMPARE(answer(p.key)->textCursor(), before);
            }
        }
        QVERIFY(m_report.messages.isEmpty());
    }

    // A match in the showing category takes the keyboard into the answer
    // view and the main window to the front; the dialog stays open.
    void matchTakesTheFocus()
    {
        QLineEdit *box = find<QLineEdit>(QStringLiteral("Edit1"));
        box->setFocus();
        press({QStringLiteral("kolliyat"), 0, QStringLiteral("bc")});
        QApplication::processEvents();
        QCOMPARE(selection(QStringLiteral("kolliyat")), found(7, "bc"));
        QCOMPARE(QApplication::activeWindow(), m_window.get());
        QCOMPARE(QApplication::focusWidget(), answer(QStringLiteral("kolliyat")));
        QVERIFY(dialog(QStringLiteral("kolliyat"))->isVisible());
    }

    void matchScrolledIntoSight()
    {
        QPlainTextEdit *view = answer(QStringLiteral("kolliyat"));
        press({QStringLiteral("kolliyat"), 3, QStringLiteral("نشانه پایانی")});
        QApplication::processEvents();
        QCOMPARE(selection(QStringLiteral("kolliyat")).selected, QStringLiteral("نشانه پایانی"));
        QVERIFY(view->verticalScrollBar()->value() > 0);
        QVERIFY(view->viewport()->rect().contains(view->cursorRect()));
    }

    // Once its category has stopped showing, a dialog still searches its own
    // answer view: the match is selected there and the search goes on from
    // it, but the focus stays where the user has it and nothing is reported.
    // A press that finds nothing is still told.
    void dialogOfACategoryNoLongerShowing_data()
    {
        QTest::addColumn<QString>("leave"); // how the category stopped showing
        QTest::newRow("another caption chosen") << "Label3";
        QTest::newRow("the advanced search opened") << "SpeedButton8";
        QTest::newRow("the window closed") << "close";
    }

    void dialogOfACategoryNoLongerShowing()
    {
        QFETCH(QString, leave);
        const QString k = QStringLiteral("kolliyat");
        press({k, 0, QStringLiteral("bc")});
        QCOMPARE(selection(k), found(7, "bc"));

        if (leave == QLatin1String("close"))
            m_window->close();
        else if (leave == QLatin1String("Label3"))
            m_window->switchCategory(row(QStringLiteral("moghadamat")));
        else
            QTest::mouseClick(find<QPushButton>(leave), Qt::LeftButton);
        const QString showing = m_window->showingCategory().key;
        QVERIFY(!answer(k)->isVisible());

        // The user is in the dialog; clicking its button programmatically
        // keeps the press itself from moving the focus.
        platform::FindDialog *findDialog = dialog(k);
        findDialog->show();
        findDialog->activateWindow();
        findDialog->findChild<QLineEdit *>()->setFocus();
        QApplication::processEvents();
        QWidget *const focus = QApplication::focusWidget();
        QWidget *const active = QApplication::activeWindow();
        QCOMPARE(active, findDialog);

        findNextOf(k)->click();
        QApplication::processEvents();
        QCOMPARE(selection(k), found(10, "bc"));
        QVERIFY(m_boxes.shown.isEmpty());
        QVERIFY(m_report.messages.isEmpty());
        QCOMPARE(QApplication::focusWidget(), focus);
        QCOMPARE(QApplication::activeWindow(), active);
        QCOMPARE(m_window->showingCategory().key, showing);
        QVERIFY(!answer(k)->isVisible());

        findNextOf(k)->click();
        QCOMPARE(m_boxes.texts(), QStringList{noFurther("bc").message});
        QCOMPARE(selection(k), found(10, "bc"));
    }

    void findButtonOpensTheShowingCategorysDialog_data()
    {
        QTest::addColumn<QString>("key");
        for (const data::Category &category : data::categories())
            QTest::newRow(qPrintable(category.key)) << category.key;
    }

    void findButtonOpensTheShowingCategorysDialog()
    {
        QFETCH(QString, key);
        if (row(key).isAdvancedSearch())
            QTest::mouseClick(find<QPushButton>(QStringLiteral("SpeedButton8")), Qt::LeftButton);
        else
            m_window->switchCategory(row(key));
        // Under the panel the button cannot be reached by the mouse; click() stands for the keyboard.
        find<QPushButton>(QStringLiteral("SpeedButton6"))->click();
        for (const data::Category &category : data::categories()) {
            if (category.isAdvancedSearch())
                continue;
            QCOMPARE(dialog(category.key)->isVisible(), category.key == key);
        }
        QCOMPARE(lastFoundPos(), 0);
    }

    // The dialog keeps its text when closed, opening it again (or once more
    // while open) changes nothing, and the next press goes on after the last match.
    void reopeningKeepsTextAndPlace()
    {
        const QString k = QStringLiteral("kolliyat");
        QPushButton *findButton = find<QPushButton>(QStringLiteral("SpeedButton6"));
        press({k, 0, QStringLiteral("bc")});
        dialog(k)->reject();
        QVERIFY(!dialog(k)->isVisible());

        QTest::mouseClick(findButton, Qt::LeftButton);
        QTest::mouseClick(findButton, Qt::LeftButton);
        QVERIFY(dialog(k)->isVisible());
        QCOMPARE(dialog(k)->findText(), QStringLiteral("bc"));
        QCOMPARE(lastFoundPos(), 8);
        QCOMPARE(selection(k), found(7, "bc"));

        QTest::mouseClick(findNextOf(k), Qt::LeftButton);
        QCOMPARE(selection(k), found(10, "bc"));
        // Another category's dialog has a text of its own.
        m_window->switchCategory(row(QStringLiteral("vajeb")));
        QTest::mouseClick(findButton, Qt::LeftButton);
        QCOMPARE(dialog(QStringLiteral("vajeb"))->findText(), QString());
    }
};

QTEST_MAIN(TestAnswerFind)
#include "tst_find.moc"
