// The "/waitfor" watch against real processes of this prefix: a notepad found
// by its name in any case and by its id, and its end seen at the next look.
#include "afx/SystemFunctions.h"
#include "schedule/ProcessWatch.h"
#include "tests/e2e/driver/Notepad.h"

#include <gtest/gtest.h>

#include <string>

namespace {

quellix::WaitTarget Named(const char* name)
{
    quellix::WaitTarget target;
    target.imageName = name;
    return target;
}

quellix::WaitTarget WithId(DWORD id)
{
    quellix::WaitTarget target;
    target.processId = id;
    return target;
}

using e2e::Notepad;

TEST(ProcessWatch, FollowsANotepadByNameAndById)
{
    ASSERT_TRUE(afx::CanListProcesses());
    CProcessWatch watch;
    EXPECT_EQ(CProcessWatch::kNoSuchProcess, watch.Start(Named("nobody-runs-this.exe")));
    EXPECT_FALSE(watch.Ended());
    // Its own process is never waited for: it would never end.
    EXPECT_EQ(CProcessWatch::kNoSuchProcess, watch.Start(WithId(::GetCurrentProcessId())));
    EXPECT_EQ(CProcessWatch::kNoSuchProcess, watch.Start(Named("e2e_tests.exe")));

    Notepad first, second;
    ASSERT_TRUE(first.Started() && second.Started());
    CProcessWatch byName, byId;
    ASSERT_EQ(CProcessWatch::kWatching, byName.Start(Named("NotePad.EXE")));
    ASSERT_EQ(CProcessWatch::kWatching, byId.Start(WithId(first.Id())));
    EXPECT_FALSE(byName.Ended());
    EXPECT_FALSE(byId.Ended());

    first.End();
    EXPECT_TRUE(byId.Ended());
    EXPECT_TRUE(byId.Ended());     // and stays so
    EXPECT_FALSE(byName.Ended());  // the second one still runs
    second.End();
    EXPECT_TRUE(byName.Ended());
    EXPECT_EQ(CProcessWatch::kNoSuchProcess, byName.Start(Named("notepad.exe")));
}

TEST(ProcessWatch, ANameStartedAgainBeforeTheLastEndIsWaitedFor)
{
    Notepad first;
    ASSERT_TRUE(first.Started());
    CProcessWatch watch;
    ASSERT_EQ(CProcessWatch::kWatching, watch.Start(Named("notepad.exe")));
    Notepad next;  // a batch running the program again
    ASSERT_TRUE(next.Started());
    first.End();
    EXPECT_FALSE(watch.Ended());
    next.End();
    EXPECT_TRUE(watch.Ended());
}

}  // namespace
