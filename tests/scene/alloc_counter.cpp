// Replaces the global allocation functions with counting forwarders.
#include "tests/scene/alloc_counter.h"

#include <atomic>
#include <cstdlib>
#include <new>

// A sanitizer owns malloc, and the Windows C runtime's cannot be wrapped
// this way: there only operator new is counted.
#if defined(__SANITIZE_ADDRESS__) || defined(_WIN32)
#define ORVANTH_NEW_ONLY 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ORVANTH_NEW_ONLY 1
#endif
#endif

namespace {
std::atomic<bool> counting{false};
std::atomic<std::size_t> allocations{0};
std::atomic<std::size_t> new_allocations{0};

#ifndef ORVANTH_NEW_ONLY
void note() {
  if (counting.load(std::memory_order_relaxed)) {
    allocations.fetch_add(1, std::memory_order_relaxed);
  }
}
#endif

void note_new() {
  if (counting.load(std::memory_order_relaxed)) {
    new_allocations.fetch_add(1, std::memory_order_relaxed);
#ifdef ORVANTH_NEW_ONLY
    // Without the malloc wrappers below, count new here as well.
    allocations.fetch_add(1, std::memory_order_relaxed);
#endif
  }
}
}  // namespace

namespace orvanth::test {

void start_counting_allocations() {
  allocations = 0;
  new_allocations = 0;
  counting = true;
}

std::size_t stop_counting_allocations() {
  counting = false;
  return allocations.load();
}

std::size_t counted_new_allocations() { return new_allocations.load(); }

bool counts_malloc() {
#ifdef ORVANTH_NEW_ONLY
  return false;
#else
  return true;
#endif
}

}  // namespace orvanth::test

#ifndef ORVANTH_NEW_ONLY
// The sanitizers bring their own malloc; elsewhere glibc's entry points are
// wrapped so that C libraries (GL, GLU) are counted too.
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void __libc_free(void* block);

void* malloc(std::size_t size) {
  note();
  return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) {
  note();
  return __libc_calloc(count, size);
}
void* realloc(void* block, std::size_t size) {
  note();
  return __libc_realloc(block, size);
}
void free(void* block) { __libc_free(block); }
}
#endif

void* operator new(std::size_t size) {
  note_new();
  if (void* block = std::malloc(size == 0 ? 1 : size)) {
    return block;
  }
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t& /*unused*/) noexcept {
  note_new();
  return std::malloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
  return operator new(size, tag);
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t /*unused*/) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t /*unused*/) noexcept { std::free(block); }
