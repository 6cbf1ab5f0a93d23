#pragma once
// Small helpers the data-list store's files share: statement text made of
// lines, the ASCII upper case the list's path keys use, and path pieces.
#include <string>
#include <string_view>
#include <vector>

namespace vq::datalist {

// The lines joined by line breaks; empty lines are left out.
std::string sqlLines(const std::vector<std::string>& lines);
// ASCII letters in upper case, everything else (Shift-JIS text too) as it is:
// what UPPER() of the list's character set does to a path.
std::string upperAscii(std::string_view text);
// The last component of a path ('/' or '\' separated), a trailing delimiter ignored.
std::string lastComponent(std::string_view path);
// The text before the last delimiter; empty when there is none.
std::string parentOf(std::string_view path);
// path + '/' + name.
std::string joinPath(std::string_view path, std::string_view name);
// Every occurrence of from replaced by to.
std::string replaceAll(std::string text, std::string_view from, std::string_view to);

} // namespace vq::datalist
