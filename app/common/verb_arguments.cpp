#include "app/common/verb_arguments.h"

#include <algorithm>
#include <memory>

#include "app/common/terminal_text.h"

namespace {

// The documented usage in place of CLI11's generated line, so that help and errors show what
// the README shows.
class UsageFormatter final : public CLI::Formatter {
  public:
    explicit UsageFormatter(std::string usage) : usage_(std::move(usage)) {}
    std::string make_usage(const CLI::App*, std::string) const override { return usage_; }

  private:
    std::string usage_;
};

}  // namespace

std::optional<int> ParseVerbArguments(CLI::App& verb, const std::string& usage,
                                      std::vector<std::string> args, std::ostream& out,
                                      std::ostream& err) {
    verb.formatter(std::make_shared<UsageFormatter>(usage));
    // On Windows CLI11 would read "/path/file.json" as an option "/path".
    verb.allow_windows_style_options(false);
    // CLI11 takes a vector from its back.
    std::reverse(args.begin(), args.end());
    try {
        verb.parse(args);
    } catch (const CLI::CallForHelp&) {
        out << verb.help();
        return 0;
    } catch (const CLI::ParseError& e) {
        // The reason quotes the arguments, which may hold anything.
        err << "vexa-sim: " << EscapeControls(e.what()) << "\n" << usage;
        return kExitUnusable;
    }
    return std::nullopt;
}
