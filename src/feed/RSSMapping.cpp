#include "feed/RSSMapping.h"

#include <cstring>

namespace quillcast {
namespace {

std::vector<PlaceGroup> GroupsOf(std::span<const Place> places) {
  std::vector<PlaceGroup> groups;
  for (const Place& place : places) {
    PlaceGroup* group = nullptr;
    for (auto& g : groups) {
      if (std::strcmp(g.element, place.element) == 0) group = &g;
    }
    if (group == nullptr) {
      group = &groups.emplace_back();
      group->element = place.element;
    }
    group->places.push_back(&place);
    if (place.attribute != nullptr) {
      group->attributes.push_back(&place);
    } else if (place.child != nullptr) {
      group->children.push_back(&place);
    } else {
      group->text = &place;
    }
  }
  return groups;
}

}  // namespace

const std::vector<PlaceGroup>& ChannelGroups() {
  static const std::vector<PlaceGroup> groups = GroupsOf(kChannelPlaces);
  return groups;
}

const std::vector<PlaceGroup>& ItemGroups() {
  static const std::vector<PlaceGroup> groups = GroupsOf(kItemPlaces);
  return groups;
}

}  // namespace quillcast
