#include <cwchar>
#include <vector>

#include "platform/qzutility/qzutility.h"

BOOL __cdecl qzCreateRegKeyW(HKEY root, const wchar_t* subkey, HKEY* key, DWORD* disposition) {
    if (key != nullptr) *key = nullptr;
    if (disposition != nullptr) *disposition = 0;
    if (key == nullptr || subkey == nullptr) return FALSE;
    DWORD how = 0;
    LONG rc = ::RegCreateKeyExW(root, subkey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr, key,
                                &how);
    if (rc != ERROR_SUCCESS) {
        *key = nullptr;
        return FALSE;
    }
    if (disposition != nullptr) *disposition = how;
    return TRUE;
}

BOOL __cdecl qzGetRegKeyStrW(HKEY key, const wchar_t* name, wchar_t* buffer, DWORD capacity) {
    if (key == nullptr || buffer == nullptr || capacity == 0) return FALSE;
    buffer[0] = L'\0';
    DWORD type = 0;
    DWORD bytes = 0;
    if (::RegQueryValueExW(key, name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) return FALSE;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return FALSE;
    // The stored data need not be terminated; read it whole, then check the fit.
    std::vector<wchar_t> data(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD got = static_cast<DWORD>((data.size() - 1) * sizeof(wchar_t));
    if (::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &got) != ERROR_SUCCESS) {
        return FALSE;
    }
    data[got / sizeof(wchar_t)] = L'\0';
    const size_t length = std::wcslen(data.data());
    if (length >= capacity) return FALSE;
    std::wmemcpy(buffer, data.data(), length + 1);
    return TRUE;
}

BOOL __cdecl qzSetRegKeyStrW(HKEY key, const wchar_t* name, const wchar_t* value) {
    if (key == nullptr || value == nullptr) return FALSE;
    const DWORD bytes = static_cast<DWORD>((std::wcslen(value) + 1) * sizeof(wchar_t));
    return ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), bytes) == ERROR_SUCCESS;
}
