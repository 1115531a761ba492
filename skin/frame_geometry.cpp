#include "skin/frame_geometry.h"

#include <algorithm>

namespace skin {

namespace {

// The width of the off-screen caption every window gets at least.
constexpr int kMinCaptionBufferWidth = 2500;

bool Inside(POINT q, int left, int top, int right, int bottom) {
    return q.x >= left && q.x < right && q.y >= top && q.y < bottom;
}

}  // namespace

RECT ClientFromWindow(const RECT& window, const FrameMetrics& frame) {
    return RECT{window.left + frame.leftWidth, window.top + frame.captionHeight, window.right - frame.rightWidth,
                window.bottom - frame.bottomHeight};
}

RECT ButtonPlace(int offsetFromRight, int top, int stripWidth, int frames, int imageHeight) {
    const int frameWidth = frames > 0 ? stripWidth / frames : 0;
    return RECT{offsetFromRight, top, offsetFromRight + frameWidth, top + imageHeight};
}

RECT PlacedRect(const RECT& place, int windowWidth) {
    return RECT{windowWidth - place.right, place.top, windowWidth - place.left, place.bottom};
}

RECT FrameSource(int state, int frameWidth, int imageHeight) {
    return RECT{state * frameWidth, 0, (state + 1) * frameWidth, imageHeight};
}

std::vector<BorderPiece> SideBorderPieces(int y, int h, int imageHeight, int tileTop, int tileBottom) {
    std::vector<BorderPiece> pieces;
    const int step = tileBottom - tileTop;
    if (step <= 0) {
        return pieces;
    }
    pieces.push_back({0, tileTop, y});
    const int n = std::max(0, (h - imageHeight) / step + 1);
    int sourceBottom = tileBottom;
    for (int i = 0; i <= n; ++i) {
        const int at = y + tileTop + i * step;
        const int excess = at + (sourceBottom - tileTop) - (y + h);
        if (excess > 0) {
            sourceBottom -= excess;
        }
        if (sourceBottom > tileTop) {
            pieces.push_back({tileTop, sourceBottom, at});
        }
    }
    pieces.push_back({tileBottom, imageHeight, y + h - (imageHeight - tileBottom)});
    return pieces;
}

void SideTileRows(int imageHeight, const FrameMetrics& frame, int* tileTop, int* tileBottom) {
    *tileTop = frame.captionHeight;
    *tileBottom = imageHeight - frame.bottomHeight;
    if (*tileBottom <= *tileTop) {
        *tileBottom = *tileTop + 1;
    }
}

int TopStripWidth(int windowWidth, const FrameMetrics& frame) {
    return windowWidth - frame.rightWidth - frame.leftWidth + 1;
}

RECT TitleRect(int titleLeft, int titleTop, int windowWidth, int topImageWidth, int topTileRight, int captionHeight) {
    return RECT{titleLeft, titleTop, windowWidth - topImageWidth + topTileRight, captionHeight};
}

int CaptionBufferWidth(int currentWidth, int windowWidth) {
    return std::max({kMinCaptionBufferWidth, currentWidth, windowWidth});
}

int FrameHitCode(POINT q, int width, int height, const FrameMetrics& f, SIZE smallIcon, bool resizable,
                 bool maximised) {
    if (Inside(q, f.leftWidth, kCaptionIconTop, f.leftWidth + smallIcon.cx, kCaptionIconTop + smallIcon.cy)) {
        return HTSYSMENU;
    }
    if (resizable && !maximised) {
        const int right = width - f.rightWidth;
        const int bottom = height - f.bottomHeight;
        if (Inside(q, 0, 0, f.leftWidth, f.captionHeight)) return HTTOPLEFT;
        if (Inside(q, right, 0, width, f.captionHeight)) return HTTOPRIGHT;
        if (Inside(q, 0, bottom, f.leftWidth, height)) return HTBOTTOMLEFT;
        if (Inside(q, right, bottom, width, height)) return HTBOTTOMRIGHT;
        if (Inside(q, 0, f.captionHeight, f.leftWidth, bottom)) return HTLEFT;
        if (Inside(q, right, f.captionHeight, width, bottom)) return HTRIGHT;
        if (Inside(q, f.leftWidth, bottom, right, height)) return HTBOTTOM;
        // The top edge is as thick as the bottom border.
        if (Inside(q, f.leftWidth, 0, right, f.bottomHeight)) return HTTOP;
    }
    if (Inside(q, f.leftWidth, kCaptionIconTop, width - f.rightWidth, f.captionHeight)) {
        return HTCAPTION;
    }
    return HTCLIENT;
}

bool IsResizeCode(int code) {
    return code >= HTLEFT && code <= HTBOTTOMRIGHT;
}

}  // namespace skin
