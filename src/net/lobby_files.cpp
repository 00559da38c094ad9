#include "net/lobby_files.h"

#include <cmath>
#include <cstdio>
#include <fstream>

#include "model/setup_state.h"
#include "persist/text_cipher.h"

namespace zarnath {
namespace {

// Reads every line of a text file, without its line break (LF or CR LF).
std::optional<std::vector<std::string>> ReadLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

bool Digits(std::string_view text, size_t at, size_t count, int* value) {
  if (at + count > text.size()) return false;
  int v = 0;
  for (size_t i = at; i < at + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    v = v * 10 + (text[i] - '0');
  }
  *value = v;
  return true;
}

bool ValidFields(int year, int month, int day, int hour, int minute, int second) {
  static constexpr int kDays[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12 || day < 1 || hour > 23 || minute > 59 || second > 59) return false;
  if (day > kDays[month - 1]) return false;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return !(month == 2 && day == 29 && !leap);
}

// Seconds of a wall-clock reading counted as if it were UTC, so that two readings subtract.
std::time_t WallSeconds(int year, int month, int day, int hour, int minute, int second) {
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  return timegm(&tm);
}

std::time_t WallSeconds(const std::tm& tm) {
  std::tm copy = tm;
  return timegm(&copy);
}

bool Separator(char c) {
  return c < '0' || c > '9';
}

// "dd/mm/yyyy hh:mm:ss" with any date and time separators (a host writes its own locale's).
std::optional<std::time_t> ReadStamp(std::string_view s) {
  int d, mo, y, h, mi, se;
  if (s.size() < 19 || !Separator(s[2]) || !Separator(s[5]) || s[10] != ' ' || !Separator(s[13]) ||
      !Separator(s[16]))
    return std::nullopt;
  if (!Digits(s, 0, 2, &d) || !Digits(s, 3, 2, &mo) || !Digits(s, 6, 4, &y) || !Digits(s, 11, 2, &h) ||
      !Digits(s, 14, 2, &mi) || !Digits(s, 17, 2, &se))
    return std::nullopt;
  if (s.size() > 19 || !ValidFields(y, mo, d, h, mi, se)) return std::nullopt;
  return WallSeconds(y, mo, d, h, mi, se);
}

long GmtOffset(std::time_t localNow) {
  std::tm tm{};
  localtime_r(&localNow, &tm);
  return tm.tm_gmtoff;
}

std::string Trim(std::string_view text) {
  size_t b = 0, e = text.size();
  while (b < e && (text[b] == ' ' || text[b] == '\t')) ++b;
  while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t')) --e;
  return std::string(text.substr(b, e - b));
}

}  // namespace

std::optional<MasterAccess> ReadServersCfg(const std::string& path, std::string* error) {
  const auto lines = ReadLines(path);
  if (!lines) {
    *error = "The master server's access file \"servers.cfg\" is missing.";
    return std::nullopt;
  }
  if (lines->size() < 3) {
    *error = "The master server's access file \"servers.cfg\" is incomplete.";
    return std::nullopt;
  }
  return MasterAccess{Decrypt((*lines)[0], kSavedGameKey), Decrypt((*lines)[1], kSavedGameKey),
                      Decrypt((*lines)[2], kSavedGameKey),
                      lines->size() > 3 ? Decrypt((*lines)[3], kSavedGameKey) : std::string()};
}

std::optional<std::vector<TimeServer>> ReadTimeCfg(const std::string& path, std::string* error) {
  const auto lines = ReadLines(path);
  if (!lines) {
    *error = "The time servers' file \"time.cfg\" is missing.";
    return std::nullopt;
  }
  std::vector<TimeServer> servers;
  for (size_t i = 0; i + 1 < lines->size(); i += 2)
    servers.push_back({Decrypt((*lines)[i], kSavedGameKey), Decrypt((*lines)[i + 1], kSavedGameKey)});
  return servers;
}

DaytimeResult ReadDaytimeReply(std::string_view reply, std::string_view key, bool closed) {
  const size_t p = key.empty() ? std::string_view::npos : reply.find(key);
  if (p == std::string_view::npos)
    return {closed ? DaytimeReading::kNoKey : DaytimeReading::kIncomplete, 0, {}};
  if (reply.size() < p + 1 + 17)
    return {closed ? DaytimeReading::kUnreadable : DaytimeReading::kIncomplete, 0, {}};
  const std::string_view t = reply.substr(p + 1, 17);
  int y, mo, d, h, mi, s;
  if (!Digits(t, 0, 2, &y) || t[2] != '-' || !Digits(t, 3, 2, &mo) || t[5] != '-' || !Digits(t, 6, 2, &d) ||
      t[8] != ' ' || !Digits(t, 9, 2, &h) || t[11] != ':' || !Digits(t, 12, 2, &mi) || t[14] != ':' ||
      !Digits(t, 15, 2, &s))
    return {DaytimeReading::kUnreadable, 0, {}};
  y += y < 70 ? 2000 : 1900;
  if (!ValidFields(y, mo, d, h, mi, s)) return {DaytimeReading::kUnreadable, 0, {}};
  return {DaytimeReading::kTime, WallSeconds(y, mo, d, h, mi, s), std::string(t)};
}

namespace {

// "aa/bb/yy hh:mm:ss" read by a locale's date reader: aa is the day in a day-first locale, the
// month in a month-first one; two-digit years from 70 are 19yy, the others 20yy.
std::optional<std::time_t> ReadLocaleDate(std::string_view t, DateOrder order) {
  int a, b, y, h, mi, s;
  if (t.size() != 17 || t[2] != '/' || t[5] != '/' || t[8] != ' ' || t[11] != ':' || t[14] != ':')
    return std::nullopt;
  if (!Digits(t, 0, 2, &a) || !Digits(t, 3, 2, &b) || !Digits(t, 6, 2, &y) || !Digits(t, 9, 2, &h) ||
      !Digits(t, 12, 2, &mi) || !Digits(t, 15, 2, &s))
    return std::nullopt;
  const int day = order == DateOrder::kDayFirst ? a : b;
  const int month = order == DateOrder::kDayFirst ? b : a;
  y += y < 70 ? 2000 : 1900;
  if (!ValidFields(y, month, day, h, mi, s)) return std::nullopt;
  return WallSeconds(y, month, day, h, mi, s);
}

std::string LocalText(const std::tm& when, bool dayFirst) {
  char text[40];
  std::snprintf(text, sizeof text, "%02d/%02d/%02d %02d:%02d:%02d", dayFirst ? when.tm_mday : when.tm_mon + 1,
                dayFirst ? when.tm_mon + 1 : when.tm_mday, (when.tm_year + 1900) % 100, when.tm_hour,
                when.tm_min, when.tm_sec);
  return text;
}

std::optional<double> Difference(const std::string& server, const std::string& local, DateOrder order) {
  const auto a = ReadLocaleDate(server, order);
  const auto b = ReadLocaleDate(local, order);
  if (!a || !b) return std::nullopt;
  return static_cast<double>(*a - *b);
}

}  // namespace

std::optional<double> TwoReadingOffset(std::string_view t, const std::tm& localWall, DateOrder order) {
  if (t.size() != 17) return std::nullopt;
  const std::string time(t.substr(8));  // the blank and the time
  const std::string yy(t.substr(0, 2)), mm(t.substr(3, 2)), dd(t.substr(6, 2));
  const auto d1 = Difference(mm + "/" + dd + "/" + yy + time, LocalText(localWall, false), order);
  const auto d2 = Difference(dd + "/" + mm + "/" + yy + time, LocalText(localWall, true), order);
  if (d2 && (!d1 || std::fabs(*d2) <= std::fabs(*d1))) return d2;
  return d1;
}

double ClockOffset(std::time_t serverUtc, std::time_t localNow) {
  return static_cast<double>(serverUtc - (localNow + GmtOffset(localNow)));
}

double LocalUtcOffset(std::time_t localNow) {
  return -static_cast<double>(GmtOffset(localNow));
}

std::tm SharedWallClock(std::time_t localNow, double bias) {
  const double safe = std::isfinite(bias) && std::fabs(bias) < 1e9 ? bias : 0.0;
  const std::time_t wall = localNow + GmtOffset(localNow) + static_cast<std::time_t>(std::llround(safe));
  std::tm tm{};
  gmtime_r(&wall, &tm);
  return tm;
}

std::string DayFileName(const std::tm& sharedNow) {
  char name[48];
  std::snprintf(name, sizeof name, "servers140-%04d%02d%02d.txt", sharedNow.tm_year + 1900,
                sharedNow.tm_mon + 1, sharedNow.tm_mday);
  return name;
}

std::string StampText(const std::tm& when) {
  char text[40];
  std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d:%02d", when.tm_mday, when.tm_mon + 1,
                when.tm_year + 1900, when.tm_hour, when.tm_min, when.tm_sec);
  return text;
}

ServerListRecord HostRecord(const SetupState& s, const std::string& address, const std::tm& sharedNow,
                            const std::string& country) {
  ServerListRecord r;
  r.address = address;
  r.name = Trim(s.txtPL[0]);
  r.stamp = StampText(sharedNow);
  r.country = Trim(country);
  r.mode = s.chkMode == 0 ? "Offensive" : "Defensive";
  r.worlds = Trim(s.txtPlanets);
  r.truce = s.chkTruce == 0 ? "None" : Trim("Turn " + s.txtTruce);
  r.shields = s.chkShield == 0 ? "No" : "Yes";
  r.production = Trim(s.txtOp[0]);
  r.treasures = Trim(s.txtOp[1]);
  r.radar = s.OptRadar[0] ? "On" : s.OptRadar[1] ? "Off" : "Unlimited";
  return r;
}

std::string WriteServerListRecord(const ServerListRecord& r) {
  std::string out;
  for (const std::string* line : {&r.address, &r.name, &r.stamp, &r.country, &r.mode, &r.worlds, &r.truce,
                                  &r.shields, &r.production, &r.treasures, &r.radar}) {
    // A line break inside a field would shift every later record's lines.
    for (char c : *line) out += c == '\r' || c == '\n' ? ' ' : c;
    out += "\r\n";
  }
  return out;
}

bool PrivateAddress(std::string_view address) {
  return address.substr(0, 7) == "192.168" || address.substr(0, 4) == "10.0";
}

std::string RowKey(const ServerRow& row) {
  std::string key;
  for (const auto& cell : row.cells) key += cell;
  return key;
}

void ExcludeServerRow(NetState& net, const ServerRow& row) {
  const std::string key = RowKey(row);
  if (key.empty()) return;
  for (int i = 0; i < kExcludedEntries; ++i) {
    if (net.ServerExcluded[i].empty()) {
      net.ServerExcluded[i] = key;
      return;
    }
  }
}

ServerList ReadServerList(std::string_view text, const std::tm& sharedNow, NetState& net) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string line(text.substr(at, end - at));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    at = end + 1;
  }
  const std::time_t now = WallSeconds(sharedNow);
  ServerList list;
  for (size_t r = 0; r + kRecordLines <= lines.size(); r += kRecordLines) {
    if (static_cast<int>(list.rows.size()) == kServerRows) break;  // the table is full
    const auto* f = &lines[r];
    ServerRow row;
    row.address = f[0];
    row.cells[0] = " " + (PrivateAddress(f[0]) ? "* " + f[1] : f[1]);
    for (int c = 1; c < 9; ++c) row.cells[c] = " " + f[c + 2];
    const std::string key = RowKey(row);
    bool excluded = false;
    for (int i = 0; i < kExcludedEntries; ++i)
      excluded |= !net.ServerExcluded[i].empty() && net.ServerExcluded[i] == key;
    const auto stamp = ReadStamp(f[2]);
    if (!stamp) {
      ++list.unreadable;
      if (!excluded) ExcludeServerRow(net, row);
      continue;
    }
    if (std::llabs(static_cast<long long>(*stamp - now)) > kFreshSeconds) {
      ++list.skippedStale;
      continue;
    }
    if (excluded) {
      ++list.skippedExcluded;
      continue;
    }
    list.rows.push_back(std::move(row));
  }
  for (size_t i = 0; i < net.ServerRowIP.size(); ++i)
    net.ServerRowIP[i] = i < list.rows.size() ? list.rows[i].address : std::string();
  return list;
}

ServerRow OwnRow(const SetupState& s, const std::string& country) {
  ServerRow row;
  row.cells[0] = " " + s.txtPL[0];
  row.cells[1] = " " + country;
  row.cells[2] = std::string(" ") + (s.chkMode == 0 ? "Offensive" : "Defensive");
  row.cells[3] = "  " + s.txtPlanets;
  row.cells[4] = " " + (s.chkTruce == 0 ? std::string("None") : "Turn " + s.txtTruce);
  row.cells[5] = s.chkShield == 0 ? "   No" : "    Yes";
  row.cells[6] = " " + s.txtOp[0];
  row.cells[7] = " " + s.txtOp[1];
  row.cells[8] = s.OptRadar[0] ? " On" : s.OptRadar[1] ? " Off" : " Unlimited";
  return row;
}

ServerTable TableFor(const ServerList& list, bool host, const SetupState& s, const std::string& country) {
  ServerTable table;
  if (!list.rows.empty()) {
    table.rows = list.rows;
  } else if (host) {
    table.rows.push_back(OwnRow(s, country));
  } else {
    ServerRow notice;
    notice.cells[0] = "- No Servers Found -";
    table.rows.push_back(notice);
    table.enabled = false;
  }
  return table;
}

RowJoin JoinFromServerRow(SetupState& s, const NetState& net, int row, int rowCount, bool enabled,
                          bool enter) {
  if (enter && (!enabled || row < 1)) return RowJoin::kNothing;
  if (s.txtPL[0].empty()) return RowJoin::kNeedName;
  if (s.OptServerClient0 || !enabled || row < 0 || row >= rowCount || row >= kServerRows)
    return RowJoin::kNothing;
  s.txtIP = net.ServerRowIP[static_cast<size_t>(row)];
  return RowJoin::kJoin;
}

}  // namespace zarnath
