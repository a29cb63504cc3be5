// Global new and delete on the process heap. The library's own would bring
// the whole exception machinery along just to throw bad_alloc, which nothing
// here could catch; running out of memory ends the program instead.
#include <windows.h>

#include <new>

static void* Allocate(size_t size) {
  void* p = HeapAlloc(GetProcessHeap(), 0, size ? size : 1);
  if (!p) FatalAppExitA(0, "Out of memory.");
  return p;
}

void* operator new(size_t size) { return Allocate(size); }
void* operator new[](size_t size) { return Allocate(size); }
void operator delete(void* p) noexcept {
  if (p) HeapFree(GetProcessHeap(), 0, p);
}
void operator delete[](void* p) noexcept {
  if (p) HeapFree(GetProcessHeap(), 0, p);
}
void operator delete(void* p, size_t) noexcept { operator delete(p); }
void operator delete[](void* p, size_t) noexcept { operator delete[](p); }
