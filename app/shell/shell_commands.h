// The shell's own commands. They begin with "." so that no host or module command can be
// shadowed by them; "help" is the one exception, as every newcomer types it.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "app/common/session.h"

class ShellCommands {
  public:
    // session and out must outlive this.
    ShellCommands(Session& session, std::ostream& out) : session_(session), out_(out) {}

    // Runs the line when it is one of the shell's commands, and says whether it was.
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
    std::ostream& out_;
};
