// The invariant checks of the fuzz targets: a violated one names itself on
// stderr and stops the target with a trap, which libFuzzer reports as a crash
// and saves the input of.
#pragma once

#include <cstdio>

[[noreturn]] inline void EchecFuzz(const char* condition, const char* fichier, int ligne) {
    std::fprintf(stderr, "%s:%d: violated: %s\n", fichier, ligne, condition);
    __builtin_trap();
}

#define Verifier(condition) ((condition) ? (void)0 : EchecFuzz(#condition, __FILE__, __LINE__))
