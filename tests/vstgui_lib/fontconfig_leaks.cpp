// Fontconfig keeps the font patterns that pango matched in caches it never
// frees (some held only by pango's font-loading thread), which the leak
// checker of the sanitizer pass reports at exit. They are the font library's
// process-lifetime caches, not our leaks. LeakSanitizer reads this hook in any
// binary that links it; without the sanitizer it is never called.
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
