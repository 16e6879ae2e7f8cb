// For test programs that play sounds: the PulseAudio client library leaks its connection attempt
// when no sound server answers, as on build machines. LeakSanitizer reads this list at exit; it is
// not ours to fix, and nothing of ours is hidden by it.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libpulse.so\n";
}
