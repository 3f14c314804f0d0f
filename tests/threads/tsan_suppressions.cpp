// Pango loads fonts on a thread of its own ("[pango] FcInit"), and fontconfig,
// which the sanitizer does not see inside, shares its caches with the drawing
// thread under its own locks: the thread sanitizer reports those accesses as
// races. They are the font library's, not ours. The sanitizer reads this hook
// in any binary that links it; without the sanitizer it is never called.
extern "C" __attribute__((visibility("default"), used)) const char* __tsan_default_suppressions()
{
    return "race:libfontconfig.so\n";
}
