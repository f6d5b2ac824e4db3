#pragma once
// items-build and items-unpack: the item pack to and from a readable table
// (items.txt) plus one PNG per icon (icons/N.png); and the item pack's part
// of `info`.

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace velk::pack {

int itemsBuildCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int itemsUnpackCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// The pack's tables (names from the tree the pack sits in, if any) and
// pictures; false with `error` for a malformed pack.
bool describeItemPack(const std::vector<uint8_t>& bytes, const std::string& path,
                      std::ostream& body, std::string& error);

}  // namespace velk::pack
