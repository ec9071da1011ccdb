#include <iostream>

int main(int argc, char** argv) {
    (void)argc;
    (void)argv;
    std::cout << "kelvane-cli\n";
    return 0;
}
