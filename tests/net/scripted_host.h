// A host written by hand from the protocol's message catalogue, for the program's client to play
// against: the frames of a small game's state and of an honest turn, and a client joined to it.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "net/loopback.h"

namespace zarnath::testing {

// "[TAG] " + the index as two digits + the payload + "*".
inline std::string F(const std::string& tag, int index, const std::string& payload = "") {
  char digits[8];
  std::snprintf(digits, sizeof digits, "%02d", index);
  return "[" + tag + "] " + digits + payload + "*";
}
// A number as the host writes it: a blank before a value of 0 or more.
inline std::string S(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", v);
  return v < 0 ? text : std::string(" ") + text;
}
// One travel slot: from, to, owner, ships, class, shield, trip, path parameter + 10, time left.
inline std::string Rec(int from, int to, int owner, int ships, int cls, int shield, double trip, double param,
                       double left) {
  char r[64];
  std::snprintf(r, sizeof r, "%02d%02d%02d%05d%01d%03d%5.3f%06.3f%5.3f", from, to, owner, ships, cls, shield,
                trip, param + 10.0, left);
  return r;
}
inline const std::string kFree = Rec(0, 0, 0, 0, 0, 0, 0, 0, 0);

inline constexpr int kWorlds = 12;
inline const char* const kWorldNames[kWorlds] = {"Ash", "Birch", "Cedar", "Dogwood", "Elm",   "Fir",
                                                 "Gum", "Hazel", "Ilex",  "Juniper", "Kapok", "Larch"};

// Worlds 8, 9 and 10 are Ann's, Bob's and Cy's homes; the others neutral with 10 ships.
inline std::string WorldFrames(int w) {
  const bool used = w < kWorlds;
  const double radius = w >= 8 && w <= 11 ? 130 : 60 + 12 * (w % 12);
  const int owner = used && w >= 8 && w <= 10 ? w - 7 : 0;
  return F("S", w, S(used ? 0.52 * w : 0)) + F("R", w, S(used ? radius : 0)) +
         F("M", w, S(used ? 0.03 * (130 / radius) * (130 / radius) : 0)) +
         F("PN", w, used ? kWorldNames[w] : "") + F("PP", w, S(used ? 5 : 0)) + F("PC", w, S(used ? 2 : 0)) +
         F("PH", w, S(0)) + F("PM", w, S(0)) + F("PD", w, S(0)) + F("PO", w, S(owner)) +
         F("PS", w,
           S(!used   ? 0
             : owner ? 100
                     : 10)) +
         F("PY", w, "") + F("PT", w, S(0)) + F("PB", w, S(owner ? 3 : 0));
}

inline std::string StartFrames() {
  std::string s =
      F("NP", 0, S(kWorlds)) + F("N", 0, "Ann") + F("N", 1, "Bob") + F("N", 2, "Cy") + F("N", 3, "");
  for (int p = 0; p < 4; ++p) s += F("PV", p, S(0));
  s += F("YEAR", 0, S(1)) + F("TURN", 0, S(1)) + F("TIME", 0, S(0));
  for (int w = 0; w < 30; ++w) s += WorldFrames(w);
  for (int j = 0; j < 100; ++j)
    for (const char* tag : {"FP", "TP", "FO", "NS", "TC", "TS", "TD", "SD", "SS"}) s += F(tag, j, S(0));
  for (int b = 0; b < 20; ++b) s += F("BO", b, S(0)) + F("BW", b, S(0)) + F("BT", b, S(0));
  s += F("GH", 0, "") + F("SHOW", 0, "Galaxy") + F("SHIELD", 0, "00") + F("MODE", 0, "00") +
       F("MAXPROD", 0, "10") + F("TREASURES", 0, "05") + F("GATHER", 0, "3") + F("RADAR", 0, "Unlimited");
  return s;
}

// The scripted host: a listening socket, what the client sent, and frames written by hand.
struct ScriptedHost {
  RawPeer peer;
  size_t taken = 0;
  // The client's marks of where it stands: the recall of a free slot, which matches nothing in
  // flight, so this host lets them pass. They are counted apart from the rest.
  size_t marks = 0;
  // The next `n` frames the client sent, its marks left out.
  std::vector<std::string> Take(size_t n) {
    std::vector<std::string> said;
    const auto read = [&] {
      peer.received += peer.socket->readAll();
      said.clear();
      marks = 0;
      QList<QByteArray> frames = peer.received.split('*');
      frames.removeLast();  // what follows the last star is not a whole frame yet
      for (const QByteArray& f : frames) {
        if (f.toStdString() + "*" == StateMarkFrame())
          ++marks;
        else
          said.push_back(f.toStdString());
      }
      return said.size() >= taken + n;
    };
    EXPECT_TRUE(WaitFor(read)) << said.size() - std::min(taken, said.size()) << " of " << n << " frames came";
    std::vector<std::string> out(said.begin() + static_cast<std::ptrdiff_t>(std::min(taken, said.size())),
                                 said.end());
    taken = said.size();
    return out;
  }
};

// Bob's program joined to a scripted host; `PortsT` is the ports of his game.
template <class PortsT = HeadlessPorts>
struct BasicJoined {
  ScriptedHost host;
  BasicNetGame<PortsT> bob{false};
  Game& g = bob.game;
  // The chat lines Bob's window showed, in order, and how many it had when the loss came.
  std::vector<std::string> chat;
  size_t chatAtLoss = 0;
  bool resolvingAtLoss = true;
  bool lost = false;

  BasicJoined() {
    g.setup.txtPL[0] = "Bob";
    bob.Join(host.peer.Listen());
    EXPECT_TRUE(host.peer.Accept());
    EXPECT_EQ(host.Take(1), std::vector<std::string>{"[NAME] 00Bob"});
    EXPECT_EQ(host.marks, 1u) << "Bob marks where he stands as he joins";
    bob.ports.onRefresh = [this](Control c) {
      const std::string& text = g.window.txtChat.Text;
      if (c == Control::kTxtChat && text.ends_with("\r\n")) {
        const size_t start = text.rfind("\r\n", text.size() - 3);
        chat.push_back(text.substr(start == std::string::npos ? 0 : start + 2));
      }
      if (c == Control::kLblStatus && !lost && g.SeatStatus[0] == TurnStatus::kDisconnected) {
        lost = true;
        chatAtLoss = chat.size();
        resolvingAtLoss = g.TurnResolving;
      }
    };
  }
  // The whole state; true once the game window is open on it.
  bool Start(const std::string& frames) {
    host.peer.Write(frames);
    return WaitFor([&] { return g.window.Visible && g.menus.mnuOptionsRadar.Caption != ""; });
  }
};

// A turn as an honest host sends it, in two parts: the start, in which Ann's pulse bomb goes off
// (the client yields as it shows it), and the rest: the year turned, each world's figures with
// `ships` on world 11, and the turn over.
inline std::string TurnStart() {
  std::string t = F("ENDTURN", 0, "Endturn");
  for (int j = 0; j < 100; ++j) t += F("SEND", j, kFree);
  return t + F("TRAVELSHOW", 0, "TravelShow") + F("PULSEBOMB", 8, "PulseBomb");
}
inline std::string TurnRest(int ships) {
  std::string t = F("GALAXYROTATE", 0, "GALAXYROTATE");
  for (int w = 0; w < kWorlds; ++w)
    t += F("PM", w, S(0)) + F("PS", w, S(w == 11 ? ships : 15)) + F("PH", w, S(0)) +
         F("PB", w, S(w >= 8 && w <= 10 ? 2 : 0)) + F("PT", w, S(0));
  return t + F("TRAVELHIDE", 0, "TravelHide");
}
using Joined = BasicJoined<>;

}  // namespace zarnath::testing
