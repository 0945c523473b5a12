#pragma once

#include <QString>

class QWidget;

// Every message the program shows goes through here: a modal box with a
// prompt, a title (the application's name when none is given), OK or Yes/No,
// a default button and no icon. Tests queue an answer with setNextAnswer()
// and the box is then not shown at all.
class MessageBox
{
public:
    enum Buttons { Ok, YesNo };
    enum Answer { NoAnswer, OK, Yes, No };

    static Answer show(QWidget *parent, const QString &prompt, const QString &title = QString(), Buttons buttons = Ok,
                       Answer defaultButton = NoAnswer);

    static void setNextAnswer(Answer answer);

    // What the last box said, shown or answered in advance.
    static QString lastPrompt();
    static QString lastTitle();
    static int shownCount();

private:
    static Answer s_nextAnswer;
    static QString s_lastPrompt;
    static QString s_lastTitle;
    static int s_count;
};
