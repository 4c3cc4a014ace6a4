// The main window: its fixed controls, the view sets following their
// datasets, the category switch, and the close, minimise and web-address
// areas, over a small collection built from the data layer's fixture.

#include "tmain.h"

#include "art.h"
#include "category.h"
#include "dataset.h"
#include "jetfiles.h"
#include "recorders.h"
#include "viewset.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#include <memory>

namespace {

const QColor Maroon(128, 0, 0);
const QColor Green(0, 128, 0);

QJsonObject fixture()
{
    QFile f(QStringLiteral(VAROSTEL_SOURCE_DIR "/tests/data/fixtures/collection.json"));
    if (!f.open(QIODevice::ReadOnly))
        qFatal("no fixture");
    return QJsonDocument::fromJson(f.readAll()).object();
}

QJsonObject withoutTable(QJsonObject source, const QString &name)
{
    QJsonArray kept;
    for (const QJsonValue &table : source.value(QStringLiteral("tables")).toArray()) {
        if (table.toObject().value(QStringLiteral("name")).toString() != name)
            kept.append(table);
    }
    source.insert(QStringLiteral("tables"), kept);
    return source;
}

// A window over whatever varostel.mdb the working folder holds, with the
// platform and the error report answered by recorders.
struct Window
{
    RecordingShell shell;
    RecordingMessageBoxes messages;
    RecordingReport report;
    std::unique_ptr<Tmain> main;

    Window() { main = std::make_unique<Tmain>(platform::Platform{&shell, &messages}, report); }

    template <class T = QWidget>
    T *child(const QString &name) const
    {
        T *found = main->findChild<T *>(name);
        if (!found)
            qWarning("no control named %s", qPrintable(name));
        return found;
    }
    ViewSet &views(const QString &key) const { return main->views(*data::categoryByKey(key)); }
};

// The control a mouse press at a point of the window reaches: the topmost
// one shown there, so the stacking of the controls decides.
QWidget *controlAt(const Tmain &main, QPoint point)
{
    return main.childAt(point);
}

QColor textColour(const QWidget *widget, QPalette::ColorRole role)
{
    return widget->palette().color(QPalette::Active, role);
}

} // namespace

class TestUnit1 : public QObject
{
    Q_OBJECT

public:
    // Two side-by-side screens, so the window's first place can be checked
    // against the whole desktop rather than the first screen.
    static void initMain()
    {
        static QTemporaryDir configDir;
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(configDir.path()));
        const QString config = configDir.filePath(QStringLiteral("screens.json"));
        QFile f(config);
        f.open(QIODevice::WriteOnly);
        f.write(R"({"screens": [
            {"name": "left", "x": 0, "y": 0, "width": 1024, "height": 769, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
            {"name": "right", "x": 1024, "y": 0, "width": 1024, "height": 769, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}
        ]})");
        f.close();
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + QFile::encodeName(config));
    }

private slots:
    void initTestCase();
    void init();

    void fixedControls_data();
    void fixedControls();
    void picturesAtTheirOwnSize();
    void captions_data();
    void captions();
    void viewsByRole_data();
    void viewsByRole();
    void startState();
    void categorySwitch_data();
    void categorySwitch();
    void captionHover();
    void gridClickMakesRecordCurrent();
    void viewsReadButDoNotWrite();
    void stateSurvivesHideAndShow();
    void centredOnTheDesktopOnce();
    void searchBoxFirstInTabOrder();
    void closeAndMinimiseAreas_data();
    void closeAndMinimiseAreas();
    void webAddressAreas_data();
    void webAddressAreas();
    void everyControlHasAnAccessibleName();
    void missingFileGivesFifteenReports();
    void failedQueryLeavesWindowUsable();

private:
    QTemporaryDir m_folder;
    QString m_collection; // the fixture built once, copied into each test's folder
    std::unique_ptr<QTemporaryDir> m_working;
};

void TestUnit1::initTestCase()
{
    QVERIFY(m_folder.isValid());
    m_collection = m_folder.filePath(QStringLiteral("collection.mdb"));
    const QString error = testsupport::packJson(QString::fromUtf8(QJsonDocument(fixture()).toJson()), m_collection);
    QVERIFY2(error.isEmpty(), qPrintable(error));
}

void TestUnit1::init()
{
    // Each test reads its own copy from a fresh working folder; a test that
    // wants another collection writes over it.
    m_working = std::make_unique<QTemporaryDir>();
    QVERIFY(QFile::copy(m_collection, m_working->filePath(QStringLiteral("varostel.mdb"))));
    QVERIFY(QDir::setCurrent(m_working->path()));
}

void TestUnit1::fixedControls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("box"); // relative to the control's parent
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pixelHeight");
    QTest::addColumn<QColor>("colour"); // invalid: the window's text colour
    QTest::addColumn<bool>("shown");

    const QColor none;
    const QColor darkGreen(0, 64, 0);
    const QColor olive(128, 128, 0);
    auto row = [](const char *what, const QString &name, QRect box, const QString &text, int px, QColor colour, bool shown) {
        QTest::newRow(what) << name << box << text << px << colour << shown;
    };
    row("Label2: subject caption", "Label2", {539, 116, 43, 18}, "موضوع", 15, darkGreen, true);
    row("Label8: count caption hidden until a filter", "Label8", {713, 406, 122, 13}, "تعداد رکورد هاي يافت شده", 11, darkGreen, false);
    row("Label9: count starts empty", "Label9", {677, 403, 4, 14}, "", 12, none, true);
    row("SpeedButton2: next", "SpeedButton2", {448, 611, 97, 28}, "سوال بعدي", 12, Maroon, true);
    row("SpeedButton1: previous", "SpeedButton1", {346, 611, 97, 28}, "سوال قبلي", 12, Maroon, true);
    row("SpeedButton3: first", "SpeedButton3", {244, 611, 97, 28}, "اولين سوال", 12, Maroon, true);
    row("SpeedButton4: last", "SpeedButton4", {142, 611, 97, 28}, "آخرين سوال", 12, Maroon, true);
    row("SpeedButton7: answer font", "SpeedButton7", {40, 611, 97, 28}, "تنظيمات", 12, Maroon, true);
    row("SpeedButton6: find in text", "SpeedButton6", {763, 424, 89, 31}, "جستجو در متن", 12, Maroon, true);
    row("SpeedButton8: advanced search, smaller type", "SpeedButton8", {632, 424, 121, 31}, "جستجوي پيشرفته", 11, Maroon, true);
    row("SpeedButton5: cancel filter, red, trailing blank kept", "SpeedButton5", {664, 373, 35, 22}, "لغو ", 12, QColor(255, 0, 0), true);
    row("Edit1: search box with its first text", "Edit1", {704, 376, 106, 19}, "جستجو....", 13, olive, true);
    row("Image4: close mark", "Image4", {827, 15, 17, 17}, "", 0, none, true);
    row("Image5: minimise mark", "Image5", {801, 15, 17, 17}, "", 0, none, true);
    row("Shape1: address line area", "Shape1", {244, 656, 137, 25}, "", 0, none, true);
    row("Shape2: close area, one pixel left of the mark", "Shape2", {826, 15, 17, 17}, "", 0, none, true);
    row("Shape3: minimise area, one pixel left of and below the mark", "Shape3", {800, 16, 17, 17}, "", 0, none, true);
    row("Shape4: logo area", "Shape4", {20, 9, 137, 128}, "", 0, none, true);
    row("Panel1: advanced search hidden at start", "Panel1", {610, 315, 255, 368}, "", 0, none, false);
    row("Image3: panel background", "Image3", {0, 0, 255, 368}, "", 0, none, true);
    row("ebarat: advanced search text", "ebarat", {56, 61, 143, 22}, "جستجو", 12, olive, true);
    row("GroupBox1: blanks around its title kept", "GroupBox1", {40, 96, 193, 89}, "  تنظيمات   ", 12, none, true);
    row("RadioButton1: questions, chosen at start", "RadioButton1", {72, 16, 113, 17}, "جستجو در پرسش", 12, none, true);
    row("RadioButton2: answers", "RadioButton2", {72, 40, 113, 17}, "جستجو در پاسخ", 12, none, true);
    row("SpeedButton9: search", "SpeedButton9", {120, 62, 49, 22}, "جستجو", 12, none, true);
    row("SpeedButton10: leave the panel", "SpeedButton10", {32, 62, 57, 22}, "لغو", 12, none, true);
}

void TestUnit1::fixedControls()
{
    QFETCH(QString, name);
    QFETCH(QRect, box);
    QFETCH(QString, text);
    QFETCH(int, pixelHeight);
    QFETCH(QColor, colour);
    QFETCH(bool, shown);

    Window w;
    QWidget *control = w.child(name);
    QVERIFY(control);

    QString actualText;
    QPalette::ColorRole role = QPalette::WindowText;
    if (auto *label = qobject_cast<QLabel *>(control)) {
        actualText = label->text();
    } else if (auto *button = qobject_cast<QAbstractButton *>(control)) {
        actualText = button->text();
        role = QPalette::ButtonText;
    } else if (auto *edit = qobject_cast<QLineEdit *>(control)) {
        actualText = edit->text();
        role = QPalette::Text;
        QCOMPARE(edit->hasFrame(), false);
        QCOMPARE(textColour(edit, QPalette::Base), QColor(249, 250, 236));
    } else if (auto *group = qobject_cast<QGroupBox *>(control)) {
        actualText = group->title();
    }
    QCOMPARE(actualText, text);

    if (qobject_cast<QLabel *>(control) && !text.isEmpty()) {
        // A label may grow where our fonts need more room than the layout
        // gave, but only to the left and evenly up and down, and never cut
        // its text.
        QVERIFY2(control->geometry().contains(box), qPrintable(name));
        QCOMPARE(control->geometry().right(), box.right());
        QVERIFY(qAbs(control->geometry().top() + control->geometry().bottom() - box.top() - box.bottom()) <= 1);
        QVERIFY(control->sizeHint().width() <= control->width());
        QVERIFY(control->sizeHint().height() <= control->height());
    } else {
        QCOMPARE(control->geometry(), box);
    }
    if (pixelHeight > 0)
        QCOMPARE(control->font().pixelSize(), pixelHeight);
    if (colour.isValid())
        QCOMPARE(textColour(control, role), colour);
    QCOMPARE(!control->isHidden(), shown);
    QCOMPARE(control->layoutDirection(), Qt::RightToLeft);
}

void TestUnit1::picturesAtTheirOwnSize()
{
    // Pictures are shown unscaled from the top left, so Image4's 18 x 16 mark
    // is clipped by its 17 x 17 control rather than squeezed into it. They
    // are drawn when the window first shows.
    Window w;
    w.main->show();
    for (const QString name : {"Image1", "Image2", "Image3", "Image4", "Image5"}) {
        auto *picture = w.child<QLabel>(name);
        QVERIFY(picture);
        const QPixmap pixmap = picture->pixmap();
        QVERIFY2(!pixmap.isNull(), qPrintable(name));
        QCOMPARE(pixmap.deviceIndependentSize().toSize(), art::naturalSize(QStringLiteral("Unit1/") + name));
        QVERIFY(!picture->hasScaledContents());
        QVERIFY(picture->alignment() & Qt::AlignTop);
    }
    // The close mark keeps its top-left 17 x 17 pixels, in a right-to-left
    // window too, where a plain left alignment would turn into a right one.
    auto *closeMark = w.child<QLabel>("Image4");
    QImage shown(closeMark->size(), QImage::Format_ARGB32_Premultiplied);
    shown.fill(Qt::transparent);
    closeMark->render(&shown, {}, {}, QWidget::DrawChildren);
    const QImage drawn = art::picture(QStringLiteral("Unit1/Image4"), {18, 16}).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage expected(closeMark->size(), QImage::Format_ARGB32_Premultiplied);
    expected.fill(Qt::transparent);
    QPainter(&expected).drawImage(0, 0, drawn);
    QCOMPARE(shown.convertToFormat(QImage::Format_ARGB32), expected.convertToFormat(QImage::Format_ARGB32));

    QCOMPARE(w.child("Image1")->geometry(), QRect(0, 0, 865, 682));
    QCOMPARE(w.child("Image2")->size(), QSize(165, 28));
    for (const QString name : {"SpeedButton1", "SpeedButton2", "SpeedButton3", "SpeedButton4", "SpeedButton7", "SpeedButton8"}) {
        auto *button = w.child<QAbstractButton>(name);
        QVERIFY(!button->icon().isNull());
        QCOMPARE(button->iconSize(), name == QLatin1String("SpeedButton8") ? QSize(24, 24) : QSize(16, 16));
    }
}

void TestUnit1::captions_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("box");
    QTest::addColumn<int>("markerTop");

    QTest::newRow("Label1 chooses kolliyat") << "Label1" << "kolliyat" << "مقدمات" << QRect(716, 111, 48, 18) << 107;
    QTest::newRow("Label3 chooses moghadamat") << "Label3" << "moghadamat" << "احکام تلاوت قرآن" << QRect(686, 147, 104, 18) << 142;
    QTest::newRow("Label6 chooses vajeb") << "Label6" << "vajeb" << "کيفيت قرائت قرآن" << QRect(686, 179, 109, 18) << 176;
    QTest::newRow("Label4 chooses mostahab") << "Label4" << "mostahab" << "آيين نامه مسابقات قرآن" << QRect(665, 213, 146, 18) << 210;
    QTest::newRow("Label5 chooses namaz") << "Label5" << "namaz" << "معرفي قاريان و حافظان" << QRect(671, 246, 141, 18) << 243;
    QTest::newRow("Label7 chooses motefar") << "Label7" << "motefar" << "معرفي مراکز آموزشي" << QRect(673, 281, 137, 18) << 277;
}

void TestUnit1::captions()
{
    QFETCH(QString, label);
    QFETCH(QString, caption);
    QFETCH(QRect, box);

    Window w;
    auto *control = w.child<QLabel>(label);
    QVERIFY(control);
    QCOMPARE(control->text(), caption);
    QCOMPARE(control->font().pixelSize(), 15);
    QCOMPARE(textColour(control, QPalette::WindowText), Maroon);
    QCOMPARE(control->cursor().shape(), Qt::PointingHandCursor);
    // Grown only leftwards and evenly in height, and never cutting the text.
    QVERIFY(control->geometry().contains(box));
    QCOMPARE(control->geometry().right(), box.right());
    QVERIFY(qAbs(control->geometry().top() + control->geometry().bottom() - box.top() - box.bottom()) <= 1);
    QVERIFY(control->sizeHint().width() <= control->width());
    QVERIFY(control->sizeHint().height() <= control->height());
    // The marker stays behind the caption it marks.
    QWidget *marker = w.child("Image2");
    const QList<QWidget *> stack = w.main->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    QVERIFY(stack.indexOf(marker) < stack.indexOf(control));
}

void TestUnit1::viewsByRole_data()
{
    QTest::addColumn<int>("role"); // index into ViewSet::views()
    QTest::addColumn<QRect>("box");
    QTest::addColumn<int>("pixelHeight");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<Qt::ScrollBarPolicy>("verticalScrollBar");

    QTest::newRow("title text") << 0 << QRect(250, 120, 260, 17) << 12 << Maroon << Qt::ScrollBarAlwaysOff;
    QTest::newRow("question view, no scroll bar") << 1 << QRect(40, 152, 513, 97) << 13 << QColor(0, 0, 128) << Qt::ScrollBarAlwaysOff;
    QTest::newRow("answer view, vertical scroll bar") << 2 << QRect(32, 272, 521, 201) << 13 << Maroon << Qt::ScrollBarAlwaysOn;
    QTest::newRow("footnote view, vertical scroll bar") << 3 << QRect(40, 496, 513, 97) << 12 << QColor(128, 128, 0) << Qt::ScrollBarAlwaysOn;
    QTest::newRow("title grid") << 4 << QRect(656, 456, 169, 211) << 12 << QColor() << Qt::ScrollBarAsNeeded;
}

void TestUnit1::viewsByRole()
{
    QFETCH(int, role);
    QFETCH(QRect, box);
    QFETCH(int, pixelHeight);
    QFETCH(QColor, colour);
    QFETCH(Qt::ScrollBarPolicy, verticalScrollBar);

    // The names come from the window's own list of views; spelling them out
    // here checks the table the views were built from.
    const QStringList names[] = {
        {"DBTextkolliyat", "DBTextmoghadamat", "DBTextvajeb", "DBTextmostahab", "DBTextnamaz", "DBTextmotefar", "DBTexttovrin"},
        {"Memopokolliyat", "Memopomoghadamat", "Memopovajeb", "Memopomostahab", "Memoponamaz", "Memopomotefar", "Memopotovrin"},
        {"Memopakolliyat", "Memopamoghadamat", "Memopavajeb", "Memopamostahab", "Memopanamaz", "Memopamotefar", "Memopatovrin"},
        {"Memomankolliyat", "Memomamoghadamat", "Memomavajeb", "Memomamostahab", "Memomanamaz", "Memomamotefar", "Memomatovrin"},
        {"DBkolliyat", "DBmoghadamat", "DBvajeb", "DBmostahab", "DBnamaz", "DBmotefar", "DBtovrin"},
    };

    Window w;
    for (const QString &name : names[role]) {
        QWidget *view = w.child(name);
        QVERIFY2(view, qPrintable(name));
        const bool advancedGrid = name == QLatin1String("DBtovrin");
        QCOMPARE(view->parentWidget(), advancedGrid ? w.child("Panel1") : static_cast<QWidget *>(w.main.get()));
        QCOMPARE(view->geometry(), advancedGrid ? QRect(41, 192, 189, 160) : box);
        QCOMPARE(view->font().pixelSize(), pixelHeight);
        QCOMPARE(view->layoutDirection(), Qt::RightToLeft);
        if (auto *text = qobject_cast<QPlainTextEdit *>(view)) {
            QCOMPARE(textColour(text, QPalette::Text), colour);
            QCOMPARE(textColour(text, QPalette::Base), QColor(236, 242, 208));
            QCOMPARE(text->verticalScrollBarPolicy(), verticalScrollBar);
            QCOMPARE(text->frameShape(), QFrame::NoFrame);
            QCOMPARE(text->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        } else if (auto *title = qobject_cast<QLabel *>(view)) {
            QCOMPARE(textColour(title, QPalette::WindowText), colour);
            QVERIFY(!title->autoFillBackground());
        } else {
            auto *grid = qobject_cast<QTableView *>(view);
            QVERIFY(grid);
            QCOMPARE(textColour(grid, QPalette::Base), QColor(255, 251, 240));
            QCOMPARE(grid->model()->columnCount(), 1);
            QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("عنوان پرسش ها"));
            QHeaderView *header = grid->horizontalHeader();
            QCOMPARE(textColour(header, QPalette::ButtonText), Maroon);
            QCOMPARE(textColour(header, QPalette::Button), QColor(220, 236, 196));
        }
    }
}

void TestUnit1::startState()
{
    Window w;
    QCOMPARE(w.main->objectName(), QStringLiteral("main"));
    QVERIFY(w.main->isHidden());
    QCOMPARE(w.main->size(), QSize(865, 682));
    QVERIFY(w.main->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(textColour(w.main.get(), QPalette::Window), QColor(236, 242, 208));
    QCOMPARE(w.main->showingCategory().key, QStringLiteral("kolliyat"));
    QCOMPARE(w.child("Image2")->pos(), QPoint(658, 107));
    QVERIFY(w.child("Label8")->isHidden());
    QVERIFY(w.child("Panel1")->isHidden());
    for (const data::Category &category : data::categories()) {
        const bool first = category.key == QLatin1String("kolliyat");
        for (QWidget *view : w.main->views(category).views()) {
            if (view->objectName() == QLatin1String("DBtovrin")) {
                // Comes and goes with its panel, which is all that is hidden.
                QVERIFY(!view->isHidden());
                continue;
            }
            QVERIFY2(view->isHidden() != first, qPrintable(view->objectName()));
        }
    }
    // The first record is on show from the start.
    QCOMPARE(w.views("kolliyat").title()->text(), QStringLiteral("آداب تلاوت قرآن"));
    QCOMPARE(w.views("kolliyat").grid()->currentIndex().row(), 0);
    QVERIFY(w.report.messages.isEmpty());
}

void TestUnit1::categorySwitch_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("markerTop");
    QTest::addColumn<bool>("fromAdvancedSearch");

    QTest::newRow("Label3 to moghadamat") << "Label3" << "moghadamat" << 142 << false;
    QTest::newRow("Label6 to vajeb") << "Label6" << "vajeb" << 176 << false;
    QTest::newRow("Label4 to mostahab, an empty table") << "Label4" << "mostahab" << 210 << false;
    QTest::newRow("Label5 to namaz") << "Label5" << "namaz" << 243 << false;
    QTest::newRow("Label7 to motefar") << "Label7" << "motefar" << 277 << false;
    QTest::newRow("Label1 to kolliyat, already showing") << "Label1" << "kolliyat" << 107 << false;
    QTest::newRow("Label5 closes the advanced-search panel") << "Label5" << "namaz" << 243 << true;
    QTest::newRow("Label1 closes the advanced-search panel") << "Label1" << "kolliyat" << 107 << true;
}

void TestUnit1::categorySwitch()
{
    QFETCH(QString, label);
    QFETCH(QString, key);
    QFETCH(int, markerTop);
    QFETCH(bool, fromAdvancedSearch);

    Window w;
    // What a title filter leaves: its caption shown and a count.
    w.child("Label8")->show();
    w.main->setCountText(QStringLiteral("12"));
    QCOMPARE(w.child<QLabel>("Label9")->text(), QStringLiteral("12"));
    QCOMPARE(w.child("Label9")->geometry().right(), 680);
    if (fromAdvancedSearch) {
        w.main->showViewSet(*data::categoryByKey(QStringLiteral("tovrin")));
        QCOMPARE(w.main->showingCategory().key, QStringLiteral("tovrin"));
        QVERIFY(!w.child("Panel1")->isHidden());
        QVERIFY(w.child("DBtovrin")->isVisibleTo(w.main.get()));
        QCOMPARE(w.child("Image2")->y(), 107); // the panel leaves the marker where it was
    }
    const int row = w.views(key).dataset()->currentRow();

    QTest::mouseClick(w.child(label), Qt::LeftButton);

    QCOMPARE(w.main->showingCategory().key, key);
    QCOMPARE(w.child("Image2")->pos(), QPoint(658, markerTop));
    QVERIFY(w.child("Label8")->isHidden());
    QCOMPARE(w.child<QLabel>("Label9")->text(), QString());
    QCOMPARE(w.child("Label9")->geometry(), QRect(677, 403, 4, 14));
    QVERIFY(w.child("Panel1")->isHidden());
    int shownSets = 0;
    for (const data::Category &category : data::categories()) {
        const ViewSet &set = w.main->views(category);
        const bool chosen = category.key == key;
        shownSets += set.isShown();
        for (QWidget *view : set.views()) {
            if (view->objectName() != QLatin1String("DBtovrin"))
                QVERIFY2(view->isHidden() != chosen, qPrintable(view->objectName()));
        }
    }
    QCOMPARE(shownSets, 1);
    // Nothing in the data moves.
    QCOMPARE(w.views(key).dataset()->currentRow(), row);
    QCOMPARE(w.child<QLineEdit>("Edit1")->text(), QStringLiteral("جستجو...."));
}

void TestUnit1::captionHover()
{
    Window w;
    w.main->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.main.get()));
    auto *chosen = w.child<QLabel>("Label1");
    auto *other = w.child<QLabel>("Label6");
    QWidget *background = w.child("Image1");

    for (QLabel *caption : {other, chosen}) {
        QTest::mouseMove(caption, caption->rect().center());
        QTRY_COMPARE(textColour(caption, QPalette::WindowText), Green);
        QTest::mouseMove(caption, caption->rect().center() + QPoint(1, 0));
        QCOMPARE(textColour(caption, QPalette::WindowText), Green);
        const QLabel *rest = caption == chosen ? other : chosen;
        QCOMPARE(textColour(rest, QPalette::WindowText), Maroon);

        QTest::mouseMove(background, QPoint(100, 400));
        QTRY_COMPARE(textColour(caption, QPalette::WindowText), Maroon);
    }
}

void TestUnit1::gridClickMakesRecordCurrent()
{
    Window w;
    QTest::mouseClick(w.child("Label3"), Qt::LeftButton);
    ViewSet &set = w.views("moghadamat");
    QTableView *grid = set.grid();
    grid->show();
    QCOMPARE(grid->model()->rowCount(), 4);
    QCOMPARE(grid->model()->index(2, 0).data().toString(), QStringLiteral("مقدمه عنوان 3"));

    const QRect cell = grid->visualRect(grid->model()->index(2, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());

    QCOMPARE(set.dataset()->currentRow(), 2);
    QCOMPARE(set.title()->text(), QStringLiteral("مقدمه عنوان 3"));
    QCOMPARE(set.question()->toPlainText(), QStringLiteral("پرسش 3"));
    // The file's CR LF is one line break in the view, not two.
    QCOMPARE(set.answer()->toPlainText(), QStringLiteral("پاسخ 3\nخط دوم"));
    QCOMPARE(set.answer()->document()->blockCount(), 2);
    QCOMPARE(set.footnote()->toPlainText(), QStringLiteral("پاورقی 3"));

    // The grid's highlight follows a move made elsewhere.
    QString error;
    QVERIFY(set.dataset()->last(&error));
    QCOMPARE(grid->currentIndex().row(), 3);
    QCOMPARE(grid->selectionModel()->selectedRows().size(), 1);
    QCOMPARE(grid->selectionModel()->selectedRows().constFirst().row(), 3);
    QCOMPARE(set.title()->text(), QStringLiteral("مقدمه عنوان 4"));

    // Another category's record stays where it was.
    QCOMPARE(w.views("kolliyat").dataset()->currentRow(), 0);
}

void TestUnit1::viewsReadButDoNotWrite()
{
    Window w;
    ViewSet &set = w.views("kolliyat");
    const QString answer = set.answer()->toPlainText();
    for (QPlainTextEdit *view : {set.question(), set.answer(), set.footnote()}) {
        QVERIFY(view->isReadOnly());
        QVERIFY(view->textInteractionFlags() & Qt::TextSelectableByMouse);
        QVERIFY(view->textInteractionFlags() & Qt::TextSelectableByKeyboard);
        QCOMPARE(view->document()->defaultTextOption().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        QCOMPARE(view->document()->defaultTextOption().textDirection(), Qt::RightToLeft);
    }
    QTest::keyClicks(set.answer(), QStringLiteral("xyz"));
    QCOMPARE(set.answer()->toPlainText(), answer);
    QCOMPARE(set.grid()->editTriggers(), QAbstractItemView::NoEditTriggers);
    QVERIFY(!(set.grid()->model()->flags(set.grid()->model()->index(0, 0)) & Qt::ItemIsEditable));

    // Selecting and copying still work.
    set.answer()->selectAll();
    QCOMPARE(set.answer()->textCursor().selectedText().size(), answer.size());
}

void TestUnit1::stateSurvivesHideAndShow()
{
    Window w;
    w.main->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.main.get()));
    QTest::mouseClick(w.child("Label6"), Qt::LeftButton);
    QString error;
    QVERIFY(w.views("vajeb").dataset()->last(&error));
    QVERIFY(w.views("motefar").dataset()->next(&error));
    const QPoint place = w.main->pos();

    QTest::mousePress(w.child("Shape2"), Qt::LeftButton);
    QVERIFY(w.main->isHidden());
    w.main->show();

    QCOMPARE(w.main->showingCategory().key, QStringLiteral("vajeb"));
    QCOMPARE(w.child("Image2")->y(), 176);
    QCOMPARE(w.views("vajeb").dataset()->currentRow(), 1);
    QCOMPARE(w.views("vajeb").title()->text(), QStringLiteral("واجب عنوان 2"));
    QCOMPARE(w.views("motefar").dataset()->currentRow(), 1);
    QCOMPARE(w.main->pos(), place);
}

void TestUnit1::centredOnTheDesktopOnce()
{
    // Two 1024 x 769 screens side by side: the desktop is 2048 x 769, so the
    // window goes to (2048 - 865) / 2 and (769 - 682) / 2, fractions dropped.
    QCOMPARE(QGuiApplication::primaryScreen()->virtualGeometry(), QRect(0, 0, 2048, 769));
    Window w;
    w.main->show();
    QCOMPARE(w.main->pos(), QPoint(591, 43));
    w.main->close();
    w.main->move(10, 10);
    w.main->show();
    QCOMPARE(w.main->pos(), QPoint(10, 10));
}

void TestUnit1::searchBoxFirstInTabOrder()
{
    Window w;
    w.main->show();
    QApplication::setActiveWindow(w.main.get());
    QVERIFY(QTest::qWaitForWindowActive(w.main.get()));
    QCOMPARE(QApplication::focusWidget(), w.child("Edit1"));

    // Then the showing set's views, hidden sets passed over.
    QStringList order;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(order, QStringList({"DBkolliyat", "Memopokolliyat", "Memopakolliyat", "Memomankolliyat"}));
}

void TestUnit1::closeAndMinimiseAreas_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("release"); // a whole click, not just a press
    QTest::addColumn<QString>("receiver");
    QTest::addColumn<QString>("outcome"); // closed, minimised or none

    QTest::newRow("close area, left press") << QPoint(830, 20) << Qt::LeftButton << false << "Shape2" << "closed";
    QTest::newRow("close area, right press closes too") << QPoint(826, 31) << Qt::RightButton << false << "Shape2" << "closed";
    QTest::newRow("close mark's own right-hand column, left click") << QPoint(843, 20) << Qt::LeftButton << true << "Image4" << "closed";
    QTest::newRow("close mark's own column, a press alone does nothing") << QPoint(843, 31) << Qt::LeftButton << false << "Image4" << "none";
    QTest::newRow("close mark's own column, right click does nothing") << QPoint(843, 20) << Qt::RightButton << true << "Image4" << "none";
    QTest::newRow("minimise area, left press") << QPoint(805, 25) << Qt::LeftButton << false << "Shape3" << "minimised";
    QTest::newRow("minimise area, middle press") << QPoint(800, 32) << Qt::MiddleButton << false << "Shape3" << "minimised";
    QTest::newRow("minimise mark's own top row, left click") << QPoint(808, 15) << Qt::LeftButton << true << "Image5" << "minimised";
    QTest::newRow("minimise mark's own right-hand column, left click") << QPoint(817, 31) << Qt::LeftButton << true << "Image5" << "minimised";
    QTest::newRow("between the marks, nothing") << QPoint(821, 20) << Qt::LeftButton << true << "Image1" << "none";
}

void TestUnit1::closeAndMinimiseAreas()
{
    QFETCH(QPoint, point);
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, release);
    QFETCH(QString, receiver);
    QFETCH(QString, outcome);

    Window w;
    w.main->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.main.get()));
    QWidget *target = controlAt(*w.main, point);
    QVERIFY(target);
    QCOMPARE(target->objectName(), receiver);
    const QPoint local = target->mapFrom(w.main.get(), point);
    if (release)
        QTest::mouseClick(target, button, {}, local);
    else
        QTest::mousePress(target, button, {}, local);

    QCOMPARE(w.main->isHidden(), outcome == QLatin1String("closed"));
    QCOMPARE(w.main->isMinimized(), outcome == QLatin1String("minimised"));
    QVERIFY(w.shell.opened.isEmpty());
}

void TestUnit1::webAddressAreas_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QString>("receiver");

    QTest::newRow("address line, left press") << QPoint(312, 668) << Qt::LeftButton << "Shape1";
    QTest::newRow("address line, right press") << QPoint(244, 680) << Qt::RightButton << "Shape1";
    QTest::newRow("logo, left press") << QPoint(88, 54) << Qt::LeftButton << "Shape4";
    QTest::newRow("logo corner, middle press") << QPoint(156, 136) << Qt::MiddleButton << "Shape4";
}

void TestUnit1::webAddressAreas()
{
    QFETCH(QPoint, point);
    QFETCH(Qt::MouseButton, button);
    QFETCH(QString, receiver);

    Window w;
    QWidget *target = controlAt(*w.main, point);
    QVERIFY(target);
    QCOMPARE(target->objectName(), receiver);
    QTest::mousePress(target, button, {}, target->mapFrom(w.main.get(), point));
    QCOMPARE(w.shell.opened, QStringList{art::publisherAddress()});
    QTest::mouseRelease(target, button, {}, target->mapFrom(w.main.get(), point));
    QCOMPARE(w.shell.opened.size(), 1); // on the press only
    QVERIFY(!w.main->isMinimized());
}

void TestUnit1::everyControlHasAnAccessibleName()
{
    Window w;
    w.main->show();
    for (QWidget *control : w.main->findChildren<QWidget *>()) {
        const QString name = control->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
            continue; // the parts Qt builds inside a control
        QVERIFY2(!control->accessibleName().trimmed().isEmpty(), qPrintable(name));
    }
}

void TestUnit1::missingFileGivesFifteenReports()
{
    QVERIFY(QFile::remove(QStringLiteral("varostel.mdb")));
    Window w;
    QCOMPARE(w.report.messages.size(), 15);
    // The connection first, then every dataset trying it again.
    for (const QString &message : std::as_const(w.report.messages))
        QCOMPARE(message, w.report.messages.constFirst());

    QCOMPARE(w.main->showingCategory().key, QStringLiteral("kolliyat"));
    QCOMPARE(w.child("Image2")->pos(), QPoint(658, 107));
    for (const data::Category &category : data::categories()) {
        ViewSet &set = w.main->views(category);
        QVERIFY(!set.dataset()->isOpen());
        QCOMPARE(set.title()->text(), QString());
        QCOMPARE(set.answer()->toPlainText(), QString());
        QCOMPARE(set.grid()->model()->rowCount(), 0);
    }
    QTest::mouseClick(w.child("Label7"), Qt::LeftButton);
    QCOMPARE(w.main->showingCategory().key, QStringLiteral("motefar"));
    QTest::mouseClick(w.views("motefar").grid()->viewport(), Qt::LeftButton, {}, QPoint(80, 40));
    QCOMPARE(w.views("motefar").dataset()->currentRow(), -1);
}

void TestUnit1::failedQueryLeavesWindowUsable()
{
    const QString error = testsupport::packJson(
        QString::fromUtf8(QJsonDocument(withoutTable(fixture(), QStringLiteral("vajeb"))).toJson()),
        QDir::current().filePath(QStringLiteral("varostel.mdb")));
    QVERIFY2(error.isEmpty(), qPrintable(error));

    // The companion, a stored query over the table, fails with it.
    Window w;
    QCOMPARE(w.report.messages.size(), 2);
    for (const QString &message : std::as_const(w.report.messages))
        QVERIFY2(message.contains(QLatin1String("vajeb")), qPrintable(message));
    QTest::mouseClick(w.child("Label6"), Qt::LeftButton);
    QCOMPARE(w.main->showingCategory().key, QStringLiteral("vajeb"));
    QCOMPARE(w.views("vajeb").grid()->model()->rowCount(), 0);
    QCOMPARE(w.views("vajeb").answer()->toPlainText(), QString());

    QTest::mouseClick(w.child("Label3"), Qt::LeftButton);
    QCOMPARE(w.main->showingCategory().key, QStringLiteral("moghadamat"));
    QCOMPARE(w.views("moghadamat").grid()->model()->rowCount(), 4);
    QCOMPARE(w.views("moghadamat").title()->text(), QStringLiteral("مقدمه عنوان 1"));
    QCOMPARE(w.report.messages.size(), 2);
}

QTEST_MAIN(TestUnit1)
#include "tst_unit1.moc"
