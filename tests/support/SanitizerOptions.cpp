// The sanitizer options of the test programs, built in so that they hold however a test is started:
// by ctest with or without a preset, or by hand. TSAN_OPTIONS in the environment still adds to them.
// GCC's macro, as the program's own hand-off annotations use it.
#if defined(__SANITIZE_THREAD__)
// Qt is not built with TSan: its own accesses are not checked, and its hand-offs that TSan cannot
// see are listed in the suppressions file (Qt frames only).
extern "C" const char* __tsan_default_options()
{
    return "ignore_noninstrumented_modules=1 halt_on_error=1 suppressions=" KESTRUNE_TSAN_SUPPRESSIONS;
}
#endif
