#include "CParametres.h"
#include <climits>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>
#include "TextConvert.h"
#include "rapidxml.hpp"

using namespace irr;

namespace {

// The narrowed text as bytes for the file, a zero byte included.
std::string bytes(const core::stringw& w) {
    const core::stringc s = narrow(w);
    return std::string(s.c_str(), s.size());
}

}  // namespace

CParametres::CParametres(const core::stringw& name, IrrlichtDevice* dev) : fileName(name), device(dev) {
    resolutions.insert(L"640x480", core::dimension2du(640, 480));
    resolutions.insert(L"800x600", core::dimension2du(800, 600));
    resolutions.insert(L"1024x768", core::dimension2du(1024, 768));
    resolutions.insert(L"1280x960", core::dimension2du(1280, 960));
}

CParametres::~CParametres() {}

void CParametres::setSetting(const core::stringw& key, const core::stringw& value) { settings[key] = value; }

void CParametres::setSetting(const core::stringw& key, s32 value) {
    // Through long long so that the lowest s32 has a positive counterpart.
    char buf[24];
    snprintf(buf, sizeof buf, "%lld", static_cast<long long>(value));
    setSetting(key, core::stringw(buf));
}

core::stringw CParametres::getSetting(const core::stringw& key) {
    core::map<core::stringw, core::stringw>::Node* n = settings.find(key);
    return n ? n->getValue() : core::stringw();
}

bool CParametres::getSettingAsBoolean(const core::stringw& key) { return getSetting(key) == L"1"; }

s32 CParametres::getSettingAsInteger(const core::stringw& key) {
    const std::string s = bytes(getSetting(key));
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    long long v = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        v = v * 10 + (s[i] - '0');
        if (v > static_cast<long long>(INT_MAX) + 1) v = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) v = -v;
    if (v > INT_MAX) v = INT_MAX;
    if (v < INT_MIN) v = INT_MIN;
    return static_cast<s32>(v);
}

bool CParametres::save() {
    std::ofstream out("settings.xml", std::ios::out | std::ios::trunc);
    if (!out.is_open()) return false;
    out << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";
    out << "<mygame>\n";
    out << "<video>\n";
    core::map<core::stringw, core::stringw>::Iterator it = settings.getIterator();
    for (; !it.atEnd(); it++) {
        out << "<setting name=\"" << bytes(it->getKey()) << "\" value=\"" << bytes(it->getValue()) << "\"></setting>\n";
    }
    out << "</video>\n";
    out << "</mygame>\n";
    out.close();
    // A full disk shows only when the buffered bytes are written out.
    return !out.fail();
}

bool CParametres::load() {
    std::ifstream in("settings.xml");
    if (!in.is_open()) return false;
    std::string text, line;
    while (std::getline(in, line)) text += line;
    in.close();

    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    rapidxml::xml_document<> doc;
    try {
        doc.parse<0>(buffer.data());
    } catch (const rapidxml::parse_error& e) {
        printf("settings.xml illisible: %s\n", e.what());
        return false;
    }
    rapidxml::xml_node<>* root = doc.first_node();
    if (!root) return false;
    rapidxml::xml_node<>* video = root->first_node("video");
    if (!video) return false;

    for (rapidxml::xml_node<>* s = video->first_node("setting"); s; s = s->next_sibling()) {
        if (s->type() != rapidxml::node_element) continue;
        rapidxml::xml_attribute<>* name = s->first_attribute("name");
        // rapidxml's named last_attribute reads an unset pointer on an element without attributes.
        rapidxml::xml_attribute<>* value = name ? s->last_attribute("value") : nullptr;
        if (!name || !value) continue;
        const std::string key = name->value();
        if (key == "fullscreen" || key == "resolution")
            setSetting(widenSigned(key.c_str()), widenSigned(value->value()));
    }
    return true;
}
