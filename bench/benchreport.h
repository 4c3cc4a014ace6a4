#pragma once

#include <QElapsedTimer>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

// The one line format scripts/bench prints: "bench NAME VALUE UNIT ratio R",
// R being VALUE over a reference measured in the same run ("-" when none).
namespace bench {

inline void report(const QString &name, double value, const QString &unit, double ratio = std::nan(""))
{
    const QString r = std::isnan(ratio) ? QStringLiteral("-") : QString::number(ratio, 'f', 3);
    std::printf("bench %s %s %s ratio %s\n", qPrintable(name), qPrintable(QString::number(value, 'f', 3)), qPrintable(unit),
                qPrintable(r));
    std::fflush(stdout);
}

// Median wall time of `runs` calls, in milliseconds.
template<typename F>
double medianMs(int runs, F &&f)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        times.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace bench
