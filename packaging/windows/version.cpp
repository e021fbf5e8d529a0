// Prints the program's name and version; it exists to carry kelmora.exe's
// resources in a build that has no Qt.
#include <cstdio>

int main() {
  std::puts("kelmora " KELMORA_VERSION);
  return 0;
}
