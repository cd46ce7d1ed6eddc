#include "platform/extension_list.h"

#include <cstring>

namespace platform {

bool listsExtension(const char* extensions, const char* name)
{
    if (!extensions)
        return false;
    std::size_t length = std::strlen(name);
    for (const char* at = std::strstr(extensions, name); at; at = std::strstr(at + 1, name)) {
        bool starts = at == extensions || at[-1] == ' ';
        bool ends = at[length] == ' ' || at[length] == '\0';
        if (starts && ends)
            return true;
    }
    return false;
}

}  // namespace platform
