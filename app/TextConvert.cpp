#include "TextConvert.h"

using namespace irr;
using namespace irr::core;

namespace {

template <typename Byte>
stringw widenAs(const stringc& s) {
    stringw out;
    out.reserve(s.size() + 1);
    for (u32 i = 0; i < s.size(); ++i) out.append((wchar_t)(Byte)s[i]);
    return out;
}

}  // namespace

stringc narrow(const stringw& s) {
    stringc out;
    out.reserve(s.size() + 1);
    for (u32 i = 0; i < s.size(); ++i) out.append((c8)(s[i] & 0xFF));
    return out;
}

stringw widen(const stringc& s) { return widenAs<unsigned char>(s); }

stringw widenSigned(const stringc& s) { return widenAs<signed char>(s); }
