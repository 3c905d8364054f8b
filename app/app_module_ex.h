#pragma once
// The program's application module. It adds nothing of its own.

#include "ui/framework/app_module.h"

class CAppModuleEx : public fw::CAppModule {};

extern CAppModuleEx g_module;
