// The calculation tests run with a comma-decimal locale in force, as on a German or Russian
// desktop, so that every number they read and write proves to use '.' whatever the locale says.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale>
#include <stdexcept>

// glibc keeps the search path of LOCPATH for good, in memory the leak checker of the sanitizer
// build cannot see it holds on to: not a leak of ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:argz_add_sep\n";
}

int main(int argc, char* argv[]) {
    ::testing::InitGoogleTest(&argc, argv);
    const char* name = "de_DE.UTF-8";
    // Run by hand, outside ctest, the test finds the locale the build compiled by itself.
    if (std::getenv("LOCPATH") == nullptr) setenv("LOCPATH", OLVIMAR_COMMA_LOCALE_PATH, 1);
    try {
        std::locale::global(std::locale(name));  // the C locale as well, being a named one
    } catch (const std::runtime_error&) {
    }
    const char* inForce = std::setlocale(LC_NUMERIC, nullptr);
    if (inForce == nullptr || std::strcmp(inForce, name) != 0 ||
        std::strcmp(std::localeconv()->decimal_point, ",") != 0) {
        const char* path = std::getenv("LOCPATH");
        std::fprintf(stderr, "Cannot switch to the comma-decimal locale %s (LOCPATH=%s).\n", name,
                     path ? path : "unset");
        return 1;
    }
    return RUN_ALL_TESTS();
}
