#include "engine/util/KF_XML.h"

#include <cstring>

namespace KEL {

pugi::xml_node fFindElement(const pugi::xml_node& document, const char* name) {
    pugi::xml_node root = document;
    if (document.type() == pugi::node_document) {
        root = document.first_child();
        while (root && !fIsElement(root)) root = root.next_sibling();
    }
    if (!name || !root) return root;
    if (std::strcmp(root.name(), name) == 0) return root;
    return root.child(name);
}

}  // namespace KEL
