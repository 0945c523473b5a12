#include "MainForm.h"

#include "CellButton.h"
#include "EdgeBox.h"
#include "Fonts.h"
#include "OleColor.h"
#include "OneLineList.h"
#include "OneLineValidator.h"
#include "OutputPane.h"
#include "Twips.h"
#include "ValueBox.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <cstdint>
#include <type_traits>

namespace {

using Edge = MatrixState::Edge;

enum class Kind {
    Cells,      // the 64 cells, as a group; the two grid frames take those outside 5x7
    GridFrame,  // holds cells
    Panel,      // holds eight edge-value boxes, which inherit its font and colour
    TopBoxes,   // eight boxes a column value is typed into
    ValueBoxes, // eight boxes that only show values
    Label,
    CentredLabel,
    Title, // a label whose caption carries the version
    Button,
    GroupBox,
    Radio,
    List,
    Pane,
};

enum class Face { Window, Serif6, Serif675, Sans825, Sans825Bold, Sans975Bold };

// Colours as the design gives them: 0x00BBGGRR, or 0x800000nn for system colour nn.
constexpr std::uint32_t NoColor = 0xFFFFFFFFu;
constexpr std::uint32_t BoxColor = 0x00FFFFC0u;     // pale cyan
constexpr std::uint32_t CaptionColor = 0x00004080u; // brown
constexpr std::uint32_t TitleColor = 0x00FF0000u;   // blue
constexpr std::uint32_t MenuColor = 0x80000004u;
constexpr std::uint32_t WindowTextColor = 0x80000008u;

constexpr int Pitch = 240; // twips from one cell or box to the next

// Where the window keeps a control it acts on; index counts the controls of a group.
using Bind = void (*)(MainForm &, QWidget *, int index);

template <typename Member> struct WidgetOf;
template <typename Class, typename Widget> struct WidgetOf<Widget * Class::*>
{
    using type = Widget;
};

template <auto Member> void to(MainForm &form, QWidget *w, int)
{
    form.*Member = static_cast<typename WidgetOf<decltype(Member)>::type *>(w);
}

template <Edge edge, auto Member> void toPanel(MainForm &form, QWidget *w, int)
{
    form.panels[edge].*Member = static_cast<typename WidgetOf<decltype(Member)>::type *>(w);
}

void toCell(MainForm &form, QWidget *w, int index)
{
    form.cells[index / MatrixState::Size][index % MatrixState::Size] = static_cast<CellButton *>(w);
}

void toTopBox(MainForm &form, QWidget *w, int index)
{
    form.topBoxes[index] = static_cast<EdgeBox *>(w);
}

template <Edge edge> void toValueBox(MainForm &form, QWidget *w, int index)
{
    form.valueBoxes[edge][index] = static_cast<ValueBox *>(w);
}

struct Row
{
    Kind kind;
    const char *name;             // object name; for a group of boxes, the prefix of box 0 to 7
    const char *parent;           // the row naming its container; none for the window
    int left, top, width, height; // twips in the container; for a group, its first member
    const char *caption;
    Face face;
    std::uint32_t text;       // colour of the text
    std::uint32_t background; // colour behind it
    const char *spoken;       // what a screen reader calls it; %1 counts the members of a group from 1
    const char *description;
    Bind bind;
};

// The main window, one row per control (or group of like controls). Tab goes
// through the controls that take focus in the order of the rows. Containers
// are built before the rest, in their order here, so that where two controls
// share an edge pixel the later one is drawn over the earlier one.
// clang-format off
const Row Layout[] = {
    {Kind::GridFrame, "Frame1", nullptr, 4200, 1800, 855, 1815, nullptr, Face::Window, WindowTextColor, MenuColor,
     QT_TRANSLATE_NOOP("FrmMain", "Grid, columns 6 to 8"), nullptr, to<&MainForm::gridRight>},
    {Kind::GridFrame, "Frame2", nullptr, 3000, 3480, 2055, 255, nullptr, Face::Window, WindowTextColor, MenuColor,
     QT_TRANSLATE_NOOP("FrmMain", "Grid, row 8"), nullptr, to<&MainForm::gridBottom>},
    {Kind::Cells, "r%1c%2", nullptr, 3000, 1800, 255, 255, nullptr, Face::Window, NoColor, NoColor,
     nullptr, nullptr, toCell},
    // Captions of the panels, drawn below the buttons that share a pixel row with them.
    {Kind::Label, "Label3", nullptr, 3600, 840, 660, 195, "Bits 0-7", Face::Sans825Bold, CaptionColor, NoColor,
     nullptr, nullptr, nullptr},
    {Kind::Label, "Label13", nullptr, 3600, 1080, 855, 195, "LSB-MSB", Face::Sans825Bold, CaptionColor, NoColor,
     nullptr, nullptr, nullptr},
    {Kind::Label, "Label1", nullptr, 1560, 2280, 600, 195, "Bits0-7", Face::Sans825Bold, CaptionColor, NoColor,
     nullptr, nullptr, nullptr},
    {Kind::Label, "Label11", nullptr, 1560, 2520, 855, 195, "LSB-MSB", Face::Sans825Bold, CaptionColor, NoColor,
     nullptr, nullptr, nullptr},
    {Kind::Label, "Label2", nullptr, 5640, 2280, 1335, 195, "Bits 7-0", Face::Sans825Bold, CaptionColor, NoColor,
     nullptr, nullptr, nullptr},
    {Kind::Label, "Label10", nullptr, 5640, 2520, 855, 195, "MSB-LSB", Face::Sans825Bold, CaptionColor, NoColor,
     nullptr, nullptr, nullptr},
    {Kind::Label, "Label4", nullptr, 3600, 4320, 660, 195, "Bits 7-0", Face::Sans825Bold, CaptionColor, NoColor,
     nullptr, nullptr, nullptr},
    {Kind::Label, "Label12", nullptr, 3600, 4560, 855, 195, "MSB-LSB", Face::Sans825Bold, CaptionColor, NoColor,
     nullptr, nullptr, nullptr},
    {Kind::Button, "cmd1", nullptr, 5640, 3840, 735, 255, "&Reset", Face::Serif675, NoColor, NoColor,
     QT_TRANSLATE_NOOP("FrmMain", "Reset the grid"), nullptr, to<&MainForm::reset>},
    {Kind::Panel, "Frame3", nullptr, 5040, 1560, 495, 2175, nullptr, Face::Serif6, NoColor, BoxColor,
     QT_TRANSLATE_NOOP("FrmMain", "Right values"), nullptr, toPanel<MatrixState::Right, &MainForm::Panel::frame>},
    {Kind::ValueBoxes, "tr", "Frame3", 120, 240, 255, 255, nullptr, Face::Window, NoColor, NoColor,
     QT_TRANSLATE_NOOP("FrmMain", "Right value of row %1"), nullptr, toValueBox<MatrixState::Right>},
    {Kind::Button, "cmdhide1", nullptr, 5640, 2760, 735, 255, "Hide", Face::Serif675, NoColor, NoColor,
     nullptr, nullptr, toPanel<MatrixState::Right, &MainForm::Panel::hide>},
    {Kind::Button, "Command1", nullptr, 3600, 360, 735, 255, "Hide", Face::Serif675, NoColor, NoColor,
     nullptr, nullptr, toPanel<MatrixState::Top, &MainForm::Panel::hide>},
    {Kind::Button, "Command2", nullptr, 1560, 2760, 735, 255, "Hide", Face::Serif675, NoColor, NoColor,
     nullptr, nullptr, toPanel<MatrixState::Left, &MainForm::Panel::hide>},
    {Kind::Button, "Command3", nullptr, 3600, 4800, 735, 255, "Hide", Face::Serif675, NoColor, NoColor,
     nullptr, nullptr, toPanel<MatrixState::Bottom, &MainForm::Panel::hide>},
    {Kind::Panel, "Frame4", nullptr, 2640, 1320, 2415, 375, nullptr, Face::Serif6, NoColor, BoxColor,
     QT_TRANSLATE_NOOP("FrmMain", "Top values"), nullptr, toPanel<MatrixState::Top, &MainForm::Panel::frame>},
    {Kind::TopBoxes, "tt", "Frame4", 360, 0, 255, 255, nullptr, Face::Window, NoColor, NoColor,
     QT_TRANSLATE_NOOP("FrmMain", "Top value of column %1"), nullptr, toTopBox},
    {Kind::Panel, "Frame5", nullptr, 2520, 1800, 375, 2055, nullptr, Face::Serif6, NoColor, BoxColor,
     QT_TRANSLATE_NOOP("FrmMain", "Left values"), nullptr, toPanel<MatrixState::Left, &MainForm::Panel::frame>},
    {Kind::ValueBoxes, "tl", "Frame5", 0, 0, 255, 255, nullptr, Face::Window, NoColor, NoColor,
     QT_TRANSLATE_NOOP("FrmMain", "Left value of row %1"), nullptr, toValueBox<MatrixState::Left>},
    {Kind::Panel, "Frame6", nullptr, 3000, 3960, 2055, 375, nullptr, Face::Serif6, NoColor, BoxColor,
     QT_TRANSLATE_NOOP("FrmMain", "Bottom values"), nullptr, toPanel<MatrixState::Bottom, &MainForm::Panel::frame>},
    {Kind::ValueBoxes, "tb", "Frame6", 0, 0, 255, 255, nullptr, Face::Window, NoColor, NoColor,
     QT_TRANSLATE_NOOP("FrmMain", "Bottom value of column %1"), nullptr, toValueBox<MatrixState::Bottom>},
    {Kind::Button, "Command4", nullptr, 1560, 3000, 735, 255, "Copy", Face::Serif675, NoColor, NoColor,
     QT_TRANSLATE_NOOP("FrmMain", "Copy left values to the pane"), nullptr,
     toPanel<MatrixState::Left, &MainForm::Panel::copy>},
    {Kind::Button, "Command5", nullptr, 3600, 600, 735, 255, "Copy", Face::Serif675, NoColor, NoColor,
     QT_TRANSLATE_NOOP("FrmMain", "Copy top values to the pane"), nullptr,
     toPanel<MatrixState::Top, &MainForm::Panel::copy>},
    {Kind::Button, "Command6", nullptr, 3600, 5040, 735, 255, "Copy", Face::Serif675, NoColor, NoColor,
     QT_TRANSLATE_NOOP("FrmMain", "Copy bottom values to the pane"), nullptr,
     toPanel<MatrixState::Bottom, &MainForm::Panel::copy>},
    {Kind::Button, "Command7", nullptr, 5640, 3000, 735, 255, "Copy", Face::Serif675, NoColor, NoColor,
     QT_TRANSLATE_NOOP("FrmMain", "Copy right values to the pane"), nullptr,
     toPanel<MatrixState::Right, &MainForm::Panel::copy>},
    {Kind::Pane, "Text1", nullptr, 0, 3840, 2895, 1815, nullptr, Face::Window, NoColor, NoColor,
     QT_TRANSLATE_NOOP("FrmMain", "Output pane, Copy Output Clipboard"), nullptr, to<&MainForm::pane>},
    {Kind::Button, "Command9", nullptr, 1920, 5760, 735, 255, "Clear", Face::Serif675, NoColor, NoColor,
     QT_TRANSLATE_NOOP("FrmMain", "Clear the pane"), nullptr, to<&MainForm::clearPane>},
    // The caption's trailing blank is not spoken. Exit's red back colour in the
    // design is one the standard button style never draws, so Exit
    // deliberately looks like every other button.
    {Kind::Button, "Command10", nullptr, 5520, 5760, 735, 255, "E&xit ", Face::Serif675, NoColor, NoColor,
     QT_TRANSLATE_NOOP("FrmMain", "Exit"), nullptr, to<&MainForm::exit>},
    {Kind::Button, "Command11", nullptr, 0, 360, 735, 255, "&About", Face::Serif675, NoColor, NoColor,
     QT_TRANSLATE_NOOP("FrmMain", "About ZENTIL"), nullptr, to<&MainForm::about>},
    {Kind::GroupBox, "Frame7", nullptr, 0, 720, 2175, 1455, "Options", Face::Window, NoColor, NoColor,
     nullptr, nullptr, nullptr},
    {Kind::Label, "Label5", "Frame7", 120, 240, 495, 255, "View", Face::Window, NoColor, NoColor,
     nullptr, nullptr, nullptr},
    {Kind::Radio, "Option2(1)", "Frame7", 120, 480, 615, 255, "8x8", Face::Serif675, NoColor, NoColor,
     nullptr, nullptr, to<&MainForm::option8x8>},
    {Kind::Radio, "Option2(0)", "Frame7", 120, 840, 735, 255, "5x7", Face::Serif675, NoColor, NoColor,
     nullptr, nullptr, to<&MainForm::option5x7>},
    {Kind::CentredLabel, "Label7", "Frame7", 960, 240, 735, 255, "Prefix", Face::Window, NoColor, NoColor,
     nullptr, nullptr, nullptr},
    {Kind::List, "List1", "Frame7", 840, 480, 975, 255, nullptr, Face::Sans825, NoColor, NoColor,
     "Prefix", QT_TRANSLATE_NOOP("FrmMain", "Written in front of every listed value"), to<&MainForm::prefixList>},
    // "Delimter" is the design's own spelling, kept as the caption and as the
    // name a screen reader gives the list under it.
    {Kind::CentredLabel, "Label8", "Frame7", 960, 840, 735, 255, "Delimter", Face::Window, NoColor, NoColor,
     nullptr, nullptr, nullptr},
    {Kind::List, "List2", "Frame7", 840, 1080, 975, 255, nullptr, Face::Sans825, NoColor, NoColor,
     "Delimter", QT_TRANSLATE_NOOP("FrmMain", "Written between two listed values"), to<&MainForm::delimiterList>},
    {Kind::Title, "Label6", nullptr, 120, 0, 6345, 240, "ZENTIL %1  -  bit matrix to hex", Face::Sans975Bold,
     TitleColor, NoColor, nullptr, nullptr, nullptr},
    {Kind::CentredLabel, "Label9", nullptr, 480, 3600, 1605, 195, "Copy Output Clipboard", Face::Window, NoColor,
     NoColor, nullptr, nullptr, nullptr},
    {Kind::Button, "Command12", nullptr, 360, 5760, 735, 255, "Copy", Face::Serif675, NoColor, NoColor,
     QT_TRANSLATE_NOOP("FrmMain", "Copy the pane to the clipboard"), nullptr, to<&MainForm::copyPane>},
};
// clang-format on

bool isContainer(Kind kind)
{
    return kind == Kind::GridFrame || kind == Kind::Panel || kind == Kind::GroupBox;
}

QString translated(const char *text)
{
    return QCoreApplication::translate("FrmMain", text);
}

void setColor(QWidget *w, QPalette::ColorRole role, std::uint32_t ole)
{
    if (ole == NoColor)
        return;
    QPalette pal = w->palette();
    pal.setColor(role, OleColor::toQColor(ole, pal));
    w->setPalette(pal);
}

QFont fontOf(Face face, const QWidget *window)
{
    switch (face) {
    case Face::Serif6:
        return Fonts::serif(6);
    case Face::Serif675:
        return Fonts::serif(6.75);
    case Face::Sans825:
        return Fonts::sansSerif(8.25);
    case Face::Sans825Bold:
        return Fonts::sansSerif(8.25, true);
    case Face::Sans975Bold:
        return Fonts::sansSerif(9.75, true);
    case Face::Window:
        break;
    }
    return window->font();
}

QLabel *makeLabel(const QString &caption, QRect r, const QFont &font, Qt::Alignment align, QWidget *parent)
{
    auto *label = new QLabel(caption, parent);
    label->setFont(font);
    label->setAlignment(align);
    // A substitute face may run wider than the design's; grow rather than clip.
    // Measured as the label measures its plain text, in one layout where its
    // size hint takes three.
    const int needed = QFontMetrics(font).boundingRect(QRect(0, 0, 2000, 2000), Qt::AlignLeft, caption).width();
    if (needed > r.width()) {
        if (align & Qt::AlignHCenter)
            r.moveLeft(r.left() - (needed - r.width()) / 2);
        r.setWidth(needed);
    }
    label->setGeometry(r);
    return label;
}

class Builder
{
public:
    Builder(MainForm &form, QWidget *window, const MatrixState &matrix)
        : m_form(form), m_window(window), m_matrix(matrix)
    {}

    void build()
    {
        for (const Row &row : Layout)
            if (isContainer(row.kind))
                m_containers.insert(QLatin1String(row.name), make(row));
        for (const Row &row : Layout)
            if (!isContainer(row.kind))
                make(row);
        QWidget *previous = nullptr;
        for (QWidget *w : qAsConst(m_tabOrder)) {
            if (w->focusPolicy() == Qt::NoFocus)
                continue;
            if (previous)
                QWidget::setTabOrder(previous, w);
            previous = w;
        }
    }

private:
    QWidget *make(const Row &row)
    {
        QWidget *parent = row.parent ? m_containers.value(QLatin1String(row.parent)) : m_window;
        const QRect place = Twips::rect(row.left, row.top, row.width, row.height);
        const QString caption = QString::fromUtf8(row.caption);
        QWidget *w = nullptr;
        switch (row.kind) {
        case Kind::Cells:
            makeCells(row);
            return nullptr;
        case Kind::TopBoxes:
        case Kind::ValueBoxes:
            makeBoxes(row, parent);
            return nullptr;
        case Kind::GridFrame:
        case Kind::Panel: {
            auto *frame = new QFrame(parent);
            frame->setFrameShape(QFrame::NoFrame);
            frame->setGeometry(place);
            if (row.kind == Kind::GridFrame) {
                frame->setAutoFillBackground(true);
                setColor(frame, QPalette::Window, row.background);
            } else {
                // Set once on the panel, before the boxes exist, so they inherit
                // it instead of each relaying out its text for a font change.
                frame->setFont(fontOf(row.face, m_window));
                setColor(frame, QPalette::Base, row.background);
            }
            setColor(frame, QPalette::WindowText, row.text);
            w = frame;
            break;
        }
        case Kind::Label:
        case Kind::CentredLabel:
        case Kind::Title: {
            const Qt::Alignment align =
                row.kind == Kind::CentredLabel ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter;
            const QString text =
                row.kind == Kind::Title ? caption.arg(QCoreApplication::applicationVersion()) : caption;
            w = makeLabel(text, place, fontOf(row.face, m_window), align, parent);
            setColor(w, QPalette::WindowText, row.text);
            break;
        }
        case Kind::Button: {
            auto *button = new QPushButton(caption, parent);
            button->setGeometry(place);
            button->setFont(fontOf(row.face, m_window));
            button->setAutoDefault(false);
            w = button;
            break;
        }
        case Kind::GroupBox:
            w = new QGroupBox(caption, parent);
            w->setGeometry(place);
            break;
        case Kind::Radio:
            w = new QRadioButton(caption, parent);
            w->setGeometry(place);
            w->setFont(fontOf(row.face, m_window));
            break;
        case Kind::List:
            w = new OneLineList(QLatin1String(row.name), parent);
            w->setGeometry(place);
            w->setFont(fontOf(row.face, m_window));
            break;
        case Kind::Pane:
            w = new OutputPane(parent);
            w->setGeometry(place);
            break;
        }
        w->setObjectName(QLatin1String(row.name));
        if (row.spoken)
            w->setAccessibleName(translated(row.spoken));
        if (row.description)
            w->setAccessibleDescription(translated(row.description));
        if (row.bind)
            row.bind(m_form, w, 0);
        m_tabOrder << w;
        return w;
    }

    void makeCells(const Row &row)
    {
        m_form.cellGroup = new QButtonGroup(m_window);
        m_form.cellGroup->setExclusive(false);
        for (int r = 0; r < MatrixState::Size; ++r) {
            for (int c = 0; c < MatrixState::Size; ++c) {
                // Row 7 and columns 5 to 7 stand in the frames that 5x7 hides.
                QWidget *container = m_window;
                QPoint at(row.left + Pitch * c, row.top + Pitch * r);
                if (r == 7) {
                    container = m_form.gridBottom;
                    at = QPoint(Pitch * c, 0);
                } else if (c >= 5) {
                    container = m_form.gridRight;
                    at = QPoint(Pitch * (c - 5), Pitch * r);
                }
                auto *cell = new CellButton(m_matrix, r, c, container);
                cell->setGeometry(Twips::rect(at.x(), at.y(), row.width, row.height));
                const int id = r * MatrixState::Size + c;
                m_form.cellGroup->addButton(cell, id);
                row.bind(m_form, cell, id);
                m_tabOrder << cell;
            }
        }
    }

    void makeBoxes(const Row &row, QWidget *panel)
    {
        // A panel wider than high holds a row of boxes, else a column.
        const QPoint step = panel->width() > panel->height() ? QPoint(Pitch, 0) : QPoint(0, Pitch);
        QList<QWidget *> boxes;
        for (int i = 0; i < MatrixState::Size; ++i) {
            const QString name = QLatin1String(row.name) + QString::number(i);
            // Rows and columns are spoken as a person counts them, from 1.
            const QString spoken = translated(row.spoken).arg(i + 1);
            QWidget *box;
            if (row.kind == Kind::TopBoxes) {
                box = new EdgeBox(name, spoken, panel);
            } else {
                box = new ValueBox(name, spoken, panel);
                box->setEnabled(false);
            }
            const QPoint at = QPoint(row.left, row.top) + step * i;
            box->setGeometry(Twips::rect(at.x(), at.y(), row.width, row.height));
            row.bind(m_form, box, i);
            boxes << box;
        }
        // Tab reaches the top boxes from the right, the last column first.
        if (row.kind == Kind::TopBoxes)
            std::reverse(boxes.begin(), boxes.end());
        m_tabOrder << boxes;
    }

    MainForm &m_form;
    QWidget *m_window;
    const MatrixState &m_matrix;
    QHash<QString, QWidget *> m_containers;
    QList<QWidget *> m_tabOrder;
};

} // namespace

void MainForm::setupUi(QWidget *window, const MatrixState &matrix)
{
    Builder(*this, window, matrix).build();
    // A hide button's spoken name follows its caption, as it changes.
    for (int e = 0; e < MatrixState::EdgeCount; ++e)
        panels[e].hide->setAccessibleName(hideName(static_cast<MatrixState::Edge>(e), true));
    auto *oneLine = new OneLineValidator(window);
    for (EdgeBox *box : topBoxes)
        box->setValidator(oneLine);
}

std::array<QWidget *, 10> MainForm::outsideFiveBySeven() const
{
    const auto &bottom = valueBoxes[MatrixState::Bottom];
    return {topBoxes[5],
            topBoxes[6],
            topBoxes[7],
            bottom[5],
            bottom[6],
            bottom[7],
            valueBoxes[MatrixState::Left][7],
            valueBoxes[MatrixState::Right][7],
            gridRight,
            gridBottom};
}

QString MainForm::hideCaption(bool panelVisible)
{
    return panelVisible ? QStringLiteral("Hide") : QStringLiteral("Unhide");
}

QString MainForm::hideName(MatrixState::Edge edge, bool panelVisible)
{
    static const char *const values[MatrixState::EdgeCount] = {
        QT_TRANSLATE_NOOP("FrmMain", "left values"), QT_TRANSLATE_NOOP("FrmMain", "right values"),
        QT_TRANSLATE_NOOP("FrmMain", "top values"), QT_TRANSLATE_NOOP("FrmMain", "bottom values")};
    return hideCaption(panelVisible) + QLatin1Char(' ') + translated(values[edge]);
}
