// zarnath-lobby-cfg [--status-page URL] FOLDER FTP-URL USER PASSWORD [TIME-HOST KEY]...
// Writes FOLDER/servers.cfg (the master server's URL, user and password, and the address of its
// status page when one is given) and FOLDER/time.cfg (the time servers, each a host and the key
// text its reply is searched for), every line ciphered with the saved-game key, as the internet
// lobby reads them. With --read FOLDER it prints what the lobby would read instead.
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

constexpr char kUsage[] =
    "usage: zarnath-lobby-cfg [--status-page URL] FOLDER FTP-URL USER PASSWORD [TIME-HOST KEY]...\n"
    "       zarnath-lobby-cfg --read FOLDER\n"
    "Writes FOLDER/servers.cfg (the master server's FTP URL, user and password, and with\n"
    "--status-page the address of a web page that tells whether the master server is up, which the\n"
    "lobby offers to open when the master server cannot be reached) and FOLDER/time.cfg (the time\n"
    "servers, each a host and the key text its reply is searched for), every line ciphered as the\n"
    "internet lobby reads it. Each text is printable and at most 255 characters long.\n"
    "  --read FOLDER  prints what the lobby reads from FOLDER's two files\n"
    "  --help         shows this text\n"
    "Exit status: 0 when done, 1 when a file could not be read or written, 2 for wrong arguments.\n";

int Usage(const char* why) {
  std::fprintf(stderr, "zarnath-lobby-cfg: %s\n%s", why, kUsage);
  return 2;
}

int Read(const std::string& folder) {
  std::string error;
  const auto access = zarnath::ReadServersCfg(folder + "/servers.cfg", &error);
  const auto servers = zarnath::ReadTimeCfg(folder + "/time.cfg", &error);
  if (!access || !servers) {
    std::fprintf(stderr, "zarnath-lobby-cfg: %s\n", error.c_str());
    return 1;
  }
  std::printf("master %s user %s password %s\n", access->url.c_str(), access->user.c_str(),
              access->password.c_str());
  if (!access->statusPage.empty()) std::printf("status page %s\n", access->statusPage.c_str());
  for (const auto& s : *servers) std::printf("time %s key %s\n", s.host.c_str(), s.key.c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && args[0] == "--help") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (!args.empty() && args[0] == "--read") {
    if (args.size() != 2) return Usage("--read takes a folder and nothing else");
    return Read(args[1]);
  }
  std::string statusPage;
  if (!args.empty() && args[0] == "--status-page") {
    if (args.size() < 2 || args[1].empty()) return Usage("--status-page takes an address");
    statusPage = args[1];
    args.erase(args.begin(), args.begin() + 2);
  }
  if (!args.empty() && args[0].starts_with("--")) return Usage(("unknown option " + args[0]).c_str());
  if (args.size() < 4 || args.size() % 2 != 0)
    return Usage("a folder, the FTP URL, the user and the password are needed");
  for (size_t i = 1; i < args.size(); ++i) {
    if (!Printable(args[i])) return Usage("each text must be printable and at most 255 characters");
  }
  if (!Printable(statusPage)) return Usage("each text must be printable and at most 255 characters");
  std::vector<std::string> access{args[1], args[2], args[3]};
  if (!statusPage.empty()) access.push_back(statusPage);
  std::string error;
  const std::string folder = args[0];
  if (!zarnath::WriteFileAtomically(folder + "/servers.cfg", Lines(access), &error) ||
      !zarnath::WriteFileAtomically(folder + "/time.cfg", Lines({args.begin() + 4, args.end()}), &error)) {
    std::fprintf(stderr, "zarnath-lobby-cfg: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
