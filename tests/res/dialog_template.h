// Reads an extended dialog template (DLGTEMPLATEEX) the way the dialog
// manager does, so the tests can check what the resource compiler stored.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct DialogItem {
    uint32_t exStyle = 0;
    uint32_t style = 0;
    RECT rect{};             // left, top, width, height in dialog units
    uint32_t id = 0;
    std::wstring className;  // empty when the class is an ordinal
    uint16_t classOrdinal = 0;
    std::wstring text;
};

struct DialogTemplate {
    uint32_t exStyle = 0;
    uint32_t style = 0;
    RECT rect{};
    std::wstring caption;
    uint16_t pointSize = 0;
    uint16_t weight = 0;
    uint8_t italic = 0;
    uint8_t charset = 0;
    std::wstring face;
    std::vector<DialogItem> items;
};

// Nothing when the bytes are not a complete DLGTEMPLATEEX.
std::optional<DialogTemplate> ParseDialogTemplate(const uint8_t* data, size_t size);
