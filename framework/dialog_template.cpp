// Layouts: DLGTEMPLATE/DLGITEMTEMPLATE and their EX forms (the docs' "DLGTEMPLATEEX
// structure"); each item starts on a DWORD boundary, fields of names on WORDs.
#include "dialog_template.h"
#include <cstring>

namespace {

class Reader {
public:
    Reader(const BYTE* data, size_t size) : m_data(data), m_size(size) {}
    bool ok() const { return m_ok; }
    WORD Word() { WORD v = 0; Read(&v, sizeof v); return v; }
    DWORD Dword() { DWORD v = 0; Read(&v, sizeof v); return v; }
    short Short() { return static_cast<short>(Word()); }
    BYTE Byte() { BYTE v = 0; Read(&v, 1); return v; }
    std::wstring String() {
        std::wstring text;
        for (WORD c = Word(); m_ok && c != 0; c = Word()) text.push_back(static_cast<wchar_t>(c));
        return text;
    }
    TemplateName Name() {
        TemplateName name;
        WORD first = Word();
        if (first == 0xFFFF) {
            name.isOrdinal = true;
            name.ordinal = Word();
        } else if (first != 0) {
            name.text.push_back(static_cast<wchar_t>(first));
            name.text += String();
        }
        return name;
    }
    void Bytes(std::vector<BYTE>* out, size_t count) {
        if (!Check(count)) return;
        out->assign(m_data + m_pos, m_data + m_pos + count);
        m_pos += count;
    }
    void AlignDword() { m_pos = (m_pos + 3) & ~size_t(3); }

private:
    bool Check(size_t count) {
        if (m_ok && count <= m_size && m_pos <= m_size - count) return true;
        m_ok = false;
        return false;
    }
    void Read(void* out, size_t count) {
        if (!Check(count)) return;
        memcpy(out, m_data + m_pos, count);
        m_pos += count;
    }
    const BYTE* m_data;
    size_t m_size;
    size_t m_pos = 0;
    bool m_ok = true;
};

}  // namespace

bool TemplateItem::IsActiveX() const {
    return !windowClass.isOrdinal && !windowClass.text.empty() && windowClass.text[0] == L'{';
}

bool TemplateItem::ClassId(CLSID* clsid) const {
    if (!IsActiveX()) return false;
    std::wstring text = windowClass.text;
    return SUCCEEDED(CLSIDFromString(&text[0], clsid));
}

bool ParseDialogTemplate(const BYTE* data, size_t size, DialogTemplate* out) {
    if (!data || !out) return false;
    Reader r(data, size);
    DialogTemplate d;
    WORD itemCount = 0;
    WORD version = r.Word(), signature = r.Word();
    d.extended = version == 1 && signature == 0xFFFF;
    if (d.extended) {
        d.helpId = r.Dword();
        d.exStyle = r.Dword();
        d.style = r.Dword();
    } else {
        r = Reader(data, size);
        d.style = r.Dword();
        d.exStyle = r.Dword();
    }
    itemCount = r.Word();
    d.x = r.Short(); d.y = r.Short(); d.cx = r.Short(); d.cy = r.Short();
    d.menu = r.Name();
    d.windowClass = r.Name();
    d.title = r.String();
    if (d.style & DS_SETFONT) {
        d.pointSize = r.Word();
        if (d.extended) {
            d.weight = r.Word();
            d.italic = r.Byte();
            d.charset = r.Byte();
        }
        d.typeface = r.String();
    }
    for (WORD i = 0; i < itemCount && r.ok(); ++i) {
        r.AlignDword();
        TemplateItem item;
        if (d.extended) {
            item.helpId = r.Dword();
            item.exStyle = r.Dword();
            item.style = r.Dword();
        } else {
            item.style = r.Dword();
            item.exStyle = r.Dword();
        }
        item.x = r.Short(); item.y = r.Short(); item.cx = r.Short(); item.cy = r.Short();
        item.id = d.extended ? r.Dword() : r.Word();
        item.windowClass = r.Name();
        item.title = r.Name();
        r.Bytes(&item.creationData, r.Word());
        d.items.push_back(std::move(item));
    }
    if (!r.ok()) return false;
    *out = std::move(d);
    return true;
}
