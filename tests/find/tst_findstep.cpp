// The find step: successive presses over an answer's text, the shared
// last-found position, the messages, and the yeh and kaf forms.

#include "findstep.h"

#include <QTest>

class TestFindStep final : public QObject
{
    Q_OBJECT

private slots:
    // Each row is a run of presses: the texts searched and found, and what each press left.
    void presses_data()
    {
        QTest::addColumn<QStringList>("texts");    // the answer at each press
        QTest::addColumn<QStringList>("finds");    // the find text at each press
        QTest::addColumn<QList<int>>("positions"); // LastFoundPos after each press
        QTest::addColumn<QStringList>("messages"); // "" when found

        const QString none = QStringLiteral("Could not find \"%1\" in Memo1.");
        const QString noMore = QStringLiteral("There are no further occurences of \"%1\" in Memo1.");
        QTest::newRow("abcabc / bc: 2, 5, no further, 2 again")
            << QStringList(4, QStringLiteral("abcabc")) << QStringList(4, QStringLiteral("bc")) << QList<int>{2, 5, 0, 2}
            << QStringList{QString(), QString(), noMore.arg(QStringLiteral("bc")), QString()};
        QTest::newRow("aa in aaaa: overlaps skipped") << QStringList(3, QStringLiteral("aaaa")) << QStringList(3, QStringLiteral("aa"))
                                                      << QList<int>{1, 3, 0}
                                                      << QStringList{QString(), QString(), noMore.arg(QStringLiteral("aa"))};
        QTest::newRow("nothing from the top") << QStringList{QStringLiteral("abc")} << QStringList{QStringLiteral("x")} << QList<int>{0}
                                              << QStringList{none.arg(QStringLiteral("x"))};
        QTest::newRow("an empty answer fails, both ways")
            << QStringList{QStringLiteral("ab"), QString(), QString()} << QStringList(3, QStringLiteral("a")) << QList<int>{1, 0, 0}
            << QStringList{QString(), noMore.arg(QStringLiteral("a")), none.arg(QStringLiteral("a"))};
        QTest::newRow("another record continues after the old match")
            << QStringList{QStringLiteral("xxab"), QStringLiteral("abxxxxab"), QStringLiteral("ab")} << QStringList(3, QStringLiteral("ab"))
            << QList<int>{3, 7, 0} << QStringList{QString(), QString(), noMore.arg(QStringLiteral("ab"))};
        QTest::newRow("a new find text starts at the old match plus its own length")
            << QStringList(2, QStringLiteral("abcdefcd")) << QStringList{QStringLiteral("c"), QStringLiteral("cde")} << QList<int>{3, 0}
            << QStringList{QString(), noMore.arg(QStringLiteral("cde"))};
        QTest::newRow("Latin case differs") << QStringList{QStringLiteral("Answer")} << QStringList{QStringLiteral("answer")}
                                            << QList<int>{0} << QStringList{none.arg(QStringLiteral("answer"))};
        QTest::newRow("a line break counts two") << QStringList{QStringLiteral("a\r\nb")} << QStringList{QStringLiteral("b")} << QList<int>{4}
                                                 << QStringList{QString()};
        QTest::newRow("Persian yeh and kaf find the Arabic forms")
            << QStringList{QStringLiteral("كتاب علي")} << QStringList{QStringLiteral("علی")} << QList<int>{6} << QStringList{QString()};
        QTest::newRow("and the other way round")
            << QStringList{QStringLiteral("کتاب ی")} << QStringList{QStringLiteral("كتاب ي")} << QList<int>{1} << QStringList{QString()};
        QTest::newRow("an empty find text finds nothing") << QStringList{QStringLiteral("abc")} << QStringList{QString()} << QList<int>{0}
                                                          << QStringList{none.arg(QString())};
    }

    void presses()
    {
        QFETCH(QStringList, texts);
        QFETCH(QStringList, finds);
        QFETCH(QList<int>, positions);
        QFETCH(QStringList, messages);
        int last = 0;
        for (int i = 0; i < texts.size(); ++i) {
            const Unit1::FindOutcome o = Unit1::findStep(texts.at(i), finds.at(i), last);
            last = o.lastFoundPos;
            QCOMPARE(last, positions.at(i));
            QCOMPARE(o.message, messages.at(i));
            QCOMPARE(o.found, messages.at(i).isEmpty());
            if (o.found) {
                QCOMPARE(o.selectionStart, last - 1);
                QCOMPARE(o.selectionLength, int(finds.at(i).size()));
            }
        }
    }

    void viewPositions()
    {
        const QString crlf = Unit1::withCrLf(QStringLiteral("ab\ncd\r\nef"));
        QCOMPARE(crlf, QStringLiteral("ab\r\ncd\r\nef"));
        QCOMPARE(Unit1::viewPosition(crlf, 4), 3);  // c
        QCOMPARE(Unit1::viewPosition(crlf, 8), 6);  // e
        QCOMPARE(Unit1::viewPosition(crlf, 1), 1);
    }
};

QTEST_GUILESS_MAIN(TestFindStep)
#include "tst_findstep.moc"
