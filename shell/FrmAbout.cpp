#include "FrmAbout.h"

#include "AboutPicture.h"
#include "Fonts.h"
#include "OleColor.h"
#include "Twips.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

namespace {

QLabel *addLabel(QWidget *parent, const char *name, const QString &text, QRect r)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(r);
    label->setWordWrap(true);
    return label;
}

} // namespace

FrmAbout::FrmAbout(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(Twips::toPixels(4950), Twips::toPixels(3195));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, OleColor::toQColor(0x00C0E0FFu, pal)); // pale orange
    setPalette(pal);

    QLabel *name = addLabel(this, "Label1", QStringLiteral("ZENTIL %1").arg(QCoreApplication::applicationVersion()),
                            Twips::rect(120, 120, 4815, 375));
    name->setFont(Fonts::sansSerif(9.75));
    QPalette namePal = name->palette();
    namePal.setColor(QPalette::WindowText, OleColor::toQColor(0x000000C0u, namePal)); // dark red
    name->setPalette(namePal);

    QLabel *notice =
        addLabel(this, "Label3", tr("8x8 bit patterns to hex, in both bit orders."), Twips::rect(240, 720, 4455, 375));
    notice->setFont(Fonts::sansSerif(9.75));

    QLabel *disclaimer = addLabel(this, "Label2",
                                  tr("MIT License: no warranty of any kind; the authors are not "
                                     "liable for any claim, damages or other liability."),
                                  Twips::rect(240, 1200, 4455, 495));
    disclaimer->setAlignment(Qt::AlignCenter);
    QFont small = disclaimer->font();
    small.setPixelSize(11);
    disclaimer->setFont(small);

    auto *image = new AboutPicture(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setAccessibleName(tr("Drawing: a column of cells becomes the value 0xA5"));
    image->setGeometry(Twips::rect(1800, 1800, 1185, 435));

    QLabel *contact =
        addLabel(this, "Label4", tr("Problems? Tell us on the issue tracker."), Twips::rect(1200, 2280, 2655, 375));
    contact->setFont(small);
    contact->setAlignment(Qt::AlignCenter);

    auto *close = new QPushButton(tr("&Close"), this);
    close->setObjectName(QStringLiteral("Command1"));
    close->setGeometry(Twips::rect(2040, 2760, 855, 375));
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
}
