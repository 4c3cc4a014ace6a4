#pragma once

#include <QString>

// One press of a Find dialog's find-next button, as a pure step over the
// answer's text. Positions count characters with every line break as the
// two characters CR LF, 1-based as the window's last-found position keeps
// them. The comparison is exact (Latin case differs) except that the
// Persian and Arabic forms of yeh (ي ی ى) and of kaf (ك ک) count as one
// letter, so a Persian keyboard finds text stored in the Arabic forms;
// since each form is one character, positions and lengths stay those of the
// answer's own text.
namespace Unit1 {

struct FindOutcome
{
    int lastFoundPos = 0; // the position to keep: the match's, or 0
    bool found = false;
    int selectionStart = 0; // 0-based, in the CR LF count; when found
    int selectionLength = 0;
    QString message; // when not found
};

FindOutcome findStep(const QString &crlfText, const QString &findText, int lastFoundPos);

// A text view holds line breaks as one character; the find step counts two.
QString withCrLf(const QString &viewText);
int viewPosition(const QString &crlfText, int crlfPosition);

} // namespace Unit1
