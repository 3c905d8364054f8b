#pragma once
// The application module: the instance handle that window classes are
// registered with and that dialog templates are loaded from.

#include <windows.h>

namespace fw {

class CAppModule {
public:
    CAppModule() = default;
    CAppModule(const CAppModule&) = delete;
    CAppModule& operator=(const CAppModule&) = delete;

    // Makes `instance` the module of every later window class and template.
    HRESULT Init(HINSTANCE instance);
    void Term();
    HINSTANCE GetModuleInstance() const;
};

// The initialised module's instance, or the executable's when none is.
HINSTANCE ModuleInstance();

}  // namespace fw
