#include "app/CommandLine.h"

#include <array>
#include <string_view>

#include "Version.h"

namespace quorvel {

namespace {

constexpr std::string_view kUsage =
    "Usage: quorvel [OPTION]... [FILE]\n"
    "Shows the screens of the signal meter drawn from FILE, a source data file (*.dat) or a\n"
    "JSON dump in the form `quorvel-cli dump` prints, and shows the file again each time it\n"
    "changes on disk.\n"
    "\n"
    "  -h, --help     show this help and exit\n"
    "  -V, --version  show the version and exit\n"
    "\n"
    "Qt's own options, such as -platform or -style, are understood too.\n";

// Qt's application options; those in the first list take a value.
constexpr std::array<std::string_view, 11> kQtOptionsWithValue = {
    "platform",        "platformpluginpath", "platformtheme", "plugin",
    "qwindowgeometry", "qwindowicon",        "qwindowtitle",  "display",
    "style",           "stylesheet",         "session"};
constexpr std::array<std::string_view, 2> kQtFlags = {"reverse", "widgetcount"};

template <std::size_t N>
bool Contains(const std::array<std::string_view, N>& names, std::string_view name) {
    for (std::string_view known : names) {
        if (known == name) return true;
    }
    return false;
}

CommandLine Refuse(std::string text) {
    return {CommandLine::Action::Refuse, std::nullopt,
            "quorvel: " + text + "\nTry 'quorvel --help' for more information.\n"};
}

}  // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv) {
    CommandLine line;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        const bool isOption = !optionsEnded && argument.size() > 1 && argument[0] == '-';
        if (!isOption) {
            if (line.file) return Refuse("one file at a time: '" + std::string(argument) + "'");
            line.file = std::string(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "-h" || argument == "--help") {
            return {CommandLine::Action::Help, std::nullopt, std::string(kUsage)};
        } else if (argument == "-V" || argument == "--version") {
            return {CommandLine::Action::Version, std::nullopt,
                    "quorvel " + std::string(kVersion) + "\n"};
        } else {
            // Qt takes its options with one dash or two, a value after a space or an '='.
            std::string_view name = argument.substr(argument.starts_with("--") ? 2 : 1);
            const std::size_t equals = name.find('=');
            const bool valueAttached = equals != std::string_view::npos;
            name = name.substr(0, equals);
            if (Contains(kQtOptionsWithValue, name)) {
                if (!valueAttached && ++i >= argc) {
                    return Refuse("option '" + std::string(argument) + "' needs a value");
                }
            } else if (!Contains(kQtFlags, name)) {
                return Refuse("unknown option '" + std::string(argument) + "'");
            }
        }
    }
    return line;
}

}  // namespace quorvel
