#pragma once
// The about box's two pictures, drawn in code.
#include <QPixmap>

namespace mira {

// A designed window in soft colours: blocks, a splitter, a tabbed book and panes.
QPixmap AboutBackgroundPicture(int width, int height);

// The program's monogram in a ring.
QPixmap AboutAuthorPicture(int size);

} // namespace mira
