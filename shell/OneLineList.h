#pragma once

#include <QListWidget>

// A list box one entry high: it always shows exactly one entry, which the user
// steps through with the arrow keys or the scroll bar and selects.
class OneLineList : public QListWidget
{
    Q_OBJECT

public:
    OneLineList(const QString &name, QWidget *parent = nullptr);

    // Row of the selected entry, -1 when none is selected.
    int selectedIndex() const;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void rowsInserted(const QModelIndex &parent, int start, int end) override;
    void changeEvent(QEvent *event) override;

private:
    void fitEntryHeight();
    void fitEntryWidth();
};
