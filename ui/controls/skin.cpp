#include "ui/controls/skin.h"

#include <vector>

#include "ui/controls/skin_path.h"
#include "ui/framework/app_module.h"

namespace {

std::wstring ProgramPath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD got = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (got == 0) return std::wstring();
        if (got < buffer.size()) return std::wstring(buffer.data(), got);
        buffer.resize(buffer.size() * 2);  // long paths are cut at the buffer size
    }
}

std::wstring& Folder() {
    static std::wstring folder = ImageFolderForProgram(ProgramPath());
    return folder;
}

}  // namespace

void SetImageFolder(const std::wstring& folder) { Folder() = folder; }

const std::wstring& ImageFolder() { return Folder(); }

std::wstring SkinFilePath(const std::wstring& name) { return Folder() + name; }

fw::ImagePtr SkinImage(const std::wstring& name) { return fw::LoadImageFile(SkinFilePath(name)); }

fw::GdiBitmap SkinBitmap(const std::wstring& name) {
    return fw::GdiBitmap(static_cast<HBITMAP>(
        ::LoadImageW(fw::ModuleInstance(), SkinFilePath(name).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
}
