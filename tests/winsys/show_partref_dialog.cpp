// Opens the part-reference dialog from the module's resources with the texts the module
// puts in, and keeps it on the screen until asked to close it, so that a screenshot can be
// taken. Windows only.
//
//   show_partref_dialog READY_FILE DONE_FILE
//
// Writes READY_FILE once the dialog is painted, then waits (up to two minutes) for DONE_FILE
// to appear and closes the dialog with Cancel.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

#include "dialog_support.h"
#include "sim/winsys/window_control.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: show_partref_dialog READY_FILE DONE_FILE\n");
        return 2;
    }
    const std::filesystem::path ready = argv[1];
    const std::filesystem::path done = argv[2];
    ModuleResources resources;
    if (!resources.loaded()) {
        std::fprintf(stderr, "cannot read the resources of orbdvmbom16.vmx\n");
        return 1;
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
    sim::setDialogAnswerHook([&](const winsys::DialogRequest&) {
        pumpFor(1000);
        std::ofstream(ready) << "shown\n";
        for (int waited = 0; waited < 1200 && !std::filesystem::exists(done); ++waited) {
            pumpFor(100);
        }
        return sim::DialogAnswer{winsys::kIdCancel, std::nullopt};
    });
    // A thread of its own shows it on the visible desktop: the stand-in host may have moved
    // the main thread to the private desktop of its windows.
    winsys::DialogOutcome outcome;
    std::thread([&outcome] {
        outcome = winsys::runModalDialog(nullptr, PartRefDialogRequest(true));
    }).join();
    std::printf("dialog closed with %d\n", outcome.result);
    return outcome.result == winsys::kIdCancel ? 0 : 1;
}
