#pragma once

// The component runtime is one shared library per process, like the platform's own: every module
// (the program, the component library) sees the same per-thread state, module cache and registry.
#define PINLORE_COM_EXPORT __attribute__((visibility("default")))
