// What a message document needs to know of the sign it goes to or comes
// from: the names of its fonts and its maximum MULTI length. The caller reads
// them from the sign for each call and hands them in; the model never asks
// the sign itself.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace dms {

// A maximum MULTI length that was not read: no text is too long for it.
constexpr int32_t kUnknownMultiLength = 2147483647;

// A usable font of the sign: its number and name. Named apart from the FNT
// writer's SignFont (fonts/font_file.h): two classes of one name in one
// program would share one inline destructor.
struct SignFontName {
    int32_t number = 0;
    std::string name;
};

struct SignFacts {
    std::vector<SignFontName> fonts;  // the sign's usable fonts
    int32_t maxMultiLength = kUnknownMultiLength;
};

// Makes `facts` the ones the XML font attributes consult on this thread
// while the object lives (a message document being read or written); null:
// no font is known. Scopes nest.
class SignFactsInUse {
public:
    explicit SignFactsInUse(const SignFacts* facts);
    ~SignFactsInUse();
    SignFactsInUse(const SignFactsInUse&) = delete;
    SignFactsInUse& operator=(const SignFactsInUse&) = delete;

private:
    const SignFacts* saved_;
};

// Lookups in the fonts in use on this thread; false when no font matches.
bool fontNameOfNumber(int number, std::string& name);
bool fontNumberOfName(const char* name, int& number);

}  // namespace dms
