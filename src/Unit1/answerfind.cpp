#include "answerfind.h"

#include "category.h"
#include "finddialog.h"
#include "findstep.h"
#include "messageboxes.h"
#include "tmain.h"
#include "viewset.h"

#include <QAbstractButton>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// The view's text as it holds it, one character a line break. Unlike
// toPlainText() this keeps no-break spaces as they are, so the find text
// is compared with the answer's own characters.
QString heldText(const QPlainTextEdit *view)
{
    QString text = view->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

} // namespace

AnswerFind::AnswerFind(Tmain &main, QAbstractButton *findButton, platform::MessageBoxes &messages)
    : QObject(&main)
    , m_main(main)
    , m_messages(messages)
{
    for (const data::Category &category : data::categories()) {
        if (category.findDialog.isEmpty())
            continue;
        auto *findDialog = new platform::FindDialog(&main);
        findDialog->setObjectName(category.findDialog);
        findDialog->setAccessibleName(findDialog->windowTitle() + QStringLiteral(" - ") + category.caption);
        connect(findDialog, &platform::FindDialog::findNext, this, [this, &category] { FindDialogFind(category); });
        m_dialogs.append(findDialog);
    }
    connect(findButton, &QAbstractButton::clicked, this, &AnswerFind::SpeedButton6Click);
}

platform::FindDialog *AnswerFind::dialog(const data::Category &category) const
{
    for (platform::FindDialog *findDialog : m_dialogs) {
        if (findDialog->objectName() == category.findDialog)
            return findDialog;
    }
    return nullptr;
}

void AnswerFind::SpeedButton6Click()
{
    // The advanced results have no dialog: nothing opens while they show.
    if (platform::FindDialog *findDialog = dialog(m_main.showingCategory()))
        findDialog->open();
}

void AnswerFind::FindDialogFind(const data::Category &category)
{
    platform::FindDialog *findDialog = dialog(category);
    QPlainTextEdit *view = m_main.views(category).answer();
    const QString text = Unit1::withCrLf(heldText(view));
    const Unit1::FindOutcome outcome = Unit1::findStep(text, findDialog->findText(), m_lastFoundPos);
    m_lastFoundPos = outcome.lastFoundPos;
    if (!outcome.found) {
        m_messages.showError(findDialog, QStringLiteral("Error"), outcome.message);
        return;
    }

    // Setting the cursor scrolls the view to the selection.
    QTextCursor cursor(view->document());
    cursor.setPosition(Unit1::viewPosition(text, outcome.selectionStart));
    cursor.setPosition(Unit1::viewPosition(text, outcome.selectionStart + outcome.selectionLength), QTextCursor::KeepAnchor);
    view->setTextCursor(cursor);

    // A dialog left open after its category stopped showing (or the window
    // was closed) still selects in that category's hidden view; the focus
    // then stays where the user has it rather than going to a view no one
    // can see.
    if (view->isVisible()) {
        view->setFocus(Qt::OtherFocusReason);
        m_main.activateWindow();
    }
}
