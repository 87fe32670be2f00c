// Loads a module file into the process the way the host does, and unloads it.
#pragma once

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

// The module file did not load (vexa-sim's exit code 3, and only this).
class ModuleLoadError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class LoadedModule {
  public:
    // Loads the file and finds its two entry points; null with error set when either fails.
    static std::unique_ptr<LoadedModule> Load(const std::filesystem::path& file,
                                              std::string& error);
    // Unloads the file: the module's statics are destroyed.
    ~LoadedModule();
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    int SendMessage(int code, void* packet) const { return entryPoint_(code, packet); }
    int ApiVersion() const { return apiVersion_(0); }
    const std::filesystem::path& File() const { return file_; }

  private:
    using EntryPoint = int (*)(int, void*);
    using ApiVersionQuery = int (*)(int);
    LoadedModule() = default;

    std::filesystem::path file_;
    void* handle_ = nullptr;
    EntryPoint entryPoint_ = nullptr;
    ApiVersionQuery apiVersion_ = nullptr;
};

// The module file next to the running program, where the build puts it.
std::filesystem::path DefaultModulePath(const char* argv0);
