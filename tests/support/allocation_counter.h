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

void* operator new(std::size_t size) {
  ++test_support::allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
