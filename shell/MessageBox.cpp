#include "MessageBox.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

MessageBox::Answer MessageBox::s_nextAnswer = MessageBox::NoAnswer;
QString MessageBox::s_lastPrompt;
QString MessageBox::s_lastTitle;
int MessageBox::s_count = 0;
int MessageBox::s_open = 0;
std::vector<std::pair<QPointer<QObject>, std::function<void()>>> MessageBox::s_waiting;

MessageBox::Answer MessageBox::show(QWidget *parent, const QString &prompt, const QString &title, Buttons buttons,
                                    Answer defaultButton)
{
    s_lastPrompt = prompt;
    s_lastTitle = title.isEmpty() ? QCoreApplication::applicationName() : title;
    ++s_count;

    if (s_nextAnswer != NoAnswer) {
        const Answer answer = s_nextAnswer;
        s_nextAnswer = NoAnswer;
        return answer;
    }

    QMessageBox box(QMessageBox::NoIcon, s_lastTitle, prompt, QMessageBox::NoButton, parent);
    QPushButton *saveAs = nullptr;
    QPushButton *overwrite = nullptr;
    if (buttons == YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(defaultButton == No ? QMessageBox::No : QMessageBox::Yes);
    } else if (buttons == SaveDiscardCancel) {
        box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Save);
        box.setEscapeButton(QMessageBox::Cancel);
    } else if (buttons == OverwriteSaveAsCancel) {
        overwrite = box.addButton(QCoreApplication::translate("MessageBox", "&Overwrite"), QMessageBox::AcceptRole);
        saveAs = box.addButton(QCoreApplication::translate("MessageBox", "Save &as..."), QMessageBox::ActionRole);
        box.setEscapeButton(box.addButton(QMessageBox::Cancel));
        box.setDefaultButton(saveAs);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
    }
    ++s_open;
    const int pressed = box.exec();
    if (--s_open == 0 && !s_waiting.empty())
        QTimer::singleShot(0, qApp, &MessageBox::runWaiting);
    if (buttons == OverwriteSaveAsCancel)
        return box.clickedButton() == overwrite ? Overwrite : box.clickedButton() == saveAs ? SaveAs : Cancel;
    switch (pressed) {
    case QMessageBox::Save:
        return Save;
    case QMessageBox::Discard:
        return Discard;
    case QMessageBox::Cancel:
        return Cancel;
    case QMessageBox::Yes:
        return Yes;
    case QMessageBox::No:
        return No;
    case QMessageBox::Ok:
        return OK;
    default:
        // Escape on a Yes/No box counts as No; on an OK box as OK.
        return buttons == YesNo ? No : buttons == SaveDiscardCancel ? Cancel : OK;
    }
}

void MessageBox::whenNoneOpen(QObject *context, std::function<void()> run)
{
    if (s_open == 0 && s_waiting.empty())
        run();
    else
        s_waiting.emplace_back(context, std::move(run));
}

void MessageBox::runWaiting()
{
    // In the order they came; one that opens a box makes the rest wait again.
    while (s_open == 0 && !s_waiting.empty()) {
        auto [context, run] = std::move(s_waiting.front());
        s_waiting.erase(s_waiting.begin());
        if (context)
            run();
    }
}

void MessageBox::setNextAnswer(Answer answer)
{
    s_nextAnswer = answer;
}

QString MessageBox::lastPrompt()
{
    return s_lastPrompt;
}

QString MessageBox::lastTitle()
{
    return s_lastTitle;
}

int MessageBox::shownCount()
{
    return s_count;
}
