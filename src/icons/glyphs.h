#pragma once
// The drawings of Mira's icon set, on a grid of ImageSize (the image list),
// FavImageSize (Favorites) or 32 units (the application mark); the caller scales
// the painter to the pixel size and keeps the pixmaps.
class QPainter;

namespace mira::glyphs {

using Drawing = void (*)(QPainter &);

// The drawing for an index of `Images`; null for a transparent slot or outside.
Drawing DrawingFor(int index);

void DrawFavFolder(QPainter &p);
void DrawFavShortcut(QPainter &p);

// The smallest sizes drop the details that would turn to mush.
void DrawApplication(QPainter &p, int pixelSize);

} // namespace mira::glyphs
