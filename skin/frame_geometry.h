// Where the skinned frame's pieces go: plain arithmetic on the sizes of the
// frame images and of the window. The skin gathers the numbers, calls these
// and applies the rectangles; the tests call them directly.
//
// All coordinates are relative to the window's top-left corner; rectangles
// are half-open (left and top inside, right and bottom outside).
#pragma once

#include <windows.h>

#include <vector>

namespace skin {

// The frame's thickness, from the frame images: the caption is as high as the
// top image, the sides as wide as the side images, the bottom as high as the
// bottom image.
struct FrameMetrics {
    int captionHeight = 0;
    int leftWidth = 0;
    int rightWidth = 0;
    int bottomHeight = 0;
};

// The program's own hit codes for its caption buttons, beside the system's.
enum CaptionCode : int {
    kHitSettings = 100,
    kHitTray = 101,
    kHitForum = 102,
    kHitRecharge = 103,
    kHitHome = 104,
};

// The caption's small icon sits this far below the window's top edge, after
// the left border.
inline constexpr int kCaptionIconTop = 5;

// The client area inside a window rectangle (any coordinates).
RECT ClientFromWindow(const RECT& window, const FrameMetrics& frame);

// A caption button's place from a strip of frames side by side: left is the
// distance from the window's right edge to the button's right edge, right is
// left plus one frame's width, top as given, bottom top plus image height.
RECT ButtonPlace(int offsetFromRight, int top, int stripWidth, int frames, int imageHeight);
// That place in a window windowWidth wide, relative to the window.
RECT PlacedRect(const RECT& place, int windowWidth);
// The part of the strip that shows frame state (0, 1 or 2).
RECT FrameSource(int state, int frameWidth, int imageHeight);

// One piece of a side border: image rows [sourceTop, sourceBottom) copied to
// destY.
struct BorderPiece {
    int sourceTop;
    int sourceBottom;
    int destY;
};
// The pieces of a side border h pixels high starting at y: the rows above the
// tile, the tile rows [tileTop, tileBottom) repeated, the rows below the tile
// at the bottom. A tile that would reach past y + h is cut short, and later
// tiles keep the cut.
std::vector<BorderPiece> SideBorderPieces(int y, int h, int imageHeight, int tileTop, int tileBottom);
// The tile rows of a side image: from the caption's height to the image's
// height less the bottom border's, at least one row.
void SideTileRows(int imageHeight, const FrameMetrics& frame, int* tileTop, int* tileBottom);

// The top strip between the side borders, as wide as the gap plus one
// column (that last column lies under the right border).
int TopStripWidth(int windowWidth, const FrameMetrics& frame);
// The title's rectangle: from (titleLeft, titleTop) to the end of the top
// image's tiled part, caption high.
RECT TitleRect(int titleLeft, int titleTop, int windowWidth, int topImageWidth, int topTileRight, int captionHeight);

// The caption buffer's width for a window windowWidth wide: at least 2500
// pixels, never narrower than before, and wide enough for the window.
int CaptionBufferWidth(int currentWidth, int windowWidth);

// The hit code of a point q of a width by height window that lies on no
// caption button: the icon (3), the resize zones (only when resizable and
// not maximised), the caption (2), else the client (1).
int FrameHitCode(POINT q, int width, int height, const FrameMetrics& frame, SIZE smallIcon, bool resizable,
                 bool maximised);

// Hit codes that start the system's sizing loop.
bool IsResizeCode(int code);

}  // namespace skin
