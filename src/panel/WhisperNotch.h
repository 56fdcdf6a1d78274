#pragma once

#include "state/LayoutEnums.h"

#include <QPainterPath>
#include <QRectF>
#include <QString>

// The notch's look, in its 20 × 56 window (Qt coordinates, y down): a pill
// against the screen edge, square there and rounded towards the screen, that
// grows when the pointer rests on it (or a drag hovers) and then shows a
// symbol instead of its accent line.
namespace WhisperNotch {

inline constexpr double cornerRadius = 5.5;
inline constexpr double fadeSeconds = 0.2;
// The spring that grows and shrinks the pill.
inline constexpr double springResponse = 0.24;
inline constexpr double springDamping = 0.72;

// Fully there only while the panel is hidden and the indicator is on; it
// takes clicks and drops only then.
bool isShown(bool isPanelVisible, bool showEdgeIndicator);

// `growth` runs from 0 (at rest) to 1 (hovered); a spring passes 1 a little.
QRectF pillRect(double growth, ScreenDockEdge edge);
QPainterPath pillPath(const QRectF &pill, ScreenDockEdge edge);
// The thin line the pill carries at rest, on its side facing the screen.
QRectF accentLine(const QRectF &pill, ScreenDockEdge edge);
// Pointing into the screen, where the panel will appear; while a drag
// hovers, the drop symbol instead.
QString symbolName(ScreenDockEdge edge, bool targetedForDrop);

// The spring's progress from 0 towards 1 after `seconds`; it overshoots a little.
double springProgress(double seconds);
// When the spring has come to rest for the eye.
inline constexpr double springSettleSeconds = 0.45;

} // namespace WhisperNotch
