// zarnath-lobby-cfg FOLDER FTP-URL USER PASSWORD [TIME-HOST KEY]...
// Writes FOLDER/servers.cfg (the master server's URL, user and password) and FOLDER/time.cfg (the
// time servers, each a host and the key text its reply is searched for), every line ciphered
// with the saved-game key, as the internet lobby reads them. With --read FOLDER it prints what
// the lobby would read instead.
#include <cstdio>
#include <string>
#include <vector>

#include "net/lobby_files.h"
#include "persist/atomic_file.h"
#include "persist/text_cipher.h"

namespace {

std::string Lines(const std::vector<std::string>& plain) {
  std::string out;
  for (const auto& line : plain) out += zarnath::Encrypt(line, zarnath::kSavedGameKey) + "\r\n";
  return out;
}

bool Printable(const std::string& text) {
  for (unsigned char c : text)
    if (c < 32) return false;
  return text.size() <= 255;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 2 && args[0] == "--read") {
    std::string error;
    const auto access = zarnath::ReadServersCfg(args[1] + "/servers.cfg", &error);
    const auto servers = zarnath::ReadTimeCfg(args[1] + "/time.cfg", &error);
    if (!access || !servers) {
      std::fprintf(stderr, "zarnath-lobby-cfg: %s\n", error.c_str());
      return 1;
    }
    std::printf("master %s user %s password %s\n", access->url.c_str(), access->user.c_str(),
                access->password.c_str());
    for (const auto& s : *servers) std::printf("time %s key %s\n", s.host.c_str(), s.key.c_str());
    return 0;
  }
  if (args.size() < 4 || args.size() % 2 != 0) {
    std::fprintf(stderr,
                 "usage: zarnath-lobby-cfg FOLDER FTP-URL USER PASSWORD [TIME-HOST KEY]...\n"
                 "       zarnath-lobby-cfg --read FOLDER\n");
    return 2;
  }
  for (size_t i = 1; i < args.size(); ++i) {
    if (!Printable(args[i])) {
      std::fprintf(stderr, "zarnath-lobby-cfg: each text must be printable and at most 255 characters\n");
      return 2;
    }
  }
  std::string error;
  const std::string folder = args[0];
  if (!zarnath::WriteFileAtomically(folder + "/servers.cfg", Lines({args[1], args[2], args[3]}), &error) ||
      !zarnath::WriteFileAtomically(folder + "/time.cfg", Lines({args.begin() + 4, args.end()}), &error)) {
    std::fprintf(stderr, "zarnath-lobby-cfg: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
