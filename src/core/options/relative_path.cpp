#include "core/options/relative_path.h"

#include <vector>

#include "core/base/same_text.h"

namespace zr4 {

namespace {
bool IsSeparator(char c) {
  return c == '/' || c == '\\';
}

// "C:" for drive paths, "/" for POSIX paths, "\\" for network paths; empty for relative ones.
std::string Root(const std::string& path) {
  if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) return "\\\\";
  if (!path.empty() && IsSeparator(path[0])) return "/";
  return {};
}

std::vector<std::string> Parts(const std::string& path, std::size_t from) {
  std::vector<std::string> parts;
  std::string part;
  for (std::size_t i = from; i <= path.size(); ++i) {
    if (i == path.size() || IsSeparator(path[i])) {
      if (part == "..") {
        if (!parts.empty()) parts.pop_back();
      } else if (!part.empty() && part != ".") {
        parts.push_back(part);
      }
      part.clear();
    } else {
      part += path[i];
    }
  }
  return parts;
}
}  // namespace

std::string RelativePath(const std::string& path, const std::string& folder) {
  const std::string root = Root(path);
  const bool drives = root.size() == 2 && root[1] == ':';
  if (root.empty() || !(drives ? SameText(root, Root(folder)) : root == Root(folder))) return path;

  const std::vector<std::string> target = Parts(path, root.size());
  const std::vector<std::string> base = Parts(folder, root.size());
  std::size_t common = 0;
  while (common < target.size() && common < base.size() &&
         (drives ? SameText(target[common], base[common]) : target[common] == base[common]))
    ++common;

  std::string relative;
  auto append = [&relative](const std::string& part) {
    if (!relative.empty()) relative += '\\';
    relative += part;
  };
  for (std::size_t i = common; i < base.size(); ++i) append("..");
  for (std::size_t i = common; i < target.size(); ++i) append(target[i]);
  return relative;
}

}  // namespace zr4
