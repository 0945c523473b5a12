#pragma once

#include <QWidget>

// The About window: not modal, one at a time. Close hides it; its own close
// box destroys it.
class FrmAbout : public QWidget
{
    Q_OBJECT

public:
    explicit FrmAbout(QWidget *parent = nullptr);
};
