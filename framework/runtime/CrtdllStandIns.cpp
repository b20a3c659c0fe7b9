// The C run-time names that the compiler's libraries and headers ask of MSVCRT.DLL and that
// CRTDLL.DLL, the run-time of Windows 95 and NT 3.51, does not export: each is answered here
// through what CRTDLL.DLL or the kernel does export. Linked into the shipped i686 programs
// only (with cmake/crtdll-driver.cfg), never into a build that uses MSVCRT.DLL.
//
// The names are given exactly as the linker sees them (i686 C names carry a leading
// underscore; a name the libraries import is the address kept in "__imp_" plus that name).
#include <windows.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <sys/stat.h>

// What CRTDLL.DLL exports, under its own names.
extern "C" {
long crtdll_time(long* now) __asm__("_time");
struct tm* crtdll_localtime(const long* when) __asm__("_localtime");
int crtdll_fseek(FILE* stream, long offset, int origin) __asm__("_fseek");
long crtdll_ftell(FILE* stream) __asm__("_ftell");
int crtdll_read(int fd, void* buffer, unsigned count) __asm__("__read");
int crtdll_close(int fd) __asm__("__close");
char* crtdll_strdup(const char* text) __asm__("__strdup");
int* crtdll_errno() __asm__("__errno");
}

namespace {

constexpr int kEinval = 22;

long StandInTime32(long* now) {
    return crtdll_time(now);
}

struct tm* StandInLocaltime32(const long* when) {
    return crtdll_localtime(when);
}

// The 64-bit seek of the stdio streams: CRTDLL.DLL keeps 32-bit offsets, so a position it
// cannot reach is refused, never cut short.
int StandInFseeki64(FILE* stream, int64_t offset, int origin) {
    if (offset > LONG_MAX || offset < LONG_MIN) {
        *crtdll_errno() = kEinval;
        return -1;
    }
    return crtdll_fseek(stream, static_cast<long>(offset), origin);
}

int64_t StandInFtelli64(FILE* stream) {
    return crtdll_ftell(stream);
}

// Only the standard library's random device asks for it. RtlGenRandom (advapi32's
// SystemFunction036, Windows XP and later) where it exists; else the performance counter and
// the tick count stirred together, which is what older systems offer.
int StandInRandS(unsigned* value) {
    using GenRandomProc = BOOLEAN(WINAPI*)(void*, ULONG);
    HMODULE advapi = GetModuleHandleA("advapi32.dll");
    auto generate = advapi ? reinterpret_cast<GenRandomProc>(reinterpret_cast<void*>(
                                 GetProcAddress(advapi, "SystemFunction036")))
                           : nullptr;
    if (generate && generate(value, sizeof *value))
        return 0;
    static uint64_t state = 0;
    LARGE_INTEGER counter = {};
    QueryPerformanceCounter(&counter);
    state += 0x9E3779B97F4A7C15ULL ^ static_cast<uint64_t>(counter.QuadPart) ^ GetTickCount() ^
             (static_cast<uint64_t>(GetCurrentProcessId()) << 32);
    uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    *value = static_cast<unsigned>(z ^ (z >> 31));
    return 0;
}

// The compiler's thread library starts threads through these; the programs start none.
// CreateThread gives the same thread without the run-time's per-thread data, which CRTDLL.DLL
// sets up on first use.
uintptr_t StandInBeginThreadEx(void* security, unsigned stackSize,
                               unsigned(__stdcall* start)(void*), void* argument, unsigned flags,
                               unsigned* threadId) {
    DWORD id = 0;
    HANDLE thread =
        CreateThread(static_cast<LPSECURITY_ATTRIBUTES>(security), stackSize,
                     reinterpret_cast<LPTHREAD_START_ROUTINE>(start), argument, flags, &id);
    if (threadId)
        *threadId = id;
    return reinterpret_cast<uintptr_t>(thread);
}

void StandInEndThreadEx(unsigned code) {
    ExitThread(code);
}

} // namespace

extern "C" {

// The imported names: the address each import slot would hold.
__attribute__((used)) void*
    imp_time32 __asm__("__imp___time32") = reinterpret_cast<void*>(&StandInTime32);
__attribute__((used)) void*
    imp_localtime32 __asm__("__imp___localtime32") = reinterpret_cast<void*>(&StandInLocaltime32);
__attribute__((used)) void*
    imp_fseeki64 __asm__("__imp___fseeki64") = reinterpret_cast<void*>(&StandInFseeki64);
__attribute__((used)) void*
    imp_ftelli64 __asm__("__imp___ftelli64") = reinterpret_cast<void*>(&StandInFtelli64);
__attribute__((used)) void*
    imp_rand_s __asm__("__imp__rand_s") = reinterpret_cast<void*>(&StandInRandS);
__attribute__((used)) void* imp_beginthreadex __asm__("__imp___beginthreadex") =
    reinterpret_cast<void*>(&StandInBeginThreadEx);
__attribute__((used)) void*
    imp_endthreadex __asm__("__imp___endthreadex") = reinterpret_cast<void*>(&StandInEndThreadEx);

// The names called directly. The old POSIX names of MSVCRT.DLL's compatibility library:
int StandInRead(int fd, void* buffer, unsigned count) __asm__("_read");
int StandInRead(int fd, void* buffer, unsigned count) {
    return crtdll_read(fd, buffer, count);
}
int StandInClose(int fd) __asm__("_close");
int StandInClose(int fd) {
    return crtdll_close(fd);
}
char* StandInStrdup(const char* text) __asm__("_strdup");
char* StandInStrdup(const char* text) {
    return crtdll_strdup(text);
}

// stat() with 32-bit times and sizes. CRTDLL.DLL's own _stat fills a structure of another
// layout, so the answer comes from the kernel: FindFirstFileA for files and folders, the
// attributes alone for a root ("C:\"), which has no directory entry.
int StandInStat32(const char* path, struct _stat32* status) __asm__("__stat32");
int StandInStat32(const char* path, struct _stat32* status) {
    *status = {};
    for (const char* p = path; *p; ++p) {
        if (*p == '*' || *p == '?') {
            *crtdll_errno() = 2; // ENOENT: no file has such a name
            return -1;
        }
    }
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        *crtdll_errno() = 2;
        return -1;
    }
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(path, &found);
    if (find != INVALID_HANDLE_VALUE) {
        FindClose(find);
        auto seconds = [](const FILETIME& ft) -> long {
            uint64_t t = (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
            const uint64_t epoch = 116444736000000000ULL;
            return t < epoch ? 0 : static_cast<long>((t - epoch) / 10000000ULL);
        };
        status->st_size = static_cast<_off_t>(found.nFileSizeLow);
        status->st_mtime = seconds(found.ftLastWriteTime);
        status->st_atime = seconds(found.ftLastAccessTime);
        status->st_ctime = seconds(found.ftCreationTime);
    }
    unsigned short mode = _S_IREAD;
    if ((attributes & FILE_ATTRIBUTE_READONLY) == 0)
        mode |= _S_IWRITE;
    mode |= (attributes & FILE_ATTRIBUTE_DIRECTORY) ? (_S_IFDIR | _S_IEXEC) : _S_IFREG;
    status->st_mode = mode;
    status->st_nlink = 1;
    return 0;
}

// setjmp with MSVCRT.DLL's extra arguments: CRTDLL.DLL's _setjmp fills the same buffer for
// its own longjmp. A jump, not a call, so that the caller's frame is the one saved.
__asm__(".globl __setjmp3\n"
        "__setjmp3:\n"
        "\tjmp __setjmp\n");

} // extern "C"
