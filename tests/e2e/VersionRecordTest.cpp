// The version the program carries in its version record and its manifest is
// the one the build was given (project(Quellix VERSION ...)); the About box's
// text is checked in AboutBoxTest.cpp.
#include "tests/e2e/driver/Quellix.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace e2e {
namespace {

std::vector<char> VersionRecord(const std::string& exe)
{
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(exe.c_str(), &ignored);
    std::vector<char> record(size);
    if (size == 0 || !GetFileVersionInfoA(exe.c_str(), 0, size, record.data()))
        record.clear();
    return record;
}

std::string RecordText(std::vector<char>& record, const char* name)
{
    void* text = nullptr;
    UINT length = 0;
    std::string path = std::string("\\StringFileInfo\\040904b0\\") + name;
    if (!VerQueryValueA(record.data(), path.c_str(), &text, &length) || length == 0)
        return "(missing)";
    return static_cast<const char*>(text);
}

std::string ManifestText(const std::string& exe)
{
    HMODULE module = LoadLibraryExA(exe.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        return "";
    std::string text;
    if (HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)))
        if (HGLOBAL loaded = LoadResource(module, found))
            text.assign(static_cast<const char*>(LockResource(loaded)), SizeofResource(module, found));
    FreeLibrary(module);
    return text;
}

TEST(VersionRecord, FileAndProductVersionAreTheBuildsVersion)
{
    std::vector<char> record = VersionRecord(quellix::ExePath());
    ASSERT_FALSE(record.empty()) << "no version record in " << quellix::ExePath();

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(record.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    char numbers[64];
    wsprintfA(numbers, "%u.%u.%u.%u", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
              HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
    EXPECT_EQ(QX_PROGRAM_VERSION_FULL, std::string(numbers));
    EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS);
    EXPECT_EQ(fixed->dwFileVersionLS, fixed->dwProductVersionLS);
    EXPECT_EQ(QX_PROGRAM_VERSION_FULL, RecordText(record, "FileVersion"));
    EXPECT_EQ(QX_PROGRAM_VERSION_FULL, RecordText(record, "ProductVersion"));
}

// The publisher is the installer's and the uninstall entry's ("Publisher").
TEST(VersionRecord, NamesThePublisherAndTheFile)
{
    std::vector<char> record = VersionRecord(quellix::ExePath());
    ASSERT_FALSE(record.empty()) << "no version record in " << quellix::ExePath();
    const std::pair<const char*, const char*> expected[] = {
        {"CompanyName", "The Quellix developers"},
        {"InternalName", "Quellix"},
        {"OriginalFilename", "Quellix.exe"},
        {"ProductName", "Quellix"},
        {"FileDescription", "Quellix"},
    };
    for (const auto& e : expected)
        EXPECT_EQ(e.second, RecordText(record, e.first)) << e.first;
}

TEST(VersionRecord, TheManifestNamesTheBuildsVersion)
{
    std::string manifest = ManifestText(quellix::ExePath());
    ASSERT_FALSE(manifest.empty()) << "no manifest in " << quellix::ExePath();
    EXPECT_NE(std::string::npos,
              manifest.find(std::string("name=\"Quellix\" version=\"") + QX_PROGRAM_VERSION_FULL + "\""))
        << manifest;
}

}  // namespace
}  // namespace e2e
