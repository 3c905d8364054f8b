#pragma once
// The updater's command line: product id, current version, quoted window
// title, window class and the instance id twice, joined by single blanks.
#include <string>
#include <string_view>

namespace cdv {

constexpr wchar_t kUpdaterProductId[] = L"Cardivane";
constexpr wchar_t kMainWindowClass[] = L"#32770";

struct UpdaterArguments {
  std::wstring productId;
  std::wstring version;
  std::wstring windowTitle;
  std::wstring windowClass;
  std::wstring instanceId;
};

// An empty version leaves two blanks in a row.
std::wstring UpdaterCommandLine(const UpdaterArguments& args);

}  // namespace cdv
