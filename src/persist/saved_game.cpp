#include "persist/saved_game.h"

#include <algorithm>
#include <cctype>
#include <cfloat>
#include <cmath>

#include "model/exact_number.h"
#include "model/game_texts.h"
#include "model/numbers.h"
#include "model/record_fields.h"
#include "model/state_check.h"
#include "persist/atomic_file.h"
#include "persist/kept_names.h"
#include "persist/text_cipher.h"

namespace zarnath {
namespace {

constexpr const char* kCrLf = "\r\n";

// Ranges of the setup's option spinners.
constexpr int kMinProduction = 5, kMaxProduction = 30;
constexpr int kMinGatherTurns = 1, kMaxGatherTurns = 5;
int MaxTreasures(int worldCount) {
  return worldCount / 2 + 1;
}
constexpr int kMinWorldCount = 9;

// A line of the form: any number of blanks, then "255".
bool LooksLikeBlockEnd(std::string_view line) {
  size_t i = line.find_first_not_of(' ');
  return i != std::string_view::npos && line.substr(i) == "255";
}

// ---------------------------------------------------------------------------------------------
// Writing

class Writer {
 public:
  Writer() { out_.reserve(48 * 1024); }

  void Cipher(std::string_view value) {
    out_ += Encrypt(value, kSavedGameKey);
    out_ += kCrLf;
  }
  void Number(int value) { Cipher(Str(value)); }
  void Number(float value) { Cipher(ExactStr(value)); }
  void Number(double value) { Cipher(ExactStr(value)); }
  void Flag(bool value) { Cipher(value ? "True" : "False"); }

  // A free text, plain, then the end-of-text line. The reader splits lines at each line feed, so
  // every stretch between line feeds that reads as blanks and "255" gets two more leading blanks:
  // the end-of-text line is "255" or " 255", and the reader takes the two blanks off again.
  void Block(std::string_view text) {
    size_t start = 0;
    while (true) {
      size_t lf = text.find('\n', start);
      std::string_view segment = text.substr(start, lf == std::string_view::npos ? lf : lf - start + 1);
      std::string_view line = segment;
      if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      if (LooksLikeBlockEnd(line)) out_ += "  ";
      out_ += segment;
      if (lf == std::string_view::npos) break;
      start = lf + 1;
    }
    out_ += kCrLf;
    out_ += kTextBlockEnd;
    out_ += kCrLf;
  }

  std::string Take() { return std::move(out_); }

 private:
  std::string out_;
};

// The option as the setup shows it, or, when the reader would refuse that text, the nearest
// value the option can take.
std::string OptionText(const std::string& text, int lo, int hi) {
  const double v = Val(text);
  if (RoundInto(v, lo, hi)) return text;
  const double r = std::isfinite(v) ? RoundEven(v) : lo;
  return std::to_string(static_cast<int>(std::clamp(r, static_cast<double>(lo), static_cast<double>(hi))));
}

// ---------------------------------------------------------------------------------------------
// Reading

struct Refused {
  int number;
  std::string problem;
};

// Error numbers of the refusals.
constexpr int kErrBadArgument = 5;  // a text block without a line
constexpr int kErrOverflow = 6;     // a number its field cannot hold
constexpr int kErrOutOfRange = 9;   // an index outside the tables
constexpr int kErrTypeMismatch = 13;
constexpr int kErrPastEnd = 62;
constexpr int kErrBadValue = 380;  // a value an option cannot take, or a state the game cannot play

std::string NumberShown(double v) {
  std::string s = Str(v);
  return s[0] == ' ' ? s.substr(1) : s;
}

class Reader {
 public:
  // A reader that looks for the line of one value ("world 3, class") keeps the last line it was
  // read from; an ordinary read keeps no lines at all.
  explicit Reader(std::string_view bytes, std::string sought = {})
      : bytes_(bytes), sought_(std::move(sought)) {}

  bool AtEnd() const { return pos_ >= bytes_.size(); }
  int LineNumber() const { return line_; }
  void Section(std::string section) { section_ = std::move(section); }

  [[noreturn]] void Fail(int number, std::string_view what, const std::string& problem) const {
    throw Refused{number, "Line " + std::to_string(line_) + " (" + Where(what) + "): " + problem};
  }

  // The next line without its line end. A line ends at a line feed (a CR before it is dropped);
  // a text block's line in a file of CR LF lines, as the program writes them, ends at CR LF only,
  // so that a lone line feed a text holds (a move log trimmed just after a CR) stays in it.
  std::string_view Raw(std::string_view what, bool textLine = false) {
    if (AtEnd()) {
      ++line_;
      throw Refused{kErrPastEnd,
                    "The file ends before line " + std::to_string(line_) + " (" + Where(what) + ")."};
    }
    ++line_;
    if (!textLine || !CrLfLines()) return NextValueLine(bytes_, pos_);
    const size_t end = bytes_.find("\r\n", pos_);
    const std::string_view line = bytes_.substr(pos_, end == std::string_view::npos ? end : end - pos_);
    pos_ = end == std::string_view::npos ? bytes_.size() : end + 2;
    return line;
  }

  // A value line, deciphered; its line number is kept to name it in a refusal.
  std::string Text(std::string_view what) {
    const std::string_view raw = Raw(what);
    if (!sought_.empty() && Where(what) == sought_) soughtLine_ = line_;
    return Decrypt(raw, kSavedGameKey);
  }

  // The number on the line; one too large for a 64-bit float is refused, not read as 0.
  double Number(std::string_view what) {
    const std::string text = Text(what);
    if (auto v = ValInRange(text)) return *v;
    Fail(kErrOverflow, what, "\"" + std::string(Trim(text).substr(0, 40)) + "\" is too large for its field.");
  }

  long long Whole(std::string_view what, long long lo, long long hi, int number = kErrOverflow) {
    return WholeOf(Number(what), what, lo, hi, number);
  }
  long long WholeOf(double v, std::string_view what, long long lo, long long hi, int number = kErrOverflow) {
    if (auto r = RoundInto(v, lo, hi)) return *r;
    Fail(number, what,
         NumberShown(v) + " is outside " + std::to_string(lo) + " to " + std::to_string(hi) + ".");
  }
  uint8_t Byte(std::string_view what) { return static_cast<uint8_t>(Whole(what, 0, 255)); }
  int16_t Short(std::string_view what) { return static_cast<int16_t>(Whole(what, -32768, 32767)); }
  float Single(std::string_view what) {
    const double v = Number(what);
    if (std::fabs(v) > FLT_MAX) Fail(kErrOverflow, what, NumberShown(v) + " is too large for its field.");
    return static_cast<float>(v);
  }
  double Double(std::string_view what) { return Number(what); }

  // "True" or "False" in any case, or a number (not 0 = true).
  bool TruthOf(std::string_view text, std::string_view what) {
    std::string t(Trim(text));
    std::string lower = t;
    for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (lower == "true") return true;
    if (lower == "false") return false;
    if (!t.empty() &&
        (std::isdigit(static_cast<unsigned char>(t[0])) || t[0] == '-' || t[0] == '+' || t[0] == '.')) {
      if (const auto v = ValInRange(t)) return *v != 0.0;
      Fail(kErrOverflow, what, "\"" + t.substr(0, 40) + "\" is too large for its field.");
    }
    Fail(kErrTypeMismatch, what, "\"" + t + "\" is not True or False.");
  }
  bool Truth(std::string_view what) { return TruthOf(Text(what), what); }

  // A free text: the lines up to the end-of-text line, joined by CR LF.
  std::string Block(std::string_view what) {
    std::string text;
    bool any = false;
    while (true) {
      if (AtEnd()) {
        ++line_;
        throw Refused{kErrPastEnd, "The file ends inside the " + Where(what) + " (line " +
                                       std::to_string(line_) + "): its end-of-text line is missing."};
      }
      std::string_view line = Raw(what, true);
      if (line == "255" || line == " 255") break;
      if (LooksLikeBlockEnd(line)) line.remove_prefix(2);
      text.append(line);
      text += kCrLf;
      any = true;
    }
    if (!any) Fail(kErrBadArgument, what, "the text ends before its first line.");
    text.resize(text.size() - 2);
    return text;
  }

  // Whether the file's lines end with CR LF: its first line tells.
  bool CrLfLines() const {
    const size_t lf = bytes_.find('\n');
    return lf != std::string_view::npos && lf > 0 && bytes_[lf - 1] == '\r';
  }

  // The line the sought value was last read from; 0 when it was not read.
  int SoughtLine() const { return soughtLine_; }

  static std::string_view Trim(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
  }

 private:
  std::string Where(std::string_view what) const {
    return section_.empty() ? std::string(what) : section_ + ", " + std::string(what);
  }

  std::string_view bytes_;
  size_t pos_ = 0;
  int line_ = 0;
  std::string section_;
  std::string sought_;
  int soughtLine_ = 0;
};

const char* const kLogWhat[kSeats] = {"move log of player 0", "move log of player 1", "move log of player 2",
                                      "move log of player 3"};

const char* IntelligenceWhat(int field, int player) {
  static const auto names = [] {
    const char* fields[5] = {"turn learned", "class", "production", "ships", "shield"};
    std::array<std::string, 5 * kSeats> n;
    for (int f = 0; f < 5; ++f)
      for (int p = 0; p < kSeats; ++p)
        n[f * kSeats + p] = std::string(fields[f]) + " known to player " + std::to_string(p);
    return n;
  }();
  return names[field * kSeats + player].c_str();
}

// A seat whose name begins with the first five characters of a computer name plays as that
// computer; any other seat is a human one.
int ComputerLevel(const GameState& s, const std::string& name) {
  if (name.size() < 5) return 0;
  for (int k = 0; k < 6; ++k) {
    const std::string& cpu = s.CpuName[k].empty() ? std::string(kCpuNames[k]) : s.CpuName[k];
    if (cpu.size() >= 5 && name.compare(0, 5, cpu, 0, 5) == 0) return k + 1;
  }
  return 0;
}

void SetSeatKind(GameState& s, int p, int level) {
  SetupState& setup = s.setup;
  if (level == 0) {
    // A human seat (or an empty one), whatever the setup held before: the computer box is
    // cleared, with its locked name box and its level bar, and the name box holds the loaded
    // player's name, so that Reset Solar System starts a galaxy for the same players.
    setup.chkAI[p] = 0;
    setup.txtPL[p] = s.PlayerName[p];
    setup.txtPLLocked[p] = setup.levelVisible[p] = false;
    return;
  }
  setup.txtAI[p] = std::to_string(level);
  setup.HScrollAI[p] = level;
  setup.txtPLLocked[p] = setup.levelVisible[p] = true;
  // The name box holds the computer name of the seat's level, also where the setup held a
  // computer of another level.
  setup.txtPL[p] = s.CpuName[level - 1].empty() ? std::string(kCpuNames[level - 1]) : s.CpuName[level - 1];
  if (setup.chkAI[p] == 1) return;
  setup.chkAI[p] = 1;
  if (p >= 1 && Val(setup.txtPlanets) < p + 9) setup.txtPlanets = std::to_string(p + 9);
}

void ReadHeader(Reader& in, GameState& s, SavedGameRead& result) {
  in.Section("header");
  SetupState& setup = s.setup;
  GameMenus& m = s.menus;
  const auto shield = in.Whole("shield travel", 0, 1, kErrBadValue);
  setup.chkShield = static_cast<int>(shield);
  m.mnuOptionsShield.Checked = shield == 1;
  const auto second = in.Whole("battle mode or world count", -32768, 32767);
  long long worlds = 0;
  if (second < 2) {
    const auto mode = in.WholeOf(static_cast<double>(second), "battle mode", 0, 1, kErrBadValue);
    const auto production =
        in.Whole("maximum world production", kMinProduction, kMaxProduction, kErrBadValue);
    const auto treasures = in.Whole("world treasures", 0, MaxTreasures(kMaxWorlds), kErrBadValue);
    const auto treasureLine = in.LineNumber();
    const auto gather =
        in.Whole("maximum gather/scout turns", kMinGatherTurns, kMaxGatherTurns, kErrBadValue);
    const auto radar = in.Whole("home world radar", 0, 2, kErrBadValue);
    worlds = in.Whole("world count", 0, 255);
    if (worlds >= kMinWorldCount && worlds <= kMaxWorlds &&
        treasures > MaxTreasures(static_cast<int>(worlds)))
      throw Refused{kErrBadValue, "Line " + std::to_string(treasureLine) + " (header, world treasures): " +
                                      std::to_string(treasures) + " is outside 0 to " +
                                      std::to_string(MaxTreasures(static_cast<int>(worlds))) + "."};
    setup.chkMode = static_cast<int>(mode);
    m.mnuOptionsBattle.Checked = mode == 1;
    m.mnuOptionsBattle.Caption = mode == 1 ? "Defensive Battle Mode" : "Offensive Battle Mode";
    setup.txtOp[0] = std::to_string(production);
    setup.txtOp[1] = std::to_string(treasures);
    setup.txtOp[2] = std::to_string(gather);
    setup.VScrollOp = {static_cast<int>(production), static_cast<int>(treasures), static_cast<int>(gather)};
    m.mnuOptionsProd.Caption = "Maximum World Production = " + setup.txtOp[0];
    m.mnuOptionsTreas.Caption = "World Treasures = " + setup.txtOp[1];
    m.mnuOptionsGath.Caption = "Maximum Gather/Scout Turns = " + setup.txtOp[2];
    setup.OptRadar = {radar == 0, radar == 1, radar == 2};
    m.mnuOptionsRadar.Caption = radar == 0   ? "Home World Radar On"
                                : radar == 1 ? "Home World Radar Off"
                                             : "Home World Radar Unlimited";
  } else {
    result.olderHeader = true;
    worlds = in.WholeOf(static_cast<double>(second), "world count", 0, 255);
  }
  if (worlds < kMinWorldCount || worlds > kMaxWorlds)
    in.Fail(kErrOutOfRange, "world count",
            std::to_string(worlds) + " is outside " + std::to_string(kMinWorldCount) + " to " +
                std::to_string(kMaxWorlds) + ".");
  s.WorldCount = static_cast<uint8_t>(worlds);
  // The setup holds the loaded game's world count, so that Reset Solar System starts a galaxy of
  // the same size.
  setup.VScroll1 = static_cast<int>(worlds);
  setup.txtPlanets = std::to_string(worlds);
  setup.treasuresMax = MaxTreasures(static_cast<int>(worlds));
  setup.VScrollOp[1] = std::min(setup.VScrollOp[1], setup.treasuresMax);
}

void ReadPlayersAndGame(Reader& in, GameState& s) {
  for (int p = 0; p < kSeats; ++p) {
    in.Section("player " + std::to_string(p));
    s.PlayerName[p] = in.Text("name");
    SetSeatKind(s, p, ComputerLevel(s, s.PlayerName[p]));
    s.HasCrystal[p] = in.Short("crystal");
  }
  in.Section("game");
  s.GameYear = in.Single("year");
  s.CurrentPlayer = static_cast<int16_t>(
      in.WholeOf(in.Short("player to move"), "player to move", 0, kSeats - 1, kErrOutOfRange));
  s.BattleDelay = in.Single("battle delay");
  s.TruceUntilTurn = in.Short("battle truce turn");
  if (s.TruceUntilTurn > 0) {
    s.menus.mnuOptionsTruce.Caption = "Battle Truce Until Turn #" + Format(s.TruceUntilTurn, "00");
    s.menus.mnuOptionsTruce.Checked = true;
  }
}

// One value of a world or slot field as its width reads it; a field that names a seat or a world
// is refused outside its range, as an index past the tables.
// The number a field's width reads, or nothing for a text. A field that names a seat or a world is
// refused outside its range, as an index past the tables.
std::optional<double> ReadNumberField(Reader& in, const RecordField& field, std::string_view what) {
  auto whole = [&](double v) {
    return field.index ? static_cast<double>(in.WholeOf(v, what, field.lo, field.hi, kErrOutOfRange)) : v;
  };
  switch (field.width) {
    case FieldWidth::kSingle:
      return in.Single(what);
    case FieldWidth::kDouble:
      return in.Double(what);
    case FieldWidth::kByte:
      return whole(in.Byte(what));
    case FieldWidth::kShort:
      return whole(in.Short(what));
    case FieldWidth::kFlag:
      return in.Truth(what) ? 1.0 : 0.0;
    case FieldWidth::kText:
    case FieldWidth::kBlock:
      break;
  }
  return std::nullopt;
}

// One value of a world or slot field as its width reads it.
void ReadField(Reader& in, GameState& s, WorldField f, int w, std::string_view what, int player = 0) {
  const RecordField& field = FieldOf(f);
  if (const auto v = ReadNumberField(in, field, what))
    SetField(s, f, w, *v, player);
  else
    SetFieldText(s, f, w, field.width == FieldWidth::kBlock ? in.Block(what) : in.Text(what), player);
}

void ReadField(Reader& in, GameState& s, FleetField f, int slot, std::string_view what) {
  if (const auto v = ReadNumberField(in, FieldOf(f), what)) SetField(s, f, slot, *v);
}

void ReadWorlds(Reader& in, GameState& s, SavedGameRead& result) {
  for (int w = 0; w < kMaxWorlds; ++w) {
    in.Section("world " + std::to_string(w));
    for (int k = 0; k < kWorldFieldCount; ++k) {
      const auto f = static_cast<WorldField>(k);
      if (f == WorldField::kNoGather) {
        // A world record written before the gather exclusion and the marks has its known figure here.
        const std::string ninth = in.Text("gather exclusion or known figure");
        const std::string_view trimmed = Reader::Trim(ninth);
        if (trimmed == "True" || trimmed == "False") {
          s.WorldNoGather[w] = trimmed == "True";
          continue;
        }
        ++result.olderWorldRecords;
        s.WorldKnownStat[w] =
            static_cast<int16_t>(in.WholeOf(Val(ninth), FieldOf(WorldField::kKnownStat).name,
                                            WidthLow(FieldWidth::kShort), WidthHigh(FieldWidth::kShort)));
        k = static_cast<int>(WorldField::kKnownStat);
        continue;
      }
      const RecordField& field = FieldOf(f);
      if (!field.perPlayer) {
        ReadField(in, s, f, w, field.name);
        continue;
      }
      for (int p = 0; p < kSeats; ++p) ReadField(in, s, f, w, FieldName(f, p), p);
    }
  }
}

void ReadFleetsAndBombs(Reader& in, GameState& s) {
  const int worlds = s.WorldCount;
  for (int f = 0; f < kUsedFleetSlots; ++f) {
    in.Section("travel slot " + std::to_string(f));
    for (int k = 0; k < kFleetFieldCount; ++k) {
      const auto field = static_cast<FleetField>(k);
      const std::string_view what = FieldOf(field).name;
      // The worlds of a slot are those in play; a used slot has a destination.
      if (field == FleetField::kFrom) {
        s.FleetFrom[f] = static_cast<uint8_t>(in.WholeOf(in.Byte(what), what, 0, worlds, kErrOutOfRange));
      } else if (field == FleetField::kTo) {
        const int leastTarget = s.FleetFrom[f] == 0 ? 0 : 1;
        s.FleetTo[f] =
            static_cast<uint8_t>(in.WholeOf(in.Byte(what), what, leastTarget, worlds, kErrOutOfRange));
      } else {
        ReadField(in, s, field, f, what);
      }
    }
  }
  for (int b = 0; b < kUsedBombSlots; ++b) {
    in.Section("proximity bomb " + std::to_string(b));
    s.ProxBombOwner[b] =
        static_cast<int16_t>(in.WholeOf(in.Short("owner"), "owner", -32768, kSeats, kErrOutOfRange));
    const float world = in.Single("world");
    if (s.ProxBombOwner[b] >= 1 && (world != std::floor(world) || world < 0 || world > worlds - 1))
      in.Fail(kErrOutOfRange, "world",
              NumberShown(world) + " is not a world in play (a whole number from 0 to " +
                  std::to_string(worlds - 1) + ").");
    s.ProxBombWorld[b] = world;
    s.ProxBombThreshold[b] = in.Single("threshold");
  }
}

}  // namespace

std::string SavedGameRefusal::Message() const {
  return "Error # " + Str(number) + "\r" + problem;
}

std::string SavedGameText(const GameState& g) {
  Writer out;
  const SetupState& setup = g.setup;
  out.Cipher(setup.chkShield == 1 ? "1" : "0");
  out.Cipher(setup.chkMode == 1 ? "1" : "0");
  out.Cipher(OptionText(setup.txtOp[0], kMinProduction, kMaxProduction));
  out.Cipher(
      OptionText(setup.txtOp[1], 0, MaxTreasures(std::clamp<int>(g.WorldCount, kMinWorldCount, kMaxWorlds))));
  out.Cipher(OptionText(setup.txtOp[2], kMinGatherTurns, kMaxGatherTurns));
  out.Cipher(setup.OptRadar[0] ? "0" : setup.OptRadar[1] ? "1" : "2");
  out.Number(static_cast<int>(g.WorldCount));

  for (int p = 0; p < kSeats; ++p) {
    out.Cipher(g.PlayerName[p]);
    out.Number(static_cast<int>(g.HasCrystal[p]));
  }
  out.Number(g.GameYear);
  out.Number(static_cast<int>(g.CurrentPlayer));
  out.Number(g.BattleDelay);
  out.Number(static_cast<int>(g.TruceUntilTurn));

  for (int w = 0; w < kMaxWorlds; ++w)
    for (int k = 0; k < kWorldFieldCount; ++k) {
      const auto f = static_cast<WorldField>(k);
      const RecordField& field = FieldOf(f);
      for (int p = 0; p < (field.perPlayer ? kSeats : 1); ++p) {
        if (field.width == FieldWidth::kBlock)
          out.Block(FieldText(g, f, w, p));
        else
          out.Cipher(FieldText(g, f, w, p));
      }
    }

  for (int f = 0; f < kUsedFleetSlots; ++f)
    for (int k = 0; k < kFleetFieldCount; ++k) out.Cipher(FieldText(g, static_cast<FleetField>(k), f));
  for (int b = 0; b < kUsedBombSlots; ++b) {
    out.Number(static_cast<int>(g.ProxBombOwner[b]));
    out.Number(g.ProxBombWorld[b]);
    out.Number(g.ProxBombThreshold[b]);
  }
  for (int p = 0; p < kSeats; ++p) out.Block(g.PlayerLog[p]);
  for (int w = 0; w < kMaxWorlds; ++w)
    for (int f = 0; f < 5; ++f)
      for (int p = 0; p < kSeats; ++p) out.Number(static_cast<int>(g.ScoutInfo[p][f][w]));
  return out.Take();
}

std::optional<std::string> UnkeptName(const GameState& g) {
  for (int p = 0; p < kSeats; ++p)
    if (!FileKeeps(g.PlayerName[p], kSavedGameKey))
      return "The name \"" + NameShown(g.PlayerName[p]) + "\" of player " + std::to_string(p + 1) + " (" +
             kSeatColourNames[static_cast<size_t>(p)] + ") holds a character that a saved game cannot keep.";
  for (int w = 0; w < kMaxWorlds; ++w)
    if (!FileKeeps(g.WorldName[w], kSavedGameKey))
      return "The world name \"" + NameShown(g.WorldName[w]) +
             "\" holds a character that a saved game cannot keep.";
  return std::nullopt;
}

bool WriteSavedGame(const GameState& g, const std::string& path, std::string* error) {
  if (const auto unkept = UnkeptName(g)) {
    if (error) *error = *unkept;
    return false;
  }
  return WriteFileAtomically(path, SavedGameText(g), error);
}

namespace {

// Every record of the file, in its order; throws Refused at the first value that cannot be read.
void ReadRecords(Reader& in, GameState& s, SavedGameRead& result) {
  ReadHeader(in, s, result);
  ReadPlayersAndGame(in, s);
  ReadWorlds(in, s, result);
  ReadFleetsAndBombs(in, s);
  in.Section("");
  s.window.txtMove.Text.clear();
  for (int p = 0; p < kSeats; ++p) s.PlayerLog[p] = in.Block(kLogWhat[p]);
  // A file that ends after the move logs keeps the intelligence gathered before the load.
  if (!in.AtEnd()) {
    for (int w = 0; w < kMaxWorlds; ++w) {
      in.Section("intelligence on world " + std::to_string(w));
      for (int f = 0; f < 5; ++f)
        for (int p = 0; p < kSeats; ++p) s.ScoutInfo[p][f][w] = in.Short(IntelligenceWhat(f, p));
    }
    result.intelligenceRead = true;
  }
}

// The refusal of a file whose values all read but whose game breaks a rule of play: it names the
// line of the field that breaks it. Only then is the file read once more to find that line.
Refused GameRefusal(const GameState& prior, std::string_view bytes, const StateFault& fault) {
  Reader in(bytes, fault.record + ", " + fault.field);
  GameState s = prior;
  SavedGameRead scratch;
  try {
    ReadRecords(in, s, scratch);
  } catch (const Refused&) {
  }
  if (in.SoughtLine() == 0) return {kErrBadValue, "The game cannot be played: " + fault.Text()};
  return {kErrBadValue, "Line " + std::to_string(in.SoughtLine()) + " (" + fault.record + ", " + fault.field +
                            "): " + fault.problem};
}

}  // namespace

SavedGameRead ReadSavedGame(const GameState& prior, std::string_view bytes) {
  SavedGameRead result;
  GameState s = prior;
  Reader in(bytes);
  try {
    ReadRecords(in, s, result);
    if (const auto fault = CheckGameState(s)) throw GameRefusal(prior, bytes, *fault);
  } catch (const Refused& refused) {
    result.refusal = {refused.number, refused.problem};
    return result;
  }
  result.state = std::move(s);
  return result;
}

}  // namespace zarnath
