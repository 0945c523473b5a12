#pragma once

#include <QPlainTextEdit>

// The output pane: an ordinary editable text that listings append to.
class OutputPane : public QPlainTextEdit
{
    Q_OBJECT

public:
    // Laying out a line costs more than its length when it offers no place to
    // wrap, so no edit may leave a line longer than this many characters
    // (code points); anything longer would make every later keystroke on it
    // lag.
    static constexpr int LongestLine = 16384;

    explicit OutputPane(QWidget *parent = nullptr);

    // Adds text at the very end, whatever the user's cursor is doing, and
    // keeps the newest line in view. A listing always goes in, even where it
    // continues a typed line past LongestLine. Costs in proportion to the
    // text added.
    void appendListing(const QString &text);

    // The whole text as the user sees it, every line ending as CR LF.
    QString paneText() const;

protected:
    bool canInsertFromMimeData(const QMimeData *source) const override;
    QMimeData *createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData *source) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    // Whether putting text in place of from..to leaves every line it makes
    // within LongestLine, or no longer than the longest line it replaces
    // where a listing made that one longer.
    bool fits(int from, int to, const QString &text) const;
    bool keyFits(const QKeyEvent *event) const;
    bool dropFits(const QDropEvent *event) const;
    void refuse();

    // The characters from..to as the user sees them, lines joined by LF.
    QString textBetween(int from, int to) const;

    bool m_dropping = false;       // inside the text control's drop
    bool m_refusingDrop = false;   // ... and it has to be turned down
    bool m_dropDowngraded = false; // the drag here was offered a copy at most
    bool m_refused = false;        // an edit was turned down since this was cleared
};
