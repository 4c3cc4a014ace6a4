#include "findstep.h"

namespace Unit1 {

namespace {

QChar letterForm(QChar c)
{
    switch (c.unicode()) {
    case 0x06CC: // Persian yeh
    case 0x0649: // alef maksura
        return QChar(0x064A);
    case 0x06A9: // keheh
        return QChar(0x0643);
    default:
        return c;
    }
}

QString letterForms(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        c = letterForm(c);
    return out;
}

} // namespace

FindOutcome findStep(const QString &crlfText, const QString &findText, int lastFoundPos)
{
    const int length = int(findText.size());
    const bool findNext = lastFoundPos != 0;
    const int start = findNext ? lastFoundPos + length : 1;

    int p = 0;
    if (length > 0 && start >= 1 && start <= crlfText.size()) {
        const QString text = letterForms(crlfText);
        const qsizetype at = text.indexOf(letterForms(findText), start - 1, Qt::CaseSensitive);
        p = at < 0 ? 0 : int(at) - (start - 1) + 1;
    }

    FindOutcome outcome;
    if (p > 0) {
        outcome.found = true;
        outcome.lastFoundPos = p + start - 1;
        outcome.selectionStart = outcome.lastFoundPos - 1;
        outcome.selectionLength = length;
        return outcome;
    }
    outcome.message = findNext ? QStringLiteral("There are no further occurences of \"%1\" in Memo1.").arg(findText)
                               : QStringLiteral("Could not find \"%1\" in Memo1.").arg(findText);
    return outcome;
}

QString withCrLf(const QString &viewText)
{
    QString out = viewText;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(u'\n', QStringLiteral("\r\n"));
    return out;
}

int viewPosition(const QString &crlfText, int crlfPosition)
{
    int crs = 0;
    for (int i = 0; i < crlfPosition && i < crlfText.size(); ++i) {
        if (crlfText.at(i) == u'\r' && i + 1 < crlfText.size() && crlfText.at(i + 1) == u'\n')
            ++crs;
    }
    return crlfPosition - crs;
}

} // namespace Unit1
