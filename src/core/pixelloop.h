// Internal to the core layer.
#pragma once

// Attributes for the loops that visit every pixel of a picture (or every value of a span).
// Each input of the whole-pipeline fuzz target runs them over 76,800 values a dozen times,
// and the instrumentation in them, not the work, was most of its time.
//
// CALIVUE_PIXEL_LOOP: no coverage counters (the loops have no branch worth guiding a
// fuzzer) and no undefined-behaviour checks (their arithmetic is on 16-bit values held in
// 32- or 64-bit integers and cannot overflow). Address checks stay: these loops index with
// computed bounds.
//
// CALIVUE_FIXED_PIXEL_LOOP: the same without address checks either, for loops whose bounds
// are the picture's constant size over storage the function has checked to hold exactly
// that many values, and whose other indexes are range-checked in the loop.
//
// Both marks stop the compiler from inlining instrumented functions into the loop: a call to
// std::min, std::max or std::vector::operator[] inside one becomes a real call per pixel.
// The loops compare and index through plain pointers instead.
#if defined(__clang__) && __clang_major__ >= 13
#define CALIVUE_PIXEL_LOOP __attribute__((no_sanitize("coverage", "undefined")))
#define CALIVUE_FIXED_PIXEL_LOOP __attribute__((no_sanitize("coverage", "undefined", "address")))
#else
#define CALIVUE_PIXEL_LOOP
#define CALIVUE_FIXED_PIXEL_LOOP
#endif
