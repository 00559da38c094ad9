// A client written from the game protocol's message catalogue alone, for the program's host to
// play with: it names itself, takes the host's state and turns, gives an order (a world's shield
// switch), presses Done by sending its seat's status, and nothing else. It checks every frame its
// host sends: a tag of the catalogue that a host sends, a blank and a two-digit index, and a seat's
// status only as a Done or a departure. A frame outside that is written down as a fault.
#pragma once

#include <cctype>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "net/loopback.h"

namespace zarnath::testing {

struct CatalogueClient {
  RawPeer raw;
  std::string name;
  std::string pending;
  std::vector<std::string> faults;
  int seat = -1;
  int homeWorld = -1;   // a world the state gave it, for its orders
  int states = 0;       // [SHOW]s: the states it opened a window on
  int turnsOpened = 0;  // [TRAVELHIDE]s
  bool turnOpen = false;
  bool done = false;  // it pressed Done this turn, or its host told it so
  int shieldSent = -1;

  explicit CatalogueClient(std::string who) : name(std::move(who)) {}

  bool Join(uint16_t port) {
    if (!raw.Connect(port)) return false;
    QObject::connect(raw.socket, &QTcpSocket::readyRead, [this] { Read(); });
    raw.Write("[NAME] 00" + name + "*");
    return true;
  }
  void Read() {
    pending += raw.socket->readAll().toStdString();
    for (size_t star; (star = pending.find('*')) != std::string::npos;) {
      const std::string frame = pending.substr(0, star);
      pending.erase(0, star + 1);
      Take(frame);
    }
  }
  static const std::set<std::string>& HostTags() {
    static const std::set<std::string> tags = {"[NAME]",
                                               "[MESSAGE]",
                                               "[STATUS]",
                                               "[NP]",
                                               "[N]",
                                               "[PV]",
                                               "[YEAR]",
                                               "[TURN]",
                                               "[TIME]",
                                               "[GH]",
                                               "[SHOW]",
                                               "[S]",
                                               "[R]",
                                               "[M]",
                                               "[PN]",
                                               "[PP]",
                                               "[PC]",
                                               "[PH]",
                                               "[PM]",
                                               "[PD]",
                                               "[PO]",
                                               "[PS]",
                                               "[PY]",
                                               "[PT]",
                                               "[PB]",
                                               "[FP]",
                                               "[TP]",
                                               "[FO]",
                                               "[NS]",
                                               "[TC]",
                                               "[TS]",
                                               "[TD]",
                                               "[SD]",
                                               "[SS]",
                                               "[BO]",
                                               "[BW]",
                                               "[BT]",
                                               "[SHIELD]",
                                               "[TRUCE]",
                                               "[MODE]",
                                               "[MAXPROD]",
                                               "[TREASURES]",
                                               "[GATHER]",
                                               "[RADAR]",
                                               "[SEND]",
                                               "[ENDTURN]",
                                               "[PULSEBOMB]",
                                               "[GALAXYROTATE]",
                                               "[TRAVELSHOW]",
                                               "[PROXIMITY]",
                                               "[REINFORCEMENTS]",
                                               "[SCOUT]",
                                               "[PROXIMITYSET]",
                                               "[BATTLEACCU]",
                                               "[BATTLESETUP]",
                                               "[FROMHIT]",
                                               "[TOHIT]",
                                               "[FRAMEUPDATE]",
                                               "[BATTLEDONE]",
                                               "[TRAVELHIDE]"};
    return tags;
  }
  void Take(const std::string& frame) {
    const size_t blank = frame.find(' ');
    const bool digits = blank != std::string::npos && frame.size() >= blank + 3 &&
                        std::isdigit(static_cast<unsigned char>(frame[blank + 1])) &&
                        std::isdigit(static_cast<unsigned char>(frame[blank + 2]));
    if (!digits || !HostTags().contains(frame.substr(0, blank))) {
      faults.push_back("outside the catalogue: " + frame.substr(0, 60));
      return;
    }
    const std::string tag = frame.substr(0, blank);
    const int index = std::stoi(frame.substr(blank + 1, 2));
    const std::string payload = frame.substr(blank + 3);
    if (tag == "[STATUS]") {
      if (index > 3 || !(payload.ends_with(":  Done Turn") || payload.ends_with(":  Disconnected")))
        faults.push_back("a status outside the catalogue: " + frame);
      else if (index == seat && payload.ends_with(":  Done Turn"))
        done = true;  // its caption says so
    } else if (tag == "[TURN]") {
      seat = std::stoi(payload);
    } else if (tag == "[NP]") {
      homeWorld = -1;
    } else if (tag == "[PO]") {
      if (homeWorld < 0 && seat >= 0 && std::stoi(payload) == seat + 1) homeWorld = index;
    } else if (tag == "[SHOW]") {
      ++states;
      turnOpen = true;
      done = false;
    } else if (tag == "[ENDTURN]") {
      turnOpen = false;
    } else if (tag == "[TRAVELHIDE]") {
      ++turnsOpened;
      turnOpen = true;
      done = false;
    }
  }
  std::string DoneFrame() const { return "[STATUS] 0" + std::to_string(seat) + name + ":  Done Turn*"; }
  void PressDone() {
    done = true;
    raw.Write(DoneFrame());
  }
  // Switches its world's shield charging the other way: " 1" on, " 0" off.
  void SwitchShield() {
    shieldSent = shieldSent == 1 ? 0 : 1;
    char index[8];
    std::snprintf(index, sizeof index, "%02d", homeWorld);
    raw.Write("[PM] " + std::string(index) + " " + std::to_string(shieldSent) + "*");
  }
};

}  // namespace zarnath::testing
