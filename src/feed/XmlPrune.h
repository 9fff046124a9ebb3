// Removing the empty elements and attributes that null fields and empty values leave behind.
#pragma once

#include <pugixml.hpp>

namespace quillcast {

// Cleans `node` depth first: removes every attribute whose value is empty (namespace
// declarations excepted) and every element left with neither children nor attributes.
// Returns true when `node` itself is then empty; `node` is never removed. Iterative, so any
// depth of nesting is safe.
bool PruneEmptyNodes(pugi::xml_node node);

}  // namespace quillcast
