#pragma once
// How the web views are drawn. A view composes its page through Qt Quick, which draws
// with OpenGL unless told otherwise. When the engine's GPU is off, the engine already
// renders every page in software and hands over plain images; putting them on screen
// through OpenGL then costs a GL stack for nothing, and on a machine without a GPU
// that stack is itself emulated: a shader compiler and a software rasterizer, over
// 40 MiB of a 16-pane wall's main process. Those views are drawn by Qt Quick's
// software renderer instead. A Qt Quick backend the user chose is left alone.
#include <QByteArray>

namespace mira::platform {

// Whether views should be drawn in software, from the engine's flags (the environment's
// QTWEBENGINE_CHROMIUM_FLAGS; the program takes none on its command line) and the Qt
// Quick backend the environment names (QT_QUICK_BACKEND or QSG_RHI_BACKEND; empty when
// unset).
bool DrawViewsInSoftware(const QByteArray &engineFlags, const QByteArray &chosenBackend);

// The same, read from this process's environment; usable before the application object.
// Then no OpenGL context is needed at all: neither the views nor the window they sit in
// draw through one.
bool DrawViewsInSoftware();

} // namespace mira::platform
