// Zip archives as the skin loader reads them: local headers with their data, the central
// directory and the end record, without data descriptors or extra fields. The skin maker writes
// the shipped skins with it; tests write the archives they read back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zr4 {

struct TZipMemberData {
  std::string name;
  std::string data;
  bool deflate = true;      // deflated at the best compression, or stored as it is
  std::uint16_t flags = 0;  // the general-purpose flags (0x0800: the name is UTF-8)
};

// `dosDate` stamps every member (time 00:00): a fixed date writes the same bytes on every build.
std::string WriteZip(const std::vector<TZipMemberData>& members, std::uint16_t dosDate = 0,
                     std::string_view comment = {});

}  // namespace zr4
