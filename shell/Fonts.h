#pragma once

#include <QFont>

// The design names two old bitmap faces at sizes meant for 96 dpi. Where they
// are missing, faces of similar width stand in, sized in pixels so the fixed
// layout holds on any screen.
namespace Fonts {

QFont serif(qreal points);
QFont sansSerif(qreal points, bool bold = false);

} // namespace Fonts
