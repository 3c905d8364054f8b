// Start-up pieces: the version record through qzutility.dll and the
// single-instance mutex, on a registry key and mutex name of this process.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/startup.h"
#include "platform/qzutility/qzutility.h"

namespace {

std::wstring TestKey() {
    return L"Software\\Marlowen\\CardivaneTest-" + std::to_wstring(::GetCurrentProcessId());
}

std::wstring ReadVersion(const std::wstring& subkey) {
    wchar_t buffer[260] = {};
    DWORD bytes = sizeof(buffer);
    if (::RegGetValueW(HKEY_CURRENT_USER, subkey.c_str(), L"Version", RRF_RT_REG_SZ, nullptr, buffer, &bytes) != ERROR_SUCCESS) {
        return L"<none>";
    }
    return buffer;
}

class StartupTest : public ::testing::Test {
protected:
    void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str()); }
    std::wstring key = TestKey();
};

TEST_F(StartupTest, VersionWrittenOnceWhenMissingAndKeptWhenPresent) {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    EXPECT_EQ(LoadProductVersion(key.c_str()), L"1.0.0.1");
    EXPECT_EQ(ReadVersion(key), L"1.0.0.1");

    // A value an updater stored is used unchanged.
    ::RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Version", REG_SZ, L"2.3.4.5", sizeof(L"2.3.4.5"));
    EXPECT_EQ(LoadProductVersion(key.c_str()), L"2.3.4.5");
    EXPECT_EQ(ReadVersion(key), L"2.3.4.5");

    // A value of another type cannot be read: the default replaces it.
    DWORD number = 7;
    ::RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Version", REG_DWORD, &number, sizeof(number));
    EXPECT_EQ(LoadProductVersion(key.c_str()), L"1.0.0.1");
    EXPECT_EQ(ReadVersion(key), L"1.0.0.1");
}

TEST_F(StartupTest, KeyThatCannotBeOpenedGivesAnEmptyVersion) {
    // A key name component longer than the registry allows.
    std::wstring bad = key + L"\\" + std::wstring(300, L'x');
    EXPECT_EQ(LoadProductVersion(bad.c_str()), L"");
}

TEST_F(StartupTest, RegistryHelpersKeepTheirContract) {
    HKEY h = reinterpret_cast<HKEY>(static_cast<intptr_t>(1));
    DWORD disposition = 99;
    ASSERT_TRUE(qzCreateRegKeyW(HKEY_CURRENT_USER, key.c_str(), &h, &disposition));
    EXPECT_NE(h, nullptr);
    EXPECT_TRUE(disposition == REG_CREATED_NEW_KEY || disposition == REG_OPENED_EXISTING_KEY);

    wchar_t buffer[8];
    wmemset(buffer, L'#', 8);
    EXPECT_FALSE(qzGetRegKeyStrW(h, L"Version", buffer, 8)) << "missing value";
    EXPECT_TRUE(qzSetRegKeyStrW(h, L"Version", L"1.2.3.4"));
    EXPECT_TRUE(qzGetRegKeyStrW(h, L"Version", buffer, 8));
    EXPECT_STREQ(buffer, L"1.2.3.4");
    EXPECT_FALSE(qzGetRegKeyStrW(h, L"Version", buffer, 7)) << "does not fit with its terminator";
    EXPECT_EQ(buffer[0], L'\0');

    // Data stored without a terminator still reads as a terminated string.
    ::RegSetValueExW(h, L"Raw", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"abc"), 3 * sizeof(wchar_t));
    EXPECT_TRUE(qzGetRegKeyStrW(h, L"Raw", buffer, 8));
    EXPECT_STREQ(buffer, L"abc");
    EXPECT_EQ(::RegCloseKey(h), ERROR_SUCCESS);

    HKEY none = reinterpret_cast<HKEY>(static_cast<intptr_t>(1));
    disposition = 5;
    std::wstring bad = key + L"\\" + std::wstring(300, L'x');
    EXPECT_FALSE(qzCreateRegKeyW(HKEY_CURRENT_USER, bad.c_str(), &none, &disposition));
    EXPECT_EQ(none, nullptr) << "out values are zeroed";
    EXPECT_EQ(disposition, 0u);
}

TEST(SingleInstance, SecondClaimSeesTheFirst) {
    const std::wstring name = L"cdvtest-instance-" + std::to_wstring(::GetCurrentProcessId());
    bool running = true;
    HANDLE first = ClaimSingleInstance(name.c_str(), &running);
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(running);
    HANDLE second = ClaimSingleInstance(name.c_str(), &running);
    EXPECT_TRUE(running);
    ::CloseHandle(second);
    ::CloseHandle(first);
    HANDLE again = ClaimSingleInstance(name.c_str(), &running);
    EXPECT_FALSE(running) << "released at the end of the holder";
    ::CloseHandle(again);
}

}  // namespace
