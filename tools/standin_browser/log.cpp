#include "log.h"

#include <cstdio>

namespace standin {

std::string FormatLogValue(const std::string& value) {
    bool plain = !value.empty();
    for (unsigned char c : value)
        if (c <= ' ' || c == '"' || c == '\\') plain = false;
    if (plain) return value;
    std::string out = "\"";
    for (char c : value) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default: out += c;
        }
    }
    return out + "\"";
}

namespace {

std::wstring Environment(const wchar_t* name) {
    wchar_t buf[MAX_PATH * 2];
    DWORD n = GetEnvironmentVariableW(name, buf, ARRAYSIZE(buf));
    return n > 0 && n < ARRAYSIZE(buf) ? std::wstring(buf, n) : std::wstring();
}

}  // namespace

std::shared_ptr<Log> Log::OpenFromEnvironment(int instance) {
    std::wstring path = Environment(L"VORN_STANDIN_LOG");
    if (path.empty()) {
        std::wstring dir = Environment(L"VORN_STANDIN_LOG_DIR");
        if (!dir.empty())
            path = dir + L"\\standin-" + std::to_wstring(GetCurrentProcessId()) + L".log";
    }
    HANDLE file = INVALID_HANDLE_VALUE;
    if (!path.empty()) {
        // Appending with shared access: several controls and processes may write one file.
        file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    return std::make_shared<Log>(file, instance);
}

Log::Log(HANDLE file, int instance) : file_(file), prefix_("b" + std::to_string(instance) + " ") {}

void Log::Write(const std::string& line) {
    if (!file_.valid()) return;
    std::string text = prefix_ + line + "\n";
    DWORD written = 0;
    // One unbuffered WriteFile per line: readers see it at once, and lines of
    // different writers never interleave. No fsync: it costs more than the tests.
    WriteFile(file_.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

// A line lost to memory exhaustion must not take the control down: every
// member swallows it here, once.
LogLine::LogLine(Log* log, const char* verb) noexcept : log_(log) {
    try {
        text_ = verb;
    } catch (...) {
        log_ = nullptr;
    }
}

LogLine::~LogLine() {
    try {
        if (log_) log_->Write(text_);
    } catch (...) {
    }
}

LogLine& LogLine::Str(const char* key, const std::string& value) noexcept {
    try {
        text_ += ' ';
        text_ += key;
        text_ += '=';
        text_ += FormatLogValue(value);
    } catch (...) {
        log_ = nullptr;
    }
    return *this;
}

LogLine& LogLine::Str(const char* key, const std::wstring& value) noexcept {
    try {
        return Str(key, Utf8(value));
    } catch (...) {
        log_ = nullptr;
        return *this;
    }
}

LogLine& LogLine::Int(const char* key, long value) noexcept {
    try {
        return Str(key, std::to_string(value));
    } catch (...) {
        log_ = nullptr;
        return *this;
    }
}

}  // namespace standin
