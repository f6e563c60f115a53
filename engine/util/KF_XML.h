#pragma once

#include <pugixml.hpp>

// The one rule every reader uses to find its element in a document.
namespace KEL {

// The document element when it carries the name, else its child of that
// name, else an empty node. A null name gives the document element.
pugi::xml_node fFindElement(const pugi::xml_node& document, const char* name = nullptr);

// Child elements only: text and other nodes between them are skipped.
inline bool fIsElement(const pugi::xml_node& node) { return node.type() == pugi::node_element; }

}  // namespace KEL
