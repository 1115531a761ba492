#include "standin_log.h"

#include <fstream>
#include <sstream>

namespace standin_test {

LogEntry ParseLogLine(const std::string& line) {
    LogEntry e;
    e.raw = line;
    size_t i = 0;
    auto word = [&] {
        size_t start = i;
        while (i < line.size() && line[i] != ' ') ++i;
        std::string w = line.substr(start, i - start);
        while (i < line.size() && line[i] == ' ') ++i;
        return w;
    };
    e.instance = word();
    e.verb = word();
    while (i < line.size()) {
        size_t eq = line.find('=', i);
        if (eq == std::string::npos) break;
        std::string key = line.substr(i, eq - i), value;
        i = eq + 1;
        if (i < line.size() && line[i] == '"') {
            for (++i; i < line.size() && line[i] != '"'; ++i) {
                if (line[i] == '\\' && i + 1 < line.size()) {
                    char c = line[++i];
                    value += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
                } else {
                    value += line[i];
                }
            }
            ++i;
        } else {
            while (i < line.size() && line[i] != ' ') value += line[i++];
        }
        while (i < line.size() && line[i] == ' ') ++i;
        e.fields[key] = value;
    }
    return e;
}

std::vector<LogEntry> StandinLog::Read() const {
    std::vector<LogEntry> out;
    std::ifstream in(path_, std::ios::binary);
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) out.push_back(ParseLogLine(line));
    return out;
}

std::vector<LogEntry> StandinLog::Find(const std::string& verb, const std::map<std::string, std::string>& with) const {
    std::vector<LogEntry> out;
    for (const LogEntry& e : Read()) {
        if (e.verb != verb) continue;
        bool match = true;
        for (const auto& kv : with) match = match && e.Get(kv.first) == kv.second;
        if (match) out.push_back(e);
    }
    return out;
}

std::vector<std::string> StandinLog::Sequence() const {
    std::vector<std::string> out;
    for (const LogEntry& e : Read()) out.push_back(e.verb == "event" ? "event:" + e.Get("name") : e.verb);
    return out;
}

}  // namespace standin_test
