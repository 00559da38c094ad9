#include "persist/saved_game_files.h"

#include <algorithm>
#include <filesystem>

namespace zarnath {
namespace {

namespace fs = std::filesystem;

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Alphabetical regardless of case; names that differ only in case keep a fixed order.
bool ListOrder(const std::string& a, const std::string& b) {
  const auto lowerLess = [](char x, char y) { return Lower(x) < Lower(y); };
  if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), lowerLess)) return true;
  if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), lowerLess)) return false;
  return a < b;
}

// The entries of a folder that pass `keep`, sorted; nothing when the folder cannot be read.
template <typename Keep>
std::vector<std::string> Entries(const std::string& folder, Keep keep) {
  std::vector<std::string> names;
  std::error_code ec;
  fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    std::string name = it->path().filename().string();
    std::error_code typeError;
    if (keep(name, *it, typeError) && !typeError) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end(), ListOrder);
  return names;
}

}  // namespace

std::string CompleteSavedGameName(std::string_view typed) {
  std::string name(typed);
  if (!name.empty() && !IsSavedGameName(name)) name += kSavedGameExtension;
  return name;
}

bool IsSavedGameName(std::string_view fileName) {
  return fileName.ends_with(kSavedGameExtension);
}

std::vector<std::string> ListSavedGames(const std::string& folder) {
  return Entries(folder, [](const std::string& name, const fs::directory_entry& e, std::error_code& ec) {
    return IsSavedGameName(name) && e.is_regular_file(ec);
  });
}

std::vector<std::string> ListSubfolders(const std::string& folder) {
  return Entries(folder, [](const std::string& name, const fs::directory_entry& e, std::error_code& ec) {
    return !name.starts_with('.') && e.is_directory(ec);
  });
}

}  // namespace zarnath
