#pragma once

#include "MatrixState.h"

#include <QString>

#include <array>

// The four panels of edge-value boxes around the grid, each with the button
// that hides it and the button that lists it.
struct EdgePanel
{
    MatrixState::Edge edge;
    const char *frame;      // container of the eight boxes
    const char *hideButton; // toggles the frame
    const char *copyButton; // lists the eight values
    const char *boxPrefix;  // boxes are <prefix>0 .. <prefix>7

    QString boxName(int index) const { return QLatin1String(boxPrefix) + QString::number(index); }

    // The caption follows the frame's visibility, never the other way round.
    static QString hideCaption(bool panelVisible)
    {
        return panelVisible ? QStringLiteral("Hide") : QStringLiteral("Unhide");
    }

    static const std::array<EdgePanel, 4> &all()
    {
        static const std::array<EdgePanel, 4> panels{{
            {MatrixState::Right, "Frame3", "cmdhide1", "Command7", "tr"},
            {MatrixState::Top, "Frame4", "Command1", "Command5", "tt"},
            {MatrixState::Left, "Frame5", "Command2", "Command4", "tl"},
            {MatrixState::Bottom, "Frame6", "Command3", "Command6", "tb"},
        }};
        return panels;
    }

    static const EdgePanel &forEdge(MatrixState::Edge edge)
    {
        for (const EdgePanel &p : all())
            if (p.edge == edge)
                return p;
        return all().front();
    }
};
