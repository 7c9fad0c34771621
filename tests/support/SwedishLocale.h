#pragma once

#include <clocale>
#include <locale>
#include <string>

namespace trundlex::testing {

// Switches the C and C++ global locales to Swedish (decimal comma) for one scope, as a Qt
// program does at start-up. available() is false when the machine lacks the locale, or its C
// library writes no decimal comma in it.
class SwedishLocale {
public:
    SwedishLocale() {
        const char* old = std::setlocale(LC_ALL, nullptr);
        oldC_ = old ? old : "C";
        for (const char* name : {"sv_SE.UTF-8", "sv_SE.utf8"}) {
            if (std::setlocale(LC_ALL, name)) {
                try {
                    oldCpp_ = std::locale::global(std::locale(name));
                } catch (const std::runtime_error&) {
                }
                // A C library without locale data (musl, in the WebAssembly build) takes the
                // name but keeps the point: then there is no Swedish to test against.
                available_ = std::localeconv()->decimal_point[0] == ',';
                return;
            }
        }
    }
    ~SwedishLocale() {
        std::setlocale(LC_ALL, oldC_.c_str());
        std::locale::global(oldCpp_);
    }
    SwedishLocale(const SwedishLocale&) = delete;
    SwedishLocale& operator=(const SwedishLocale&) = delete;

    bool available() const { return available_; }

private:
    std::string oldC_;
    std::locale oldCpp_ = std::locale();
    bool available_ = false;
};

}  // namespace trundlex::testing
