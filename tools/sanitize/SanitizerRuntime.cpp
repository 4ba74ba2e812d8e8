// Compiled into every program of a sanitizer build (TAMROW_SANITIZE=ON) and into
// nothing else: how the sanitizers are to run there, for the tests, for CI and
// for anyone who starts such a program by hand. ASAN_OPTIONS, LSAN_OPTIONS and
// UBSAN_OPTIONS set in the environment still come on top.
#include <dlfcn.h>

extern "C"
{
// Read by the sanitizer runtimes at start.
const char* __asan_default_options();
const char* __ubsan_default_options();
}

const char* __asan_default_options()
{
    // LeakSanitizer checks at exit (on by default; said here so nobody wonders).
    // Dynamic TLS is not tracked: at exit LSan would scan the dynamic TLS blocks
    // of Mesa's threads, and now and then one that a thread has just given back,
    // which kills LSan's own tracer thread ("Tracer caught signal 11" in
    // ScanRangeForPointers, about one run in forty). The blocks themselves are
    // heap blocks of the dynamic loader, which LSan counts as reachable and scans
    // anyway, so no leak goes unseen for it.
    return "detect_leaks=1:intercept_tls_get_addr=0";
}

const char* __ubsan_default_options()
{
    // The build already stops at the first finding (-fno-sanitize-recover); say where it was.
    return "print_stacktrace=1";
}

namespace
{
// Mesa loads its OpenGL driver (under Xvfb: swrast_dri.so, llvmpipe) with the
// first context and unloads it again when the last X connection closes, at the
// program's very end, before LeakSanitizer looks at the heap. The blocks the
// driver still holds in its own globals then look leaked, with an allocation
// stack in a module that is gone and can be neither read nor suppressed. Opened
// once more here, never to be unloaded, the driver keeps its globals in place:
// what they hold stays reachable, and anything it does leak is named.
__attribute__((constructor)) void keepGlDriverLoaded()
{
    // Not there (another driver, another machine): nothing to keep.
    dlopen(TAMROW_GL_DRIVER, RTLD_LAZY | RTLD_NODELETE);
}
} // namespace
