#include "app/startup.h"

#include <vector>

#include "platform/qzutility/qzutility.h"

const wchar_t kRegistrySubkey[] = L"Software\\Marlowen\\Cardivane";
const wchar_t kInstanceMutexName[] = L"6F1D2B9C-4E7A-4C53-9B0E-8A2F61D7C4E5";
const wchar_t kDefaultVersion[] = L"1.0.0.1";

std::wstring LoadProductVersion(const wchar_t* subkey) {
    HKEY key = nullptr;
    DWORD unused = 0;
    if (!qzCreateRegKeyW(HKEY_CURRENT_USER, subkey, &key, &unused)) return std::wstring();
    wchar_t buffer[260] = {};
    std::wstring version;
    if (qzGetRegKeyStrW(key, L"Version", buffer, 260)) {
        version = buffer;
    } else {
        qzSetRegKeyStrW(key, L"Version", kDefaultVersion);
        version = kDefaultVersion;
    }
    ::RegCloseKey(key);
    return version;
}

HANDLE ClaimSingleInstance(const wchar_t* name, bool* alreadyRunning) {
    HANDLE mutex = ::CreateMutexW(nullptr, TRUE, name);
    *alreadyRunning = mutex != nullptr && ::GetLastError() == ERROR_ALREADY_EXISTS;
    return mutex;
}

std::wstring ProgramFilePath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD got = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (got == 0) return std::wstring();
        if (got < buffer.size()) return std::wstring(buffer.data(), got);
        buffer.resize(buffer.size() * 2);
    }
}
