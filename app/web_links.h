#pragma once
// The maker's web site and the pages the program opens on it. Every address
// the program shows or opens lies on this one site.

namespace cdv::web {

inline constexpr wchar_t kSite[] = L"https://www.marlowen.example";

inline constexpr wchar_t kHomePage[] = L"https://www.marlowen.example";
inline constexpr wchar_t kSupportPage[] = L"https://www.marlowen.example/support.html";
inline constexpr wchar_t kGuidePage[] = L"https://www.marlowen.example/cardivane-guide.html";
inline constexpr wchar_t kDownloadPage[] = L"https://www.marlowen.example/download/cardivane.html";
inline constexpr wchar_t kUpdateManifest[] = L"https://www.marlowen.example/download/update/marlowen_update.txt";

}  // namespace cdv::web
