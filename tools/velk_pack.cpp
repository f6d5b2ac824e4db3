// velk-pack: converts, inspects, renders and checks the game's content files.

#include <iostream>
#include <string>
#include <vector>

#include "lib/pack_tool.h"

int main(int argc, char** argv) {
    return velk::pack::runPack(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                               std::cerr);
}
