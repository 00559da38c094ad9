// Chat lines arriving over the game connections: the host shows and relays, a client shows.
#include <gtest/gtest.h>

#include "protocol_fixture.h"

namespace zarnath::testing {
namespace {

TEST(ChatRelay, TheHostShowsAClientsLineAndRelaysItToEveryClientTheSenderIncluded) {
  HostGame host;
  host.Receive(1, "[MESSAGE] 00 Bob: 2,5 ships left*");
  EXPECT_EQ(host.g().window.txtChat.Text, " Bob: 2.5 ships left\r\n");
  EXPECT_EQ(host.t.ports.Sent(), std::vector<std::string>(2, "[MESSAGE] 00 Bob: 2.5 ships left*"));
  EXPECT_EQ(host.t.ports.Count("Send 1 [MESSAGE] 00 Bob: 2.5 ships left*"), 1);
  EXPECT_TRUE(host.t.ports.Has("Sound message.wav"));
}

TEST(ChatRelay, AClientShowsTheRelayedLineAndSendsNothing) {
  HostGame host;
  ClientGame client;
  client.TakeState(host.g(), 1);
  client.t.ports.Clear();
  client.Receive("[MESSAGE] 00 Ann: hello*");
  EXPECT_EQ(client.g().window.txtChat.Text, " Ann: hello\r\n");
  EXPECT_TRUE(client.t.ports.Sent().empty());
}

}  // namespace
}  // namespace zarnath::testing
