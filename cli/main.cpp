#include <cstdio>

int main(int, char**) {
    std::puts("velmora-cli");
    return 0;
}
