// The end-to-end driver: glazier_e2e CASE... runs the named cases against glazier.exe
// (tests/e2e/run_case.sh runs it under Wine).
#include "tests/common/harness.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    harness::Log("usage: glazier_e2e CASE... | --list");
    return 2;
  }
  return harness::Run({argv + 1, argv + argc});
}
