// A word typed letter by letter into the title search box of the real main
// window (offscreen), each keystroke timed from the key press until the grid
// and the four views show the new first record and the window has painted.
// The reference is the bare filter statement (open, fetch, count) on the
// same data, so the ratio is what the views cost on top of the engine.
//   keystroke_10k_ms, keystroke_10k_worst_ms, keystroke_100k_ms

#include "benchreport.h"
#include "category.h"
#include "collectiongenerator.h"
#include "connection.h"
#include "dataset.h"
#include "errorreport.h"
#include "fontchoice.h"
#include "jetwriter.h"
#include "messageboxes.h"
#include "platform.h"
#include "shell.h"
#include "statements.h"
#include "tmain.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

#include "quietplatform.h"

namespace {

using bench::NoFonts;
using bench::NoShell;
using bench::WarnReport;

class NoBoxes final : public platform::MessageBoxes
{
public:
    void showError(QWidget *, const QString &, const QString &text) override { qWarning("report: %s", qPrintable(text)); }
};

QString makeFolder(const QTemporaryDir &dir, const QString &name, int perCategory)
{
    bench::GeneratorSettings settings;
    settings.perCategory = perCategory;
    settings.varostelRecords = perCategory;
    const QString folder = dir.filePath(name);
    QDir().mkpath(folder);
    const pack::WriteResult written = pack::writeJet4(bench::generate(settings), folder + QStringLiteral("/varostel.mdb"));
    if (!written.ok())
        qFatal("%s", qPrintable(written.message));
    return folder;
}

struct Figures
{
    double median;
    double worst;
    double reference;
};

const QString Word = QStringLiteral("قرائت قرآن");

Figures typeInto(const QString &folder)
{
    QDir::setCurrent(folder);
    NoShell shell;
    NoBoxes boxes;
    NoFonts fonts;
    WarnReport report;
    platform::Platform platform{&shell, &boxes, &fonts};
    Tmain window(platform, report);
    window.show();
    QApplication::processEvents();
    auto *edit = window.findChild<QLineEdit *>(QStringLiteral("Edit1"));
    std::vector<double> times;
    for (int round = 0; round < 5; ++round) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QApplication::processEvents();
        for (const QChar c : Word) {
            QElapsedTimer t;
            t.start();
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(edit, &press);
            QApplication::sendEvent(edit, &release);
            window.repaint(); // paints now, as the next frame would
            QApplication::processEvents();
            times.push_back(double(t.nsecsElapsed()) / 1e6);
        }
    }
    std::sort(times.begin(), times.end());

    // The engine alone: the same statements, opened and counted.
    data::Connection connection;
    data::Dataset query(&connection, QStringLiteral("Qkolliyat"));
    std::vector<double> bare;
    QString error;
    for (int i = 1; i <= Word.size(); ++i) {
        bare.push_back(bench::medianMs(5, [&] {
            query.clearSql();
            query.addSql(data::likeStatement(data::titleFilterPrefix(QStringLiteral("kolliyat")), Word.left(i)));
            int count = 0;
            if (!query.open(&error) || !query.recordCount(&count, &error))
                qFatal("%s", qPrintable(error));
        }));
    }
    std::sort(bare.begin(), bare.end());
    return {times[times.size() / 2], times.back(), bare[bare.size() / 2]};
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const Figures tenK = typeInto(makeFolder(dir, QStringLiteral("10k"), 10000));
    bench::report(QStringLiteral("keystroke_10k_ms"), tenK.median, QStringLiteral("ms"), tenK.median / tenK.reference);
    bench::report(QStringLiteral("keystroke_10k_worst_ms"), tenK.worst, QStringLiteral("ms"), tenK.worst / tenK.reference);
    const Figures hundredK = typeInto(makeFolder(dir, QStringLiteral("100k"), 100000));
    bench::report(QStringLiteral("keystroke_100k_ms"), hundredK.median, QStringLiteral("ms"), hundredK.median / hundredK.reference);
    QDir::setCurrent(QDir::tempPath());
    return 0;
}
