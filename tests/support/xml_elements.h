#pragma once
// A small XML reader for the exporters' tests: checks that a document is well formed (one
// root, every tag closed in order, attributes quoted, entities known) and lists its elements
// with their attributes in document order. Throws std::runtime_error on the first fault.

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace pax::testing {

struct XmlElement {
    std::string name;
    std::map<std::string, std::string> attributes;
    std::string text;
};

inline std::vector<XmlElement> ReadXmlElements(const std::string& xml) {
    std::vector<XmlElement> elements;
    std::vector<std::string> open;
    bool rootSeen = false;
    size_t i = 0;
    const auto fail = [&](const std::string& why) { throw std::runtime_error(why + " at " + std::to_string(i)); };
    const auto checkEntities = [&](const std::string& text) {
        for (size_t a = text.find('&'); a != std::string::npos; a = text.find('&', a + 1)) {
            const std::string rest = text.substr(a, 6);
            if (!rest.starts_with("&amp;") && !rest.starts_with("&lt;") && !rest.starts_with("&gt;") &&
                !rest.starts_with("&quot;"))
                fail("unknown entity");
        }
    };
    while ((i = xml.find('<', i)) != std::string::npos) {
        if (xml.compare(i, 2, "<?") == 0) {
            i = xml.find("?>", i);
            if (i == std::string::npos) fail("open declaration");
            continue;
        }
        const size_t end = xml.find('>', i);
        if (end == std::string::npos) fail("open tag");
        std::string tag = xml.substr(i + 1, end - i - 1);
        if (tag.starts_with("/")) {
            if (open.empty() || open.back() != tag.substr(1)) fail("unmatched </" + tag.substr(1) + ">");
            open.pop_back();
            i = end + 1;
            continue;
        }
        const bool empty = tag.ends_with("/");
        if (empty) tag.pop_back();
        if (open.empty() && rootSeen) fail("second root");
        rootSeen = true;
        XmlElement element;
        size_t p = tag.find_first_of(" \n");
        element.name = tag.substr(0, p);
        while (p != std::string::npos && p < tag.size()) {
            p = tag.find_first_not_of(" \n", p);
            if (p == std::string::npos) break;
            const size_t eq = tag.find('=', p);
            if (eq == std::string::npos || eq + 1 >= tag.size() || tag[eq + 1] != '"') fail("unquoted attribute");
            const size_t close = tag.find('"', eq + 2);
            if (close == std::string::npos) fail("open attribute");
            const std::string value = tag.substr(eq + 2, close - eq - 2);
            checkEntities(value);
            if (!element.attributes.emplace(tag.substr(p, eq - p), value).second) fail("repeated attribute");
            p = close + 1;
        }
        i = end + 1;
        if (!empty) {
            open.push_back(element.name);
            const size_t next = xml.find('<', i);
            element.text = xml.substr(i, next - i);
            checkEntities(element.text);
        }
        elements.push_back(std::move(element));
    }
    if (!open.empty()) throw std::runtime_error("<" + open.back() + "> not closed");
    return elements;
}

inline int CountElements(const std::vector<XmlElement>& elements, const std::string& name) {
    int n = 0;
    for (const XmlElement& e : elements) n += e.name == name;
    return n;
}

}  // namespace pax::testing
