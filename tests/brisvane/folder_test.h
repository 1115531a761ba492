// Base of the updater's tests: a temporary install folder made the current
// directory, with the file helpers every test of it needs.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "temp_dir.h"

namespace btest {

class FolderTest : public ::testing::Test {
protected:
    void Write(const std::string& name, const std::string& text) {
        ASSERT_TRUE(support::WriteTextFile(m_dir.File(name), text)) << name;
    }
    // "(missing)" when the file cannot be read.
    std::string Read(const std::string& name) const {
        std::string text;
        return support::ReadTextFile(m_dir.File(name), &text) ? text : "(missing)";
    }
    bool Exists(const std::string& name) const { return support::FileExists(m_dir.File(name)); }

    support::ScopedTempDir m_dir;
};

}  // namespace btest
