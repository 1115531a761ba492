// What the platform's profile functions make of every byte a page could send:
// each entry goes through the real store into a scratch file of its own (so
// no answer can come from an earlier entry) and is read back. Whatever the
// store accepts must read back exactly and add just its one line; whatever it
// refuses must leave the file as it was, byte for byte.
#include "browser/config_rules.h"
#include "browser/config_store.h"
#include "temp_dir.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

using config::CConfigStore;

namespace {

constexpr char kHead[] = "[netAddr]\r\nfirst=1\r\n";
constexpr char kTail[] = "[platform]\r\nclientAddr=http://one/\r\n";

// Bytes as C escapes, for messages.
std::string Shown(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02X", c);
        out += c >= 0x20 && c < 0x7F && c != '\\' ? std::string(1, static_cast<char>(c)) : hex;
    }
    return out;
}

class ConfigStoreEveryByte : public ::testing::Test {
protected:
    // Writes key=value into a fresh scratch file. Returns whether the store
    // accepted it; any broken promise is reported as a test failure.
    bool Store(const std::string& key, const std::string& value) {
        const std::string file = m_dir.File("entry" + std::to_string(m_nFiles++) + ".ini");
        const std::string before = std::string(kHead) + kTail;
        EXPECT_TRUE(support::WriteTextFile(file, before));
        CConfigStore store(config::kNetAddrSection, file);
        const bool accepted = store.writeConfig(key, value) != FALSE;
        std::string after;
        support::ReadTextFile(file, &after);
        const std::string entry = "key \"" + Shown(key) + "\" value \"" + Shown(value) + "\"";
        if (!accepted) {
            EXPECT_EQ(Shown(before), Shown(after)) << "refused but changed the file: " << entry;
            return false;
        }
        EXPECT_EQ(Shown(value), Shown(store.readConfig(key.c_str()))) << entry;
        EXPECT_EQ(Shown(kHead + key + "=" + value + "\r\n" + kTail), Shown(after)) << entry;
        EXPECT_EQ("http://one/", config::ReadProfileValue("platform", "clientAddr", 100, file.c_str())) << entry;
        return true;
    }

    support::ScopedTempDir m_dir;
    int m_nFiles = 0;
};

}  // namespace

// The bytes 0x01-0xFF in one place of a key or a value.
struct Place {
    const char* name;
    bool inKey;
    std::string before, after;
};

// The bytes a test accepted in a place, as one text for the message.
std::string Listed(const std::vector<int>& bytes) {
    std::string out;
    for (int b : bytes) out += Shown(std::string(1, static_cast<char>(b)));
    return out;
}

std::vector<int> Printable(const std::string& except) {
    std::vector<int> bytes;
    for (int b = 0x20; b < 0x7F; ++b) {
        if (except.find(static_cast<char>(b)) == std::string::npos) bytes.push_back(b);
    }
    return bytes;
}

// Every byte at the start, in the middle and at the end of a key and of a
// value. In the middle a '0' follows it, which no two-byte character ends
// with; at the start a letter follows, which ends one.
TEST_F(ConfigStoreEveryByte, EachByteAtEachPlaceReadsBackOrIsRefused) {
    ASSERT_EQ(936u, GetACP());
    // Code page 936's one-byte characters above ASCII: the euro sign and a
    // private-use character. Its lead bytes start a two-byte character with
    // a letter after them.
    const std::vector<int> singles = {0x80, 0xFF};
    std::vector<int> leadsAndSingles = {0x80};
    for (int b = 0x81; b <= 0xFE; ++b) leadsAndSingles.push_back(b);
    leadsAndSingles.push_back(0xFF);
    const auto with = [](std::vector<int> bytes, const std::vector<int>& more) {
        bytes.insert(bytes.end(), more.begin(), more.end());
        return bytes;
    };
    const struct {
        Place place;
        std::vector<int> accepted;
    } places[] = {
        {{"key start", true, "", "key"}, with(Printable(" \"'[;="), leadsAndSingles)},
        {{"key middle", true, "k", "0k"}, with(Printable("="), singles)},
        {{"key end", true, "key", ""}, with(Printable(" \"'="), singles)},
        {{"value start", false, "", "value"}, with(Printable(" \"'"), leadsAndSingles)},
        {{"value middle", false, "v", "0v"}, with(Printable(""), singles)},
        {{"value end", false, "value", ""}, with(Printable(" \"'"), singles)},
    };
    for (const auto& expected : places) {
        std::vector<int> accepted;
        for (int b = 1; b <= 0xFF; ++b) {
            const Place& p = expected.place;
            const std::string text = p.before + static_cast<char>(b) + p.after;
            if (p.inKey ? Store(text, "v") : Store("k", text)) accepted.push_back(b);
        }
        EXPECT_EQ(Listed(expected.accepted), Listed(accepted)) << expected.place.name;
    }
}

// The quotes and blanks that the profile functions strip, and the faults
// seen from pages: each with the store's answer.
TEST_F(ConfigStoreEveryByte, QuotesBlanksAndChineseTextReadBackOrAreRefused) {
    ASSERT_EQ(936u, GetACP());
    struct Entry {
        std::string key, value;
        bool accepted;
    } entries[] = {
        {"\f[rt_ff", "v2", false},
        {"\v[rt_vt", "v2", false},
        {"k", std::string("a\0b", 3), false},
        {std::string("k\0x", 3), "v", false},
        {"k", "\"quoted\"", false},
        {"k", "'quoted'", false},
        {"k", "\"", false},
        {"k", "\"open", false},
        {"k", "close'", false},
        {"k", "  padded  ", false},
        {"k", "\tpadded", false},
        {"k", "padded ", false},
        {" k", "v", false},
        {"k ", "v", false},
        {"\"k\"", "v", false},
        {"k", "a \"quoted\" word", true},
        {"k", "a b", true},
        {"a b", "v", true},
        {"k", "[x];y=z", true},
        {"k]", "v", true},
        // Code page 936: "双线", "服务器", a trail byte that is '[' or '\'.
        {"k", "\xCB\xAB\xCF\xDF", true},
        {"\xB7\xFE\xCE\xF1\xC6\xF7", "\xCB\xAB\xCF\xDF" "7", true},
        {"\x81\x5Bk", "v\x95\x5C", true},
        {"\xA3\xDBk", "v", true},  // a full-width bracket opens no section
        // The ideographic space is a blank to the profile functions.
        {"k", "\xA1\xA1v", false},
        {"k", "v\xA1\xA1", false},
        {"\xA1\xA1k", "v", false},
        {"k", "a\xA1\xA1" "b", true},
        // Half a character, and a lead byte before a byte that ends none.
        {"k", "v\xCB", false},
        {"\xCB", "v", false},
        {"k", "\xCB" "0", false},
        {"k", "\x80\xFF", true},
    };
    for (const Entry& entry : entries) {
        EXPECT_EQ(entry.accepted, Store(entry.key, entry.value))
            << "key \"" << Shown(entry.key) << "\" value \"" << Shown(entry.value) << "\"";
    }
}

// The longest value kept whole, in two-byte characters.
TEST_F(ConfigStoreEveryByte, TheLongestChineseValueReadsBack) {
    std::string value;
    while (value.size() + 2 <= config::kLongestEntryBytes) value += "\xB7\xFE";
    // The read back is cut to the store's buffer; the file holds it whole.
    const std::string file = m_dir.File("long.ini");
    CConfigStore store(config::kNetAddrSection, file);
    ASSERT_TRUE(store.writeConfig("k", value));
    EXPECT_EQ(value, config::ReadProfileValue("netAddr", "k", 64 * 1024, file.c_str()));
    EXPECT_FALSE(store.writeConfig("k", value + "\xB7\xFE"));
}
