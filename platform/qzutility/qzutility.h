#pragma once
// qzutility.dll: the per-user registry helpers the program imports by name.
// (The update check, qzCheckUpdate, joins this library with its caller.)

#include <windows.h>

#ifdef QZUTILITY_BUILD
#define QZUTILITY_API extern "C" __declspec(dllexport)
#else
#define QZUTILITY_API extern "C" __declspec(dllimport)
#endif

// Opens `subkey` under `root` for reading and writing, creating it when
// missing. Zeroes both out values first; `disposition` receives
// REG_CREATED_NEW_KEY or REG_OPENED_EXISTING_KEY (may be null). Non-zero when
// `*key` is open; close it with RegCloseKey.
QZUTILITY_API BOOL __cdecl qzCreateRegKeyW(HKEY root, const wchar_t* subkey, HKEY* key, DWORD* disposition);

// Reads the string value `name` into `buffer` of `capacity` characters,
// always terminated. Non-zero only for a string value that fits whole.
QZUTILITY_API BOOL __cdecl qzGetRegKeyStrW(HKEY key, const wchar_t* name, wchar_t* buffer, DWORD capacity);

// Writes `value` as the string value `name`. Non-zero on success.
QZUTILITY_API BOOL __cdecl qzSetRegKeyStrW(HKEY key, const wchar_t* name, const wchar_t* value);
