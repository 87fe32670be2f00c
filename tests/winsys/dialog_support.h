// What the dialog tests and the dialog screenshot share: the request that the part-reference
// dialog is opened with, and (on Windows) the module's resources in the resource chain.
#pragma once

#include "host/winsys.h"
#include "resources/resource_ids.h"

inline winsys::DialogRequest PartRefDialogRequest(bool checked) {
    winsys::DialogRequest request;
    request.resourceId = IDD_PARTREF;
    request.caption = u"Teilereferenzen";
    request.texts = {
        {IDC_PARTREF_QUESTION, u"Soll eine Teilreferenz eingefügt werden?"},
        {IDC_PARTREF_DELETE_INSERTED, u"Teilereferenzen der eingefügten Zeichnung löschen"},
        {winsys::kIdOk, u"OK"},
        {winsys::kIdCancel, u"Abbrechen"}};
    request.checkBoxId = IDC_PARTREF_DELETE_INSERTED;
    request.checked = checked;
    return request;
}

#if defined(_WIN32)
#include <windows.h>

// Puts the module file's resources (not its code) into the resource chain while it lives.
class ModuleResources {
  public:
    ModuleResources()
        : file_(LoadLibraryExW(L"orbdvmbom16.vmx", nullptr,
                               LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {
        if (file_ != nullptr) {
            winsys::initExtensionModule(block_, file_);
        }
    }
    ~ModuleResources() {
        winsys::termExtensionModule(block_);
        if (file_ != nullptr) {
            FreeLibrary(file_);
        }
    }
    ModuleResources(const ModuleResources&) = delete;
    ModuleResources& operator=(const ModuleResources&) = delete;

    bool loaded() const { return block_.initialized; }

  private:
    HMODULE file_;
    winsys::ExtensionModuleBlock block_;
};
#endif
