#pragma once

#include <QPlainTextEdit>

// The output pane: an ordinary editable text that listings append to.
class OutputPane : public QPlainTextEdit
{
    Q_OBJECT

public:
    // Laying out a line costs more than its length when it offers no place to
    // wrap, so typing and pasting stop at a line of this many characters;
    // anything longer would make every later keystroke on it lag.
    static constexpr int LongestLine = 16384;

    explicit OutputPane(QWidget *parent = nullptr);

    // Adds text at the very end, whatever the user's cursor is doing, and
    // keeps the newest line in view. Costs in proportion to the text added.
    void appendListing(const QString &text);

    // The whole text with every line break as CR LF, as it leaves the program.
    QString paneText() const;

protected:
    void insertFromMimeData(const QMimeData *source) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;

private:
    // False, with the user told, when text typed or pasted at the cursor
    // would make a line longer than LongestLine.
    bool accepts(const QString &text);
};
