#pragma once

#include <QPainterPath>

// The drawings of the panel's control symbols, each filling a 1 × 1 box
// (looked up by name through Symbols::path).
namespace ControlSymbols {

QPainterPath pin();
QPainterPath pinFill();
QPainterPath snowflake();
QPainterPath chevronRight();
QPainterPath chevronLeft();
QPainterPath arrowClockwise();
QPainterPath lockFill();
QPainterPath lockOpenFill();
QPainterPath sidebarRight();
QPainterPath plus();
QPainterPath magnifyingGlass();
QPainterPath equalCircleFill();
QPainterPath xmarkCircleFill();
QPainterPath compassFill();
QPainterPath trayArrowDownFill();
QPainterPath pinSlashFill();
QPainterPath globe();
QPainterPath threeLines();
QPainterPath checkmark();
QPainterPath chevronDown();
QPainterPath chevronUp();
QPainterPath viewfinder();
QPainterPath textAlignLeft();
QPainterPath wrenchFill();

} // namespace ControlSymbols
