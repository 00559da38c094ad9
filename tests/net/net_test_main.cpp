// The network tests run in one Qt event loop: every socket lives on this thread.
#include <gtest/gtest.h>
#include <malloc.h>

#include <QCoreApplication>

int main(int argc, char** argv) {
  // The plain Unix event dispatcher deletes an object later at the first yield of a deeper event
  // than the one that asked for it: a socket deleted inside its own signal shows here. Freed
  // memory is scribbled over, so using a deleted object crashes the test instead of passing.
  qputenv("QT_NO_GLIB", "1");
  mallopt(M_PERTURB, 0x5a);
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
