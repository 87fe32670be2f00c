// PdmLink: the module's single gateway to the KORDANE PDM client. Every catalogue text,
// environment value, PDM expression and PDM command of the module passes through it, and it
// owns the BOM mapping file.
//
// One instance lives from the first Instance() until the module is unloaded; no caller
// deletes it. Texts returned by GetText and GetTextByKey live in one of two slots and stay
// valid until the next lookup into the same slot. Everything runs on the host's main thread.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "config/ini_file.h"

class PdmLink {
  public:
    // Characters of one text slot, terminator included.
    static constexpr std::size_t kSlotLength = 1024;

    static PdmLink& Instance();
    // Drops the instance, so that the next Instance() starts fresh (slots unallocated, mapping
    // file not loaded), as when the module is loaded anew. Every reference and every slot text
    // obtained before becomes invalid. Tests use it; the module never does.
    static void Reset();

    PdmLink(const PdmLink&) = delete;
    PdmLink& operator=(const PdmLink&) = delete;

    // Catalogue text "VM20<number>"; numbers of 1000 or more read text 999, slots above 1 mean
    // slot 0. A text longer than the slot is cut to fit.
    const char16_t* GetText(std::int32_t number, int slot = 0);
    // Catalogue text under the key itself; a null key answers u"" without asking the PDM.
    const char16_t* GetTextByKey(const char16_t* key, int slot = 0);

    // Environment values of the host's current document.
    std::u16string GetEnv(const char16_t* name);
    int SetEnv(const char16_t* name, const char16_t* value);

    // The PDM's result text ("" when empty, "!..." on a PDM error).
    std::u16string Evaluate(const char16_t* expression);
    // As Evaluate, but the PDM may show a modal dialog first.
    std::u16string EvaluateWithDialog(const char16_t* expression);
    // The PDM's status of the command; a null argument is sent as an empty text.
    std::int32_t CallCommand(const char16_t* command, const char16_t* argument);

    // 1 when the host has loaded a module of exactly that name (case-sensitive), else 0.
    int IsModuleLoaded(const char16_t* name);
    // Nonzero when the host's main window became the foreground window.
    int BringHostToFront();

    // The mapping file named by "BOMIniFile". A successful load is final; a failed one is
    // tried again, with the value current then, on every later call.
    CIniFile& GetBomMappingFile();

    // Queries (pdm_queries.cpp). Each answers std::nullopt when a required argument is null.
    // The value of a field expression for the record with that ORBKEY in folder (null or empty:
    // "Folder_All_Document"); "(NAME)..." calls the host function NAME instead. An empty key
    // asks the PDM nothing and answers std::nullopt. A key or folder that cannot stand in the
    // query's double-quoted literals (pdm_query::FitsDoubleQuotedLiteral) is not sent; the
    // answer is then an error answer (IsPdmErrorAnswer).
    std::optional<std::u16string> QueryByKey(const char16_t* key, const char16_t* expression,
                                             const char16_t* folder);
    // The IDENT of the part at an xref position of the current document. Only a plain decimal
    // position reaches the PDM; any other answers "".
    std::optional<std::u16string> FindChildIdentByPosition(const char16_t* position);
    // The ORBKEY of the part with that IDENT (and REVISION).
    std::optional<std::u16string> FindPartKeyByIdent(const char16_t* ident);
    std::optional<std::u16string> FindPartKeyByIdentAndRevision(const char16_t* ident,
                                                                const char16_t* revision);

  private:
    PdmLink() = default;

    // Copies text into the slot (allocated on first use) and answers the slot's buffer.
    const char16_t* FillSlot(int slot, const std::u16string& text);
    std::optional<std::u16string> CallHostFunction(const std::u16string& name);

    std::array<std::unique_ptr<char16_t[]>, 2> slots_;
    CIniFile bomMappingFile_;
};
