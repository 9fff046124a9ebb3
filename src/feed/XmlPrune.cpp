#include "feed/XmlPrune.h"

#include <cstring>
#include <vector>

namespace quillcast {
namespace {

pugi::xml_node FirstElementChild(pugi::xml_node node) {
  for (auto child = node.first_child(); child; child = child.next_sibling()) {
    if (child.type() == pugi::node_element) return child;
  }
  return {};
}

pugi::xml_node NextElementSibling(pugi::xml_node node) {
  for (auto next = node.next_sibling(); next; next = next.next_sibling()) {
    if (next.type() == pugi::node_element) return next;
  }
  return {};
}

pugi::xml_node DeepestFirst(pugi::xml_node node) {
  for (auto child = FirstElementChild(node); child; child = FirstElementChild(node)) node = child;
  return node;
}

bool IsNamespaceDeclaration(const char* name) {
  return std::strcmp(name, "xmlns") == 0 || std::strncmp(name, "xmlns:", 6) == 0;
}

void RemoveEmptyAttributes(pugi::xml_node node) {
  std::vector<pugi::xml_attribute> empty;
  for (auto attribute : node.attributes()) {
    if (attribute.value()[0] == '\0' && !IsNamespaceDeclaration(attribute.name())) {
      empty.push_back(attribute);
    }
  }
  for (auto attribute : empty) node.remove_attribute(attribute);
}

bool IsEmpty(pugi::xml_node node) {
  return !node.first_child() && !node.first_attribute() && node.value()[0] == '\0';
}

}  // namespace

bool PruneEmptyNodes(pugi::xml_node root) {
  if (!root) return false;
  // Post-order walk over the element tree, without recursion.
  pugi::xml_node current = DeepestFirst(root);
  while (true) {
    RemoveEmptyAttributes(current);
    const bool empty = IsEmpty(current);
    if (current == root) return empty;
    pugi::xml_node parent = current.parent();
    const pugi::xml_node next = NextElementSibling(current);
    if (empty) parent.remove_child(current);
    current = next ? DeepestFirst(next) : parent;
  }
}

}  // namespace quillcast
