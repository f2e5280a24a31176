// The native tree links every program with the address sanitizer. The
// benchmarks' own code is compiled without it, but the run-time library
// still stands in for malloc; these options keep it from filling every new
// block and from checking the whole range on each memmem call, which the
// figures would otherwise include.
#if !defined(_WIN32)
// Weak, so that a benchmark may give options of its own.
extern "C" __attribute__((weak)) const char* __asan_default_options() {
    return "max_malloc_fill_size=0:intercept_memmem=0:quarantine_size_mb=0:detect_leaks=0";
}
#endif
