#include "paint.h"

#include "browser.h"

namespace standin {

namespace {

int CALLBACK FaceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

// The first installed face that has Chinese glyphs; Wine offers WenQuanYi.
std::wstring PickFace() {
    static const wchar_t* const candidates[] = {L"Microsoft YaHei", L"SimSun", L"WenQuanYi Micro Hei",
                                                 L"Noto Sans CJK SC", L"Tahoma"};
    ScopedMemoryDC dc(nullptr);
    std::wstring chosen = L"Tahoma";
    for (const wchar_t* face : candidates) {
        LOGFONTW lf = {};
        lf.lfCharSet = DEFAULT_CHARSET;
        lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
        bool found = false;
        EnumFontFamiliesExW(dc.get(), &lf, FaceFound, reinterpret_cast<LPARAM>(&found), 0);
        if (found) {
            chosen = face;
            break;
        }
    }
    return chosen;
}

HFONT MakeFont(const std::wstring& face, int pixels, bool bold, bool underline) {
    return CreateFontW(-pixels, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, underline, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, face.c_str());
}

const COLORREF kText = RGB(0, 0, 0);
const COLORREF kLink = RGB(0, 0, 204);
const COLORREF kTitleBand = RGB(226, 233, 245);
const COLORREF kButtonFace = RGB(225, 225, 225);
const COLORREF kFrameBorder = RGB(128, 128, 128);

void Fill(HDC dc, const RECT& r, COLORREF color) {
    SetBkColor(dc, color);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);  // the cheapest solid fill
}

void DrawBox(HDC dc, const Box& box, int ox, int oy, const PaintResources& res) {
    RECT r = {ox + box.x, oy + box.y, ox + box.x + box.w, oy + box.y + box.h};
    ScopedSelection font(dc, res.Font(box.style, box.level));
    SetBkMode(dc, TRANSPARENT);
    switch (box.kind) {
        case Box::Kind::Title:
            Fill(dc, r, kTitleBand);
            SetTextColor(dc, kText);
            SetBkMode(dc, TRANSPARENT);
            TextOutW(dc, r.left + kPageMargin, r.top + kPageMargin, box.text.c_str(), static_cast<int>(box.text.size()));
            break;
        case Box::Kind::Text:
        case Box::Kind::Link:
            SetTextColor(dc, box.kind == Box::Kind::Link ? kLink : kText);
            TextOutW(dc, r.left, r.top, box.text.c_str(), static_cast<int>(box.text.size()));
            break;
        case Box::Kind::Button:
            Fill(dc, r, kButtonFace);
            SetBkMode(dc, TRANSPARENT);
            DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
            SetTextColor(dc, kText);
            DrawTextW(dc, box.text.c_str(), static_cast<int>(box.text.size()), &r,
                      DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
            break;
        case Box::Kind::Input:  // the edit control draws itself; this shows in Draw
        case Box::Kind::Frame: {
            ScopedBrush border(CreateSolidBrush(kFrameBorder));
            FrameRect(dc, &r, border.get());
            break;
        }
    }
}

}  // namespace

PaintResources::PaintResources() : face_(PickFace()), measureDc_(nullptr) {
    normal_.reset(MakeFont(face_, 15, false, false));
    link_.reset(MakeFont(face_, 15, false, true));
    button_.reset(MakeFont(face_, 14, false, false));
    title_.reset(MakeFont(face_, 17, true, false));
    h1_.reset(MakeFont(face_, 24, true, false));
    h2_.reset(MakeFont(face_, 20, true, false));
    h3_.reset(MakeFont(face_, 17, true, false));
}

HFONT PaintResources::Font(TextStyle style, int level) const {
    switch (style) {
        case TextStyle::Link: return link_.get();
        case TextStyle::Button: return button_.get();
        case TextStyle::Title: return title_.get();
        case TextStyle::Heading:
            return level <= 1 ? h1_.get() : level == 2 ? h2_.get() : h3_.get();
        case TextStyle::Normal: break;
    }
    return normal_.get();
}

TextSize PaintResources::Measure(const std::wstring& text, TextStyle style, int level) {
    ScopedSelection font(measureDc_.get(), Font(style, level));
    SIZE size = {};
    const std::wstring probe = text.empty() ? std::wstring(L" ") : text;
    GetTextExtentPoint32W(measureDc_.get(), probe.c_str(), static_cast<int>(probe.size()), &size);
    return {text.empty() ? 0 : static_cast<int>(size.cx), static_cast<int>(size.cy)};
}

void PaintFrame(HDC dc, const Frame& frame, const PaintResources& res, int scrollY) {
    int saved = SaveDC(dc);
    IntersectClipRect(dc, frame.rect.left, frame.rect.top - scrollY, frame.rect.right, frame.rect.bottom - scrollY);
    for (const Box& box : frame.layout.boxes) DrawBox(dc, box, frame.rect.left, frame.rect.top - scrollY, res);
    for (const auto& child : frame.children) PaintFrame(dc, *child, res, scrollY);
    RestoreDC(dc, saved);
}

void Browser::PaintTo(HDC dc, const RECT& area) {
    int w = area.right - area.left, h = area.bottom - area.top;
    if (w <= 0 || h <= 0) return;
    // Drawn off screen first, so a repaint never flickers.
    ScopedMemoryDC mem(dc);
    ScopedBitmap bitmap(CreateCompatibleBitmap(dc, w, h));
    ScopedSelection canvas(mem.get(), bitmap.get());
    Fill(mem.get(), {0, 0, w, h}, RGB(255, 255, 255));
    // Sub-frame rectangles are relative to the control's client area.
    SetViewportOrgEx(mem.get(), -top_->rect.left, -top_->rect.top, nullptr);
    PaintFrame(mem.get(), *top_, *paint_, scrollY_);
    SetViewportOrgEx(mem.get(), 0, 0, nullptr);
    BitBlt(dc, area.left, area.top, w, h, mem.get(), 0, 0, SRCCOPY);
}

}  // namespace standin
