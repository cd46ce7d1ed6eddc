#pragma once

#include <functional>
#include <string>
#include <vector>

// How a program reads its command line, option by option.
enum class OptionKind { flag, takesValue, unknown };

struct OptionReader {
    // Ends every complaint, pointing at the program's --help.
    std::string seeHelp;
    // Said of an argument that is no option; empty: it is an unknown option.
    std::string notAnOption;
    std::function<OptionKind(const std::string& option)> kindOf;
    // Takes one option, with its value when it has one (else an empty
    // string). Returns an empty string, or one line saying what is wrong.
    std::function<std::string(const std::string& option, const std::string& value)> take;
};

// Reads `args` from `first` on. --help (or -h) and --version set `help` or
// `version` and end the reading, whatever follows. Returns an empty string,
// or the first complaint.
std::string readOptions(const std::vector<std::string>& args, std::size_t first, const OptionReader& reader,
                        bool& help, bool& version);
