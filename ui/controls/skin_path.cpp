#include "ui/controls/skin_path.h"

std::wstring ImageFolderForProgram(const std::wstring& programPath) {
    std::wstring dir = programPath;
    const size_t slash = dir.find_last_of(L"\\/");
    if (slash == std::wstring::npos) {
        dir.clear();
    } else if (slash == 2 && dir.size() > 1 && dir[1] == L':') {
        dir.resize(3);  // "D:\" stays a root
    } else {
        dir.resize(slash);
    }
    return dir + L"\\image\\";
}
