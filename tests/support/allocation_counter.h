// Counts the C++ allocations of each thread, for the tests and benchmarks that show what an
// operation allocates. Include it in exactly one file of a program: it replaces the global
// operator new and delete.
#pragma once

#include <cstdlib>
#include <new>

namespace test_support {
// Allocations the calling thread has made since it started.
inline thread_local long allocations = 0;
}  // namespace test_support

// None of them inlined: the optimiser would otherwise pair malloc() or free() with the other
// side's operator and warn of a mismatch.
[[gnu::noinline]] void* operator new(std::size_t size) {
  ++test_support::allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { std::free(p); }
