#include <cstdio>

int main() {
    printf("Travondel: the launcher and the game window are not built yet.\n");
    return 1;
}
