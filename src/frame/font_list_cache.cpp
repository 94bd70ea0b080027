#include "font_list_cache.h"

#include <cstring>
#include <memory>
#include <mutex>
#include <new>

#include "dmscontent/fonts.h"

namespace dms {
namespace {

constexpr uint32_t kCapacity = 255;

struct FontListCache {
    std::mutex lock;
    std::unique_ptr<dmsFont[]> fonts;
    uint32_t count = 0;
};

FontListCache& cache() {
    static FontListCache c;
    return c;
}

}  // namespace

void ensureFontList() {
    FontListCache& c = cache();
    std::lock_guard<std::mutex> guard(c.lock);
    if (c.fonts) return;
    // A failed allocation leaves the cache empty; the next ensure tries again.
    c.fonts.reset(new (std::nothrow) dmsFont[kCapacity]());
    if (!c.fonts) return;
    c.count = kCapacity;
    (void)tqGetFontList(c.fonts.get(), &c.count);
    if (c.count > kCapacity) c.count = 0;
}

bool fontNameOfNumber(int number, std::string& name) {
    FontListCache& c = cache();
    std::lock_guard<std::mutex> guard(c.lock);
    for (uint32_t i = 0; c.fonts && i < c.count; ++i) {
        if (c.fonts[i].number == number) {
            name.assign(c.fonts[i].name, strnlen(c.fonts[i].name, sizeof c.fonts[i].name));
            return true;
        }
    }
    return false;
}

bool fontNumberOfName(const char* name, int& number) {
    if (!name) return false;
    FontListCache& c = cache();
    std::lock_guard<std::mutex> guard(c.lock);
    for (uint32_t i = 0; c.fonts && i < c.count; ++i) {
        if (std::strncmp(c.fonts[i].name, name, sizeof c.fonts[i].name) == 0 &&
            std::strlen(name) < sizeof c.fonts[i].name) {
            number = c.fonts[i].number;
            return true;
        }
    }
    return false;
}

void resetFontListForTests() {
    FontListCache& c = cache();
    std::lock_guard<std::mutex> guard(c.lock);
    c.fonts.reset();
    c.count = 0;
}

}  // namespace dms
