// Dialog resource templates (DIALOG and DIALOGEX), read into a structure, so
// that the layer can create a template's ActiveX controls ({class id} as the
// class name) itself, which the dialog manager cannot.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

// A name or an ordinal, as templates store class, menu and title fields.
struct TemplateName {
    bool isOrdinal = false;
    WORD ordinal = 0;
    std::wstring text;
};

struct TemplateItem {
    DWORD helpId = 0, exStyle = 0, style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    DWORD id = 0;
    TemplateName windowClass, title;
    std::vector<BYTE> creationData;

    // The class is a class id in braces: an ActiveX control.
    bool IsActiveX() const;
    bool ClassId(CLSID* clsid) const;
};

struct DialogTemplate {
    bool extended = false;
    DWORD helpId = 0, exStyle = 0, style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    TemplateName menu, windowClass;
    std::wstring title;
    WORD pointSize = 0, weight = 0;
    BYTE italic = 0, charset = 0;
    std::wstring typeface;   // present when style has DS_SETFONT
    std::vector<TemplateItem> items;
};

// False if the bytes are not a complete template.
bool ParseDialogTemplate(const BYTE* data, size_t size, DialogTemplate* out);
