#include "app/option_loop.h"

std::string readOptions(const std::vector<std::string>& args, std::size_t first, const OptionReader& reader,
                        bool& help, bool& version)
{
    for (std::size_t i = first; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            help = true;
            return {};
        }
        if (arg == "--version") {
            version = true;
            return {};
        }
        OptionKind kind = reader.kindOf(arg);
        if (kind == OptionKind::unknown) {
            if (reader.notAnOption.empty() || (!arg.empty() && arg[0] == '-'))
                return "unknown option \"" + arg + "\"" + reader.seeHelp;
            return "unexpected argument \"" + arg + "\": " + reader.notAnOption + reader.seeHelp;
        }
        if (kind == OptionKind::takesValue && i + 1 >= args.size())
            return arg + " needs a value" + reader.seeHelp;
        std::string error = reader.take(arg, kind == OptionKind::takesValue ? args[++i] : std::string());
        if (!error.empty())
            return error;
    }
    return {};
}
