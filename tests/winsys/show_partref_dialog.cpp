// Runs "ORBDUPDATEPARTREF" after a drawing insertion in the loaded module, so that the
// part-reference dialog opens as the command opens it, with the PDM catalogue's texts, and
// keeps it on the screen until asked to close it, so that a screenshot can be taken.
// Windows only.
//
//   show_partref_dialog READY_FILE DONE_FILE
//
// Writes READY_FILE once the dialog is painted, then waits (up to two minutes) for DONE_FILE
// to appear and closes the dialog with Cancel.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <utility>

#include "app/common/module_loader.h"
#include "sim/host/command_line.h"
#include "sim/host/host_control.h"
#include "sim/pdm/pdm_control.h"
#include "sim/winsys/window_control.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: show_partref_dialog READY_FILE DONE_FILE\n");
        return 2;
    }
    const std::filesystem::path ready = argv[1];
    const std::filesystem::path done = argv[2];
    // The stand-in host makes its windows on a desktop of their own unless this thread has a
    // window already: one keeps them, and the dialog that the host's window owns, on the
    // desktop of the screenshot.
    CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    sim::resetHost();
    std::string error;
    const std::unique_ptr<LoadedModule> module =
        LoadedModule::Load(DefaultModulePath(argv[0]), error);
    if (!module) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    int packet = 0;
    module->SendMessage(1, &packet);
    const std::pair<const char16_t*, const char16_t*> catalogue[] = {
        {u"VM2077", u"Teilereferenzen"},
        {u"VM2059", u"Soll eine Teilreferenz eingefügt werden?"},
        {u"VM2078", u"Teilereferenzen der eingefügten Zeichnung löschen"},
        {u"VM2079", u"OK"},
        {u"VM2080", u"Abbrechen"}};
    for (const auto& [key, text] : catalogue) {
        sim::pdm::setCatalogueText(key, text);
    }
    // The hook runs on the dialog's thread: it keeps handling the dialog's messages (painting
    // above all) while it waits.
    const auto pumpFor = [](int milliseconds) {
        for (int waited = 0; waited < milliseconds; waited += 20) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            Sleep(20);
        }
    };
    bool shown = false;
    sim::setDialogAnswerHook([&](const winsys::DialogRequest&) {
        shown = true;
        pumpFor(1000);
        std::ofstream(ready) << "shown\n";
        for (int waited = 0; waited < 1200 && !std::filesystem::exists(done); ++waited) {
            pumpFor(100);
        }
        return sim::DialogAnswer{winsys::kIdCancel, std::nullopt};
    });
    sim::typeText(u"ORBDUPDATEPARTREF D7 entlast ");
    sim::runCommandLine();
    sim::setDialogAnswerHook({});
    module->SendMessage(2, &packet);
    std::printf(shown ? "dialog shown and closed\n" : "no dialog shown\n");
    return shown ? 0 : 1;
}
