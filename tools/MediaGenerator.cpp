#include "MediaGenerator.h"
#include <algorithm>
#include <cstdio>
#include <vector>

namespace mediagen {

namespace {
struct Entry {
    const char* name;
    GenFn fn;
};
std::vector<Entry>& registry() {
    static std::vector<Entry> r;
    return r;
}
}

MediaGenerator::MediaGenerator(const char* name, GenFn fn) { registry().push_back({name, fn}); }

bool Context::writeImage(irr::video::IImage* image, const std::string& rel) const {
    if (!image) return false;
    const std::string full = path(rel);
    bool ok = driver->writeImageToFile(image, full.c_str(), 95);
    if (!ok) printf("media: cannot write %s\n", full.c_str());
    return ok;
}

int MediaGenerator::runAll(Context& ctx) {
    std::vector<Entry> all = registry();
    // Same order on every build, whatever the link order.
    std::sort(all.begin(), all.end(),
              [](const Entry& a, const Entry& b) { return std::string(a.name) < std::string(b.name); });
    int failures = 0;
    for (const Entry& e : all) {
        if (!e.fn(ctx)) {
            printf("media: generator %s failed\n", e.name);
            ++failures;
        }
    }
    return failures;
}

}  // namespace mediagen
