// The shell's own commands. They begin with "." so that no host or module command can be
// shadowed by them; "help" is the one exception, as every newcomer types it.
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "app/common/session.h"

class ShellCommands {
  public:
    // session and out must outlive this. ".save" takes relative names from startFolder.
    ShellCommands(Session& session, std::filesystem::path startFolder, std::ostream& out)
        : session_(session), startFolder_(std::move(startFolder)), out_(out) {}

    // Runs the line when it is one of the shell's commands (in any letter case, as the host
    // takes its commands), and says whether it was.
    bool Run(const std::string& line);

  private:
    struct DotCommand {
        const char* name;
        const char* argument;
        const char* purpose;
        void (ShellCommands::*run)(const std::string& argument);
    };
    static const std::vector<DotCommand>& DotCommands();

    void Help(const std::string& argument);
    void Bom(const std::string& argument);
    void PartData(const std::string& argument);
    void Env(const std::string& argument);
    void Changes(const std::string& argument);
    void Save(const std::string& argument);

    Session& session_;
    std::filesystem::path startFolder_;
    std::ostream& out_;
};
