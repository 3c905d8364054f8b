#include "ui/controls/product_info.h"

const wchar_t kProductTitle[] = L"Marlowen Cardivane";

namespace {
std::wstring& Version() {
    static std::wstring version;
    return version;
}
}  // namespace

const std::wstring& ProductVersion() { return Version(); }

void SetProductVersion(const std::wstring& version) { Version() = version; }
