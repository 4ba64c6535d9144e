#include "controls/mail_command.h"

#include <cstring>
#include <memory>

#include <gtest/gtest.h>

namespace quellix {
namespace {

const std::string kAddress = "someone@example.org";

bool Split(const std::string& bytes, MailLaunch* out, const std::string& address = kAddress)
{
    return SplitMailCommand(bytes.data(), bytes.size(), address, out);
}

TEST(MailCommand, SplitsQuotedProgramAndFillsEveryPercentOne)
{
    MailLaunch m;
    ASSERT_TRUE(Split("\"C:\\Mail\\mail.exe\" /compose \"%1\"", &m));
    EXPECT_EQ(m.program, "C:\\Mail\\mail.exe");
    EXPECT_EQ(m.parameters, "/compose \"someone@example.org\"");

    ASSERT_TRUE(Split("\"m.exe\"%1 %1,%1", &m, "a@b"));
    EXPECT_EQ(m.parameters, "a@b a@b,a@b");
    // Left to right without overlap; the inserted address is not rescanned.
    ASSERT_TRUE(Split("\"m.exe\" %%11 %1", &m, "%1"));
    EXPECT_EQ(m.parameters, "%%11 %1");
    // Without "%1" the rest passes unchanged but for its leading white space.
    ASSERT_TRUE(Split("\"m.exe\" \t\r\n -x  \"y\" ", &m));
    EXPECT_EQ(m.parameters, "-x  \"y\" ");
    ASSERT_TRUE(Split("\"m.exe\"", &m));
    EXPECT_EQ(m.program, "m.exe");
    EXPECT_EQ(m.parameters, "");
    EXPECT_TRUE(Split("\"m.exe\" %1", nullptr));
}

TEST(MailCommand, RefusesWhatCannotBeSplit)
{
    MailLaunch m{"keep", "keep"};
    EXPECT_FALSE(Split("", &m));
    EXPECT_FALSE(Split("C:\\mail.exe %1", &m));  // no leading quote
    EXPECT_FALSE(Split(" \"m.exe\" %1", &m));
    EXPECT_FALSE(Split("\"C:\\mail.exe %1", &m));  // no closing quote
    EXPECT_FALSE(Split("\"\" %1", &m));            // empty program
    EXPECT_FALSE(Split(std::string("\0\"m.exe\"", 8), &m));
    EXPECT_FALSE(Split(std::string("\"m.exe\0\" x", 10), &m));  // the quote lies past the end
    EXPECT_FALSE(SplitMailCommand(nullptr, 10, kAddress, &m));
    EXPECT_EQ(m.program, "keep");
    EXPECT_EQ(m.parameters, "keep");
}

TEST(MailCommand, ReadsOnlyTheBytesGivenAndStopsAtZero)
{
    MailLaunch m;
    // Text ends at the first zero byte.
    ASSERT_TRUE(Split(std::string("\"m.exe\" %1\0 %1 more", 19), &m));
    EXPECT_EQ(m.parameters, kAddress);

    // A full 100-byte buffer without terminator, and 99 bytes + terminator.
    std::string full = "\"m.exe\" ";
    full += std::string(100 - full.size() - 2, 'p') + "%1";
    ASSERT_EQ(full.size(), 100u);
    std::unique_ptr<char[]> exact(new char[100]);  // heap, so overreads show under ASan
    std::memcpy(exact.get(), full.data(), 100);
    ASSERT_TRUE(SplitMailCommand(exact.get(), 100, "x", &m));
    EXPECT_EQ(m.parameters, std::string(90, 'p') + "x");
    ASSERT_TRUE(SplitMailCommand(exact.get(), 99, "x", &m));
    EXPECT_EQ(m.parameters, std::string(90, 'p') + "%");  // "%1" cut in half
    exact[99] = '\0';
    ASSERT_TRUE(SplitMailCommand(exact.get(), 100, "x", &m));
    EXPECT_EQ(m.parameters, std::string(90, 'p') + "%");
}

TEST(MailCommand, ReadsACommandAsLongAsTheLinkReadsWhole)
{
    // 1,024 bytes of text, with and without the terminating zero in the buffer.
    std::string command = "\"C:\\Mail\\mail.exe\" -compose %1 -x=";
    command += std::string(kMailCommandBytes - 1 - command.size(), 'x');
    ASSERT_EQ(1024u, command.size());
    std::unique_ptr<char[]> buffer(new char[kMailCommandBytes]);
    std::memcpy(buffer.get(), command.c_str(), kMailCommandBytes);
    MailLaunch m;
    for (size_t length : {kMailCommandBytes, kMailCommandBytes - 1}) {
        ASSERT_TRUE(SplitMailCommand(buffer.get(), length, "a@b", &m)) << length;
        EXPECT_EQ(m.program, "C:\\Mail\\mail.exe");
        EXPECT_EQ(m.parameters, "-compose a@b -x=" + std::string(990, 'x'));
    }
}

bool TestEnvironment(const std::string& name, std::string* value)
{
    if (name == "ProgramFiles")
        *value = "C:\\Program Files";
    else if (name == "APPDATA")
        *value = "C:\\Users\\u\\AppData";
    else if (name == "LOOP")
        *value = "%APPDATA%";
    else if (name == "EMPTY")
        value->clear();
    else
        return false;
    return true;
}

std::string Expand(const std::string& command) { return ExpandMailCommand(command, TestEnvironment); }

TEST(ExpandMailCommand, ReplacesVariablesAndLeavesTheArgumentsAsTheShellReadsThem)
{
    EXPECT_EQ("\"C:\\Program Files\\Mail\\mail.exe\" /mailurl:%1",
              Expand("\"%ProgramFiles%\\Mail\\mail.exe\" /mailurl:%1"));
    // "%1" before a variable does not pair with the variable's first '%'.
    EXPECT_EQ("\"m.exe\" %1 -p=C:\\Users\\u\\AppData\\x", Expand("\"m.exe\" %1 -p=%APPDATA%\\x"));
    EXPECT_EQ("%* %0 %9 C:\\Program Files", Expand("%* %0 %9 %ProgramFiles%"));
    EXPECT_EQ("[]", Expand("[%EMPTY%]"));
    // A value is not read again.
    EXPECT_EQ("%APPDATA%", Expand("%LOOP%"));
}

TEST(ExpandMailCommand, LeavesWhatIsNoSetVariableAsItIs)
{
    for (const char* same : {"", "%", "%%", "100% sure", "%NOPE%", "a%b", "\"m.exe\" %1%", "%1"})
        EXPECT_EQ(same, Expand(same));
    // An unknown name does not swallow the variable after it.
    EXPECT_EQ("100% of C:\\Program Files", Expand("100% of %ProgramFiles%"));
    EXPECT_EQ("%NOPE%C:\\Program Files%", Expand("%NOPE%%ProgramFiles%%"));
}

TEST(MailtoUrl, GivesTheAddressAsTheShellPassesIt)
{
    EXPECT_EQ("mailto:dev@qx.test", MailtoUrl("dev@qx.test"));
    EXPECT_EQ("mailto:", MailtoUrl(""));
    // Already a mail URL, in any case: left as it is.
    EXPECT_EQ("mailto:dev@qx.test", MailtoUrl("mailto:dev@qx.test"));
    EXPECT_EQ("MailTo:dev@qx.test", MailtoUrl("MailTo:dev@qx.test"));
    EXPECT_EQ("mailto:mailto", MailtoUrl("mailto"));

    MailLaunch m;
    ASSERT_TRUE(Split("\"m.exe\" /mailurl:%1", &m, MailtoUrl(kAddress)));
    EXPECT_EQ(m.parameters, "/mailurl:mailto:someone@example.org");
}

}  // namespace
}  // namespace quellix
