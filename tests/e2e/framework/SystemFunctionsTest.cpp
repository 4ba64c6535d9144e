// Run-time binding: DLLs come from the system folder only, and a function the
// system lacks is NULL rather than a call into nothing.
#include "afx/SystemFunctions.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string FolderOf(HMODULE module)
{
    char path[MAX_PATH] = "";
    const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
    std::string text(path, length);
    return text.substr(0, text.find_last_of('\\'));
}

std::string SystemFolder()
{
    char path[MAX_PATH] = "";
    return std::string(path, GetSystemDirectoryA(path, MAX_PATH));
}

TEST(SystemFunctions, LoadsFromTheSystemFolderOnlyAndOnce)
{
    HMODULE shell = afx::SystemLibrary("shell32.dll");
    ASSERT_NE(nullptr, shell);
    EXPECT_EQ(0, lstrcmpiA(SystemFolder().c_str(), FolderOf(shell).c_str()));
    EXPECT_EQ(shell, afx::SystemLibrary("SHELL32.DLL"));
    EXPECT_EQ(GetModuleHandleA("user32.dll"), afx::SystemLibrary("user32.dll"));

    // A DLL beside the program, where a bare name would find it first.
    const std::string here = FolderOf(NULL);
    const std::string planted = here + "\\planted.dll";
    ASSERT_TRUE(CopyFileA((here + "\\InProcessProbe.dll").c_str(), planted.c_str(), FALSE));
    EXPECT_EQ(nullptr, afx::SystemLibrary("planted.dll"));
    HMODULE bare = LoadLibraryA("planted.dll");
    EXPECT_NE(nullptr, bare) << "the planted DLL is not where a bare name looks";
    if (bare)
        FreeLibrary(bare);
    DeleteFileA(planted.c_str());
}

TEST(SystemFunctions, AMissingFunctionOrDllIsNull)
{
    typedef int WINAPI NoArguments();
    EXPECT_EQ(nullptr, afx::SystemFunction<NoArguments>("user32.dll", "NoSuchFunctionAnywhere"));
    EXPECT_EQ(nullptr, afx::SystemFunction<NoArguments>("nosuchlibrary.dll", "Anything"));
    EXPECT_NE(nullptr, afx::SystemFunction<decltype(::MessageBeep)>("user32.dll", "MessageBeep"));
}

}  // namespace
