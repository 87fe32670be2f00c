#include "app/common/program_arguments.h"

#if defined(_WIN32)
// shellapi.h needs the types of windows.h first.
#include <windows.h>

#include <shellapi.h>

#include "app/common/text_conversion.h"
#endif

std::vector<std::string> ProgramArguments(int argc, char** argv) {
#if defined(_WIN32)
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide != nullptr) {
        std::vector<std::string> args;
        for (int i = 1; i < count; ++i) {
            args.push_back(Utf8(reinterpret_cast<const char16_t*>(wide[i])));
        }
        LocalFree(wide);
        return args;
    }
#endif
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}
