#pragma once

#include <QPainterPath>

// The drawings of the scratchpad's and the drop shelf's symbols: the kinds of
// staged items and the actions on them, each filling a 1 × 1 box (looked up
// by name through Symbols::path).
namespace ItemSymbols {

QPainterPath docFill();
QPainterPath photoFill();
QPainterPath link();
QPainterPath textQuote();
QPainterPath docOnDoc();
QPainterPath arrowCounterclockwise();
QPainterPath folderBadgePlus();
QPainterPath safari();
QPainterPath arrowUpRightSquare();
QPainterPath clock();
QPainterPath plusCircleFill();

} // namespace ItemSymbols
