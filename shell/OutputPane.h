#pragma once

#include <QPlainTextEdit>

// The output pane: an ordinary editable text that listings append to.
class OutputPane : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit OutputPane(QWidget *parent = nullptr);

    // Adds text at the very end, whatever the user's cursor is doing, and
    // keeps the newest line in view. Costs in proportion to the text added.
    void appendListing(const QString &text);

    // The whole text with every line break as CR LF, as it leaves the program.
    QString paneText() const;
};
