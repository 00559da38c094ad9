// The window test suites; each runs in its own process with the screen it needs.
#pragma once

namespace zarnath::testing {

int RunTitleWindowTests(int argc, char** argv);
int RunAboutBoxTests(int argc, char** argv);
int RunPlatformTests(int argc, char** argv);
int RunChangeResolutionTests(int argc, char** argv);
int RunLargeFontsTests(int argc, char** argv);
int RunNarrowScreenTests(int argc, char** argv);
int RunWideEnoughScreenTests(int argc, char** argv);

}  // namespace zarnath::testing
