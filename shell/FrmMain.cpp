#include "FrmMain.h"

#include "CellButton.h"
#include "Clipboard.h"
#include "EdgeBox.h"
#include "Fonts.h"
#include "FrmAbout.h"
#include "MessageBox.h"
#include "OleColor.h"
#include "OneLineList.h"
#include "OneLineValidator.h"
#include "OutputPane.h"
#include "Twips.h"
#include "ValueBox.h"
#include "matrix/EdgePanel.h"
#include "matrix/SizeMode.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>

#include <algorithm>

namespace {

constexpr std::uint32_t BoxColor = 0x00FFFFC0u;     // pale cyan
constexpr std::uint32_t CaptionColor = 0x00004080u; // brown
constexpr std::uint32_t TitleColor = 0x00FF0000u;   // blue
constexpr std::uint32_t FrameBackColor = 0x80000004u;
constexpr std::uint32_t FrameTextColor = 0x80000008u;

constexpr int Pitch = 240; // twips from one cell to the next
constexpr int GridLeft = 3000;
constexpr int GridTop = 1800;
constexpr int CellSize = 255;

void setColor(QWidget *w, QPalette::ColorRole role, std::uint32_t ole)
{
    QPalette pal = w->palette();
    pal.setColor(role, OleColor::toQColor(ole, pal));
    w->setPalette(pal);
}

QLabel *addLabel(QWidget *parent, const char *name, const QString &caption, QRect r, const QFont &font,
                 Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
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

// What a panel's buttons act on, for screen readers: the captions alone
// ("Hide", "Copy") do not say which of four panels they belong to.
QString panelValues(MatrixState::Edge edge)
{
    switch (edge) {
    case MatrixState::Left:
        return FrmMain::tr("left values");
    case MatrixState::Right:
        return FrmMain::tr("right values");
    case MatrixState::Top:
        return FrmMain::tr("top values");
    case MatrixState::Bottom:
        break;
    }
    return FrmMain::tr("bottom values");
}

QString hideName(MatrixState::Edge edge, bool panelVisible)
{
    return EdgePanel::hideCaption(panelVisible) + QLatin1Char(' ') + panelValues(edge);
}

QFrame *addFrame(QWidget *parent, const char *name, int left, int top, int width, int height)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    frame->setFrameShape(QFrame::NoFrame);
    frame->setGeometry(Twips::rect(left, top, width, height));
    return frame;
}

} // namespace

FrmMain::FrmMain(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("ZENTIL"));
    // The controls stand at fixed places; never let the window cut them off.
    setMinimumSize(Twips::toPixels(DesignWidth), Twips::toPixels(DesignHeight));

    TabOrder tabs;
    buildGrid(tabs);
    buildEdgePanels(tabs);
    buildButtons(tabs);
    buildOptions(tabs);
    buildOutput(tabs);
    setTabOrderByIndex(tabs);

    reset();
}

FrmMain::~FrmMain()
{
    delete m_about;
}

void FrmMain::buildGrid(TabOrder &tabs)
{
    QFrame *frame1 = addFrame(this, "Frame1", 4200, 1800, 855, 1815);
    QFrame *frame2 = addFrame(this, "Frame2", 3000, 3480, 2055, 255);
    frame1->setAccessibleName(tr("Grid, columns 6 to 8"));
    frame2->setAccessibleName(tr("Grid, row 8"));
    for (QFrame *f : {frame1, frame2}) {
        f->setAutoFillBackground(true);
        setColor(f, QPalette::Window, FrameBackColor);
        setColor(f, QPalette::WindowText, FrameTextColor);
    }
    tabs.emplace_back(37, frame1);
    tabs.emplace_back(52, frame2);

    auto *group = new QButtonGroup(this);
    group->setExclusive(false);
    for (int r = 0; r < MatrixState::Size; ++r) {
        for (int c = 0; c < MatrixState::Size; ++c) {
            QWidget *container = this;
            QPoint at(GridLeft + Pitch * c, GridTop + Pitch * r);
            if (r == 7) {
                container = frame2;
                at = QPoint(Pitch * c, 0);
            } else if (c >= 5) {
                container = frame1;
                at = QPoint(Pitch * (c - 5), Pitch * r);
            }
            auto *cell = new CellButton(m_matrix, r, c, container);
            cell->setGeometry(Twips::rect(at.x(), at.y(), CellSize, CellSize));
            group->addButton(cell, r * MatrixState::Size + c);
            m_cells[r][c] = cell;
            tabs.emplace_back(r * MatrixState::Size + c, cell);
        }
    }
    connect(group, &QButtonGroup::idClicked, this,
            [this](int id) { toggleCell(id / MatrixState::Size, id % MatrixState::Size); });
}

void FrmMain::buildEdgePanels(TabOrder &tabs)
{
    struct PanelPlace
    {
        MatrixState::Edge edge;
        QRect frame;  // twips, in the window
        QPoint first; // first box, twips, in the frame
        QPoint step;
        int firstTab; // tab index of box 0
        int tabStep;
        const char *side;
    };
    const PanelPlace places[] = {
        {MatrixState::Right, {5040, 1560, 495, 2175}, {120, 240}, {0, Pitch}, 70, 1, "Right value of row %1"},
        {MatrixState::Top, {2640, 1320, 2415, 375}, {360, 0}, {Pitch, 0}, 90, -1, "Top value of column %1"},
        {MatrixState::Left, {2520, 1800, 375, 2055}, {0, 0}, {0, Pitch}, 99, -1, "Left value of row %1"},
        {MatrixState::Bottom, {3000, 3960, 2055, 375}, {0, 0}, {Pitch, 0}, 108, -1, "Bottom value of column %1"},
    };
    const QFont boxFont = Fonts::serif(6);
    const int frameTabs[] = {69, 82, 91, 100};
    auto *oneLine = new OneLineValidator(this);
    int n = 0;
    for (const PanelPlace &place : places) {
        const EdgePanel &panel = EdgePanel::forEdge(place.edge);
        QFrame *frame =
            addFrame(this, panel.frame, place.frame.x(), place.frame.y(), place.frame.width(), place.frame.height());
        QString values = panelValues(place.edge);
        values[0] = values.at(0).toUpper();
        frame->setAccessibleName(values);
        tabs.emplace_back(frameTabs[n++], frame);
        // Set once on the panel, before the boxes exist, so they inherit it
        // instead of each relaying out its text for a font change.
        frame->setFont(boxFont);
        setColor(frame, QPalette::Base, BoxColor);
        for (int i = 0; i < MatrixState::Size; ++i) {
            // Rows and columns are spoken as a person counts them, from 1.
            const QString spoken = tr(place.side).arg(i + 1);
            const QPoint at = place.first + place.step * i;
            QWidget *box;
            if (place.edge == MatrixState::Top) {
                auto *top = new EdgeBox(panel.boxName(i), spoken, frame);
                top->setValidator(oneLine);
                connect(top, &EdgeBox::doubleClicked, this, [this, i] { enterColumn(i); });
                m_topBoxes[i] = top;
                box = top;
            } else {
                auto *value = new ValueBox(panel.boxName(i), spoken, frame);
                value->setEnabled(false);
                m_valueBoxes[place.edge][i] = value;
                box = value;
            }
            box->setGeometry(Twips::rect(at.x(), at.y(), CellSize, CellSize));
            tabs.emplace_back(place.firstTab + place.tabStep * i, box);
        }
    }

    const QFont captionFont = Fonts::sansSerif(8.25, true);
    struct Caption
    {
        const char *name;
        const char *text;
        QRect r;
    };
    const Caption captions[] = {
        {"Label3", "Bits 0-7", {3600, 840, 660, 195}},   {"Label13", "LSB-MSB", {3600, 1080, 855, 195}},
        {"Label1", "Bits0-7", {1560, 2280, 600, 195}},   {"Label11", "LSB-MSB", {1560, 2520, 855, 195}},
        {"Label2", "Bits 7-0", {5640, 2280, 1335, 195}}, {"Label10", "MSB-LSB", {5640, 2520, 855, 195}},
        {"Label4", "Bits 7-0", {3600, 4320, 660, 195}},  {"Label12", "MSB-LSB", {3600, 4560, 855, 195}},
    };
    for (const Caption &c : captions) {
        QLabel *label = addLabel(this, c.name, QLatin1String(c.text),
                                 Twips::rect(c.r.x(), c.r.y(), c.r.width(), c.r.height()), captionFont);
        setColor(label, QPalette::WindowText, CaptionColor);
    }
}

QPushButton *FrmMain::addButton(TabOrder &tabs, const char *name, const QString &caption, int left, int top, int tab)
{
    auto *button = new QPushButton(caption, this);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(Twips::rect(left, top, 735, 255));
    button->setFont(Fonts::serif(6.75));
    button->setAutoDefault(false);
    tabs.emplace_back(tab, button);
    return button;
}

void FrmMain::buildButtons(TabOrder &tabs)
{
    QPushButton *about = addButton(tabs, "Command11", QStringLiteral("&About"), 0, 360, 119);
    about->setAccessibleName(tr("About ZENTIL"));
    connect(about, &QPushButton::clicked, this, &FrmMain::showAbout);

    struct PanelButtons
    {
        MatrixState::Edge edge;
        QPoint hide; // Copy stands one button below Hide
        int hideTab;
        int copyTab;
    };
    const PanelButtons panelButtons[] = {
        {MatrixState::Top, {3600, 360}, 79, 112},
        {MatrixState::Left, {1560, 2760}, 80, 111},
        {MatrixState::Right, {5640, 2760}, 78, 114},
        {MatrixState::Bottom, {3600, 4800}, 81, 113},
    };
    for (const PanelButtons &b : panelButtons) {
        const EdgePanel &panel = EdgePanel::forEdge(b.edge);
        QPushButton *hide =
            addButton(tabs, panel.hideButton, EdgePanel::hideCaption(true), b.hide.x(), b.hide.y(), b.hideTab);
        hide->setAccessibleName(hideName(b.edge, true));
        connect(hide, &QPushButton::clicked, this, [this, &panel] { togglePanel(panel); });
        QPushButton *copy =
            addButton(tabs, panel.copyButton, QStringLiteral("Copy"), b.hide.x(), b.hide.y() + 240, b.copyTab);
        copy->setAccessibleName(tr("Copy %1 to the pane").arg(panelValues(b.edge)));
        connect(copy, &QPushButton::clicked, this, [this, edge = b.edge] { listEdgeSet(edge); });
    }

    QPushButton *resetButton = addButton(tabs, "cmd1", QStringLiteral("&Reset"), 5640, 3840, 68);
    resetButton->setAccessibleName(tr("Reset the grid"));
    connect(resetButton, &QPushButton::clicked, this, &FrmMain::reset);
    QPushButton *copyPaneButton = addButton(tabs, "Command12", QStringLiteral("Copy"), 360, 5760, 129);
    copyPaneButton->setAccessibleName(tr("Copy the pane to the clipboard"));
    connect(copyPaneButton, &QPushButton::clicked, this, &FrmMain::copyPane);
    QPushButton *clearButton = addButton(tabs, "Command9", QStringLiteral("Clear"), 1920, 5760, 116);
    clearButton->setAccessibleName(tr("Clear the pane"));
    connect(clearButton, &QPushButton::clicked, this, &FrmMain::clearPane);
    QPushButton *exitButton = addButton(tabs, "Command10", QStringLiteral("E&xit "), 5520, 5760, 117);
    exitButton->setAccessibleName(tr("Exit")); // the caption's trailing blank is not spoken
    // Exit's red back colour in the design is one the standard button style
    // never draws, so Exit deliberately looks like every other button.
    connect(exitButton, &QPushButton::clicked, this, &FrmMain::exitProgram);
}

void FrmMain::buildOptions(TabOrder &tabs)
{
    auto *frame7 = new QGroupBox(QStringLiteral("Options"), this);
    frame7->setObjectName(QStringLiteral("Frame7"));
    frame7->setGeometry(Twips::rect(0, 720, 2175, 1455));
    tabs.emplace_back(120, frame7);

    const QFont optionFont = Fonts::serif(6.75);
    addLabel(frame7, "Label5", QStringLiteral("View"), Twips::rect(120, 240, 495, 255), font());

    auto *option8x8 = new QRadioButton(QStringLiteral("8x8"), frame7);
    option8x8->setObjectName(QStringLiteral("Option2(1)"));
    option8x8->setGeometry(Twips::rect(120, 480, 615, 255));
    m_option5x7 = new QRadioButton(QStringLiteral("5x7"), frame7);
    m_option5x7->setObjectName(QStringLiteral("Option2(0)"));
    m_option5x7->setGeometry(Twips::rect(120, 840, 735, 255));
    for (QRadioButton *option : {option8x8, m_option5x7}) {
        option->setFont(optionFont);
        connect(option, &QRadioButton::clicked, this, &FrmMain::applySizeMode);
    }
    option8x8->setChecked(true);
    tabs.emplace_back(121, option8x8);
    tabs.emplace_back(122, m_option5x7);

    addLabel(frame7, "Label7", QStringLiteral("Prefix"), Twips::rect(960, 240, 735, 255), font(), Qt::AlignCenter);
    m_prefixList = new OneLineList(QStringLiteral("List1"), frame7);
    m_prefixList->setGeometry(Twips::rect(840, 480, 975, 255));
    addLabel(frame7, "Label8", QStringLiteral("Delimter"), Twips::rect(960, 840, 735, 255), font(), Qt::AlignCenter);
    m_delimiterList = new OneLineList(QStringLiteral("List2"), frame7);
    // Named by the captions above them, as shown.
    m_prefixList->setAccessibleName(QStringLiteral("Prefix"));
    m_prefixList->setAccessibleDescription(tr("Written in front of every listed value"));
    m_delimiterList->setAccessibleName(QStringLiteral("Delimter"));
    m_delimiterList->setAccessibleDescription(tr("Written between two listed values"));
    m_delimiterList->setGeometry(Twips::rect(840, 1080, 975, 255));
    for (OneLineList *list : {m_prefixList, m_delimiterList})
        list->setFont(Fonts::sansSerif(8.25));
    tabs.emplace_back(124, m_prefixList);
    tabs.emplace_back(126, m_delimiterList);
}

void FrmMain::buildOutput(TabOrder &tabs)
{
    QLabel *title = addLabel(
        this, "Label6", QStringLiteral("ZENTIL %1  -  bit matrix to hex").arg(QCoreApplication::applicationVersion()),
        Twips::rect(120, 0, 6345, 240), Fonts::sansSerif(9.75, true));
    setColor(title, QPalette::WindowText, TitleColor);
    addLabel(this, "Label9", QStringLiteral("Copy Output Clipboard"), Twips::rect(480, 3600, 1605, 195), font(),
             Qt::AlignCenter);

    m_pane = new OutputPane(this);
    m_pane->setAccessibleName(tr("Output pane, Copy Output Clipboard"));
    m_pane->setGeometry(Twips::rect(0, 3840, 2895, 1815));
    tabs.emplace_back(115, m_pane);
}

void FrmMain::setTabOrderByIndex(TabOrder &tabs)
{
    std::stable_sort(tabs.begin(), tabs.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    QWidget *previous = nullptr;
    for (const auto &entry : tabs) {
        if (entry.second->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            setTabOrder(previous, entry.second);
        previous = entry.second;
    }
}

void FrmMain::load()
{
    m_placement.restore(this);
    m_prefixList->addItems(Notation::prefixEntries());
    m_delimiterList->addItems(Notation::delimiterEntries());
    m_notation = Notation();
}

void FrmMain::reset()
{
    m_matrix.reset();
    for (int r = 0; r < MatrixState::Size; ++r)
        for (int c = 0; c < MatrixState::Size; ++c)
            m_cells[r][c]->refresh();
    for (int e = 0; e < MatrixState::EdgeCount; ++e)
        for (int i = 0; i < MatrixState::Size; ++i)
            setBoxText(static_cast<MatrixState::Edge>(e), i);
}

void FrmMain::getformat()
{
    m_notation.getformat(m_prefixList->selectedIndex(), m_delimiterList->selectedIndex());
}

void FrmMain::toggleCell(int row, int col)
{
    if (m_matrix.toggleCell(row, col) == MatrixState::ToggleResult::OutOfRange) {
        MessageBox::show(this, tr("This click would take an edge value out of range (-32768 to 32767), so the cell "
                                  "was left as it was.\nPress Reset to clear the values."));
        return;
    }
    m_cells[row][col]->refresh();
    refreshBoxes(row, col);
}

void FrmMain::refreshBoxes(int row, int col)
{
    for (int e = 0; e < MatrixState::EdgeCount; ++e) {
        const auto edge = static_cast<MatrixState::Edge>(e);
        const int index = MatrixState::indexOf(edge, row, col);
        setBoxText(edge, index);
    }
}

QString FrmMain::boxText(MatrixState::Edge edge, int index) const
{
    return edge == MatrixState::Top ? m_topBoxes[index]->text() : m_valueBoxes[edge][index]->text();
}

void FrmMain::setBoxText(MatrixState::Edge edge, int index)
{
    const QString text = m_matrix.valueText(edge, index);
    if (edge == MatrixState::Top)
        m_topBoxes[index]->setText(text);
    else
        m_valueBoxes[edge][index]->setText(text);
}

void FrmMain::enterColumn(int col)
{
    m_matrix.enterColumn(col, m_topBoxes[col]->text());
    for (int r = 0; r < MatrixState::Size; ++r)
        m_cells[r][col]->refresh();
}

bool FrmMain::isFiveBySeven() const
{
    return m_option5x7->isChecked();
}

void FrmMain::applySizeMode()
{
    const bool visible = !isFiveBySeven();
    for (const QString &name : SizeMode::controlsOutside5x7())
        findChild<QWidget *>(name)->setVisible(visible);
}

void FrmMain::togglePanel(const EdgePanel &panel)
{
    auto *frame = findChild<QWidget *>(QLatin1String(panel.frame));
    auto *button = findChild<QPushButton *>(QLatin1String(panel.hideButton));
    const bool nowVisible = frame->isHidden();
    frame->setVisible(nowVisible);
    button->setText(EdgePanel::hideCaption(nowVisible));
    button->setAccessibleName(hideName(panel.edge, nowVisible));
}

void FrmMain::listEdgeSet(MatrixState::Edge edge)
{
    getformat();
    QStringList values;
    for (int i = 0; i < MatrixState::Size; ++i)
        values << boxText(edge, i);
    m_pane->appendListing(m_notation.line(values, SizeMode::valueCount(edge, isFiveBySeven())));
}

void FrmMain::copyPane()
{
    // The answer comes a moment later, with the window in use meanwhile: a
    // second press before it starts no second copy, and a window closed by
    // then is not told.
    if (m_copying)
        return;
    m_copying = true;
    Clipboard::write(m_pane->paneText(), this, [this](bool written) {
        m_copying = false;
        if (!isVisible())
            return;
        if (written)
            MessageBox::show(this, QStringLiteral("Cliboard now has the text"));
        else
            MessageBox::show(this, tr("The clipboard could not be written; it does not hold the text."));
    });
}

void FrmMain::clearPane()
{
    if (MessageBox::show(this, QStringLiteral("Are you sure?"), QStringLiteral("Clear"), MessageBox::YesNo,
                         MessageBox::Yes) == MessageBox::Yes)
        m_pane->clear();
}

void FrmMain::showAbout()
{
    if (!m_about) {
        m_about = new FrmAbout();
        m_about->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void FrmMain::exitProgram()
{
    // Ends at once: no window gets a close event, so no placement is saved.
    QCoreApplication::exit(0);
}

bool FrmMain::event(QEvent *event)
{
    // The restored size is the outer size, frame included, and the frame is
    // only known once the window has been framed.
    m_placement.windowEvent(this, event->type());
    return QWidget::event(event);
}

void FrmMain::closeEvent(QCloseEvent *event)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows)
        if (w != this && w->isWindow())
            w->close();
    delete m_about;
    if (!isMinimized())
        m_placement.save(this);
    event->accept();
}

FrmAbout *FrmMain::about() const
{
    return m_about;
}
