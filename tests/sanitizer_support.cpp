// Linked into the programs of the sanitizer build only.
//
// LeakSanitizer names a leak by the library that allocated it, but it reports
// at exit, after Mesa has unloaded its GL driver; the driver's allocations
// would then come from an unnamed module that no suppression can match, and
// could not be told apart from ours. So GL drivers are kept loaded.
#include <dlfcn.h>
#include <link.h>

#include <cstring>

extern "C" int dlclose(void* handle)
{
    using Close = int (*)(void*);
    static Close next = reinterpret_cast<Close>(dlsym(RTLD_NEXT, "dlclose"));
    link_map* library = nullptr;
    if (dlinfo(handle, RTLD_DI_LINKMAP, &library) == 0 && library && std::strstr(library->l_name, "_dri.so"))
        return 0;
    return next(handle);
}
