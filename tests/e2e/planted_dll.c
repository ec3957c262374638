/* A DLL planted beside a program under a system DLL's name: whatever process loads it leaves
 * a file "<the DLL's own path>.loaded". scripts/check-packages builds it with the names the
 * programs import from the real one, each an export of the one stub. */
#include <windows.h>

int planted_stub(void) {
    return 0;
}

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) {
        wchar_t path[MAX_PATH + 8];
        const DWORD length = GetModuleFileNameW(self, path, MAX_PATH);
        if (length > 0 && length < MAX_PATH) {
            lstrcatW(path, L".loaded");
            const HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                            FILE_ATTRIBUTE_NORMAL, NULL);
            if (file != INVALID_HANDLE_VALUE) {
                CloseHandle(file);
            }
        }
    }
    return TRUE;
}
