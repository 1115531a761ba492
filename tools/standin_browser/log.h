// The interaction log: one line per thing the host did or was told, appended
// and flushed at once so a test can read it while the control still runs.
// Format (stable, see README): "<instance> <verb> key=value key=\"a b\" ..."
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "com_util.h"

namespace standin {

// Quotes a value when it is empty or holds spaces, quotes, backslashes or
// control characters; inside quotes \" \\ \n \r \t are escaped.
std::string FormatLogValue(const std::string& value);

class Log {
public:
    // Opens the file named by VORN_STANDIN_LOG, else standin-<pid>.log in
    // VORN_STANDIN_LOG_DIR; with neither nothing is written.
    static std::shared_ptr<Log> OpenFromEnvironment(int instance);

    Log(HANDLE file, int instance);
    void Write(const std::string& line);  // adds the instance prefix and the line end
    bool enabled() const { return file_.valid(); }

private:
    Handle file_;
    std::string prefix_;
};

// Builds one line and writes it when it goes out of scope. Never throws:
// COM methods log freely without a guard of their own for it.
class LogLine {
public:
    LogLine(Log* log, const char* verb) noexcept;
    ~LogLine();
    LogLine(const LogLine&) = delete;
    LogLine& operator=(const LogLine&) = delete;

    LogLine& Str(const char* key, const std::string& value) noexcept;
    LogLine& Str(const char* key, const std::wstring& value) noexcept;
    LogLine& Int(const char* key, long value) noexcept;
    LogLine& HexValue(const char* key, unsigned long value) { return Str(key, Hex(value)); }
    LogLine& Hr(HRESULT hr) { return HexValue("hr", static_cast<unsigned long>(hr)); }

private:
    Log* log_;
    std::string text_;
};

}  // namespace standin
