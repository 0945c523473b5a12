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
#include <utility>
#include <vector>

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

using TopBoxRow = std::array<EdgeBox *, MatrixState::Size>;
using ValueBoxRow = std::array<ValueBox *, MatrixState::Size>;
using CellGrid = std::array<std::array<CellButton *, MatrixState::Size>, MatrixState::Size>;

// One control, or a group of like controls, said field by field:
//     button("cmd1").at(5640, 3840, 735, 255).caption("&Reset").into(form.reset)
// Each kind starts from the face and colours all of its controls share;
// into() names the member of MainForm that keeps the control.
struct Row
{
    Row(Kind kind, const char *name, Face face = Face::Window) : kind(kind), name(name), face(face) {}

    // Twips in the container; for a group, its first member.
    Row &at(int x, int y, int w, int h)
    {
        left = x;
        top = y;
        width = w;
        height = h;
        return *this;
    }
    // The row that names the container; without it, the window.
    Row &in(const char *container)
    {
        parent = container;
        return *this;
    }
    Row &caption(const char *text)
    {
        captionText = text;
        return *this;
    }
    Row &font(Face f)
    {
        face = f;
        return *this;
    }
    Row &textColor(std::uint32_t ole)
    {
        text = ole;
        return *this;
    }
    // What a screen reader calls it; for a group, %1 counts its members from 1.
    Row &spoken(const char *name)
    {
        spokenName = name;
        return *this;
    }
    Row &description(const char *text)
    {
        descriptionText = text;
        return *this;
    }

    Row &into(QFrame *&member)
    {
        frame = &member;
        return *this;
    }
    Row &into(QPushButton *&member)
    {
        button = &member;
        return *this;
    }
    Row &into(QRadioButton *&member)
    {
        radio = &member;
        return *this;
    }
    Row &into(OneLineList *&member)
    {
        list = &member;
        return *this;
    }
    Row &into(OutputPane *&member)
    {
        pane = &member;
        return *this;
    }
    Row &into(CellGrid &member)
    {
        cells = &member;
        return *this;
    }
    Row &into(TopBoxRow &member)
    {
        topBoxes = &member;
        return *this;
    }
    Row &into(ValueBoxRow &member)
    {
        valueBoxes = &member;
        return *this;
    }

    Kind kind;
    const char *name; // object name; for a group of boxes, the prefix of box 0 to 7
    Face face;
    const char *parent = nullptr;
    int left = 0, top = 0, width = 0, height = 0;
    const char *captionText = nullptr;
    std::uint32_t text = NoColor;       // colour of the text
    std::uint32_t background = NoColor; // colour behind it
    const char *spokenName = nullptr;
    const char *descriptionText = nullptr;

    // Where the window keeps it; at most one is set, of the kind's own type.
    QFrame **frame = nullptr;
    QPushButton **button = nullptr;
    QRadioButton **radio = nullptr;
    OneLineList **list = nullptr;
    OutputPane **pane = nullptr;
    CellGrid *cells = nullptr;
    TopBoxRow *topBoxes = nullptr;
    ValueBoxRow *valueBoxes = nullptr;
};

Row gridFrame(const char *name)
{
    Row row(Kind::GridFrame, name);
    row.text = WindowTextColor;
    row.background = MenuColor;
    return row;
}
// Its boxes inherit its font and colour.
Row panel(const char *name)
{
    Row row(Kind::Panel, name, Face::Serif6);
    row.background = BoxColor;
    return row;
}
Row cells(const char *name)
{
    return Row(Kind::Cells, name);
}
Row topBoxes(const char *prefix)
{
    return Row(Kind::TopBoxes, prefix);
}
Row valueBoxes(const char *prefix)
{
    return Row(Kind::ValueBoxes, prefix);
}
Row label(const char *name)
{
    return Row(Kind::Label, name);
}
Row centredLabel(const char *name)
{
    return Row(Kind::CentredLabel, name);
}
Row panelCaption(const char *name)
{
    return label(name).font(Face::Sans825Bold).textColor(CaptionColor);
}
Row title(const char *name)
{
    return Row(Kind::Title, name);
}
Row button(const char *name)
{
    return Row(Kind::Button, name, Face::Serif675);
}
Row groupBox(const char *name)
{
    return Row(Kind::GroupBox, name);
}
Row radio(const char *name)
{
    return Row(Kind::Radio, name, Face::Serif675);
}
Row list(const char *name)
{
    return Row(Kind::List, name, Face::Sans825);
}
Row pane(const char *name)
{
    return Row(Kind::Pane, name);
}

// Marks the spoken names and descriptions for translation.
#define N(text) QT_TRANSLATE_NOOP("FrmMain", text)

// The main window, one row per control (or group of like controls). Tab goes
// through the controls that take focus in the order of the rows. Containers
// are built before the rest, in their order here, so that where two controls
// share an edge pixel the later one is drawn over the earlier one.
std::vector<Row> layout(MainForm &form)
{
    using E = MatrixState::Edge;
    MainForm::Panel &left = form.panels[E::Left], &right = form.panels[E::Right];
    MainForm::Panel &top = form.panels[E::Top], &bottom = form.panels[E::Bottom];
    // clang-format off
    return {
        gridFrame("Frame1").at(4200, 1800, 855, 1815).spoken(N("Grid, columns 6 to 8")).into(form.gridRight),
        gridFrame("Frame2").at(3000, 3480, 2055, 255).spoken(N("Grid, row 8")).into(form.gridBottom),
        cells("r%1c%2").at(3000, 1800, 255, 255).into(form.cells),
        // Captions of the panels, drawn below the buttons that share a pixel row with them.
        panelCaption("Label3").at(3600, 840, 660, 195).caption("Bits 0-7"),
        panelCaption("Label13").at(3600, 1080, 855, 195).caption("LSB-MSB"),
        panelCaption("Label1").at(1560, 2280, 600, 195).caption("Bits0-7"),
        panelCaption("Label11").at(1560, 2520, 855, 195).caption("LSB-MSB"),
        panelCaption("Label2").at(5640, 2280, 1335, 195).caption("Bits 7-0"),
        panelCaption("Label10").at(5640, 2520, 855, 195).caption("MSB-LSB"),
        panelCaption("Label4").at(3600, 4320, 660, 195).caption("Bits 7-0"),
        panelCaption("Label12").at(3600, 4560, 855, 195).caption("MSB-LSB"),
        button("cmd1").at(5640, 3840, 735, 255).caption("&Reset").spoken(N("Reset the grid")).into(form.reset),
        panel("Frame3").at(5040, 1560, 495, 2175).spoken(N("Right values")).into(right.frame),
        valueBoxes("tr").in("Frame3").at(120, 240, 255, 255).spoken(N("Right value of row %1"))
            .into(form.valueBoxes[E::Right]),
        button("cmdhide1").at(5640, 2760, 735, 255).caption("Hide").into(right.hide),
        button("Command1").at(3600, 360, 735, 255).caption("Hide").into(top.hide),
        button("Command2").at(1560, 2760, 735, 255).caption("Hide").into(left.hide),
        button("Command3").at(3600, 4800, 735, 255).caption("Hide").into(bottom.hide),
        panel("Frame4").at(2640, 1320, 2415, 375).spoken(N("Top values")).into(top.frame),
        topBoxes("tt").in("Frame4").at(360, 0, 255, 255).spoken(N("Top value of column %1")).into(form.topBoxes),
        panel("Frame5").at(2520, 1800, 375, 2055).spoken(N("Left values")).into(left.frame),
        valueBoxes("tl").in("Frame5").at(0, 0, 255, 255).spoken(N("Left value of row %1"))
            .into(form.valueBoxes[E::Left]),
        panel("Frame6").at(3000, 3960, 2055, 375).spoken(N("Bottom values")).into(bottom.frame),
        valueBoxes("tb").in("Frame6").at(0, 0, 255, 255).spoken(N("Bottom value of column %1"))
            .into(form.valueBoxes[E::Bottom]),
        button("Command4").at(1560, 3000, 735, 255).caption("Copy").spoken(N("Copy left values to the pane"))
            .into(left.copy),
        button("Command5").at(3600, 600, 735, 255).caption("Copy").spoken(N("Copy top values to the pane"))
            .into(top.copy),
        button("Command6").at(3600, 5040, 735, 255).caption("Copy").spoken(N("Copy bottom values to the pane"))
            .into(bottom.copy),
        button("Command7").at(5640, 3000, 735, 255).caption("Copy").spoken(N("Copy right values to the pane"))
            .into(right.copy),
        pane("Text1").at(0, 3840, 2895, 1815).spoken(N("Output pane, Copy Output Clipboard")).into(form.pane),
        button("Command9").at(1920, 5760, 735, 255).caption("Clear").spoken(N("Clear the pane")).into(form.clearPane),
        // The caption's trailing blank is not spoken. Exit's red back colour in the
        // design is one the standard button style never draws, so Exit
        // deliberately looks like every other button.
        button("Command10").at(5520, 5760, 735, 255).caption("E&xit ").spoken(N("Exit")).into(form.exit),
        button("Command11").at(0, 360, 735, 255).caption("&About").spoken(N("About ZENTIL")).into(form.about),
        groupBox("Frame7").at(0, 720, 2175, 1455).caption("Options"),
        label("Label5").in("Frame7").at(120, 240, 495, 255).caption("View"),
        radio("Option2(1)").in("Frame7").at(120, 480, 615, 255).caption("8x8").into(form.option8x8),
        radio("Option2(0)").in("Frame7").at(120, 840, 735, 255).caption("5x7").into(form.option5x7),
        centredLabel("Label7").in("Frame7").at(960, 240, 735, 255).caption("Prefix"),
        list("List1").in("Frame7").at(840, 480, 975, 255).spoken("Prefix")
            .description(N("Written in front of every listed value")).into(form.prefixList),
        // "Delimter" is the design's own spelling, kept as the caption and as the
        // name a screen reader gives the list under it.
        centredLabel("Label8").in("Frame7").at(960, 840, 735, 255).caption("Delimter"),
        list("List2").in("Frame7").at(840, 1080, 975, 255).spoken("Delimter")
            .description(N("Written between two listed values")).into(form.delimiterList),
        title("Label6").at(120, 0, 6345, 240).caption("ZENTIL %1  -  bit matrix to hex").font(Face::Sans975Bold)
            .textColor(TitleColor),
        centredLabel("Label9").at(480, 3600, 1605, 195).caption("Copy Output Clipboard"),
        button("Command12").at(360, 5760, 735, 255).caption("Copy").spoken(N("Copy the pane to the clipboard"))
            .into(form.copyPane),
    };
    // clang-format on
}

#undef N

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
        const std::vector<Row> rows = layout(m_form);
        for (const Row &row : rows)
            if (isContainer(row.kind))
                m_containers.insert(QLatin1String(row.name), make(row));
        for (const Row &row : rows)
            if (!isContainer(row.kind))
                make(row);
        QWidget *previous = nullptr;
        for (QWidget *w : std::as_const(m_tabOrder)) {
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
        const QString caption = QString::fromUtf8(row.captionText);
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
            if (row.frame)
                *row.frame = frame;
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
            if (row.button)
                *row.button = button;
            w = button;
            break;
        }
        case Kind::GroupBox:
            w = new QGroupBox(caption, parent);
            w->setGeometry(place);
            break;
        case Kind::Radio: {
            auto *radio = new QRadioButton(caption, parent);
            radio->setGeometry(place);
            radio->setFont(fontOf(row.face, m_window));
            *row.radio = radio;
            w = radio;
            break;
        }
        case Kind::List: {
            auto *list = new OneLineList(QLatin1String(row.name), parent);
            list->setGeometry(place);
            list->setFont(fontOf(row.face, m_window));
            *row.list = list;
            w = list;
            break;
        }
        case Kind::Pane:
            *row.pane = new OutputPane(parent);
            w = *row.pane;
            w->setGeometry(place);
            break;
        }
        w->setObjectName(QLatin1String(row.name));
        if (row.spokenName)
            w->setAccessibleName(translated(row.spokenName));
        if (row.descriptionText)
            w->setAccessibleDescription(translated(row.descriptionText));
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
                m_form.cellGroup->addButton(cell, r * MatrixState::Size + c);
                (*row.cells)[r][c] = cell;
                cell->setGrid(row.cells);
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
            const QString spoken = translated(row.spokenName).arg(i + 1);
            QWidget *box;
            if (row.kind == Kind::TopBoxes) {
                box = (*row.topBoxes)[i] = new EdgeBox(name, spoken, panel);
            } else {
                box = (*row.valueBoxes)[i] = new ValueBox(name, spoken, panel);
                box->setEnabled(false);
            }
            const QPoint at = QPoint(row.left, row.top) + step * i;
            box->setGeometry(Twips::rect(at.x(), at.y(), row.width, row.height));
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
    return hideCaption(panelVisible) + QLatin1Char(' ') +
           QCoreApplication::translate("FrmMain", "%1 values").arg(MatrixState::edgeName(edge));
}
