// The internet lobby's files and texts: the access files "servers.cfg" and "time.cfg", the daytime
// reply of a time server, and the day's server list on the master server with its records.
// Standard C++ only; the transfers themselves live in zarnath_net.
#pragma once

#include <array>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/game_state.h"

namespace zarnath {

struct SetupState;

// ---- access files (each line ciphered with the saved-game key) ----

struct MasterAccess {
  std::string url;  // an FTP URL of the folder that holds the day's lists
  std::string user;
  std::string password;
  std::string statusPage;  // where players see whether the master server is up ("" for none)
};
// The lines of "servers.cfg": the URL, the user and the password, and a fourth line, when there is
// one, with the address of the master server's status page. Nothing, with the reason in `error`,
// when the file is missing or holds fewer than three lines.
std::optional<MasterAccess> ReadServersCfg(const std::string& path, std::string* error);

struct TimeServer {
  std::string host;
  std::string key;  // the text the server's reply is searched for
};
// The pairs of "time.cfg" in file order; a host line without its key line is left out. Nothing,
// with the reason in `error`, when the file cannot be opened.
std::optional<std::vector<TimeServer>> ReadTimeCfg(const std::string& path, std::string* error);

// ---- the shared clock ----

// What a time server's reply says.
enum class DaytimeReading { kIncomplete, kTime, kNoKey, kUnreadable };
struct DaytimeResult {
  DaytimeReading reading = DaytimeReading::kIncomplete;
  std::time_t utc = 0;  // kTime: the server's time, seconds since the epoch
  std::string text;     // kTime: the 17 characters read
};
// Reads the reply received so far: the 17 characters that start one character after the key's
// first character, read as "yy-mm-dd hh:mm:ss" UTC. kIncomplete while the key or those characters
// have not all arrived yet; `closed` says no more will come (kIncomplete then becomes kNoKey or
// kUnreadable).
DaytimeResult ReadDaytimeReply(std::string_view reply, std::string_view key, bool closed);

// The offset to add to the local clock's wall time to get the server's UTC wall time.
double ClockOffset(std::time_t serverUtc, std::time_t localNow);
// How the user's locale reads a date written with two numbers before the year.
enum class DateOrder { kDayFirst, kMonthFirst };
// The offset from a server's "yy-mm-dd hh:mm:ss" (UTC) and the local wall clock, as the date
// reader of a locale with `order` gives it: the server's time and the local clock are written
// month first ("mm/dd/yy hh:mm:ss") and day first, each pair is read back in the locale's order,
// and the reading of the smaller magnitude is taken, day first on a tie. A locale reads its own
// order exactly, so a misread pair (across the end of a month) loses to the exact one. Nothing
// when neither pair can be read.
std::optional<double> TwoReadingOffset(std::string_view serverText, const std::tm& localWall,
                                       DateOrder order);

// The offset when a server answered without the key: the local clock's own idea of UTC.
double LocalUtcOffset(std::time_t localNow);

// The shared clock's now as wall-clock fields: local now plus `bias` seconds.
std::tm SharedWallClock(std::time_t localNow, double bias);

// ---- the day's server list ----

inline constexpr int kRecordLines = 11;
inline constexpr int kServerRows = 101;      // ServerRowIP's rows
inline constexpr int kExcludedEntries = 50;  // ServerExcluded's used entries
inline constexpr int kFreshSeconds = 300;

// One hosting player's entry in the day's list, line by line.
struct ServerListRecord {
  std::string address, name, stamp, country, mode, worlds, truce, shields, production, treasures, radar;
};

// "servers140-yyyymmdd.txt" for the shared clock's date.
std::string DayFileName(const std::tm& sharedNow);
// "dd/mm/yyyy hh:mm:ss".
std::string StampText(const std::tm& when);

// The host's record from the setup window's settings.
ServerListRecord HostRecord(const SetupState& s, const std::string& address, const std::tm& sharedNow,
                            const std::string& country);
// The record as 11 lines, each ended by CR LF.
std::string WriteServerListRecord(const ServerListRecord& r);

// True for an address the internet cannot reach ("192.168..." or "10.0...").
bool PrivateAddress(std::string_view address);

// One row of the server table: nine cells, each a blank and the record's line.
struct ServerRow {
  std::array<std::string, 9> cells;
  std::string address;
};
std::string RowKey(const ServerRow& row);

struct ServerList {
  std::vector<ServerRow> rows;  // at most kServerRows
  int skippedStale = 0, skippedExcluded = 0, unreadable = 0;
};
// Reads the day's list: keeps records stamped within 300 s of `sharedNow`, leaves out those whose
// key is excluded, and excludes a record whose stamp cannot be read (while a free entry remains).
// A record cut short by the end of the text is dropped; rows beyond the table's size are not read.
ServerList ReadServerList(std::string_view text, const std::tm& sharedNow, NetState& net);

// The host's own row when the list has none.
ServerRow OwnRow(const SetupState& s, const std::string& country);

// What the nine-column table shows after a download: the rows read, or, when there are none, the
// host's own row or the notice "- No Servers Found -" (then the columns are disabled).
struct ServerTable {
  std::vector<ServerRow> rows;
  bool enabled = true;
};
ServerTable TableFor(const ServerList& list, bool host, const SetupState& s, const std::string& country);

// Puts a row's key into the first free exclusion entry; a full list records nothing.
void ExcludeServerRow(NetState& net, const ServerRow& row);

// A join request on row `row` of the table (a double-click, or Enter when `enter`): kNeedName when
// the name box is empty; kNothing for a host, no selected row, disabled columns, or Enter on the
// first row; kJoin with the row's address put into the address box.
enum class RowJoin { kNeedName, kNothing, kJoin };
RowJoin JoinFromServerRow(SetupState& s, const NetState& net, int row, int rowCount, bool enabled,
                          bool enter);

}  // namespace zarnath
