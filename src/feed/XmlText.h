// Escaping and serialising XML text the way the written feed lays it out: two spaces of
// indentation a level and CR LF after every line.
#pragma once

#include <pugixml.hpp>
#include <string>
#include <string_view>

namespace quillcast {

// Character data: & < > escaped; every line break becomes CR LF.
void AppendEscapedText(std::string& out, std::string_view text);
// Character data as it reads: the five named references and numeric ones become their
// characters; anything else that starts with "&" stays as it is.
std::string DecodeReferences(std::string_view text);
// An attribute value in double quotes: & < > " escaped, tab and line breaks as references.
void AppendEscapedAttribute(std::string& out, std::string_view value);
// ` name="value"`.
void AppendAttribute(std::string& out, std::string_view name, std::string_view value);
// Raw markup whose line breaks become CR LF.
void AppendWithCrLf(std::string& out, std::string_view text);
void AppendIndent(std::string& out, int depth);

// True when the element's tree is more than `limit` levels deep. Iterative.
bool NestsDeeperThan(pugi::xml_node element, int limit);

// An element and everything in it, indented for `depth`, every line ended with CR LF.
void AppendElement(std::string& out, pugi::xml_node element, int depth);

}  // namespace quillcast
