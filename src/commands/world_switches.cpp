#include "commands/world_switches.h"

#include "commands/command_view.h"
#include "engine/event_notices.h"
#include "engine/net_send.h"
#include "model/game.h"
#include "model/numbers.h"
#include "net/messages.h"

namespace zarnath {

bool ClientLinkUp(Game& g) {
  return IsNetworkClient(g) && g.io.net.SocketConnected(0);
}

int ToggleShield(Game& g, int w) {
  g.WorldShieldOn[w] = static_cast<uint8_t>(g.WorldShieldOn[w] == 1 ? 0 : 1);
  g.io.screen.Console();
  return g.WorldShieldOn[w];
}

namespace {
bool Bracketed(const std::string& caption) {
  return caption.size() >= 2 && caption.front() == '[' && caption.back() == ']';
}
}  // namespace

std::string CaptionExcluded(const std::string& caption, bool excluded) {
  if (excluded) return "[" + caption + "]";
  return Bracketed(caption) ? caption.substr(1, caption.size() - 2) : caption;
}

std::string CaptionShield(const std::string& caption, bool on) {
  if (Bracketed(caption)) return "[" + CaptionShield(caption.substr(1, caption.size() - 2), on) + "]";
  if (on) return caption + " S";
  const bool marked = caption.size() >= 2 && caption.compare(caption.size() - 2, 2, " S") == 0;
  return marked ? caption.substr(0, caption.size() - 2) : caption;
}

void EditShieldOnLabel(const GameState& g, CommandView& view, int w) {
  view.SetWorldLabel(w, CaptionShield(view.WorldLabelCaption(w), g.WorldShieldOn[w] == 1));
}

void SendShieldToHost(Game& g, int w) {
  if (!ClientLinkUp(g)) return;
  SendToHost(g, Frame("[PM] ", w, Str(static_cast<int>(g.WorldShieldOn[w]))));
}

std::string ShieldNotice(const GameState& g, int w) {
  return "- World " + g.WorldName[w] + (g.WorldShieldOn[w] == 1 ? " Shield Now On -" : " Shield Now Off -");
}

bool ToggleGatherExclusion(Game& g, CommandView& view, int w) {
  g.WorldNoGather[w] = !g.WorldNoGather[w];
  view.SetWorldLabel(w, CaptionExcluded(view.WorldLabelCaption(w), g.WorldNoGather[w]));
  g.io.screen.Console();
  return g.WorldNoGather[w];
}

std::string GatherNotice(const GameState& g, int w) {
  return "- World " + g.WorldName[w] +
         (g.WorldNoGather[w] ? " Excluded From Ship Gathering -" : " Included In Ship Gathering -");
}

void ShowTimedNotice(Game& g, const std::string& text, int ms) {
  g.window.txtGame.Text = text;
  g.io.screen.Refresh(Control::kTxtGame);
  g.io.platform.Pause(ms);
  ClearNotice(g);
}

}  // namespace zarnath
