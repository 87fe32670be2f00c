// Corbdvmbom16App: the module's application object, which receives the host's messages.
//
// There is exactly one, a static object with constant initial contents, so that loading the
// module does no work for it.
#pragma once

#include "host/vx_app.h"
#include "host/winsys.h"

class Corbdvmbom16App : public VxRxVmxApp {
  public:
    constexpr Corbdvmbom16App() = default;

    int onModuleInit(void* packet) override;
    int onModuleUnload(void* packet) override;
    int onDocumentLoad(void* packet) override;
    int onDocumentUnload(void* packet) override;
    int onFunctionInvoke(void* packet) override;
    void registerComponents() override {}

    int baseInit(void* packet);
    winsys::Hinstance moduleInstance() const { return moduleInstance_; }

  private:
    winsys::Hinstance moduleInstance_ = nullptr;
    bool unlock_ = true;         // the host may unload the module while it runs
    bool multiDocument_ = true;  // works with several open drawings
};

Corbdvmbom16App& TheApp();
