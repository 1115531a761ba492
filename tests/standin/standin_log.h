// Reads the stand-in control's interaction log (format in
// tools/standin_browser/README.md): "<instance> <verb> key=value ...".
#pragma once
#include <map>
#include <string>
#include <vector>

namespace standin_test {

struct LogEntry {
    std::string instance;  // "b1"
    std::string verb;
    std::map<std::string, std::string> fields;
    std::string raw;
    std::string Get(const std::string& key) const {
        auto it = fields.find(key);
        return it == fields.end() ? std::string() : it->second;
    }
    int Int(const std::string& key) const { return std::atoi(Get(key).c_str()); }
};

LogEntry ParseLogLine(const std::string& line);

class StandinLog {
public:
    explicit StandinLog(std::string path) : path_(std::move(path)) {}
    std::vector<LogEntry> Read() const;
    // Entries of a verb whose fields include every pair given.
    std::vector<LogEntry> Find(const std::string& verb, const std::map<std::string, std::string>& with = {}) const;
    // Verbs and the event names, in order: "event:BeforeNavigate2", "clientsite"...
    std::vector<std::string> Sequence() const;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

}  // namespace standin_test
