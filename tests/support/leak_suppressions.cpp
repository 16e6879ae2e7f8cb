// Leaks of libraries below the tests, which LeakSanitizer reads at exit: they are not ours to fix,
// and nothing of ours is hidden by them. The PulseAudio client library leaks its connection attempt
// when no sound server answers, as on build machines (tests that play sounds); the x265 encoder
// leaks buffers of every encoder it opens (tests that write HEIC pictures through libheif).
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libpulse.so\n"
           "leak:libx265.so\n";
}
