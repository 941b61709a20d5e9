#pragma once
// Mira's own icon set, drawn in code. Actions and the navigation bar refer to
// images by index, as into the image lists `Images` (coloured, shown on hover and
// in menus) and `ColdImages` (the same drawings greyed, the resting look).
#include <QIcon>
#include <QPixmap>

class QPainter;

namespace mira {

// Indexes with a drawing; the others below ImageCount() are transparent.
enum ImageIndex : int {
    ImgBack = 0,
    ImgForward = 1,
    ImgStop = 2,
    ImgRefresh = 3,
    ImgPrint = 9,
    ImgGo = 12,
    ImgOnline = 14,
    ImgOffline = 15,
    ImgCut = 16,
    ImgCopy = 17,
    ImgPaste = 18,
    ImgUndo = 19,
    ImgDelete = 21,
    ImgNew = 22,
    ImgOpen = 23,
    ImgSave = 24,
    ImgPrintPreview = 25,
    ImgProperties = 26,
    ImgFind = 28,
    ImgPrintSetup = 30,
    ImgKey = 33,
};

enum FavImageIndex : int { FavFolder = 0, FavShortcut = 1 };

// Logical edge lengths of the two lists.
inline constexpr int ImageSize = 20;
inline constexpr int FavImageSize = 16;

// Number of entries in `Images` and `ColdImages`.
int ImageCount();

// True when the index has a drawing (not merely a transparent slot).
bool HasImage(int index);

// 20x20 logical pixels at the application's device pixel ratio; transparent for
// an unused index below ImageCount(), null outside the list. Cached.
QPixmap ImagePixmap(int index);
QPixmap ColdImagePixmap(int index);

// Normal mode coloured, Disabled mode cold; null outside the list.
QIcon ImageIcon(int index);

// Cold at rest and disabled, coloured under the mouse: a tool button's look.
QIcon ColdButtonIcon(int index);

// 16x16 entries of `FavImages`: FavFolder, FavShortcut; null for other indexes.
QIcon FavImageIcon(int index);

// Mira's window icon, 16 to 256 pixels.
QIcon ApplicationIcon();

// Renders at any pixel size, for the icon engine and the contact sheet.
QPixmap RenderImage(int index, int pixelSize, bool cold);
QPixmap RenderFavImage(int index, int pixelSize);
QPixmap RenderApplicationIcon(int pixelSize);

// The inactive look of a drawing: desaturated and lightened, alpha kept.
QImage MakeCold(const QImage &image);

} // namespace mira
