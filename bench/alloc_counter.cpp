// Preloaded into the show or the floor (LD_PRELOAD) to count heap
// allocations. Start-up is everything until frame 1 is presented (so frame 0
// and its console line, whose first write allocates the C library's stdout
// buffer, belong to it); after it, each allocation is also attributed: it is "ours" when the first caller
// outside the C and C++ runtimes is the program itself, not a library it
// calls; allocations after start-up are also counted per calling library.
// The counts are written at exit to the file named by STARWHIRL_ALLOC_REPORT
// as "key value" lines.
#include <dlfcn.h>
#include <execinfo.h>
#include <fcntl.h>
#include <sys/auxv.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void* __libc_memalign(size_t, size_t);
}

namespace {

std::atomic<unsigned long> allocations{0};
std::atomic<unsigned long> presentations{0};
std::atomic<unsigned long> atSecondPresentation{0};
std::atomic<unsigned long> atLastPresentation{0};
std::atomic<bool> started{false};

// Allocations after start-up by the image (program or library) that asked.
struct ImageCount {
    const void* base;
    // Copied: a library the driver loads itself is unloaded before exit.
    char name[160];
    unsigned long count;
    unsigned long atLastPresentation;
};
constexpr int maxImages = 32;
ImageCount images[maxImages];
int imageCount = 0;
std::atomic_flag imagesLock = ATOMIC_FLAG_INIT;

// Set while this thread is inside the hook, so that the unwinder's own
// allocations are counted but not unwound again.
__attribute__((tls_model("initial-exec"))) thread_local bool insideHook = false;

const void* programBase = nullptr;
const void* hookBase = nullptr;

bool isRuntime(const char* path)
{
    const char* name = std::strrchr(path, '/');
    name = name ? name + 1 : path;
    return std::strncmp(name, "libc.so", 7) == 0 || std::strncmp(name, "libstdc++.so", 12) == 0 ||
           std::strncmp(name, "libgcc_s.so", 11) == 0;
}

// The first caller outside this hook and the runtimes.
Dl_info caller()
{
    void* frames[48];
    int depth = backtrace(frames, 48);
    for (int i = 0; i < depth; ++i) {
        Dl_info info;
        if (dladdr(frames[i], &info) == 0 || info.dli_fbase == hookBase)
            continue;
        if (info.dli_fname && isRuntime(info.dli_fname))
            continue;
        return info;
    }
    return Dl_info{};
}

void attribute(const Dl_info& info)
{
    while (imagesLock.test_and_set(std::memory_order_acquire)) {
    }
    int i = 0;
    while (i < imageCount && images[i].base != info.dli_fbase)
        ++i;
    if (i == imageCount && imageCount < maxImages) {
        images[i] = ImageCount{info.dli_fbase, {}, 0, 0};
        if (info.dli_fname)
            std::snprintf(images[i].name, sizeof images[i].name, "%s", info.dli_fname);
        ++imageCount;
    }
    if (i < imageCount)
        ++images[i].count;
    imagesLock.clear(std::memory_order_release);
}

void count()
{
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (!started.load(std::memory_order_relaxed) || insideHook)
        return;
    insideHook = true;
    attribute(caller());
    insideHook = false;
}

void writeLine(int fd, const char* key, unsigned long value)
{
    char line[96];
    int length = std::snprintf(line, sizeof line, "%s %lu\n", key, value);
    if (write(fd, line, size_t(length)) != length)
        return;
}

__attribute__((constructor)) void findImages()
{
    Dl_info info;
    if (dladdr(reinterpret_cast<void*>(getauxval(AT_ENTRY)), &info))
        programBase = info.dli_fbase;
    if (dladdr(reinterpret_cast<void*>(&findImages), &info))
        hookBase = info.dli_fbase;
    // The unwinder loads itself on first use; do that now, not mid-show.
    void* frame[1];
    backtrace(frame, 1);
}

__attribute__((destructor)) void report()
{
    const char* path = std::getenv("STARWHIRL_ALLOC_REPORT");
    if (!path)
        return;
    int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return;
    writeLine(fd, "presentations", presentations.load());
    writeLine(fd, "startup", atSecondPresentation.load());
    writeLine(fd, "between_second_and_last_presentation", atLastPresentation.load() - atSecondPresentation.load());
    for (int i = 0; i < imageCount; ++i) {
        if (images[i].atLastPresentation == 0)
            continue;
        const char* name = images[i].name[0] ? images[i].name : "?";
        if (images[i].base == programBase)
            name = "program";
        char key[256];
        std::snprintf(key, sizeof key, "by %s", name);
        writeLine(fd, key, images[i].atLastPresentation);
    }
    close(fd);
}

}  // namespace

extern "C" {

void* malloc(size_t size)
{
    count();
    return __libc_malloc(size);
}

void* calloc(size_t n, size_t size)
{
    count();
    return __libc_calloc(n, size);
}

void* realloc(void* p, size_t size)
{
    count();
    return __libc_realloc(p, size);
}

void* memalign(size_t alignment, size_t size)
{
    count();
    return __libc_memalign(alignment, size);
}

void* aligned_alloc(size_t alignment, size_t size)
{
    return memalign(alignment, size);
}

int posix_memalign(void** result, size_t alignment, size_t size)
{
    void* p = memalign(alignment, size);
    if (!p)
        return ENOMEM;
    *result = p;
    return 0;
}

// Marks the frames: the second presentation ends start-up, the last one ends
// the measured span, so the exit's own clean-up is not counted as per-frame.
void glutSwapBuffers()
{
    using Swap = void (*)();
    static Swap next = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "glutSwapBuffers"));
    if (presentations.fetch_add(1) == 1) {
        atSecondPresentation.store(allocations.load());
        started.store(true);
    }
    next();
    atLastPresentation.store(allocations.load());
    while (imagesLock.test_and_set(std::memory_order_acquire)) {
    }
    for (int i = 0; i < imageCount; ++i)
        images[i].atLastPresentation = images[i].count;
    imagesLock.clear(std::memory_order_release);
}

}
