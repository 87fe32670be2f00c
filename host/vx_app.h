// The host framework's module application classes.
//
// A module defines one application object derived from VxRxVmxApp; its entry point forwards
// each application message code to the operation for that code. The framework's bodies do
// nothing and answer 0 (the host's success code); a module overrides what it needs.
#pragma once

namespace VxRx {
// Application message codes that the host sends to a module's entry point.
enum AppMsgCode : int {
    kNullMsg = 0,
    kInitModuleMsg = 1,
    kUnloadModuleMsg = 2,
    kLoadDocumentMsg = 3,
    kUnloadDocumentMsg = 4,
    kInvokeFunctionMsg = 5,
    kConfigureMsg = 6,
    kEndDrawingMsg = 7,
    kQuitMsg = 8,
    kSaveMsg = 9,
    kDependencyMsg = 10,
    kNoDependencyMsg = 11,
    kOleUnloadMsg = 12,
    kPreQuitMsg = 13,
    kInitDialogMsg = 14,
    kEndDialogMsg = 15,
};
}  // namespace VxRx

class VxRxDbxApp {
  public:
    constexpr VxRxDbxApp() = default;
    VxRxDbxApp(const VxRxDbxApp&) = delete;
    VxRxDbxApp& operator=(const VxRxDbxApp&) = delete;

    virtual int onModuleInit(void* /*packet*/) { return 0; }
    virtual int onModuleUnload(void* /*packet*/) { return 0; }
    virtual int onDocumentLoad(void* /*packet*/) { return 0; }
    virtual int onDocumentUnload(void* /*packet*/) { return 0; }
    virtual int onFunctionInvoke(void* /*packet*/) { return 0; }
    virtual int onConfigure(void* /*packet*/) { return 0; }
    virtual int onEndDrawing(void* /*packet*/) { return 0; }
    virtual int onQuit(void* /*packet*/) { return 0; }
    virtual int onSave(void* /*packet*/) { return 0; }
    virtual int onDependency(void* /*packet*/) { return 0; }
    virtual int onNoDependency(void* /*packet*/) { return 0; }
    virtual int onOleUnload(void* /*packet*/) { return 0; }
    virtual int onPreQuit(void* /*packet*/) { return 0; }
    virtual int onInitDialog(void* /*packet*/) { return 0; }
    virtual int onEndDialog(void* /*packet*/) { return 0; }
    virtual int onNullMessage(void* /*packet*/) { return 0; }
    virtual void registerComponents() {}

  protected:
    constexpr ~VxRxDbxApp() = default;
};

class VxRxVmxApp : public VxRxDbxApp {
  public:
    constexpr VxRxVmxApp() = default;

  protected:
    constexpr ~VxRxVmxApp() = default;
};

// Forwards a message code to the application's operation for it; codes outside 0 to 15
// answer 0 without calling the application.
inline int VxRxDispatchMessage(VxRxDbxApp& app, int code, void* packet) {
    switch (code) {
        case VxRx::kNullMsg:
            return app.onNullMessage(packet);
        case VxRx::kInitModuleMsg:
            return app.onModuleInit(packet);
        case VxRx::kUnloadModuleMsg:
            return app.onModuleUnload(packet);
        case VxRx::kLoadDocumentMsg:
            return app.onDocumentLoad(packet);
        case VxRx::kUnloadDocumentMsg:
            return app.onDocumentUnload(packet);
        case VxRx::kInvokeFunctionMsg:
            return app.onFunctionInvoke(packet);
        case VxRx::kConfigureMsg:
            return app.onConfigure(packet);
        case VxRx::kEndDrawingMsg:
            return app.onEndDrawing(packet);
        case VxRx::kQuitMsg:
            return app.onQuit(packet);
        case VxRx::kSaveMsg:
            return app.onSave(packet);
        case VxRx::kDependencyMsg:
            return app.onDependency(packet);
        case VxRx::kNoDependencyMsg:
            return app.onNoDependency(packet);
        case VxRx::kOleUnloadMsg:
            return app.onOleUnload(packet);
        case VxRx::kPreQuitMsg:
            return app.onPreQuit(packet);
        case VxRx::kInitDialogMsg:
            return app.onInitDialog(packet);
        case VxRx::kEndDialogMsg:
            return app.onEndDialog(packet);
        default:
            return 0;
    }
}
