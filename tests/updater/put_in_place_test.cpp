// Putting a staged file in place when the platform refuses a move: the
// refusals Wine does not make on its own are injected.
#include <windows.h>
#include <gtest/gtest.h>

#include "aside_copies.h"
#include "put_in_place.h"
#include "temp_dir.h"

namespace zarnel {
namespace {

// Which moves fail, counted from the first: bit n set fails move n with error.
unsigned g_failing = 0;
DWORD g_error = 0;
unsigned g_move = 0;

BOOL WINAPI ScriptedMove(LPCSTR from, LPCSTR to, DWORD flags) {
    if (g_failing & (1u << g_move++)) {
        SetLastError(g_error);
        return FALSE;
    }
    return MoveFileExA(from, to, flags);
}

class PutInPlaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_move = 0;
        ASSERT_TRUE(support::WriteTextFile(m_dir.File("a.dll"), "old"));
        ASSERT_TRUE(support::WriteTextFile(m_dir.File("a.dll.tmp"), "new"));
    }
    Placed Put(unsigned failing, DWORD error) {
        g_failing = failing;
        g_error = error;
        FileMoves moves;
        moves.moveEx = ScriptedMove;
        return PutInPlace("a.dll.tmp", "a.dll", &m_strAside, moves);
    }
    std::string Text(const std::string& name) {
        std::string text;
        return support::ReadTextFile(m_dir.File(name), &text) ? text : "(missing)";
    }

    support::ScopedTempDir m_dir;
    std::string m_strAside;
};

TEST_F(PutInPlaceTest, AnInUseDestinationGoesAside) {
    EXPECT_EQ(Placed::kAside, Put(1u, ERROR_SHARING_VIOLATION));
    EXPECT_EQ("new", Text("a.dll"));
    EXPECT_EQ("(missing)", Text("a.dll.tmp"));
    EXPECT_EQ(0u, m_strAside.find("a.dll.previous-"));
    EXPECT_EQ("old", Text(m_strAside));
}

TEST_F(PutInPlaceTest, AnAsideCopyMovesBackWhenTheNewFileCannotFollow) {
    // Replace refused as in use, rename aside works, the move in fails.
    EXPECT_EQ(Placed::kFailed, Put(1u | 4u, ERROR_ACCESS_DENIED));
    EXPECT_EQ("old", Text("a.dll"));
    EXPECT_EQ("new", Text("a.dll.tmp"));
    EXPECT_TRUE(m_strAside.empty());
}

TEST_F(PutInPlaceTest, OtherFailuresTouchNothing) {
    EXPECT_EQ(Placed::kFailed, Put(1u, ERROR_DISK_FULL));
    EXPECT_EQ("old", Text("a.dll"));
    EXPECT_EQ("new", Text("a.dll.tmp"));
    // In use and not renamable either (held without sharing deletion).
    g_move = 0;
    EXPECT_EQ(Placed::kFailed, Put(1u | 2u, ERROR_SHARING_VIOLATION));
    EXPECT_EQ("old", Text("a.dll"));
    EXPECT_EQ("new", Text("a.dll.tmp"));
    // No staged file: the destination stays.
    DeleteFileA(m_dir.File("a.dll.tmp").c_str());
    g_move = 0;
    EXPECT_EQ(Placed::kFailed, Put(0u, 0));
    EXPECT_EQ("old", Text("a.dll"));
}

// Replace refused as in use, rename aside works, the move in fails and so
// does the move back: the installed file lies under its aside name only. It
// is recorded with its destination, and the next start puts it back.
TEST_F(PutInPlaceTest, AnAsideCopyThatCannotGoBackIsRecordedAndRestoredNextStart) {
    EXPECT_EQ(Placed::kStranded, Put(1u | 4u | 8u, ERROR_ACCESS_DENIED));
    EXPECT_EQ("(missing)", Text("a.dll"));
    EXPECT_EQ("new", Text("a.dll.tmp"));
    ASSERT_EQ(0u, m_strAside.find("a.dll.previous-"));
    EXPECT_EQ("old", Text(m_strAside));

    TiXmlElement root("update");
    root.InsertEndChild(TiXmlElement("files"));
    RecordAsideCopy(&root, m_strAside, "a.dll");
    bool stranded = false;
    EXPECT_TRUE(RemoveAsideCopies(&root, &stranded));
    EXPECT_FALSE(stranded);
    EXPECT_EQ("old", Text("a.dll"));
    EXPECT_EQ("(missing)", Text(m_strAside));
    EXPECT_FALSE(root.FirstChildElement("previous"));
}

// A stranded copy whose destination holds a newer file is an old copy like
// any other; one whose destination is a folder stays listed and reported.
TEST_F(PutInPlaceTest, AStrandedCopyIsNeverDeletedWhileItIsTheOnlyOne) {
    ASSERT_TRUE(support::WriteTextFile(m_dir.File("a.dll.previous-1-2-0"), "older"));
    ASSERT_TRUE(CreateDirectoryA(m_dir.File("b.dll").c_str(), nullptr));
    ASSERT_TRUE(support::WriteTextFile(m_dir.File("b.dll.previous-1-2-0"), "only b"));
    TiXmlElement root("update");
    root.InsertEndChild(TiXmlElement("files"));
    RecordAsideCopy(&root, "a.dll.previous-1-2-0", "a.dll");
    RecordAsideCopy(&root, "b.dll.previous-1-2-0", "b.dll");
    RecordAsideCopy(&root, "b.dll.previous-1-2-0", "a.dll");  // not a copy of a.dll: dropped, kept on disk
    bool stranded = false;
    EXPECT_TRUE(RemoveAsideCopies(&root, &stranded));
    EXPECT_TRUE(stranded);
    EXPECT_EQ("old", Text("a.dll"));
    EXPECT_EQ("(missing)", Text("a.dll.previous-1-2-0"));
    EXPECT_EQ("only b", Text("b.dll.previous-1-2-0"));
    const TiXmlElement* list = root.FirstChildElement("previous");
    ASSERT_TRUE(list);
    const TiXmlElement* copy = list->FirstChildElement();
    ASSERT_TRUE(copy);
    EXPECT_STREQ("b.dll.previous-1-2-0", copy->Attribute("file"));
    EXPECT_STREQ("b.dll", copy->Attribute("destination"));
    EXPECT_FALSE(copy->NextSiblingElement());
}

// A folder in the destination's place is neither replaced nor moved aside.
TEST_F(PutInPlaceTest, AFolderAsDestinationFailsAndStays) {
    ASSERT_TRUE(CreateDirectoryA(m_dir.File("data").c_str(), nullptr));
    ASSERT_TRUE(support::WriteTextFile(m_dir.File("data\\inside.dat"), "inside"));
    ASSERT_TRUE(support::WriteTextFile(m_dir.File("data.tmp"), "new"));
    for (unsigned failing : {0u, 1u}) {
        g_failing = failing;
        g_error = ERROR_ACCESS_DENIED;
        g_move = 0;
        FileMoves moves;
        moves.moveEx = ScriptedMove;
        EXPECT_EQ(Placed::kFailed, PutInPlace("data.tmp", "data", &m_strAside, moves));
        EXPECT_EQ("inside", Text("data\\inside.dat"));
        EXPECT_EQ("new", Text("data.tmp"));
        EXPECT_TRUE(m_strAside.empty());
    }
}

}  // namespace
}  // namespace zarnel
