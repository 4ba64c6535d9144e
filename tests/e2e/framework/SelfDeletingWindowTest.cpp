// The framework's window procedure with window objects that delete themselves
// when their window is destroyed, as every reminder popup does. The memory of
// a deleted test object is kept, filled with a pattern, until the test ends:
// a write into the deleted object changes the pattern.
#include "afx/afxwin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

const UINT kDestroyYourself = WM_APP + 1;  // the handler destroys the window
const UINT kAskForDestroy = WM_APP + 2;    // the handler sends kDestroyYourself to its own window
const UINT_PTR kEndTimer = 16;
const BYTE kDeadByte = 0xDD;

struct DeletedMemory {
    BYTE* bytes;
    size_t size;
};

class SelfDeletingWnd : public CWnd {
public:
    static void* operator new(size_t size) { return std::malloc(size); }
    static void operator delete(void* p, size_t size)
    {
        std::memset(p, kDeadByte, size);
        s_deleted.push_back({static_cast<BYTE*>(p), size});
    }

    // Creates the window; false (and the object deleted) when that fails.
    static HWND Launch(UINT endAfterMs = 0)
    {
        SelfDeletingWnd* pWnd = new SelfDeletingWnd;
        if (!pWnd->CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 10, 10, NULL, 0)) {
            delete pWnd;
            return NULL;
        }
        if (endAfterMs)
            pWnd->SetTimer(kEndTimer, endAfterMs);
        return pWnd->m_hWnd;
    }

    static std::vector<DeletedMemory> s_deleted;
    static int s_deletedWhileHandling;  // objects already deleted when the destroying handler went on

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kAskForDestroy) {
            SendMessage(kDestroyYourself);
            ++m_nAnswered;  // the outer handler goes on using its object
            return 2;
        }
        if (message == kDestroyYourself || (message == WM_TIMER && wParam == kEndTimer)) {
            KillTimer(kEndTimer);
            DestroyWindow();
            s_deletedWhileHandling = static_cast<int>(s_deleted.size());
            return 1;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

    void PostNcDestroy() override { delete this; }

private:
    int m_nAnswered = 0;
};

std::vector<DeletedMemory> SelfDeletingWnd::s_deleted;
int SelfDeletingWnd::s_deletedWhileHandling = -1;

class FrameworkSelfDeletingWindow : public ::testing::Test {
protected:
    void TearDown() override { ReleaseDeleted(); }

    static void ReleaseDeleted()
    {
        for (const DeletedMemory& memory : SelfDeletingWnd::s_deleted)
            std::free(memory.bytes);
        SelfDeletingWnd::s_deleted.clear();
        SelfDeletingWnd::s_deletedWhileHandling = -1;
    }

    // One object was deleted, and nothing wrote into it afterwards.
    static void ExpectDeletedOnceUntouched()
    {
        ASSERT_EQ(1u, SelfDeletingWnd::s_deleted.size()) << "the object was not deleted exactly once";
        const DeletedMemory& memory = SelfDeletingWnd::s_deleted.front();
        const size_t written = static_cast<size_t>(
            std::count_if(memory.bytes, memory.bytes + memory.size, [](BYTE b) { return b != kDeadByte; }));
        EXPECT_EQ(0u, written) << "bytes of the deleted object written after its deletion, of " << memory.size;
    }
};

// The reminder popup's way: its timer ends it, through the message loop.
TEST_F(FrameworkSelfDeletingWindow, DestroyedByItsOwnTimerIsDeletedAfterTheHandlerAndNeverWrittenAgain)
{
    HWND hWnd = SelfDeletingWnd::Launch(20);
    ASSERT_TRUE(hWnd);
    const DWORD start = GetTickCount();
    MSG msg;
    while (IsWindow(hWnd) && GetTickCount() - start < 5000) {
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(5);
    }
    ASSERT_FALSE(IsWindow(hWnd)) << "the timer did not end the window";
    EXPECT_EQ(0, SelfDeletingWnd::s_deletedWhileHandling) << "deleted while its handler was still running";
    ExpectDeletedOnceUntouched();
}

TEST_F(FrameworkSelfDeletingWindow, DestroyedInsideNestedMessagesWaitsForTheOutermost)
{
    HWND hWnd = SelfDeletingWnd::Launch();
    ASSERT_TRUE(hWnd);
    EXPECT_EQ(1, SendMessageA(hWnd, kDestroyYourself, 0, 0));
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(0, SelfDeletingWnd::s_deletedWhileHandling);
    ExpectDeletedOnceUntouched();
    ReleaseDeleted();

    hWnd = SelfDeletingWnd::Launch();
    ASSERT_TRUE(hWnd);
    EXPECT_EQ(2, SendMessageA(hWnd, kAskForDestroy, 0, 0));
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(0, SelfDeletingWnd::s_deletedWhileHandling) << "deleted while the outer handler was still running";
    ExpectDeletedOnceUntouched();
}

TEST_F(FrameworkSelfDeletingWindow, DestroyedFromOutsideIsDeletedAtOnce)
{
    HWND hWnd = SelfDeletingWnd::Launch();
    ASSERT_TRUE(hWnd);
    ASSERT_TRUE(DestroyWindow(hWnd));
    ExpectDeletedOnceUntouched();
}

}  // namespace
