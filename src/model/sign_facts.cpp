#include "model/sign_facts.h"

#include <cstring>

namespace dms {
namespace {

// Per thread, so two threads reading documents for two signs never see each
// other's fonts.
thread_local const SignFacts* t_facts = nullptr;

// Font names are 64 bytes on the sign; a longer name matches nothing.
constexpr size_t kFontNameSize = 64;

}  // namespace

SignFactsInUse::SignFactsInUse(const SignFacts* facts) : saved_(t_facts) { t_facts = facts; }

SignFactsInUse::~SignFactsInUse() { t_facts = saved_; }

bool fontNameOfNumber(int number, std::string& name) {
    if (!t_facts) return false;
    for (const SignFontName& f : t_facts->fonts) {
        if (f.number == number) {
            name = f.name;
            return true;
        }
    }
    return false;
}

bool fontNumberOfName(const char* name, int& number) {
    if (!name || !t_facts || std::strlen(name) >= kFontNameSize) return false;
    for (const SignFontName& f : t_facts->fonts) {
        if (f.name == name) {
            number = f.number;
            return true;
        }
    }
    return false;
}

}  // namespace dms
