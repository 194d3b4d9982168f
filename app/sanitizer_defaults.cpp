// Defaults for the sanitizer runtime, linked into every program of a
// sanitizer build (game, tests, benchmarks, fuzzers, content generator), so a
// run by hand checks exactly what the test suite checks.

// The leak checker's own bookkeeping of dynamically loaded libraries' thread
// locals (the GL driver's, loaded at context creation) guesses each block's
// extent from a header that glibc stopped writing years ago. With today's
// glibc the block is an ordinary heap chunk, and whenever that chunk happens
// to start 16 bytes into a page the guess reads the allocator's chunk header
// as an address range; the exit-time leak check then scans garbage and dies
// ("Tracer caught signal 11"). Turning that bookkeeping off loses nothing:
// the blocks are heap chunks reachable from the thread's own vector of them,
// so what they point to is still seen as reachable and real leaks are still
// reported.
extern "C" const char* __asan_default_options()
{
    return "detect_leaks=1:intercept_tls_get_addr=0";
}

// Leaks inside the system's GL, X11, font and audio libraries are theirs, not
// ours; nothing of our own code is ever suppressed.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libGLX\n"
           "leak:libGL.so\n"
           "leak:libGLdispatch\n"
           "leak:libgallium\n"
           "leak:swrast_dri\n"
           "leak:libLLVM\n"
           "leak:libX11\n"
           "leak:libxcb\n"
           "leak:libglut\n"
           "leak:libfontconfig\n"
           "leak:libSDL2\n"
           "leak:libdbus\n"
           "leak:dri\n";
}

extern "C" const char* __lsan_default_options()
{
    return "print_suppressions=0";
}

// Undefined behaviour stops the program where it happens, with the stack.
extern "C" const char* __ubsan_default_options()
{
    return "print_stacktrace=1:halt_on_error=1";
}
