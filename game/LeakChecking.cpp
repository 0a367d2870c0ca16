#include "game/LeakChecking.h"

#include <dlfcn.h>
#include <link.h>

#include "game/LeakSuppressions.h"

void keepLoadedLibraries() {
  dl_iterate_phdr(
      [](dl_phdr_info* library, size_t, void*) {
        if (library->dlpi_name && library->dlpi_name[0])
          dlopen(library->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
        return 0;
      },
      nullptr);
}

#if defined(__SANITIZE_ADDRESS__)
#define QOR_LEAK_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QOR_LEAK_CHECKED 1
#endif
#endif

#ifdef QOR_LEAK_CHECKED
// Read by the leak checker at start: the suppressions hold without any LSAN_OPTIONS.
extern "C" char const* __lsan_default_suppressions() { return getLeakSuppressions(); }
// Nor does it list the suppressions it used at every quit.
extern "C" char const* __lsan_default_options() { return "print_suppressions=0"; }
// The checker's tracer follows the dynamic TLS of the GL driver's threads at exit and now and
// then falls over a stale entry ("Tracer caught signal 11"); qor keeps no pointers there.
extern "C" char const* __asan_default_options() { return "intercept_tls_get_addr=0"; }
#endif
