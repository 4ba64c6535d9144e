// MailRecorder.exe: a stand-in mail program for the About box's mail link.
// Registered as the mailto command by the end-to-end tests, it appends its
// whole command line, one line per start, to the file named by the variable
// QUELLIX_MAIL_RECORD (or %TEMP%\quellix-mail.log), then ends. No window.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char path[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("QUELLIX_MAIL_RECORD", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        const DWORD temp = GetTempPathA(MAX_PATH - 20, path);
        if (temp == 0 || temp >= MAX_PATH - 20)
            return 1;
        lstrcatA(path, "quellix-mail.log");
    }
    // Several starts at once append whole lines, one after the other.
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
        file = CreateFileA(path, FILE_APPEND_DATA, 0, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (file == INVALID_HANDLE_VALUE)
            Sleep(10);
    }
    if (file == INVALID_HANDLE_VALUE)
        return 2;
    const char* line = GetCommandLineA();
    DWORD written = 0;
    const BOOL ok = WriteFile(file, line, lstrlenA(line), &written, NULL) && WriteFile(file, "\r\n", 2, &written, NULL);
    CloseHandle(file);
    return ok ? 0 : 3;
}
