// The one place where vexa-sim asks the operating system to load a shared library.
#include "app/common/module_loader.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include <system_error>

#include "app/common/file_path.h"

namespace {

void* OpenLibrary(const std::filesystem::path& file, std::string& error) {
#if defined(_WIN32)
    HMODULE handle = LoadLibraryW(file.wstring().c_str());
    if (handle == nullptr) {
        error = "cannot load " + Utf8Path(file) + ": error " + std::to_string(GetLastError());
    }
    return reinterpret_cast<void*>(handle);
#else
    void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* why = dlerror();
        error = "cannot load " + Utf8Path(file) + ": " + (why ? why : "unknown error");
    }
    return handle;
#endif
}

void* FindSymbol(void* handle, const char* name) {
#if defined(_WIN32)
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
#else
    return dlsym(handle, name);
#endif
}

void CloseLibrary(void* handle) {
#if defined(_WIN32)
    FreeLibrary(static_cast<HMODULE>(handle));
#else
    dlclose(handle);
#endif
}

}  // namespace

std::unique_ptr<LoadedModule> LoadedModule::Load(const std::filesystem::path& file,
                                                 std::string& error) {
    void* handle = OpenLibrary(file, error);
    if (handle == nullptr) {
        return nullptr;
    }
    auto module = std::unique_ptr<LoadedModule>(new LoadedModule());
    module->file_ = file;
    module->handle_ = handle;
    module->entryPoint_ = reinterpret_cast<EntryPoint>(FindSymbol(handle, "vxrxEntryPoint"));
    module->apiVersion_ =
        reinterpret_cast<ApiVersionQuery>(FindSymbol(handle, "vxrxGetApiVersion"));
    if (module->entryPoint_ == nullptr || module->apiVersion_ == nullptr) {
        error =
            Utf8Path(file) + " is no host module: vxrxEntryPoint or vxrxGetApiVersion is missing";
        return nullptr;
    }
    return module;
}

LoadedModule::~LoadedModule() {
    if (handle_ != nullptr) {
        CloseLibrary(handle_);
    }
}

std::filesystem::path DefaultModulePath(const char* argv0) {
    std::error_code ec;
#if defined(_WIN32)
    wchar_t buffer[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    std::filesystem::path self =
        n > 0 ? std::filesystem::path(buffer) : std::filesystem::path(argv0);
#else
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        self = std::filesystem::absolute(argv0, ec);
    }
#endif
    return self.parent_path() / "orbdvmbom16.vmx";
}
