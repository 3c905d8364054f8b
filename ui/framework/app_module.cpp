#include "ui/framework/app_module.h"

namespace fw {

namespace {
HINSTANCE g_instance = nullptr;
}

HRESULT CAppModule::Init(HINSTANCE instance) {
    g_instance = instance != nullptr ? instance : ::GetModuleHandleW(nullptr);
    return S_OK;
}

void CAppModule::Term() { g_instance = nullptr; }

HINSTANCE CAppModule::GetModuleInstance() const { return ModuleInstance(); }

HINSTANCE ModuleInstance() { return g_instance != nullptr ? g_instance : ::GetModuleHandleW(nullptr); }

}  // namespace fw
