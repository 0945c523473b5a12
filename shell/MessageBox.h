#pragma once

#include <QPointer>
#include <QString>

#include <functional>
#include <utility>
#include <vector>

class QObject;
class QWidget;

// Every message the program shows goes through here: a modal box with a
// prompt, a title (the application's name when none is given), OK or Yes/No,
// a default button and no icon; or a question with three answers, Cancel
// (and Escape) leaving everything as it was. Tests queue an answer with setNextAnswer()
// and the box is then not shown at all.
class MessageBox
{
public:
    enum Buttons { Ok, YesNo, SaveDiscardCancel, OverwriteSaveAsCancel };
    enum Answer { NoAnswer, OK, Yes, No, Save, Discard, Cancel, Overwrite, SaveAs };

    static Answer show(QWidget *parent, const QString &prompt, const QString &title = QString(), Buttons buttons = Ok,
                       Answer defaultButton = NoAnswer);

    // Runs run at once where no box is open; else once the open boxes are
    // answered and the handler that opened them has returned, unless context
    // is gone by then. A message that comes of itself a moment later goes
    // through here, so that the user never has two boxes at once and a key
    // meant for one never answers the other.
    static void whenNoneOpen(QObject *context, std::function<void()> run);

    static void setNextAnswer(Answer answer);

    // What the last box said, shown or answered in advance.
    static QString lastPrompt();
    static QString lastTitle();
    static int shownCount();

private:
    static void runWaiting();

    static Answer s_nextAnswer;
    static int s_open;
    static std::vector<std::pair<QPointer<QObject>, std::function<void()>>> s_waiting;
    static QString s_lastPrompt;
    static QString s_lastTitle;
    static int s_count;
};
