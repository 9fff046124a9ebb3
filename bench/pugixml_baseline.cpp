// Parses a feed file with pugixml and writes it back indented: the least any rewrite must do.
#include <cstdio>
#include <pugixml.hpp>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: pugixml_baseline IN OUT\n");
    return 2;
  }
  pugi::xml_document doc;
  if (!doc.load_file(argv[1])) return 1;
  return doc.save_file(argv[2], "  ", pugi::format_default, pugi::encoding_utf8) ? 0 : 1;
}
