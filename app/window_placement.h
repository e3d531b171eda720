#pragma once
// Where the main window opens. Closed once, it opens again at the size,
// position and zoom it had (Qt's saved geometry and the zoom, kept in the
// program's profile). On the first start it is as tall as the screen and as
// wide as the sheet at the zoom that makes the sheet's smallest figures
// kMinFigurePx high on that screen.

#include "settings/settings_store.h"

class QMainWindow;

namespace vosk {

class CVoskView;

inline constexpr int kMinFigurePx = 11;

// The height in pixels of the figures ("0123456789", the rows of their ink
// darker than mid-grey) of sheet font `font` on a surface of `dpi`, drawn as
// the view draws them.
int FigureHeightPx(const SheetFont& font, int dpi);

// The smallest zoom in percent, 100 or more, at which the figures of every
// font of the sheet are kMinFigurePx high on a screen of `logicalDpi`.
int ReadableZoom(const SettingsStore& settings, int logicalDpi);

// Keeps the window's geometry and the view's zoom in the profile.
void SaveWindowPlacement(const QMainWindow& window, int zoom);

// Before the window shows: the geometry kept, and the zoom it had; 0 on the
// first start (nothing kept), the window then left as it is.
int RestoreWindowPlacement(QMainWindow& window);

// After the window shows on the first start: the readable zoom, and the
// window as tall as the screen's free area and as wide as the sheet at that
// zoom (at most the screen's width), centred at the top.
void PlaceForFirstStart(QMainWindow& window, CVoskView& view, const SettingsStore& settings);

}  // namespace vosk
