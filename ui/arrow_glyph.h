#pragma once

#include <QColor>
#include <QIcon>

namespace kerbwise::ui {

// The arrow button's glyph: a long arrow with a shaft, pointing down from
// the pasted list to the normalised list below. A tool button's own arrow
// is a small triangle that reads as a drop-down.
QIcon LongDownArrow(const QColor& colour);

// The glyph's size in device-independent pixels.
inline constexpr int kArrowGlyphWidth = 14;
inline constexpr int kArrowGlyphHeight = 40;

}  // namespace kerbwise::ui
