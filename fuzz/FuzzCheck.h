#pragma once
// A broken property ends the fuzz run with a message that says which one;
// abort() makes libFuzzer keep the input that broke it.
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(Condition)                                                                     \
    do {                                                                                          \
        if (!(Condition)) {                                                                       \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #Condition); \
            std::abort();                                                                         \
        }                                                                                         \
    } while (0)
