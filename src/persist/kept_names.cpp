#include "persist/kept_names.h"

#include "persist/text_cipher.h"

namespace zarnath {

std::string_view NextValueLine(std::string_view bytes, size_t& pos) {
  const size_t lf = bytes.find('\n', pos);
  std::string_view line = bytes.substr(pos, lf == std::string_view::npos ? lf : lf - pos);
  pos = lf == std::string_view::npos ? bytes.size() : lf + 1;
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

bool FileKeeps(std::string_view text, std::string_view key) {
  const std::string written = Encrypt(text, key) + "\r\n";
  size_t pos = 0;
  const std::string_view line = NextValueLine(written, pos);
  return pos == written.size() && Decrypt(line, key) == text;
}

bool FileKeepsAt(std::string_view text, size_t place, std::string_view key) {
  const int code = EncryptedCode(static_cast<unsigned char>(text[place]), place + 1, key);
  return code >= 0 && code <= 255 && code != '\n';
}

bool FilesKeepName(std::string_view name) {
  return FileKeeps(name, kSavedGameKey) && FileKeeps(name, kHighScoreKey);
}

std::optional<size_t> FirstUnkeptPlace(std::string_view name) {
  for (size_t i = 0; i < name.size(); ++i)
    if (!FileKeepsAt(name, i, kSavedGameKey) || !FileKeepsAt(name, i, kHighScoreKey)) return i;
  return std::nullopt;
}

std::string KeptText(std::string_view text, std::string_view key) {
  std::string kept(text);
  for (size_t i = 0; i < kept.size(); ++i)
    if (!FileKeepsAt(text, i, key)) kept[i] = '?';
  return kept;
}

std::string NameShown(std::string_view name) {
  std::string shown;
  for (const char c : name) shown += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
  return shown;
}

}  // namespace zarnath
