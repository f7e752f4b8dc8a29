#include <cstdio>

int main(int argc, char** argv) {
  (void)argc;
  (void)argv;
  std::puts("plandock: merges JWW drawings into one drawing");
  return 0;
}
