#include "dialog_template.h"

#include <cstring>

namespace {

// A bounds-checked cursor over the template; every read fails softly.
class Reader {
public:
    Reader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool ok() const { return m_ok; }

    template <typename T>
    T Read() {
        T value{};
        if (m_pos + sizeof(T) > m_size) {
            m_ok = false;
            return value;
        }
        std::memcpy(&value, m_data + m_pos, sizeof(T));
        m_pos += sizeof(T);
        return value;
    }

    std::wstring ReadString() {
        std::wstring text;
        for (wchar_t c = Read<uint16_t>(); m_ok && c != 0; c = Read<uint16_t>())
            text += c;
        return text;
    }

    // A "string or ordinal" field: 0 for none, 0xFFFF then an ordinal, or text.
    void ReadNameOrOrdinal(std::wstring& name, uint16_t& ordinal) {
        uint16_t first = Read<uint16_t>();
        if (first == 0xFFFF) {
            ordinal = Read<uint16_t>();
        } else if (first != 0) {
            name = static_cast<wchar_t>(first) + ReadString();
        }
    }

    void AlignToDword() { m_pos = (m_pos + 3) & ~size_t(3); }
    void Skip(size_t count) { m_pos += count; }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
    bool m_ok = true;
};

RECT ReadRect(Reader& in) {
    RECT rc{};
    rc.left = in.Read<int16_t>();
    rc.top = in.Read<int16_t>();
    rc.right = in.Read<int16_t>();
    rc.bottom = in.Read<int16_t>();
    return rc;
}

}  // namespace

std::optional<DialogTemplate> ParseDialogTemplate(const uint8_t* data, size_t size) {
    Reader in(data, size);
    DialogTemplate dlg;
    if (in.Read<uint16_t>() != 1 || in.Read<uint16_t>() != 0xFFFF)
        return std::nullopt;
    in.Read<uint32_t>();  // help id
    dlg.exStyle = in.Read<uint32_t>();
    dlg.style = in.Read<uint32_t>();
    uint16_t count = in.Read<uint16_t>();
    dlg.rect = ReadRect(in);
    std::wstring menu, windowClass;
    uint16_t ordinal = 0;
    in.ReadNameOrOrdinal(menu, ordinal);
    in.ReadNameOrOrdinal(windowClass, ordinal);
    dlg.caption = in.ReadString();
    if (dlg.style & (DS_SETFONT | DS_SHELLFONT)) {
        dlg.pointSize = in.Read<uint16_t>();
        dlg.weight = in.Read<uint16_t>();
        dlg.italic = in.Read<uint8_t>();
        dlg.charset = in.Read<uint8_t>();
        dlg.face = in.ReadString();
    }
    for (uint16_t i = 0; i < count && in.ok(); ++i) {
        in.AlignToDword();
        DialogItem item;
        in.Read<uint32_t>();  // help id
        item.exStyle = in.Read<uint32_t>();
        item.style = in.Read<uint32_t>();
        item.rect = ReadRect(in);
        item.id = in.Read<uint32_t>();
        in.ReadNameOrOrdinal(item.className, item.classOrdinal);
        uint16_t textOrdinal = 0;
        in.ReadNameOrOrdinal(item.text, textOrdinal);
        in.Skip(in.Read<uint16_t>());  // creation data
        dlg.items.push_back(item);
    }
    if (!in.ok())
        return std::nullopt;
    return dlg;
}
