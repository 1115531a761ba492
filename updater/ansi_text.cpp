#include "ansi_text.h"

#include "text/ansi_text.h"

namespace zarnel {

std::string Utf8ToAnsi(const std::string& utf8) {
    return text::WideToAnsi(text::Utf8ToWide(utf8));
}

}  // namespace zarnel
